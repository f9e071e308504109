#pragma once

// "MIDI Monitor": one line for every message to or from the keyboard, with
// the time since the monitor opened, its direction, its bytes and what they
// mean. It reads the link's tap on a timer, at most 30 times a second, so
// the link never waits for it. With "Follow the keyboard" on (whether the
// monitor is open or not), a control that the keyboard reports being
// touched selects its marker in the main window.

#include "app/keyboardfollower.h"
#include "midi/tappedmessage.h"

#include <QByteArray>
#include <QHash>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <vector>

class EditorDocument;
class QMainWindow;
class MonitorLineModel;
class Ui_MidiMonitor;

class MidiMonitor : public QWidget
{
    Q_OBJECT

public:
    // The monitor of `window` (a child window of it, hidden until asked
    // for) and the window's action "MIDI Monitor" with Ctrl+M.
    static MidiMonitor *attachTo(QMainWindow &window, EditorDocument &document);

    MidiMonitor(QWidget &window, EditorDocument &document);
    ~MidiMonitor() override;

    const MonitorLineModel &lines() const { return *model_; }
    // Messages seen while open, paused or not, since it opened or was cleared.
    qint64 messageCount() const { return messageCount_; }
    bool followsKeyboard() const;
    void setFollowsKeyboard(bool on);

    // Takes what the tap holds now; the timer calls it.
    void drainTap();

    static constexpr int kRedrawIntervalMs = 33; // at most 30 redraws a second

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    struct LineText
    {
        QString bytes;
        QString meaning;
        KeyboardFollower::Match match;
    };
    // The texts of a message's line, and the control it selects when
    // `following`.
    const LineText &lineText(const TappedMessage &message, bool following);
    static constexpr int kMaxLineTexts = 4096;

    void followChanged(bool on);
    void clearLines();
    void saveLines();
    // The tap and its timer run while the monitor is open or follows.
    void updateTapNeed();
    void follow(const KeyboardFollower::Match &match);
    void updateCount();

    EditorDocument &document_;
    Ui_MidiMonitor *ui;
    MonitorLineModel *model_;
    QTimer drainTimer_;
    std::int64_t openedAtNs_ = 0;
    qint64 messageCount_ = 0;
    std::uint64_t droppedAtOpen_ = 0;
    std::vector<TappedMessage> drained_;
    QHash<QByteArray, LineText> lineTexts_;
};
