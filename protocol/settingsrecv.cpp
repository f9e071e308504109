// Settings::recv: reading the keyboard's memory 0 into the record.

#include "model/settings.h"

#include "midi/midicontroller.h"
#include "protocol/parameterformat.h"
#include "protocol/parametermap.h"
#include "protocol/parametermessage.h"

#include <QThread>
#include <QtDebug>

namespace {
// The keyboard answers at its own pace and says nothing when it is done, so
// the replies are collected after a fixed wait.
constexpr unsigned long kReplyWaitMs = 1000;
} // namespace

int Settings::recv()
{
    MidiController *link = MidiController::getInstance(false);
    if (!link)
        return 0;

    // Send errors are not checked: a parameter that was not asked for just
    // gets no reply.
    for (const ParameterValue &parameter : globalParameters(*this))
        link->requestParameter(kRequestCommand, kWorkAreaSlot, parameter.selector, parameter.number);
    for (int index = 0; index < kControlCount; ++index)
        controls[index].transfer(index, kWorkAreaSlot, true);

    qDebug("waiting for incoming settings");
    QThread::msleep(kReplyWaitMs);

    return storeQueuedReplies(*this);
}

int storeQueuedReplies(Settings &settings)
{
    int accepted = 0;
    for (std::string message = MidiController::popMessage(); !message.empty();
         message = MidiController::popMessage()) {
        int selector = 0;
        int number = 0;
        int value = 0;
        if (parseParameterReply(message, &selector, &number, &value)
            && storeParameterReply(settings, selector, number, value))
            ++accepted;
    }
    return accepted;
}
