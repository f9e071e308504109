// The bytes of the parameter request and set messages, and the recognition
// of the keyboard's replies.

#include "protocol/parametermessage.h"
#include "support/wirebytes.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {
struct Reply
{
    bool accepted = false;
    int selector = -1000;
    int number = -1000;
    int value = -1000;
};

Reply parsed(const std::string &message)
{
    Reply reply;
    reply.accepted = parseParameterReply(message, &reply.selector, &reply.number, &reply.value);
    return reply;
}
} // namespace

class TestParameterMessage : public QObject
{
    Q_OBJECT

private slots:
    void aRequestForTheGlobalChannelIsElevenBytes()
    {
        QCOMPARE(hexOf(parameterRequestMessage(1, 0, 0x40, 6)),
                 QByteArray("f0 00 20 6b 7f 42 01 00 40 06 f7"));
        QCOMPARE(hexOf(parameterRequestMessage(1, 8, 6, 0x7f)),
                 QByteArray("f0 00 20 6b 7f 42 01 08 06 7f f7"));
    }

    void settingCutoffsModeInMemoryTwoIsTwelveBytes()
    {
        QCOMPARE(hexOf(parameterSetMessage(2, 2, 1, 0x01, 1)),
                 QByteArray("f0 00 20 6b 7f 42 02 02 01 01 01 f7"));
    }

    void noDataByteReachesTheStatusRange()
    {
        // A byte of 0x80 or more inside System Exclusive would end the message.
        QCOMPARE(hexOf(parameterSetMessage(2, 3, 2, 0x30, 200)),
                 QByteArray("f0 00 20 6b 7f 42 02 03 02 30 7f f7"));
        QCOMPARE(hexOf(parameterSetMessage(2, 3, 2, 0x30, 0x80)),
                 QByteArray("f0 00 20 6b 7f 42 02 03 02 30 7f f7"));
        QCOMPARE(hexOf(parameterSetMessage(2, -1, 2, 0x30, -5)),
                 QByteArray("f0 00 20 6b 7f 42 02 00 02 30 00 f7"));
        QCOMPARE(hexOf(parameterRequestMessage(1, 300, 0x40, 256)),
                 QByteArray("f0 00 20 6b 7f 42 01 7f 40 7f f7"));
    }

    void aReplyGivesSelectorNumberAndValue()
    {
        const Reply reply = parsed(wire("f000206b7f420000400603f7"));
        QVERIFY(reply.accepted);
        QCOMPARE(reply.selector, 0x40);
        QCOMPARE(reply.number, 6);
        QCOMPARE(reply.value, 3);

        // Bytes 6 and 7 are not looked at.
        const Reply pad = parsed(wire("f000206b7f427f05027041f7"));
        QVERIFY(pad.accepted);
        QCOMPARE(pad.selector, 2);
        QCOMPARE(pad.number, 0x70);
        QCOMPARE(pad.value, 65);
    }

    void bytesOfTheStatusRangeAreReadAsNegative()
    {
        const Reply reply = parsed(wire("f000206b7f420000ff8081f7"));
        QVERIFY(reply.accepted);
        QCOMPARE(reply.selector, -1);
        QCOMPARE(reply.number, -128);
        QCOMPARE(reply.value, -127);
    }

    void malformedMessagesAreNoRepliesAndLeaveTheOutputsAlone_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("thirteen bytes") << QByteArray("f000206b7f42000040060300f7");
        QTest::newRow("eleven bytes") << QByteArray("f000206b7f420000400603");
        QTest::newRow("no F7 at byte 11") << QByteArray("f000206b7f42000040060300");
        QTest::newRow("wrong manufacturer") << QByteArray("f000206c7f420000400603f7");
        QTest::newRow("wrong fixed byte") << QByteArray("f000206b7f430000400603f7");
        QTest::newRow("header cut short") << QByteArray("f000206b7f");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("Note-On on channel 11") << QByteArray("9a3c00");
        QTest::newRow("identity request") << QByteArray("f07e7f0601f7");
        QTest::newRow("truncated reply") << QByteArray("f000206b7f42000040f7");
        QTest::newRow("real-time byte inside") << QByteArray("f000206b7ff8420000400603f7");
        QTest::newRow("handshake reply") << QByteArray("f07e0a01030001f7");
    }

    void malformedMessagesAreNoRepliesAndLeaveTheOutputsAlone()
    {
        QFETCH(QByteArray, message);
        const Reply reply = parsed(wire(message));
        QVERIFY(!reply.accepted);
        QCOMPARE(reply.selector, -1000);
        QCOMPARE(reply.number, -1000);
        QCOMPARE(reply.value, -1000);
    }

    void randomNoiseIsNeverMistakenForAReply()
    {
        QRandomGenerator random(20240507);
        for (int round = 0; round < 20000; ++round) {
            std::string message(random.bounded(0, 20), '\0');
            for (char &byte : message)
                byte = static_cast<char>(random.bounded(256));
            // Half the time start with the right header, so the later tests are reached.
            if (round % 2 && message.size() >= 6)
                message.replace(0, 6, wire("f000206b7f42"));
            int selector = 0, number = 0, value = 0;
            const bool accepted = parseParameterReply(message, &selector, &number, &value);
            const bool wellFormed = message.size() == 12 && hexOf(message.substr(0, 6)) == "f0 00 20 6b 7f 42"
                && static_cast<unsigned char>(message[11]) == 0xf7;
            QCOMPARE(accepted, wellFormed);
        }
    }
};

QTEST_APPLESS_MAIN(TestParameterMessage)
#include "tst_parametermessage.moc"
