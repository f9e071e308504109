// The library with 10,000 setups and 100,000 events (telvir-bench
// --library): the Library window opening and answering a search, what
// recording adds to a write in the editor and in telvir, `telvir
// memories` against `telvir --version`, `telvir library backup` and
// `restore` of the whole library, and the checks every opening of the
// store makes. The store is made in a temporary
// folder; the user's own is never read or changed.
//   bench-library TELVIR_PROGRAM

#include "app/librarywindow.h"
#include "model/libraryqueue.h"
#include "model/libraryrecorder.h"
#include "model/librarystore.h"
#include "model/storefileguard.h"
#include "model/storeintegrity.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int kSetups = 10000;
constexpr int kEvents = 100000;
constexpr int kRuns = 21;

double medianOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void row(const char *what, double measuredMs, double targetMs, const char *reference = "")
{
    std::printf("%-52s %9.3f ms  %s target <= %6.1f ms  ratio %.3f  %s\n", what, measuredMs, reference, targetMs,
                measuredMs / targetMs, measuredMs <= targetMs ? "ok" : "MISSED");
}

// The store filled in one transaction: as many setups and events as a
// user would gather in years.
bool fill(const QString &path)
{
    LibraryStore store(path);
    if (!store.usable())
        return false;
    QSqlQuery query(store.database());
    query.exec(QStringLiteral("BEGIN"));
    query.prepare(QStringLiteral("INSERT INTO setups (hash, image, name, first_seen, last_seen, times_written)"
                                 " VALUES (?, ?, ?, ?, ?, ?)"));
    const qint64 start = QDateTime::currentMSecsSinceEpoch() - qint64(kEvents) * 60000;
    for (int n = 0; n < kSetups; ++n) {
        Settings settings;
        settings.controls[n % kControlCount].ccNumber = std::uint8_t(n % 128);
        settings.controls[(n / 128) % kControlCount].lsb = std::uint8_t(n / 128);
        settings.globalChannel = std::uint8_t(n / (128 * 37));
        // Unique for certain, and hashed as the recorder hashes: a restore
        // checks each setup against its hash.
        settings.controls[35].msb = std::uint8_t(n % 128);
        settings.controls[36].msb = std::uint8_t(n / 128);
        query.addBindValue(LibraryRecorder::hashOf(settings));
        query.addBindValue(QByteArray(settings.image(), int(Settings::kImageSize)));
        query.addBindValue(QStringLiteral("Setup %1 for the synth in room %2.telvir").arg(n).arg(n % 97));
        query.addBindValue(start + n);
        query.addBindValue(start + qint64(n) * 600000);
        query.addBindValue(n % 10);
        if (!query.exec()) {
            std::printf("%s\n", qPrintable(query.lastError().text()));
            return false;
        }
    }
    query.prepare(QStringLiteral("INSERT INTO events (setup_id, kind, time, program, path, memory, keyboard_output,"
                                 " keyboard_input) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    for (int n = 0; n < kEvents; ++n) {
        const bool write = n % 4 == 0;
        query.addBindValue(n % kSetups + 1);
        query.addBindValue(write ? QStringLiteral("write") : QStringLiteral("load"));
        query.addBindValue(start + qint64(n) * 60000);
        query.addBindValue(n % 2 ? QStringLiteral("telvir") : QStringLiteral("editor"));
        query.addBindValue(QStringLiteral("/home/user/setups/setup-%1.telvir").arg(n % kSetups));
        query.addBindValue(write ? QVariant(n % 9) : QVariant());
        // Two keyboards, and writes from before keyboards were named.
        const bool named = write && n % 3 != 0;
        query.addBindValue(named ? QVariant(n % 2 ? QStringLiteral("Telvir Keyboard:MIDI In")
                                                  : QStringLiteral("Second Keyboard:MIDI In"))
                                 : QVariant());
        query.addBindValue(named ? QVariant(n % 2 ? QStringLiteral("Telvir Keyboard Out:MIDI Out")
                                                  : QStringLiteral("Second Keyboard Out:MIDI Out"))
                                 : QVariant());
        if (!query.exec()) {
            std::printf("%s\n", qPrintable(query.lastError().text()));
            return false;
        }
    }
    return query.exec(QStringLiteral("COMMIT"));
}

double runMs(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    process.waitForFinished(30000);
    return double(timer.nsecsElapsed()) / 1e6;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (application.arguments().size() != 2)
        return 2;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("telvir/library.sqlite"));
    if (!fill(path)) {
        std::printf("could not fill the library\n");
        return 1;
    }

    LibraryQueue queue(path);
    const LibraryWindow::Form form{[] { return Settings(); }, [](const Settings &, const QString &) {},
                                   [](const Settings &, int) {}};
    std::vector<double> opens;
    std::vector<double> searches;
    const QStringList texts{QStringLiteral("room 42"), QStringLiteral("Setup 1"), QStringLiteral("synth"),
                            QStringLiteral("nothing like it")};
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        auto *window = new LibraryWindow(form, queue);
        window->show();
        window->repaint();
        opens.push_back(double(timer.nsecsElapsed()) / 1e6);
        for (const QString &text : texts) {
            timer.restart();
            window->search(text);
            window->repaint();
            searches.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        delete window;
    }
    std::printf("The library with %d setups and %d events:\n", kSetups, kEvents);
    row("Library window opens, painted (median of 21)", medianOf(opens), 100);
    row("a search answers, painted (median of 84)", medianOf(searches), 30);

    // The editor hands its event over and goes on; telvir records itself
    // once its outcome is printed, with a connection of its own.
    std::vector<double> handOvers;
    std::vector<double> records;
    for (int run = 0; run < kRuns; ++run) {
        Settings settings;
        settings.octave = std::uint8_t(run % 9);
        const LibraryEvent event = LibraryEvent::of(LibraryEvent::Kind::Write, LibraryEvent::Program::Editor,
                                                    settings, QString(), run % 9);
        QElapsedTimer timer;
        timer.start();
        queue.record(event);
        handOvers.push_back(double(timer.nsecsElapsed()) / 1e6);
        queue.waitUntilRecorded();
        timer.restart();
        LibraryStore store(path);
        LibraryRecorder(store).record(event);
        records.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    row("recording added to the editor's write (median of 21)", medianOf(handOvers), 5);
    row("recording added to telvir's write (median of 21)", medianOf(records), 5);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.path());
    const QString telvir = application.arguments().at(1);
    std::vector<double> versions;
    std::vector<double> memories;
    std::vector<double> named;
    for (int run = 0; run < kRuns; ++run) {
        versions.push_back(runMs(telvir, {QStringLiteral("--version")}, environment));
        memories.push_back(runMs(telvir, {QStringLiteral("memories")}, environment));
        named.push_back(runMs(telvir, {QStringLiteral("memories"), QStringLiteral("--keyboard"),
                                       QStringLiteral("Second Keyboard:MIDI In")},
                              environment));
    }
    char reference[64];
    std::snprintf(reference, sizeof reference, "(--version %.1f ms)", medianOf(versions));
    // The library knows three keyboards: without --keyboard, telvir
    // searches for the one plugged in.
    row("telvir memories (with the search), more than --version", medianOf(memories) - medianOf(versions), 50,
        reference);
    row("telvir memories --keyboard NAME, more than --version", medianOf(named) - medianOf(versions), 50, reference);

    // The whole library into a new file, then into a new library, and
    // once more into it (nothing new). Five runs each: every one writes a
    // whole library.
    constexpr int kCopies = 5;
    std::vector<double> backups;
    std::vector<double> restores;
    std::vector<double> again;
    for (int run = 0; run < kCopies; ++run) {
        const QString backup = dir.filePath(QStringLiteral("backup-%1.sqlite").arg(run));
        backups.push_back(runMs(telvir, {QStringLiteral("library"), QStringLiteral("backup"), backup}, environment));
        QProcessEnvironment elsewhere = environment;
        elsewhere.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("restored-%1").arg(run)));
        restores.push_back(runMs(telvir, {QStringLiteral("library"), QStringLiteral("restore"), backup}, elsewhere));
        again.push_back(runMs(telvir, {QStringLiteral("library"), QStringLiteral("restore"), backup}, elsewhere));
    }
    // A run that failed fast would pass for a fast one.
    {
        LibraryStore restored(dir.filePath(QStringLiteral("restored-0/telvir/library.sqlite")));
        int setups = 0;
        if (restored.usable()) {
            QSqlQuery query(restored.database());
            if (query.exec(QStringLiteral("SELECT count(*) FROM setups")) && query.next())
                setups = query.value(0).toInt();
        }
        // The recordings above added a setup for each octave.
        if (setups < kSetups) {
            std::printf("the restored library has %d setups, not %d\n", setups, kSetups);
            return 1;
        }
    }
    row("telvir library backup (median of 5)", medianOf(backups), 1000);
    row("telvir library restore into a new library (median of 5)", medianOf(restores), 1000);
    row("telvir library restore of the same again (median of 5)", medianOf(again), 1000);

    // What each opening adds: the paths judged without following a link,
    // then the schema and both ends of every table read.
    std::vector<double> checks;
    for (int run = 0; run < kRuns; ++run) {
        const QString connection = QStringLiteral("bench-check-%1").arg(run);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(path);
            QElapsedTimer timer;
            timer.start();
            const bool usable = StoreFileGuard::prepare(path).verdict == StoreFileGuard::Verdict::Usable && db.open()
                                && StoreIntegrity::looksSound(db, LibraryStore::kSchemaVersion);
            checks.push_back(double(timer.nsecsElapsed()) / 1e6);
            if (!usable)
                std::printf("the store was found damaged\n");
        }
        QSqlDatabase::removeDatabase(connection);
    }
    row("open-time checks of the store (median of 21)", medianOf(checks), 5);
    return 0;
}
