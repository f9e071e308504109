#pragma once

// Keeps the window's copy of the keyboard honest across a lost link. When
// the link goes (unplugged, the server restarted, other ports chosen), what
// was known of the keyboard is forgotten; when a keyboard is linked again
// and no command read or wrote it, its settings are read again, into the
// copy only: the window's record stays as the user left it, and what
// differs shows as changes not sent.

#include <QObject>
#include <QTimer>

class KeyboardSession;
class LinkMonitor;
class EditorDocument;

class KeyboardRecheck : public QObject
{
    Q_OBJECT

public:
    KeyboardRecheck(EditorDocument &document, LinkMonitor &monitor, KeyboardSession &session);

private:
    void linkLost();
    void recheckWhenFree();
    void recheck();

    EditorDocument &document_;
    LinkMonitor &monitor_;
    KeyboardSession &session_;
    // A copy was forgotten and the keyboard has not been read since.
    bool copyLost_ = false;
    QTimer retry_;
};
