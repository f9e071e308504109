#pragma once

// Talking to the keyboard takes from a few milliseconds to several seconds
// (every port pair of a search waits for an answer). KeyboardWork runs such
// a piece on a worker thread while the GUI thread goes on repainting and
// taking input; when it lasts longer than a moment, a modal progress window
// tells what is going on and, for a search, offers Cancel.

#include "midi/canceltoken.h"

#include <QObject>
#include <QProgressDialog>
#include <QString>

#include <functional>

class KeyboardWork : public QObject
{
    Q_OBJECT

public:
    // The progress window, titled `title`, is a child of `window`.
    KeyboardWork(QWidget *window, const QString &title, bool cancellable);
    ~KeyboardWork() override;

    KeyboardWork(const KeyboardWork &) = delete;
    KeyboardWork &operator=(const KeyboardWork &) = delete;

    // Cancelled by the window's Cancel button or Escape, or by cancel().
    const CancelToken &cancelToken() const { return cancel_; }
    void cancel() { cancel_.cancel(); }

    // Any thread: what the progress window shows; a maximum of 0 makes
    // its bar a busy indicator.
    void report(const QString &text, int value, int maximum);

    // Runs `work` on a worker thread and returns once it is done, running
    // the GUI's events meanwhile.
    void run(const std::function<void()> &work);

    // How long work may run before the progress window appears.
    static constexpr int kProgressDelayMs = 300;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A child of the window, deleted with this.
    QProgressDialog *const dialog_;
    CancelToken cancel_;
    const bool cancellable_;
};
