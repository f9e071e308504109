#include "app/keyboardrecheck.h"

#include "app/keyboardsession.h"
#include "app/linkmonitor.h"
#include "app/editordocument.h"
#include "commands/keyboardcommand.h"
#include "model/keyboardcopy.h"
#include "model/settings.h"

#include <QApplication>

namespace {
constexpr int kRetryMs = 100;
} // namespace

KeyboardRecheck::KeyboardRecheck(EditorDocument &document, LinkMonitor &monitor, KeyboardSession &session)
    : QObject(&document), document_(document), monitor_(monitor), session_(session)
{
    retry_.setSingleShot(true);
    retry_.setInterval(kRetryMs);
    connect(&retry_, &QTimer::timeout, this, &KeyboardRecheck::recheckWhenFree);
    connect(&monitor, &LinkMonitor::linkLost, this, &KeyboardRecheck::linkLost);
    connect(&monitor, &LinkMonitor::stateChanged, this, &KeyboardRecheck::recheckWhenFree);
    connect(&session, &KeyboardSession::busyChanged, this, &KeyboardRecheck::recheckWhenFree);
}

void KeyboardRecheck::linkLost()
{
    if (!document_.keyboardRecord())
        return;
    copyLost_ = true;
    document_.changeKeyboardCopy([](KeyboardCopy &copy) { copy.forget(); });
}

void KeyboardRecheck::recheckWhenFree()
{
    // A command that read or wrote the keyboard made the copy anew.
    if (document_.keyboardRecord())
        copyLost_ = false;
    if (!copyLost_ || monitor_.state() != LinkMonitor::State::Connected)
        return;
    // Not inside the news of the link, and not under a box or a command.
    if (session_.busy() || QApplication::activeModalWidget()) {
        retry_.start();
        return;
    }
    QTimer::singleShot(0, this, &KeyboardRecheck::recheck);
}

void KeyboardRecheck::recheck()
{
    if (!copyLost_ || session_.busy() || monitor_.state() != LinkMonitor::State::Connected)
        return;
    // The link there is, never a search.
    LinkSearch noSearch;
    noSearch.acceptPair = [](const PortPair &) { return false; };
    MidiController *link = nullptr;
    KeyboardCommand::find(false, noSearch, &link);
    if (!link)
        return;
    copyLost_ = false;
    // Fields the keyboard does not answer for keep the record's values,
    // and count as not sent.
    Settings read = document_.settings();
    ReadReport report;
    if (session_.read(link, read, &report).succeeded())
        document_.changeKeyboardCopy([&](KeyboardCopy &copy) { copy.setRead(read, report); });
}
