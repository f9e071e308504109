// Record fields <-> wire values, which parameters a control exchanges, and
// where a reply is stored.

#include "model/settings.h"
#include "protocol/parametermap.h"
#include "protocol/wirevalues.h"

#include <QtTest>

#include <stdexcept>

namespace {
// "selector.number=value" per parameter, in order, in hex, e.g. "40.02=01".
QStringList listed(const ParameterList &parameters)
{
    QStringList text;
    for (const ParameterValue &p : parameters)
        text << QString::asprintf("%02x.%02x=%02x", p.selector, p.number, p.value);
    return text;
}

// Only "selector.number", for reads, whose values are not sent.
QStringList addresses(const ParameterList &parameters)
{
    QStringList text;
    for (const ParameterValue &p : parameters)
        text << QString::asprintf("%02x.%02x", p.selector, p.number);
    return text;
}

QByteArray imageOf(const Settings &settings)
{
    return QByteArray(settings.image(), int(Settings::kImageSize));
}
} // namespace

class TestParameterMap : public QObject
{
    Q_OBJECT

private slots:
    void knobModeBothWays()
    {
        QCOMPARE(int(knobModeFromWire(0x7f)), 1);
        for (int wire : {0x01, 0x40, 0x7e, 0x00, -1, -128})
            QCOMPARE(int(knobModeFromWire(wire)), 0);
        QCOMPARE(int(knobModeToWire(0)), 0x01);
        QCOMPARE(int(knobModeToWire(1)), 0x7f);
        // Out of range goes out as a read would have stored it: absolute.
        QCOMPARE(int(knobModeToWire(2)), 0x01);
        QCOMPARE(int(knobModeToWire(255)), 0x01);
    }

    void octaveBothWays()
    {
        const int codes[9] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x41, 0x42, 0x43, 0x44};
        for (int octave = 0; octave <= 8; ++octave) {
            QCOMPARE(int(octaveToWire(octave)), codes[octave]);
            QCOMPARE(int(octaveFromWire(codes[octave])), octave);
        }
        QCOMPARE(int(octaveFromWire(0x45)), 0); // would be 9
        QCOMPARE(int(octaveFromWire(0x10)), 0);
        QCOMPARE(int(octaveFromWire(-1)), 0);
        QCOMPARE(int(octaveFromWire(-128)), 0);
        // Past the end of the code table: sent as no shift.
        QCOMPARE(int(octaveToWire(9)), 0x00);
        QCOMPARE(int(octaveToWire(255)), 0x00);
    }

    void otherGlobalsAreZeroOutsideTheirRange()
    {
        QCOMPARE(int(globalFromWire(15, kMaxGlobalChannel)), 15);
        QCOMPARE(int(globalFromWire(16, kMaxGlobalChannel)), 0);
        QCOMPARE(int(globalFromWire(2, kMaxAccel)), 2);
        QCOMPARE(int(globalFromWire(3, kMaxAccel)), 0);
        QCOMPARE(int(globalFromWire(3, kMaxCurve)), 3);
        QCOMPARE(int(globalFromWire(4, kMaxCurve)), 0);
        QCOMPARE(int(globalFromWire(-1, kMaxCurve)), 0);
        QCOMPARE(int(globalToWire(15, kMaxGlobalChannel)), 15);
        QCOMPARE(int(globalToWire(16, kMaxGlobalChannel)), 0);
        QCOMPARE(int(globalToWire(200, kMaxGlobalChannel)), 0);
        QCOMPARE(int(globalToWire(3, kMaxAccel)), 0);
    }

    void channelSixteenIsSixtyFiveOnTheWire()
    {
        QCOMPARE(int(channelToWire(16)), 65);
        QCOMPARE(int(channelToWire(15)), 15);
        QCOMPARE(int(channelToWire(200)), 127);
        QCOMPARE(int(channelFromWire(65)), 16);
        QCOMPARE(int(channelFromWire(16)), 16);
        QCOMPARE(int(channelFromWire(3)), 3);
        QCOMPARE(int(controlValueToWire(127)), 127);
        QCOMPARE(int(controlValueToWire(128)), 127);
        QCOMPARE(int(controlValueToWire(255)), 127);
        QCOMPARE(int(controlValueFromWire(-1)), 255); // stored as the byte it was
    }

    void globalsGoOutInTheirFixedOrder()
    {
        Settings settings;
        settings.knobMode = 1;
        settings.octave = 8;
        settings.globalChannel = 9;
        settings.velocityCurve = 2;
        settings.padCurve = 3;
        settings.accel = 1;
        QCOMPARE(listed(globalParameters(settings)),
                 QStringList({"40.02=7f", "40.03=44", "40.06=09", "41.01=02", "41.03=03", "41.04=01"}));
        QCOMPARE(listed(globalParameters(Settings())),
                 QStringList({"40.02=01", "40.03=00", "40.06=00", "41.01=00", "41.03=00", "41.04=00"}));
    }

    void aFullControlExchangesSevenParametersInSubParameterOrder()
    {
        const Settings factory;
        QCOMPARE(listed(controlParameters(factory.controls[0], 0, false)),
                 QStringList({"00.30=00", "01.30=01", "02.30=41", "03.30=07", "04.30=00", "05.30=7f", "06.30=00"}));
        // "Pad #9": Switched, gate.
        QCOMPARE(listed(controlParameters(factory.controls[24], 24, false)),
                 QStringList({"00.78=00", "01.78=08", "02.78=41", "03.78=16", "04.78=00", "05.78=7f", "06.78=01"}));
        QCOMPARE(addresses(controlParameters(factory.controls[36], 36, true)),
                 QStringList({"00.50", "01.50", "02.50", "03.50", "04.50", "05.50", "06.50"}));
    }

    void controlsWithoutModesOrNumberLeaveThoseOutBothWays()
    {
        const Settings factory;
        for (bool request : {true, false}) {
            // "OCT -" has no modes and no number.
            QCOMPARE(addresses(controlParameters(factory.controls[32], 32, request)),
                     QStringList({"00.10", "02.10", "04.10", "05.10"}));
            // "Pitch" has modes but ccNumber 0.
            QCOMPARE(addresses(controlParameters(factory.controls[34], 34, request)),
                     QStringList({"00.41", "01.41", "02.41", "04.41", "05.41", "06.41"}));
        }
        // The decision follows the record, not the factory table.
        Setting numbered = factory.controls[33];
        numbered.ccNumber = 12;
        QCOMPARE(addresses(controlParameters(numbered, 33, true)),
                 QStringList({"00.11", "02.11", "03.11", "04.11", "05.11"}));
        Setting unnumbered = factory.controls[1];
        unnumbered.ccNumber = 0;
        QCOMPARE(addresses(controlParameters(unnumbered, 1, true)),
                 QStringList({"00.01", "01.01", "02.01", "04.01", "05.01", "06.01"}));
    }

    void aModeWithoutOptionsLeavesTheOptionOutOnlyWhenWriting()
    {
        Setting off = Settings().controls[1];
        off.mode = 0; // "Off - Disabled"
        QCOMPARE(addresses(controlParameters(off, 1, false)),
                 QStringList({"00.01", "01.01", "02.01", "03.01", "04.01", "05.01"}));
        QCOMPARE(addresses(controlParameters(off, 1, true)),
                 QStringList({"00.01", "01.01", "02.01", "03.01", "04.01", "05.01", "06.01"}));
        for (int mode : {7, 11, 2, 13}) { // empty lists and modes without an entry
            Setting pad = Settings().controls[16];
            pad.mode = mode;
            QCOMPARE(int(controlParameters(pad, 16, false).size()), 6);
        }
        Setting continuous = off;
        continuous.mode = 1;
        continuous.modeOption = 3;
        QCOMPARE(listed(controlParameters(continuous, 1, false)).last(), QString("06.01=03"));
    }

    void theFactoryRecordCostsTwoHundredFiftyEightMessagesEachWay()
    {
        const Settings factory;
        for (bool request : {true, false}) {
            int messages = int(globalParameters(factory).size());
            for (int index = 0; index < kControlCount; ++index)
                messages += int(controlParameters(factory.controls[index], index, request).size());
            QCOMPARE(messages, 258);
        }
    }

    void aRecordOfAnyBytesProducesOnlySevenBitValues()
    {
        const QByteArray noise(int(Settings::kImageSize), char(0xff));
        const Settings settings = Settings::fromBytes(noise.constData());
        QCOMPARE(listed(globalParameters(settings)),
                 QStringList({"40.02=01", "40.03=00", "40.06=00", "41.01=00", "41.03=00", "41.04=00"}));
        // Mode 255 has no options, so the option is left out.
        QCOMPARE(listed(controlParameters(settings.controls[5], 5, false)),
                 QStringList({"00.0c=7f", "01.0c=7f", "02.0c=7f", "03.0c=7f", "04.0c=7f", "05.0c=7f"}));
        Settings edge;
        edge.knobMode = 2;
        edge.octave = 9;
        edge.accel = 3;
        edge.controls[0].val = 0x80;
        edge.controls[0].channel = 16;
        QCOMPARE(listed(globalParameters(edge)),
                 QStringList({"40.02=01", "40.03=00", "40.06=00", "41.01=00", "41.03=00", "41.04=00"}));
        QCOMPARE(listed(controlParameters(edge.controls[0], 0, false)).mid(0, 3),
                 QStringList({"00.30=7f", "01.30=01", "02.30=41"}));
    }

    void aParameterListRefusesAnEighthEntry()
    {
        ParameterList parameters;
        for (int sub = 0; sub < kSubParameterCount; ++sub)
            parameters.push_back({sub, 0x30, sub + 1});
        QVERIFY_EXCEPTION_THROWN(parameters.push_back({7, 0x30, 8}), std::out_of_range);
        QCOMPARE(listed(parameters),
                 QStringList({"00.30=01", "01.30=02", "02.30=03", "03.30=04", "04.30=05", "05.30=06", "06.30=07"}));
    }

    void repliesOfGlobalsAreConvertedAndCounted()
    {
        Settings settings;
        QVERIFY(storeParameterReply(settings, 0x40, 2, 0x7f));
        QVERIFY(storeParameterReply(settings, 0x40, 3, 0x42));
        QVERIFY(storeParameterReply(settings, 0x40, 6, 3));
        QVERIFY(storeParameterReply(settings, 0x41, 1, 1));
        QVERIFY(storeParameterReply(settings, 0x41, 3, 2));
        QVERIFY(storeParameterReply(settings, 0x41, 4, 2));
        QCOMPARE(imageOf(settings).left(6).toHex(' '), QByteArray("03 02 02 01 06 01"));

        QVERIFY(storeParameterReply(settings, 0x40, 3, 0x45));
        QVERIFY(storeParameterReply(settings, 0x40, 6, 16));
        QVERIFY(storeParameterReply(settings, 0x41, 4, 3));
        QVERIFY(storeParameterReply(settings, 0x41, 1, -2));
        QCOMPARE(imageOf(settings).left(6).toHex(' '), QByteArray("00 02 00 00 00 01"));

        // A number the editor does not know counts but changes nothing.
        const QByteArray before = imageOf(settings);
        QVERIFY(storeParameterReply(settings, 0x40, 5, 9));
        QVERIFY(storeParameterReply(settings, 0x41, 0x7f, 9));
        QCOMPARE(imageOf(settings), before);
    }

    void repliesOfControlsAreStoredUnlessTheAddressIsUnknown()
    {
        Settings settings;
        QVERIFY(storeParameterReply(settings, 2, 0x70, 65)); // "Pad #1" follows the global channel
        QCOMPARE(int(settings.controls[16].channel), 16);
        QVERIFY(storeParameterReply(settings, 2, 0x70, 16));
        QCOMPARE(int(settings.controls[16].channel), 16);
        QVERIFY(storeParameterReply(settings, 2, 0x70, 4));
        QCOMPARE(int(settings.controls[16].channel), 4);

        // "Mod" shares 0x40 with the global group, but carries a sub-parameter.
        QVERIFY(storeParameterReply(settings, 5, 0x40, 99));
        QCOMPARE(int(settings.controls[35].msb), 99);
        QVERIFY(storeParameterReply(settings, 6, 0x41, 1));
        QCOMPARE(int(settings.controls[34].modeOption), 1);
        // No range test on control values.
        QVERIFY(storeParameterReply(settings, 0, 0x30, -56));
        QCOMPARE(int(settings.controls[0].val), 200);

        const QByteArray before = imageOf(settings);
        QVERIFY(!storeParameterReply(settings, 0, 0x22, 5)); // no such control
        QVERIFY(!storeParameterReply(settings, 7, 0x30, 5));
        QVERIFY(!storeParameterReply(settings, -1, 0x30, 5));
        QVERIFY(!storeParameterReply(settings, 1, -128, 5));
        QCOMPARE(imageOf(settings), before);
    }
};

QTEST_APPLESS_MAIN(TestParameterMap)
#include "tst_parametermap.moc"
