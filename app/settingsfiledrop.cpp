#include "app/settingsfiledrop.h"

#include "model/settingsformat.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace {
// The settings files that a drag carries: local files named as a kind of
// settings file that can be read, and nothing else.
QStringList draggedSettingsFiles(const QMimeData *data)
{
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    QStringList fileNames;
    for (const QUrl &url : urls) {
        const QString fileName = url.isLocalFile() ? url.toLocalFile() : QString();
        if (!SettingsFormat::isKnownName(fileName) || !SettingsFormat::ofPath(fileName).canRead)
            return QStringList();
        fileNames << fileName;
    }
    return fileNames;
}
} // namespace

SettingsFileDrop::SettingsFileDrop(QWidget *window, std::function<void(const QString &)> load)
    : SettingsFileDrop(window, [load](const QStringList &fileNames) { load(fileNames.first()); }, false)
{
}

SettingsFileDrop::SettingsFileDrop(QWidget *window, std::function<void(const QStringList &)> load, bool several)
    : QObject(window), load_(std::move(load)), several_(several)
{
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

bool SettingsFileDrop::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::DragEnter && event->type() != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto *drop = static_cast<QDropEvent *>(event); // a QDragEnterEvent is one too
    const QStringList fileNames = draggedSettingsFiles(drop->mimeData());
    if (fileNames.isEmpty() || (!several_ && fileNames.size() != 1))
        return false;
    drop->acceptProposedAction();
    // Loaded once the drop is over: a box opened inside the drop would keep
    // the program the file came from waiting.
    if (event->type() == QEvent::Drop)
        QTimer::singleShot(0, this, [this, fileNames] { load_(fileNames); });
    return true;
}
