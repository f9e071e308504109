// JACK tells when ports come and go: the port watcher hears of a keyboard
// unplugged and plugged in again from the server's port registrations
// alone, without listing the ports at intervals.

#include "jackkeyboardfixture.h"
#include "midi/portwatcher.h"

#include <QLoggingCategory>
#include <QSignalSpy>
#include <QtTest>

class TestJackPortWatcher : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules("telvir.*.debug=false"); }

    void registrationsTellOfAKeyboardLeavingAndComingBack()
    {
        JackKeyboardFixture jack;
        QVERIFY2(jack.start(), qPrintable(jack.error()));
        PortWatcher watcher;
        watcher.setInterval(0);
        QVERIFY(watcher.outputs().contains(JackKeyboardFixture::keyboardInputPort()));
        QVERIFY(watcher.inputs().contains(JackKeyboardFixture::keyboardOutputPort()));
        QSignalSpy gone(&watcher, &PortWatcher::portsGone);
        QSignalSpy appeared(&watcher, &PortWatcher::portsAppeared);

        jack.stopSimulator();
        QTRY_VERIFY_WITH_TIMEOUT(!watcher.outputs().contains(JackKeyboardFixture::keyboardInputPort())
                                     && !watcher.inputs().contains(JackKeyboardFixture::keyboardOutputPort()),
                                 5000);
        QStringList goneOutputs;
        QStringList goneInputs;
        for (const QList<QVariant> &signal : gone) {
            goneOutputs << signal[0].toStringList();
            goneInputs << signal[1].toStringList();
        }
        QCOMPARE(goneOutputs, QStringList{JackKeyboardFixture::keyboardInputPort()});
        QCOMPARE(goneInputs, QStringList{JackKeyboardFixture::keyboardOutputPort()});
        QVERIFY(appeared.isEmpty());

        QVERIFY2(jack.restartSimulator(), qPrintable(jack.error()));
        QTRY_VERIFY_WITH_TIMEOUT(watcher.outputs().contains(JackKeyboardFixture::keyboardInputPort())
                                     && watcher.inputs().contains(JackKeyboardFixture::keyboardOutputPort()),
                                 5000);
        QVERIFY(!appeared.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestJackPortWatcher)
#include "tst_jackportwatcher.moc"
