// The library as the editor and telvir keep it: one setup per content,
// what each memory was last written, programs recording at once, a program
// killed while it records, and stores that cannot be read or written;
// names that stay, memories per keyboard, backups and restores.

#include "model/librarybackup.h"
#include "model/libraryqueries.h"
#include "model/libraryrecorder.h"
#include "model/librarystore.h"
#include "model/setupidentifier.h"
#include "model/snapshotstore.h"

#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>

namespace {
Settings withCc(int control, int cc)
{
    Settings settings;
    settings.controls[control].ccNumber = std::uint8_t(cc);
    return settings;
}

LibraryEvent happened(LibraryEvent::Kind kind, const Settings &settings, const QString &path = QString(),
                   int memory = -1, LibraryEvent::Program program = LibraryEvent::Program::Telvir)
{
    // A second apart, as a user's commands are.
    static qint64 clock = QDateTime::currentMSecsSinceEpoch();
    LibraryEvent event = LibraryEvent::of(kind, program, settings, path, memory);
    event.timeMs = clock += 1000;
    return event;
}

// The events the recording child stored under `tag`, by their number.
QList<int> eventsOf(const QString &path, const QString &tag)
{
    LibraryStore store(path);
    QList<int> numbers;
    if (!store.usable())
        return numbers;
    QSqlQuery query(store.database());
    query.prepare(QStringLiteral("SELECT path FROM events WHERE path LIKE ? ORDER BY id"));
    query.addBindValue(QStringLiteral("%/") + tag + QStringLiteral("-%"));
    if (!query.exec())
        return numbers;
    while (query.next())
        numbers << query.value(0).toString().section(QLatin1Char('-'), -1).toInt();
    return numbers;
}

QList<int> upTo(int count)
{
    QList<int> numbers;
    for (int n = 0; n < count; ++n)
        numbers << n;
    return numbers;
}

// Every value of every setup and event, setups by content: two stores
// with the same bytes here hold the same library.
QByteArray contentOf(const QString &path)
{
    LibraryStore store(path);
    QByteArray content;
    if (!store.usable())
        return content;
    QSqlQuery query(store.database());
    const QStringList tables{
        QStringLiteral("SELECT hash, image, name, named_by_user, first_seen, last_seen, starred, times_written, listed"
                       " FROM setups ORDER BY hash"),
        QStringLiteral("SELECT s.hash, e.kind, e.time, e.program, e.path, e.memory, e.keyboard_output,"
                       " e.keyboard_input FROM events e JOIN setups s ON s.id = e.setup_id ORDER BY 1, 2, 3, 4, 5, 6, 7, 8")};
    for (const QString &sql : tables) {
        if (!query.exec(sql))
            return QByteArray();
        while (query.next()) {
            for (int column = 0; column < query.record().count(); ++column)
                content += query.value(column).toByteArray() + (query.isNull(column) ? "\x01" : "") + '\x1f';
            content += '\n';
        }
    }
    return content;
}

int countOf(const QString &path, const QString &table)
{
    LibraryStore store(path);
    if (!store.usable())
        return -1;
    QSqlQuery query(store.database());
    return query.exec(QStringLiteral("SELECT count(*) FROM ") + table) && query.next()
               ? query.value(0).toInt()
               : -1;
}

LibraryEvent writtenTo(const LibraryKeyboard &keyboard, const Settings &settings, const QString &path, int memory)
{
    LibraryEvent event = happened(LibraryEvent::Kind::Write, settings, path, memory);
    event.keyboard = keyboard;
    return event;
}

QProcess *startChild(const QString &path, const QString &tag, int count, const QString &folder)
{
    auto *child = new QProcess;
    child->setWorkingDirectory(folder);
    child->start(QStringLiteral(RECORDING_CHILD), {path, tag, QString::number(count)});
    return child;
}
} // namespace

class LibraryTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        dir_.reset(new QTemporaryDir);
        QVERIFY(dir_->isValid());
        path_ = dir_->filePath(QStringLiteral("telvir/library.sqlite"));
    }

    void theStoreLivesInTheUsersDataFolder()
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir_->path()));
        QCOMPARE(LibraryStore::defaultPath(), path_);
    }

    void aSetupIsOneEntryByContentAndEachMemoryKnowsItsLastWrite()
    {
        LibraryStore store(path_);
        LibraryRecorder recorder(store);
        LibraryQueries queries(store);
        const Settings a = withCc(4, 20);
        const Settings b = withCc(5, 21);
        QVERIFY(recorder.record(happened(LibraryEvent::Kind::Load, a, dir_->filePath("a.json"))));
        QVERIFY(recorder.record(happened(LibraryEvent::Kind::Write, a, dir_->filePath("a.json"), 3)));
        QVERIFY(recorder.record(happened(LibraryEvent::Kind::Write, b, dir_->filePath("b.telvir"), 5)));
        QVERIFY(recorder.record(happened(LibraryEvent::Kind::Write, a, QString(), 3, LibraryEvent::Program::Editor)));

        const QVector<MemoryEntry> memories = queries.memories();
        QCOMPARE(memories.size(), 9);
        QVERIFY(!memories[0].known);
        QVERIFY(memories[3].known);
        QCOMPARE(memories[3].source(), QString("the editor"));
        QCOMPARE(memories[5].source(), QString("b.telvir"));
        QCOMPARE(memories[5].path, dir_->filePath("b.telvir"));
        QVERIFY(memories[5].settings == b);
        QCOMPARE(memories[3].setupName, QString("a.json"));

        // Two setups, the most recent first; a's three sightings are one.
        QVector<LibrarySetup> setups = queries.setups();
        QCOMPARE(setups.size(), 2);
        QCOMPARE(setups[0].name, QString("a.json"));
        QCOMPARE(setups[0].timesWritten, 2);
        QCOMPARE(setups[1].name, QString("b.telvir"));
        QCOMPARE(queries.setups(QStringLiteral("B.TEL")).size(), 1);
        QCOMPARE(queries.setups(QStringLiteral("%")).size(), 0);

        // A name the user gave stays through later files; leaving the list
        // keeps the memory that holds it.
        QVERIFY(recorder.rename(setups[1].id, QStringLiteral("Synth pads")));
        QVERIFY(recorder.record(happened(LibraryEvent::Kind::Save, b, dir_->filePath("c.json"))));
        QVERIFY(recorder.setStarred(setups[1].id, true));
        setups = queries.setups();
        QCOMPARE(setups[0].name, QString("Synth pads"));
        QVERIFY(setups[0].starred);
        QVERIFY(recorder.unlist(setups[0].id));
        QCOMPARE(queries.setups().size(), 1);
        QVERIFY(queries.memories()[5].known);
        QVERIFY(!queries.setupNamed(QStringLiteral("Synth pads")));
        QVERIFY(queries.setupNamed(QStringLiteral("a.json")));
        QCOMPARE(store.takeNotice(), QString());
    }

    void aStoreOfTheFirstSchemaKeepsItsSetupsAndGainsSnapshots()
    {
        {
            LibraryStore store(path_);
            QVERIFY(LibraryRecorder(store).record(happened(LibraryEvent::Kind::Load, withCc(2, 9), "first.telvir")));
            // As the first release left it: no snapshots, version 1.
            QSqlQuery query(store.database());
            QVERIFY(query.exec(QStringLiteral("DROP TABLE snapshots")));
            QVERIFY(query.exec(QStringLiteral("DROP INDEX events_writes_by_keyboard")));
            QVERIFY(query.exec(QStringLiteral("CREATE INDEX events_writes ON events (memory, id) WHERE kind = 'write'")));
            QVERIFY(query.exec(QStringLiteral("ALTER TABLE events DROP COLUMN keyboard_output")));
            QVERIFY(query.exec(QStringLiteral("ALTER TABLE events DROP COLUMN keyboard_input")));
            QVERIFY(query.exec(QStringLiteral("PRAGMA user_version = 1")));
        }
        LibraryStore store(path_);
        SnapshotStore snapshots(store);
        const QDateTime savedAt = QDateTime::fromMSecsSinceEpoch(1700000000000);
        QVERIFY(snapshots.keep(QStringLiteral("editor-a"), savedAt, QByteArray("form")));
        QCOMPARE(snapshots.rows().size(), std::size_t(1));
        QCOMPARE(snapshots.rows().front().content, QByteArray("form"));
        QCOMPARE(snapshots.rows().front().savedAt, savedAt);
        QCOMPARE(LibraryQueries(store).setups().size(), 1);
        QSqlQuery query(store.database());
        QVERIFY(query.exec(QStringLiteral("PRAGMA user_version")) && query.next());
        QCOMPARE(query.value(0).toInt(), LibraryStore::kSchemaVersion);
        QCOMPARE(store.takeNotice(), QString());
    }

    void aStoreOfTheSecondSchemaKeepsEveryEntryForAKeyboardNotNamed()
    {
        QVERIFY(QDir().mkpath(QFileInfo(path_).path()));
        const Settings a = withCc(4, 20);
        const QByteArray image(a.image(), int(Settings::kImageSize));
        {
            // As the second release made it.
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
            db.setDatabaseName(path_);
            QVERIFY(db.open());
            QSqlQuery query(db);
            for (const char *sql :
                 {"CREATE TABLE setups (id INTEGER PRIMARY KEY, hash TEXT NOT NULL UNIQUE, image BLOB NOT NULL,"
                  " name TEXT NOT NULL, named_by_user INTEGER NOT NULL DEFAULT 0, first_seen INTEGER NOT NULL,"
                  " last_seen INTEGER NOT NULL, starred INTEGER NOT NULL DEFAULT 0,"
                  " times_written INTEGER NOT NULL DEFAULT 0, listed INTEGER NOT NULL DEFAULT 1)",
                  "CREATE INDEX setups_by_last_seen ON setups (last_seen)",
                  "CREATE TABLE events (id INTEGER PRIMARY KEY, setup_id INTEGER NOT NULL REFERENCES setups (id),"
                  " kind TEXT NOT NULL CHECK (kind IN ('read', 'load', 'save', 'write')), time INTEGER NOT NULL,"
                  " program TEXT NOT NULL CHECK (program IN ('editor', 'telvir')), path TEXT,"
                  " memory INTEGER CHECK (memory BETWEEN 0 AND 8))",
                  "CREATE INDEX events_writes ON events (memory, id) WHERE kind = 'write'",
                  "CREATE INDEX events_by_setup ON events (setup_id)",
                  "CREATE TABLE snapshots (editor TEXT PRIMARY KEY, saved_at INTEGER NOT NULL, content BLOB NOT NULL)",
                  "PRAGMA user_version = 2"})
                QVERIFY2(query.exec(QLatin1String(sql)), qPrintable(query.lastError().text()));
            query.prepare(QStringLiteral("INSERT INTO setups (hash, image, name, first_seen, last_seen, times_written)"
                                         " VALUES (?, ?, 'live.json', 1000, 2000, 1)"));
            query.addBindValue(LibraryRecorder::hashOf(a));
            query.addBindValue(image);
            QVERIFY(query.exec());
            QVERIFY(query.exec(QStringLiteral("INSERT INTO events (setup_id, kind, time, program, path, memory) VALUES"
                                              " (1, 'load', 1000, 'editor', '/home/u/live.json', NULL),"
                                              " (1, 'write', 2000, 'telvir', '/home/u/live.json', 3)")));
            query = QSqlQuery();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("old"));
        }
        LibraryStore store(path_);
        LibraryQueries queries(store);
        QCOMPARE(queries.keyboards(), QVector<LibraryKeyboard>{LibraryKeyboard()});
        QVector<MemoryEntry> memories = queries.memories(LibraryKeyboard());
        QVERIFY(memories[3].known);
        QVERIFY(memories[3].settings == a);
        QCOMPARE(memories[3].writtenMs, qint64(2000));
        QCOMPARE(queries.filesOf(queries.setups().value(0).id), QStringList{"live.json"});
        QSqlQuery query(store.database());
        QVERIFY(query.exec(QStringLiteral("PRAGMA user_version")) && query.next());
        QCOMPARE(query.value(0).toInt(), 3);

        // A keyboard named now keeps its own memory 3; the old entry stays
        // with the keyboard not named; a file seen later leaves the name.
        const LibraryKeyboard second{QStringLiteral("Second:MIDI In"), QStringLiteral("Second Out:MIDI Out")};
        QVERIFY(LibraryRecorder(store).record(writtenTo(second, withCc(5, 21), dir_->filePath("b.json"), 3)));
        QVERIFY(LibraryRecorder(store).record(happened(LibraryEvent::Kind::Save, a, dir_->filePath("renamed.json"))));
        QCOMPARE(queries.keyboards(), (QVector<LibraryKeyboard>{second, LibraryKeyboard()}));
        QVERIFY(queries.memories(second)[3].settings == withCc(5, 21));
        QVERIFY(queries.memories(LibraryKeyboard())[3].settings == a);
        QVERIFY(!queries.memories(second)[4].known);
        QVERIFY(queries.setupNamed(QStringLiteral("live.json")));
        QCOMPARE(store.takeNotice(), QString());
    }

    void aNameStaysThroughSavesAndEachSetupHasAnIdentifierOfItsOwn()
    {
        LibraryStore store(path_);
        LibraryRecorder recorder(store);
        LibraryQueries queries(store);
        const Settings x = withCc(7, 70);
        QVERIFY(recorder.record(happened(LibraryEvent::Kind::Read, x)));
        QVERIFY(recorder.record(happened(LibraryEvent::Kind::Load, x, dir_->filePath("x.json"))));
        for (const char *file : {"a.telvir", "y.telvir", "x2.json"})
            QVERIFY(recorder.record(happened(LibraryEvent::Kind::Save, x, dir_->filePath(file))));
        QVERIFY(recorder.record(happened(LibraryEvent::Kind::Load, withCc(8, 80), dir_->filePath("other.json"))));
        QVector<LibrarySetup> setups = queries.setups(QStringLiteral("x"));
        QCOMPARE(setups.size(), 1);
        QCOMPARE(setups[0].name, QString("x.json"));
        const QStringList files{"x2.json", "y.telvir", "a.telvir", "x.json"};
        QCOMPARE(queries.filesOf(setups[0].id), files);
        queries.addFiles(setups);
        QCOMPARE(setups[0].files, files);
        QCOMPARE(setups[0].identifier, LibraryRecorder::hashOf(x).left(8));
        QCOMPARE(queries.setupIdentified(setups[0].identifier.toUpper())->id, setups[0].id);
        QVERIFY(!queries.setupIdentified(setups[0].identifier.left(7)));
        QCOMPARE(queries.setupNamedOrIdentified(QStringLiteral("x.json"))->id, setups[0].id);

        // Where two hashes start alike, both identifiers go one digit past
        // what they share.
        const QHash<QString, QString> identifiers =
            SetupIdentifier::of({"abcdef01234", "abcdef01299", "12345678ff", "abcdef1"});
        QCOMPARE(identifiers.value("abcdef01234"), QString("abcdef0123"));
        QCOMPARE(identifiers.value("abcdef01299"), QString("abcdef0129"));
        QCOMPARE(identifiers.value("12345678ff"), QString("12345678"));
    }

    void aBackupTakenWhileAProgramRecordsIsRestoredTwiceToTheSameLibrary()
    {
        {
            LibraryStore store(path_);
            LibraryRecorder recorder(store);
            const LibraryKeyboard left{QStringLiteral("Left"), QStringLiteral("Left In")};
            QVERIFY(recorder.record(writtenTo(left, withCc(1, 1), dir_->filePath("a.json"), 3)));
            QVERIFY(recorder.record(writtenTo(LibraryKeyboard(), withCc(1, 2), QString(), 3)));
            QVERIFY(recorder.record(happened(LibraryEvent::Kind::Load, withCc(1, 2), dir_->filePath("b.json"))));
            QVERIFY(recorder.rename(LibraryQueries(store).setups().value(0).id, QStringLiteral("Mine")));
        }
        std::unique_ptr<QProcess> child(startChild(path_, QStringLiteral("busy"), 1000000, dir_->path()));
        QTRY_VERIFY_WITH_TIMEOUT(eventsOf(path_, QStringLiteral("busy")).size() >= 50, 30000);
        const QString backup = dir_->filePath(QStringLiteral("backup.sqlite"));
        LibraryBackup::Copied copied;
        QString error;
        {
            LibraryStore store(path_);
            QVERIFY2(LibraryBackup(store).backUp(backup, &copied, &error), qPrintable(error));
            // The child's setups may repeat: never more setups than events.
            QVERIFY2(copied.setups >= 52 && copied.events >= copied.setups + 1,
                     qPrintable(QStringLiteral("%1 setups, %2 events").arg(copied.setups).arg(copied.events)));

            // Never over a file, nor through a link planted in its place.
            const QString planted = dir_->filePath(QStringLiteral("planted.sqlite"));
            QVERIFY(QFile::link(dir_->filePath(QStringLiteral("target")), planted));
            LibraryBackup::Copied none;
            QVERIFY(!LibraryBackup(store).backUp(planted, &none, &error));
            QCOMPARE(error, planted + QStringLiteral(" exists already; a backup never replaces a file."));
            QVERIFY(!QFile::exists(dir_->filePath(QStringLiteral("target"))));
            QVERIFY(!LibraryBackup(store).backUp(backup, &none, &error));
            QCOMPARE(QDir(dir_->path()).entryList(QDir::Hidden | QDir::Files).filter(".backup").size(), 0);
        }
        child->kill();
        QVERIFY(child->waitForFinished());

        // Into a new library: everything once; again: nothing more.
        const QString other = dir_->filePath(QStringLiteral("other/library.sqlite"));
        LibraryBackup::Merged merged;
        {
            LibraryStore store(other);
            QVERIFY2(LibraryBackup(store).restore(backup, &merged, &error), qPrintable(error));
        }
        QCOMPARE(merged.setupsAdded, copied.setups);
        QCOMPARE(merged.eventsAdded, copied.events);
        QCOMPARE(merged.setupsKnown + merged.eventsKnown, 0);
        const QByteArray once = contentOf(other);
        QVERIFY(once.contains("Mine"));
        LibraryBackup::Merged again;
        {
            LibraryStore store(other);
            QVERIFY2(LibraryBackup(store).restore(backup, &again, &error), qPrintable(error));
            QVERIFY(LibraryQueries(store).memories(LibraryKeyboard{"Left", "Left In"})[3].settings == withCc(1, 1));
            QVERIFY(LibraryQueries(store).memories(LibraryKeyboard())[3].settings == withCc(1, 2));
        }
        QCOMPARE(again.setupsAdded + again.eventsAdded, 0);
        QCOMPARE(again.setupsKnown, copied.setups);
        QCOMPARE(again.eventsKnown, copied.events);
        QCOMPARE(contentOf(other), once);
        QCOMPARE(countOf(other, "events"), copied.events);

        // Into the library it came from: all there already, and what was
        // recorded after it stays.
        const QByteArray before = contentOf(path_);
        {
            LibraryStore store(path_);
            QVERIFY2(LibraryBackup(store).restore(backup, &again, &error), qPrintable(error));
        }
        QCOMPARE(contentOf(path_), before);

        // A memory written here after the backup was made keeps that
        // write: the restored one is older, though added later.
        const QString third = dir_->filePath(QStringLiteral("third/library.sqlite"));
        {
            LibraryStore store(third);
            const LibraryKeyboard left{QStringLiteral("Left"), QStringLiteral("Left In")};
            QVERIFY(LibraryRecorder(store).record(writtenTo(left, withCc(9, 9), QString(), 3)));
            QVERIFY2(LibraryBackup(store).restore(backup, &again, &error), qPrintable(error));
            QVERIFY(LibraryQueries(store).memories(left)[3].settings == withCc(9, 9));
            QCOMPARE(LibraryQueries(store).keyboards().value(0), left);
        }

        // What is no backup is refused and changes nothing.
        const QString notes = dir_->filePath(QStringLiteral("notes.sqlite"));
        QFile file(notes);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("notes");
        file.close();
        LibraryStore store(other);
        QVERIFY(!LibraryBackup(store).restore(notes, &again, &error));
        QCOMPARE(error, notes + QStringLiteral(" is not a backup of the library."));
        QCOMPARE(contentOf(other), once);
    }

    void twoProgramsRecordingAtOnceLoseNothing()
    {
        QVERIFY(QDir().mkpath(QFileInfo(path_).path()));
        std::unique_ptr<QProcess> first(startChild(path_, QStringLiteral("first"), 200, dir_->path()));
        std::unique_ptr<QProcess> second(startChild(path_, QStringLiteral("second"), 200, dir_->path()));
        for (QProcess *child : {first.get(), second.get()}) {
            QVERIFY(child->waitForFinished(60000));
            QVERIFY2(child->exitCode() == 0, child->readAllStandardOutput().constData());
        }
        QCOMPARE(eventsOf(path_, QStringLiteral("first")), upTo(200));
        QCOMPARE(eventsOf(path_, QStringLiteral("second")), upTo(200));
    }

    void aSecondStoreOpenedInTheProcessLeavesTheFirstOnesLockHeld()
    {
        // The editor has the store open on several connections. One more
        // opening must not close a descriptor of the file: that drops the
        // process's locks on it, and another program, closing, would then
        // take the store for unused and delete the write-ahead log under
        // the connections still reading it.
        LibraryStore first(path_);
        QVERIFY(first.usable());
        LibraryStore second(path_);
        QVERIFY(second.usable());
        std::unique_ptr<QProcess> child(startChild(path_, QStringLiteral("other"), 1, dir_->path()));
        QVERIFY(child->waitForFinished(30000));
        QVERIFY2(child->exitCode() == 0, child->readAllStandardOutput().constData());
        QVERIFY2(QFile::exists(path_ + QStringLiteral("-wal")), "the other program deleted the log in use here");
        QCOMPARE(eventsOf(path_, QStringLiteral("other")), upTo(1));
    }

    void aProgramKilledWhileRecordingKeepsEveryEarlierEntry()
    {
        std::unique_ptr<QProcess> child(startChild(path_, QStringLiteral("killed"), 1000000, dir_->path()));
        QVERIFY(child->waitForStarted());
        int seen = 0;
        QTRY_VERIFY_WITH_TIMEOUT((seen = int(eventsOf(path_, QStringLiteral("killed")).size())) >= 300, 30000);
        child->kill(); // SIGKILL
        QVERIFY(child->waitForFinished());

        const QList<int> kept = eventsOf(path_, QStringLiteral("killed"));
        QVERIFY2(kept.size() >= seen, qPrintable(QStringLiteral("%1 < %2").arg(kept.size()).arg(seen)));
        QCOMPARE(kept, upTo(int(kept.size())));
        LibraryStore store(path_);
        QVERIFY(store.usable());
        QSqlQuery check(store.database());
        QVERIFY(check.exec(QStringLiteral("PRAGMA integrity_check")) && check.next());
        QCOMPARE(check.value(0).toString(), QString("ok"));
        QVERIFY(LibraryRecorder(store).record(happened(LibraryEvent::Kind::Read, Settings())));
        QCOMPARE(store.takeNotice(), QString());
    }

    void anUnreadableStoreIsMovedAsideOnceAndANewOneWorks_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("why");
        QTest::newRow("not a database") << "text" << "it is not an SQLite database";
        QTest::newRow("cut") << "cut" << "it is cut short";
        QTest::newRow("newer schema") << "newer" << "it was made by a newer program";
    }

    void anUnreadableStoreIsMovedAsideOnceAndANewOneWorks()
    {
        QFETCH(QString, damage);
        QFETCH(QString, why);
        {
            LibraryStore store(path_);
            LibraryRecorder recorder(store);
            for (int n = 0; n < 300; ++n)
                QVERIFY(recorder.record(happened(LibraryEvent::Kind::Write, withCc(n % 37, n % 128), QString(), 5)));
            QSqlQuery query(store.database());
            if (damage == QLatin1String("newer"))
                QVERIFY(query.exec(QStringLiteral("PRAGMA user_version = %1").arg(LibraryStore::kSchemaVersion + 1)));
        }
        QFile file(path_);
        if (damage == QLatin1String("text")) {
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write("These are my notes, not a database.\n");
            file.close();
        } else if (damage == QLatin1String("cut")) {
            QVERIFY(file.resize(file.size() / 2));
        }
        const QByteArray before = [&] {
            QFile original(path_);
            return original.open(QIODevice::ReadOnly) ? original.readAll() : QByteArray();
        }();

        LibraryStore store(path_);
        QVERIFY(!LibraryQueries(store).memories()[5].known);
        const QString notice = store.takeNotice();
        QVERIFY2(notice.contains(why), qPrintable(notice));
        QCOMPARE(store.takeNotice(), QString());
        const QStringList aside =
            QDir(QFileInfo(path_).path()).entryList({QStringLiteral("library.sqlite.unreadable-*")}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QVERIFY(notice.contains(aside.first()));
        QFile moved(QFileInfo(path_).path() + QLatin1Char('/') + aside.first());
        QVERIFY(moved.open(QIODevice::ReadOnly));
        QCOMPARE(moved.readAll(), before);

        QVERIFY(LibraryRecorder(store).record(happened(LibraryEvent::Kind::Write, withCc(1, 2), QString(), 5)));
        QVERIFY(LibraryQueries(store).memories()[5].settings == withCc(1, 2));
        QCOMPARE(store.takeNotice(), QString());
    }

    void aStoreThatCannotBeWrittenIsSaidOnceAndNothingFails()
    {
        // A file where the store's folder should be: nothing can be made
        // there, whoever runs the test.
        QFile blocker(dir_->filePath(QStringLiteral("telvir")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        LibraryStore store(path_);
        LibraryRecorder recorder(store);
        QVERIFY(!recorder.record(happened(LibraryEvent::Kind::Read, Settings())));
        QVERIFY(store.takeNotice().contains(QStringLiteral("cannot be written")));
        QVERIFY(!recorder.record(happened(LibraryEvent::Kind::Read, Settings())));
        QCOMPARE(store.takeNotice(), QString());
        QCOMPARE(LibraryQueries(store).memories().size(), 9);
        QVERIFY(LibraryQueries(store).setups().isEmpty());
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString path_;
};

QTEST_GUILESS_MAIN(LibraryTest)
#include "tst_library.moc"
