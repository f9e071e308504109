#pragma once

#include <QDialog>
#include <QFileDialog>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

// Answers the modal dialogs that a slot under test opens, one planned step
// per dialog, in order. A dialog that no step expects, or one that does not
// close after its answer, is rejected and recorded, so a test never hangs on
// a modal window.
class DialogAnswerer
{
public:
    DialogAnswerer();
    ~DialogAnswerer();

    // Picks `path` in the next file dialog and accepts it; with `type`,
    // first chooses the file type whose name starts so, with the keyboard.
    void chooseFile(const QString &path, const QString &type = QString());
    // Cancels the next file dialog.
    void cancelFileDialog();
    // Runs `answer` on the next dialog of any kind; it must close it.
    void answerWith(const std::function<void(QDialog *)> &answer);
    // Presses `button` in the next message box and records its title and text.
    void pressInMessageBox(QMessageBox::StandardButton button = QMessageBox::Ok);
    // The same, after ticking the box's check box ("Don't show this again").
    void tickAndPressInMessageBox(QMessageBox::StandardButton button = QMessageBox::Ok);

    bool allStepsTaken() const { return steps.isEmpty(); }

    // "title: text" of each message box answered, in order.
    QStringList messages;
    // How each message box answered showed its text.
    QList<Qt::TextFormat> textFormats;
    // The texts of the message boxes answered that had a check box.
    QStringList withCheckBox;
    // The folder each file dialog started in, and its first file type.
    QStringList fileDialogFolders;
    QStringList fileDialogFirstTypes;
    // What went wrong: dialogs nobody expected, or dialogs of the wrong kind.
    QStringList problems;

private:
    void answerMessageBox(QMessageBox::StandardButton button, bool tick);
    void poll();
    void noteFileDialog(const QFileDialog *dialog);
    void closeStuckDialog(QDialog *dialog);

    QTimer timer;
    QList<std::function<void(QWidget *)>> steps;
    QList<QPointer<QWidget>> answered;
    QPointer<QWidget> lastAnswered;
    QPointer<QWidget> firstSeen;
    int pollsSinceAnswer = 0;
};
