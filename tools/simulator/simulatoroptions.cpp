#include "simulatoroptions.h"

#include <QCommandLineParser>

namespace {
bool toInt(const QString &text, int minimum, int &value)
{
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value >= minimum;
}
} // namespace

bool SimulatorOptions::parse(const QStringList &arguments, QString &error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Plays a Telvir keyboard on a virtual MIDI input and output port, for trying the editor without one.");
    parser.addHelpOption();
    const QCommandLineOption nameOption("name", "Name of the ports (JACK: of the client).", "name",
                                        QString::fromStdString(name));
    const QCommandLineOption outputNameOption("output-name",
                                              "Name of the client that sends the keyboard's answers "
                                              "(default: the name plus \" Out\").",
                                              "name");
    const QCommandLineOption apiOption("api", "MIDI system: alsa or jack (default: the first that runs).", "api");
    const QCommandLineOption serverOption("jack-server", "Name of the JACK server to use.", "name");
    const QCommandLineOption verboseOption("verbose", "Print every message received and sent.");
    const QCommandLineOption timestampsOption("timestamps",
                                              "With --verbose: start each line with the monotonic clock in ns.");
    const QCommandLineOption upgradeOption("upgrade", "Start in firmware upgrade mode (as if shift was held).");
    const QCommandLineOption silentOption("silent", "Answer nothing at all.");
    const QCommandLineOption delayOption("handshake-delay", "Answer the handshake after this many ms.", "ms");
    const QCommandLineOption replyOption("handshake-reply", "Handshake answer: exact, extra-byte or missing-byte.",
                                         "kind");
    const QCommandLineOption trafficOption("unrelated-traffic", "Send foreign messages before each answer.");
    const QCommandLineOption noParametersOption("no-parameters", "Answer the handshake only.");
    const QCommandLineOption limitOption("parameter-reply-limit", "Answer only this many parameter requests.",
                                         "count");
    const QCommandLineOption duplicateOption("duplicate-replies", "Send every parameter reply twice.");
    const QCommandLineOption takeIntervalOption(
        "take-interval", "A slow keyboard: take one parameter message every US microseconds; what comes faster "
                         "than that (beyond --take-room waiting) is lost.", "us");
    const QCommandLineOption takeRoomOption("take-room",
                                            "With --take-interval: how many messages may wait (default 1). Over "
                                            "JACK, all messages of one period arrive at once.",
                                            "count");
    const QCommandLineOption loseSetOption("lose-set-every", "Lose every Nth parameter set message.", "n");
    const QCommandLineOption loseRequestOption("lose-request-every", "Leave every Nth parameter request unanswered.",
                                               "n");
    const QCommandLineOption dropOption("drop-ack", "Leave out firmware acknowledgement N (0 = size).", "index");
    const QCommandLineOption delayAckOption("delay-ack", "Delay firmware acknowledgement N by MS ms.", "index:ms");
    const QCommandLineOption playOption("play",
                                        "Send the raw MIDI messages of FILE (\"-\": standard input), one line of "
                                        "hexadecimal bytes each (\"B0 4A 40\"), on the output port.",
                                        "file");
    const QCommandLineOption playRateOption("play-rate", "Messages played per second (default 1000).", "count");
    const QCommandLineOption playAfterLinkOption("play-after-link",
                                                 "Start playing once the simulator answered a handshake.");
    const QCommandLineOption playDelayOption("play-delay", "Wait this many ms before playing.", "ms");
    parser.addOptions({nameOption, outputNameOption, apiOption, serverOption, verboseOption, upgradeOption,
                       silentOption, delayOption, replyOption, trafficOption, noParametersOption, limitOption,
                       duplicateOption, takeIntervalOption, takeRoomOption, loseSetOption, loseRequestOption,
                       dropOption, delayAckOption, playOption, playRateOption,
                       playAfterLinkOption, playDelayOption, timestampsOption});

    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return false;
    }
    if (parser.isSet("help")) {
        error = parser.helpText();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        error = "Unexpected argument: " + parser.positionalArguments().first();
        return false;
    }
    name = parser.value(nameOption).toStdString();
    if (name.empty()) {
        error = "The port name must not be empty.";
        return false;
    }
    outputName = parser.isSet(outputNameOption) ? parser.value(outputNameOption).toStdString() : name + " Out";
    if (outputName.empty() || outputName == name) {
        error = "The output's name must not be empty, nor the same as the input's.";
        return false;
    }
    api = parser.value(apiOption).toStdString();
    if (!api.empty() && api != "alsa" && api != "jack") {
        error = "Unknown MIDI system: " + parser.value(apiOption);
        return false;
    }
    jackServer = parser.value(serverOption).toStdString();
    verbose = parser.isSet(verboseOption);
    upgradeMode = parser.isSet(upgradeOption);
    silent = parser.isSet(silentOption);
    unrelatedTraffic = parser.isSet(trafficOption);
    answerParameters = !parser.isSet(noParametersOption);
    duplicateReplies = parser.isSet(duplicateOption);
    if (parser.isSet(delayOption) && !toInt(parser.value(delayOption), 0, handshakeDelayMs)) {
        error = "--handshake-delay needs a number of milliseconds.";
        return false;
    }
    if (parser.isSet(replyOption)) {
        const QString kind = parser.value(replyOption);
        if (kind == "exact")
            handshakeReply = KeyboardSimulator::HandshakeReply::Exact;
        else if (kind == "extra-byte")
            handshakeReply = KeyboardSimulator::HandshakeReply::ExtraByte;
        else if (kind == "missing-byte")
            handshakeReply = KeyboardSimulator::HandshakeReply::MissingByte;
        else {
            error = "--handshake-reply is exact, extra-byte or missing-byte.";
            return false;
        }
    }
    if (parser.isSet(limitOption) && !toInt(parser.value(limitOption), 0, parameterReplyLimit)) {
        error = "--parameter-reply-limit needs a count.";
        return false;
    }
    if (parser.isSet(takeIntervalOption) && !toInt(parser.value(takeIntervalOption), 1, takeIntervalUs)) {
        error = "--take-interval needs a number of microseconds.";
        return false;
    }
    if (parser.isSet(takeRoomOption) && !toInt(parser.value(takeRoomOption), 1, takeRoom)) {
        error = "--take-room needs a count of at least 1.";
        return false;
    }
    if (parser.isSet(loseSetOption) && !toInt(parser.value(loseSetOption), 1, loseSetEvery)) {
        error = "--lose-set-every needs a count of at least 1.";
        return false;
    }
    if (parser.isSet(loseRequestOption) && !toInt(parser.value(loseRequestOption), 1, loseRequestEvery)) {
        error = "--lose-request-every needs a count of at least 1.";
        return false;
    }
    playFile = parser.value(playOption).toStdString();
    if (parser.isSet(playOption) && playFile.empty()) {
        error = "--play needs a file name, or - for standard input.";
        return false;
    }
    if (parser.isSet(playRateOption) && (!toInt(parser.value(playRateOption), 1, playRate))) {
        error = "--play-rate needs a number of messages per second.";
        return false;
    }
    if (parser.isSet(playDelayOption) && !toInt(parser.value(playDelayOption), 0, playDelayMs)) {
        error = "--play-delay needs a number of milliseconds.";
        return false;
    }
    if ((parser.isSet(playRateOption) || parser.isSet(playAfterLinkOption) || parser.isSet(playDelayOption))
        && playFile.empty()) {
        error = "--play-rate, --play-after-link and --play-delay go with --play.";
        return false;
    }
    timestamps = parser.isSet(timestampsOption);
    playAfterLink = parser.isSet(playAfterLinkOption);
    for (const QString &value : parser.values(dropOption)) {
        int index = 0;
        if (!toInt(value, 0, index)) {
            error = "--drop-ack needs an acknowledgement number.";
            return false;
        }
        droppedAcknowledgements.push_back(index);
    }
    for (const QString &value : parser.values(delayAckOption)) {
        const QStringList parts = value.split(':');
        int index = 0;
        int delayMs = 0;
        if (parts.size() != 2 || !toInt(parts[0], 0, index) || !toInt(parts[1], 0, delayMs)) {
            error = "--delay-ack needs index:ms.";
            return false;
        }
        delayedAcknowledgements.emplace_back(index, delayMs);
    }
    return true;
}

void SimulatorOptions::applyTo(KeyboardSimulator &keyboard) const
{
    keyboard.setUpgradeMode(upgradeMode);
    keyboard.setSilent(silent);
    keyboard.setHandshakeDelayMs(handshakeDelayMs);
    keyboard.setHandshakeReply(handshakeReply);
    keyboard.setUnrelatedTraffic(unrelatedTraffic);
    keyboard.setAnswerParameters(answerParameters);
    keyboard.setParameterReplyLimit(parameterReplyLimit);
    keyboard.setDuplicateReplies(duplicateReplies);
    keyboard.setTakeInterval(takeIntervalUs, takeRoom);
    keyboard.setLoseSetEvery(loseSetEvery);
    keyboard.setLoseRequestEvery(loseRequestEvery);
    for (int index : droppedAcknowledgements)
        keyboard.dropAcknowledgement(index);
    for (const auto &[index, delayMs] : delayedAcknowledgements)
        keyboard.delayAcknowledgement(index, delayMs);
}
