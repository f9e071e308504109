// What the MIDI monitor says a message means: the texts are pinned for
// bytes written out from the MIDI standard and the keyboard's protocol.

#include "model/settings.h"
#include "protocol/messagedecoder.h"
#include "support/wirebytes.h"

#include <QtTest>

class TestMessageDecoder : public QObject
{
    Q_OBJECT

private slots:
    void channelMessages_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("meaning");
        QTest::newRow("knob") << QByteArray("b04a40") << "Control Change ch 1, CC 74, value 64";
        QTest::newRow("pad") << QByteArray("902464") << "Note On ch 1, C1, velocity 100";
        QTest::newRow("pad let go") << QByteArray("932400") << "Note Off ch 4, C1, velocity 0";
        QTest::newRow("note off") << QByteArray("8f7f40") << "Note Off ch 16, G8, velocity 64";
        QTest::newRow("program") << QByteArray("c105") << "Program Change ch 2, program 5";
        QTest::newRow("pressure") << QByteArray("d040") << "Channel Pressure ch 1, 64";
        QTest::newRow("bend centre") << QByteArray("e00040") << "Pitch Bend ch 1, 0";
        QTest::newRow("bend down") << QByteArray("e00000") << "Pitch Bend ch 1, -8192";
        QTest::newRow("bend up") << QByteArray("e27f7f") << "Pitch Bend ch 3, +8191";
        QTest::newRow("upgrade probe") << QByteArray("9a7e7d")
                                       << "Note On ch 11, F#8, velocity 125: upgrade mode handshake";
        QTest::newRow("upgrade answer") << QByteArray("9a0102")
                                        << "Note On ch 11, C#-2, velocity 2: upgrade mode handshake";
        QTest::newRow("clock") << QByteArray("f8") << "System message F8";
    }

    void channelMessages()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, meaning);
        QCOMPARE(MessageDecoder::describe(wire(bytes), true, Settings()), meaning);
    }

    void keyboardProtocol_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("fromKeyboard");
        QTest::addColumn<QString>("meaning");
        QTest::newRow("handshake") << QByteArray("f07e7f0a0bf7") << false << "handshake request";
        QTest::newRow("handshake reply") << QByteArray("f07e0a01030001f7") << true << "handshake reply";
        QTest::newRow("pad 11 mode") << QByteArray("f000206b7f420200017a08f7") << false
                                     << "set Pad #3 / Pad #11, Mode = Switched, memory workArea";
        QTest::newRow("pad 3 note") << QByteArray("f000206b7f4202040372 30f7").replace(' ', "") << false
                                    << "set Pad #3 / Pad #11, CC Number = 48, memory 4";
        QTest::newRow("cutoff reply") << QByteArray("f000206b7f420000 03014af7").replace(' ', "") << true
                                      << "reply Cutoff, CC Number = 74";
        QTest::newRow("channel global") << QByteArray("f000206b7f42020002 0141f7").replace(' ', "") << false
                                        << "set Cutoff, Channel = Global, memory workArea";
        QTest::newRow("request") << QByteArray("f000206b7f420103020 1f7").replace(' ', "") << false
                                 << "request Cutoff, Channel, memory 3";
        QTest::newRow("global channel") << QByteArray("f000206b7f4202004006 02f7").replace(' ', "") << false
                                        << "set global Channel = 3, memory workArea";
        QTest::newRow("octave reply") << QByteArray("f000206b7f4200004003 42f7").replace(' ', "") << true
                                      << "reply global Octave = -2";
        QTest::newRow("knob mode") << QByteArray("f000206b7f42020040027ff7") << false
                                   << "set global Knob Mode = relative, memory workArea";
        QTest::newRow("unknown control") << QByteArray("f000206b7f420200036005f7") << false
                                         << "set unknown parameter 3 of 96, memory workArea";
        QTest::newRow("cut short") << QByteArray("f000206b7f4202000301f7") << false
                                   << "System Exclusive, 11 bytes";
        QTest::newRow("identity") << QByteArray("f07e7f0601f7") << true << "System Exclusive, 6 bytes";
    }

    void keyboardProtocol()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, fromKeyboard);
        QFETCH(QString, meaning);
        QCOMPARE(MessageDecoder::describe(wire(bytes), fromKeyboard, Settings()), meaning);
    }

    void aModeOptionIsNamedAfterTheRecordsMode()
    {
        Settings record;
        record.controls[1].mode = 4; // "Cutoff" on NRPN / RPN
        const std::string option = wire("f000206b7f420200060101f7");
        QCOMPARE(MessageDecoder::describe(option, false, record),
                 QString("set Cutoff, Mode Option = RPN, memory workArea"));
        // Nothing of the message goes into the record it is read against.
        QCOMPARE(int(record.controls[1].modeOption), 0);
    }
};

QTEST_GUILESS_MAIN(TestMessageDecoder)
#include "tst_messagedecoder.moc"
