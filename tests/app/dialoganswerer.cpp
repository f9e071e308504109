#include "dialoganswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QKeyEvent>
#include <QProgressDialog>

namespace {
// 10 ms polls: a dialog still open 5 s after its answer is stuck.
constexpr int kPollMilliseconds = 10;
constexpr int kStuckPolls = 500;

QString describe(QWidget *widget)
{
    return QStringLiteral("%1 \"%2\"").arg(QLatin1String(widget->metaObject()->className()), widget->windowTitle());
}
} // namespace

DialogAnswerer::DialogAnswerer()
{
    timer.setInterval(kPollMilliseconds);
    QObject::connect(&timer, &QTimer::timeout, [this] { poll(); });
    timer.start();
}

DialogAnswerer::~DialogAnswerer()
{
    timer.stop();
}

void DialogAnswerer::noteFileDialog(const QFileDialog *dialog)
{
    fileDialogFolders << dialog->directory().absolutePath();
    fileDialogFirstTypes << dialog->nameFilters().value(0);
}

void DialogAnswerer::answerWith(const std::function<void(QDialog *)> &answer)
{
    steps.append([this, answer](QWidget *modal) {
        auto *dialog = qobject_cast<QDialog *>(modal);
        if (!dialog) {
            problems << QStringLiteral("expected a dialog, got %1").arg(describe(modal));
            return;
        }
        answer(dialog);
    });
}

void DialogAnswerer::chooseFile(const QString &path, const QString &type)
{
    steps.append([this, path, type](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog) {
            problems << QStringLiteral("expected a file dialog, got %1").arg(describe(modal));
            closeStuckDialog(qobject_cast<QDialog *>(modal));
            return;
        }
        noteFileDialog(dialog);
        if (!type.isEmpty()) {
            // As a user does: the arrow keys in the closed list of types.
            auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
            for (int step = 0; types && step < types->count() && !types->currentText().startsWith(type); ++step) {
                QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
                QApplication::sendEvent(types, &down);
            }
            if (!types || !types->currentText().startsWith(type)) {
                problems << QStringLiteral("file dialog without the type %1").arg(type);
                closeStuckDialog(dialog);
                return;
            }
        }
        // Typed as a user would: selectFile() leaves the name field alone
        // while that field has the focus.
        auto *nameField = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (!nameField) {
            problems << QStringLiteral("file dialog without a name field");
            closeStuckDialog(dialog);
            return;
        }
        nameField->setText(path);
        // Queued: accepting can open a nested confirmation box, which this
        // timer must be free to answer.
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
}

void DialogAnswerer::cancelFileDialog()
{
    steps.append([this](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog)
            problems << QStringLiteral("expected a file dialog, got %1").arg(describe(modal));
        else
            noteFileDialog(dialog);
        closeStuckDialog(qobject_cast<QDialog *>(modal));
    });
}

void DialogAnswerer::pressInMessageBox(QMessageBox::StandardButton button)
{
    answerMessageBox(button, false);
}

void DialogAnswerer::tickAndPressInMessageBox(QMessageBox::StandardButton button)
{
    answerMessageBox(button, true);
}

void DialogAnswerer::answerMessageBox(QMessageBox::StandardButton button, bool tick)
{
    steps.append([this, button, tick](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box) {
            problems << QStringLiteral("expected a message box, got %1").arg(describe(modal));
            closeStuckDialog(qobject_cast<QDialog *>(modal));
            return;
        }
        messages << box->windowTitle() + QStringLiteral(": ") + box->text();
        textFormats << box->textFormat();
        if (box->checkBox())
            withCheckBox << box->text();
        if (tick && !box->checkBox())
            problems << QStringLiteral("message box \"%1\" has no check box").arg(box->text());
        else if (tick)
            box->checkBox()->setChecked(true);
        QAbstractButton *pressed = box->button(button);
        if (!pressed) {
            problems << QStringLiteral("message box \"%1\" has no such button").arg(box->text());
            closeStuckDialog(box);
            return;
        }
        QMetaObject::invokeMethod(pressed, "click", Qt::QueuedConnection);
    });
}

void DialogAnswerer::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    // The progress window of keyboard work closes by itself.
    if (!modal || qobject_cast<QProgressDialog *>(modal))
        return;
    for (const QPointer<QWidget> &done : qAsConst(answered)) {
        if (done == modal) {
            if (modal == lastAnswered && ++pollsSinceAnswer > kStuckPolls) {
                problems << QStringLiteral("%1 stayed open after its answer").arg(describe(modal));
                closeStuckDialog(qobject_cast<QDialog *>(modal));
                pollsSinceAnswer = 0;
            }
            return;
        }
    }
    // Answered on the second look, as a person sees a dialog before
    // answering it: whatever else watches the screen gets to see it too.
    if (modal != firstSeen) {
        firstSeen = modal;
        return;
    }
    answered.append(modal);
    lastAnswered = modal;
    pollsSinceAnswer = 0;
    if (steps.isEmpty()) {
        problems << QStringLiteral("unexpected %1").arg(describe(modal));
        closeStuckDialog(qobject_cast<QDialog *>(modal));
        return;
    }
    steps.takeFirst()(modal);
}

void DialogAnswerer::closeStuckDialog(QDialog *dialog)
{
    if (dialog)
        QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
}
