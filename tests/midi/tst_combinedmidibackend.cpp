// Two MIDI systems as one port list: the numbering, and that each number
// opens the port of the system that listed it.

#include "midi/combinedmidibackend.h"
#include "midi/virtualmidibackend.h"
#include "support/recordingsink.h"

#include <QtTest>


class TestCombinedMidiBackend : public QObject
{
    Q_OBJECT

private slots:
    void portsAreNumberedAcrossSystemsAndOpenWhereTheyWereListed()
    {
        auto alsa = std::make_shared<VirtualMidiBackend>(std::vector<std::string>{"A out 1", "A out 2"},
                                                         std::vector<std::string>{"A in"});
        auto none = std::make_shared<VirtualMidiBackend>(std::vector<std::string>{}, std::vector<std::string>{});
        auto jack = std::make_shared<VirtualMidiBackend>(std::vector<std::string>{"J out"},
                                                         std::vector<std::string>{"J in 1", "J in 2"});
        CombinedMidiBackend combined({alsa, none, jack});
        QCOMPARE(combined.outputPortNames(true), (std::vector<std::string>{"A out 1", "A out 2", "J out"}));
        QCOMPARE(combined.inputPortNames(true), (std::vector<std::string>{"A in", "J in 1", "J in 2"}));

        MMRESULT result = MMSYSERR_ERROR;
        bool finished = false;
        auto output = combined.openOutput(2, result);
        QVERIFY(output);
        QCOMPARE(output->send("\x9a\x01\x02", finished), MMSYSERR_NOERROR);
        QCOMPARE(jack->sent("J out"), std::vector<std::string>{"\x9a\x01\x02"});
        QVERIFY(alsa->sent("A out 1").empty() && alsa->sent("A out 2").empty());

        output = combined.openOutput(1, result);
        QVERIFY(output);
        QCOMPARE(output->send("\x9a\x7e\x7d", finished), MMSYSERR_NOERROR);
        QCOMPARE(alsa->sent("A out 2"), std::vector<std::string>{"\x9a\x7e\x7d"});

        RecordingSink sink;
        auto input = combined.openInput(2, sink, result);
        QVERIFY(input);
        QVERIFY(jack->inject("J in 2", "\x9a\x01\x03"));
        QVERIFY(!alsa->isInputOpen("A in") && !jack->isInputOpen("J in 1"));
        QCOMPARE(sink.received(), std::vector<std::string>{"\x9a\x01\x03"});

        QVERIFY(!combined.openOutput(3, result));
        QCOMPARE(result, MMSYSERR_BADDEVICEID);
        QVERIFY(!combined.openInput(3, sink, result));
        QCOMPARE(result, MMSYSERR_BADDEVICEID);
    }
};

QTEST_GUILESS_MAIN(TestCombinedMidiBackend)
#include "tst_combinedmidibackend.moc"
