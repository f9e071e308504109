#include "app/editortestscript.h"

#include "app/mainwindow.h"
#include "app/snapshotkeeper.h"
#include "model/controlfields.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>

#include <cstdio>

namespace {
void say(const QByteArray &line)
{
    std::fputs((line + '\n').constData(), stdout);
    std::fflush(stdout);
}
} // namespace

std::unique_ptr<EditorTestScript> EditorTestScript::fromEnvironment()
{
    QFile file(qEnvironmentVariable("TELVIR_EDITOR_TEST_SCRIPT"));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly))
        return nullptr;
    return std::unique_ptr<EditorTestScript>(new EditorTestScript(file.readAll()));
}

EditorTestScript::EditorTestScript(const QByteArray &script) : script_(script)
{
    boxTimer_.setInterval(20);
    connect(&boxTimer_, &QTimer::timeout, this, &EditorTestScript::answerBox);
    boxTimer_.start();
}

void EditorTestScript::answerBox()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || box->property("answered").toBool())
        return;
    box->setProperty("answered", true);
    say("box: " + box->text().toUtf8());
    QAbstractButton *button = box->button(QMessageBox::Discard);
    if (!button)
        button = box->button(QMessageBox::Ok);
    if (button)
        QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection);
    else
        QMetaObject::invokeMethod(box, "reject", Qt::QueuedConnection);
}

void EditorTestScript::run(MainWindow &window)
{
    const QJsonObject script = QJsonDocument::fromJson(script_).object();
    EditorDocument &document = window.document();
    if (script.contains(QLatin1String("load")))
        window.loadSettingsFile(script.value(QLatin1String("load")).toString());
    for (const QJsonValue &edit : script.value(QLatin1String("edits")).toArray()) {
        const QJsonArray step = edit.toArray();
        document.editControlField(step.at(0).toInt(), kControlFields.at(std::size_t(step.at(1).toInt())),
                                  step.at(2).toInt());
    }
    if (script.contains(QLatin1String("select")))
        window.selectControl(script.value(QLatin1String("select")).toInt());
    if (script.contains(QLatin1String("memory")))
        document.setMemorySlot(script.value(QLatin1String("memory")).toInt());
    const bool close = script.value(QLatin1String("close")).toBool();
    auto *keeper = window.findChild<SnapshotKeeper *>();
    connect(keeper, &SnapshotKeeper::kept, this, [this, &window, close] {
        if (reported_)
            return;
        reported_ = true;
        say("kept");
        if (close)
            window.close();
    });
}
