#pragma once

// "Live": while it is on and a keyboard is linked, every change of the
// window's record goes to the keyboard's "workArea" (memory 0) at once: the
// set messages of each control and global parameter that changed, in the
// order a whole write sends them. The messages go out on a thread of their
// own; changes that come while a batch is out are gathered and sent after
// it with the record as it is then, so a held arrow key may skip values
// but the keyboard ends with the last one. While a command of the window
// talks to the keyboard, or a modal box is up, nothing is sent; after it,
// what still differs from the keyboard goes. Without a link the changes are dropped, not kept
// for a keyboard that comes later. No box ever opens.
//
// Each batch goes unchecked; once the user pauses, what went out since
// the last check is asked back from the keyboard in one check, and what
// did not arrive is sent again (see KeyboardCommand::check). What the
// check cannot find on the keyboard counts as not sent.

#include "midi/canceltoken.h"
#include "model/settings.h"

#include <QObject>
#include <QTimer>

#include <bitset>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

class EditorDocument;
class QCheckBox;
class QMainWindow;

class LiveSender : public QObject
{
    Q_OBJECT

public:
    // The checkable action "Live" (for the Keyboard menu) and its check box
    // at the right of the status line; the state is remembered across starts.
    static LiveSender *attachTo(QMainWindow &window, EditorDocument &document);

    explicit LiveSender(EditorDocument &document);
    ~LiveSender() override;

    bool isOn() const { return on_; }
    void setOn(bool on);
    // Nothing waits to go out and no batch is out.
    bool isIdle() const { return !batchOut_ && pendingGlobals_.none() && pendingControls_.none(); }
    // Nothing sent is waiting for its check either.
    bool isChecked() const { return isIdle() && unchecked_.globals.none() && unchecked_.controls.none(); }

    // How long after the last batch the check waits for more edits.
    static constexpr int kCheckAfterIdleMs = 600;

signals:
    // A batch is done; `sent` is false when there was no link for it.
    void batchDone(bool sent);

private slots:
    // The worker's outcome, taken over on the GUI thread.
    void takeOutcome();

private:
    struct Batch
    {
        Settings record;
        WriteParts parts;
        bool check = false; // ask `parts` of `record` back instead of sending them
    };
    struct Outcome
    {
        Batch batch;   // what was to go
        bool linked = false;
        WriteReport report;
    };

    void settingsChanged(const Settings &before, const Settings &after);
    void markDifferences(const Settings &from, const Settings &to);
    // Hands what is pending to the worker when it is free and the window
    // is not talking to the keyboard.
    void dispatch();
    void finished(const Outcome &outcome);
    // Hands the check of what went out since the last one to the worker.
    void dispatchCheck();
    void work();
    // Leaves out of `batch` the parts the keyboard holds already (or, for a
    // check, those it holds otherwise now).
    static void dropParts(Batch &batch, const Settings &onKeyboard, bool thoseOnIt);
    // Gives `batch` to the sending thread, unless nothing is left in it.
    void handOver(const Batch &batch);
    Outcome send(const Batch &batch) const;

    EditorDocument &document_;
    bool on_ = false;
    std::bitset<6> pendingGlobals_;
    std::bitset<kControlCount> pendingControls_;
    bool batchOut_ = false;
    // A dispatch waits until the window finished the step that changed the
    // record (a read sets the keyboard's record right after it), and
    // while a command of the window runs.
    QTimer dispatchLater_;
    QTimer busyRetry_;
    QTimer checkLater_;
    // What the batches since the last check sent, and its values.
    WriteParts unchecked_;
    Settings lastSent_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Batch> nextBatch_;
    // Comes back under mutex_ too: ThreadSanitizer cannot see a queued
    // call's hand-over inside Qt 5.
    std::optional<Outcome> outcome_;
    bool stopping_ = false;
    // A check waits for the keyboard's answers; closing does not.
    CancelToken stopChecking_;
    std::thread worker_;
};
