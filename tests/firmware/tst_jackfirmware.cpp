// A firmware image through the editor's own port code and a real MIDI
// system: the simulator program, in its upgrade mode on a private JACK
// server, logs every message it receives, and the image is rebuilt from
// that log.

#include "jackkeyboardfixture.h"
#include "midi/midicontroller.h"
#include "support/wirebytes.h"

#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>

namespace {
// The lines "in:  90 0A 05 " of the simulator's log, in order, as bytes.
std::string receivedData(const QString &log, QStringList *controlMessages)
{
    std::string data;
    for (const QString &line : log.split('\n')) {
        if (!line.startsWith(QLatin1String("in:")))
            continue;
        const QStringList bytes = line.mid(3).split(' ', Qt::SkipEmptyParts);
        if (bytes.size() == 3 && bytes[0] == QLatin1String("90"))
            data.push_back(char(bytes[1].toInt(nullptr, 16) << 4 | bytes[2].toInt(nullptr, 16)));
        else
            *controlMessages << bytes.join(' ');
    }
    return data;
}
} // namespace

class TestJackFirmware : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules("telvir.midi.debug=false");
    }

    void aRandomImageOf100KBArrivesByteForByte()
    {
        JackKeyboardFixture jack;
        QVERIFY2(jack.start({"--upgrade", "--verbose"}), qPrintable(jack.error()));
        MidiController *link = MidiController::getInstance(true);
        QVERIFY2(link, qPrintable(jack.simulatorOutput().right(2000)));

        // 195 whole blocks and 160 bytes of a last one.
        const std::string image = randomImage(100000, 100);
        std::vector<int> progress;
        const bool sent = link->sendFirmware(image, [&progress](int percent) { progress.push_back(percent); });
        const QString log = jack.simulatorOutput();
        QVERIFY2(sent, qPrintable(log.right(2000)));
        QCOMPARE(int(progress.size()), 195 + 1);
        QCOMPARE(progress.back(), 100);

        QStringList controlMessages;
        const std::string received = receivedData(log, &controlMessages);
        QCOMPARE(received.size(), std::size_t(196 * 512));
        const auto firstDifference = std::mismatch(image.begin(), image.end(), received.begin());
        const int offset = int(firstDifference.first - image.begin());
        QVERIFY2(firstDifference.first == image.end(),
                 qPrintable(QString("first difference at byte %1: sent %2, received %3")
                                .arg(offset)
                                .arg(QString::fromLatin1(QByteArray::fromStdString(image.substr(std::size_t(offset), 8)).toHex(' ')))
                                .arg(QString::fromLatin1(QByteArray::fromStdString(received.substr(std::size_t(offset), 8)).toHex(' ')))));
        QCOMPARE(received.substr(image.size()), std::string(196 * 512 - image.size(), char(0xFF)));
        // The probe and the announcement of 196 = 0xC4 blocks.
        QCOMPARE(controlMessages, (QStringList{"9A 01 02", "9A 7E 7D", "9A 0C 04"}));
        QVERIFY(log.contains(QLatin1String("out: 9A 01 05")));
    }
};

QTEST_GUILESS_MAIN(TestJackFirmware)
#include "tst_jackfirmware.moc"
