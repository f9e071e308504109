// JackCallRunner: calls that wait for a JACK server, given up after their
// deadline, without a server: the calls here are stand-ins that block
// until the test lets them go on.

#include "midi/jackcallrunner.h"

#include <QtTest>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

namespace {
// What a stopped server is to a JACK call: it waits until let go.
struct Gate
{
    std::mutex mutex;
    std::condition_variable opened;
    bool open = false;

    void wait()
    {
        std::unique_lock<std::mutex> lock(mutex);
        opened.wait(lock, [this] { return open; });
    }
    void letGo()
    {
        std::lock_guard<std::mutex> lock(mutex);
        open = true;
        opened.notify_all();
    }
};

constexpr std::chrono::milliseconds kShortDeadline {100};
} // namespace

class TestJackCallRunner : public QObject
{
    Q_OBJECT

private slots:
    void aCallInTimeGivesItsResult()
    {
        JackCallRunner runner;
        int result = 0;
        QVERIFY(runner.run<int>([] { return 42; }, result));
        QCOMPARE(result, 42);
        QVERIFY(runner.responsive());
        QVERIFY(!JackCallRunner::anyCallStuck());
    }

    void aStuckCallStopsTheRunnerUntilItReturns()
    {
        auto gate = std::make_shared<Gate>();
        auto order = std::make_shared<std::string>();
        auto orderMutex = std::make_shared<std::mutex>();
        const auto note = [order, orderMutex](char step) {
            std::lock_guard<std::mutex> lock(*orderMutex);
            *order += step;
        };
        auto closed = std::make_shared<std::atomic<bool>>(false);
        {
            JackCallRunner runner;
            int result = 0;
            QVERIFY(!runner.run<int>(
                [gate, note] {
                    gate->wait();
                    note('s');
                    return 1;
                },
                result, kShortDeadline));
            QCOMPARE(result, 0);
            QVERIFY(!runner.responsive());
            QVERIFY(JackCallRunner::anyCallStuck());

            // Refused without being run, or it would wait as well.
            bool ran = false;
            QVERIFY(!runner.run([&ran] { ran = true; }));
            QVERIFY(!ran);

            // A close comes after the stuck call, also once the runner is gone.
            runner.finish([note, closed] {
                note('c');
                closed->store(true);
            });
        }
        QVERIFY(!closed->load());
        gate->letGo();
        QTRY_VERIFY(closed->load());
        QTRY_VERIFY(!JackCallRunner::anyCallStuck());
        std::lock_guard<std::mutex> lock(*orderMutex);
        QCOMPARE(QString::fromStdString(*order), QString("sc"));
    }

    void aWaitHandedOverMarksTheServerStalledUntilItEnds()
    {
        auto gate = std::make_shared<Gate>();
        JackCallRunner runner;
        runner.runStuck([gate] { gate->wait(); });
        QVERIFY(JackCallRunner::anyCallStuck());
        QVERIFY(!runner.responsive());
        gate->letGo();
        QTRY_VERIFY(runner.responsive());
        QVERIFY(!JackCallRunner::anyCallStuck());
        int result = 0;
        QVERIFY(runner.run<int>([] { return 7; }, result));
        QCOMPARE(result, 7);
    }
};

QTEST_GUILESS_MAIN(TestJackCallRunner)
#include "tst_jackcallrunner.moc"
