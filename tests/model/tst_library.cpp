// The library as the editor and telvir keep it: one setup per content,
// what each memory was last written, programs recording at once, a program
// killed while it records, and stores that cannot be read or written.

#include "model/libraryqueries.h"
#include "model/libraryrecorder.h"
#include "model/librarystore.h"
#include "model/snapshotstore.h"

#include <QFile>
#include <QProcess>
#include <QSqlQuery>
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
        QCOMPARE(query.value(0).toInt(), 2);
        QCOMPARE(store.takeNotice(), QString());
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
