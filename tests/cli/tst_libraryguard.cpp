// The library as another user of the computer, a damaged disk or a hostile
// file name meets it: the real telvir program, each command a process of
// its own, against stores planted in a temporary data folder.

#include "model/libraryrecorder.h"
#include "model/librarystore.h"
#include "model/settingsdocument.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr uid_t kOtherUser = 12345;

struct Outcome
{
    int status;
    QString out;
    QString err;
};

Outcome runTelvir(const QString &dataHome, const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dataHome + QStringLiteral("/config"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(dataHome);
    process.start(QStringLiteral(TELVIR_PROGRAM), arguments);
    if (!process.waitForFinished(60000))
        qFatal("telvir %s did not finish", qPrintable(arguments.join(' ')));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

int modeOf(const QString &path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 07777) : -1;
}

QByteArray digestOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                                          : QByteArray();
}

Settings withCc(int control, int cc)
{
    Settings settings;
    settings.controls[control].ccNumber = std::uint8_t(cc);
    return settings;
}

// A store with setups named after `names`, the last written into memory 2.
void plant(const QString &store, const QStringList &names)
{
    LibraryStore library(store);
    LibraryRecorder recorder(library);
    for (int n = 0; n < names.size(); ++n)
        QVERIFY(recorder.record(LibraryEvent::of(LibraryEvent::Kind::Save, LibraryEvent::Program::Telvir,
                                                 withCc(n, 20 + n), QStringLiteral("/music/") + names[n])));
    QVERIFY(recorder.record(LibraryEvent::of(LibraryEvent::Kind::Write, LibraryEvent::Program::Telvir,
                                             withCc(names.size() - 1, 20 + names.size() - 1),
                                             QStringLiteral("/music/") + names.last(), 2)));
}

bool run(const QString &program, const QStringList &arguments)
{
    return QProcess::execute(program, arguments) == 0;
}

// A folder mounted for one test and unmounted however it ends.
struct Mount
{
    explicit Mount(const QString &at) : point(at) {}
    ~Mount()
    {
        if (mounted)
            run(QStringLiteral("umount"), {QStringLiteral("-l"), point});
    }
    QString point;
    bool mounted = false;
};

bool noRawControls(const QString &text)
{
    for (const QChar c : text) {
        if (c != QLatin1Char('\n') && c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}
} // namespace

class TestLibraryGuard : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void plantedLinksAndOtherUsersFilesAreLeftAlone()
    {
        if (::geteuid() != 0)
            QSKIP("making another user's files needs root");
        const QString victimFile = dir.filePath(QStringLiteral("empty-of-the-user"));
        const QString victimDatabase = dir.filePath(QStringLiteral("other.sqlite"));
        QVERIFY(QFile(victimFile).open(QIODevice::WriteOnly));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("victim"));
            db.setDatabaseName(victimDatabase);
            QVERIFY(db.open());
            QSqlQuery(db).exec(QStringLiteral("CREATE TABLE mail (text TEXT)"));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("victim"));
        const QByteArray databaseBefore = digestOf(victimDatabase);
        const QString dangling = dir.filePath(QStringLiteral("private/never-made"));

        struct Case
        {
            const char *name;
            QString linkTo;        // a symbolic link to this; else a file of another user
            bool othersFolder;     // the telvir folder itself made by another user
            const char *notice;
        };
        const Case cases[] = {
            {"link to an empty file, in another user's folder", victimFile, true, "is not used (its folder belongs"},
            {"link to another database", victimDatabase, false, "was left as it is (it is a symbolic link)"},
            {"dangling link", dangling, false, "was left as it is (it is a symbolic link)"},
            {"another user's file", QString(), false, "was left as it is (it belongs to another user)"},
        };
        for (const Case &planted : cases) {
            const QString home = dir.filePath(QString::fromLatin1(planted.name).replace(QLatin1Char(' '), '-'));
            const QString folder = home + QStringLiteral("/telvir");
            const QString store = folder + QStringLiteral("/library.sqlite");
            QVERIFY(QDir().mkpath(folder));
            if (!planted.linkTo.isEmpty()) {
                QVERIFY(QFile::link(planted.linkTo, store));
            } else {
                QFile other(store);
                QVERIFY(other.open(QIODevice::WriteOnly));
                other.write("another user's notes");
            }
            const QByteArray plantedBefore = digestOf(store);
            if (planted.linkTo.isEmpty())
                QCOMPARE(::chown(QFile::encodeName(store).constData(), kOtherUser, kOtherUser), 0);
            if (planted.othersFolder)
                QCOMPARE(::chown(QFile::encodeName(folder).constData(), kOtherUser, kOtherUser), 0);

            QVERIFY(SettingsDocument::save(home + QStringLiteral("/in.json"), Settings()));
            const Outcome converted = runTelvir(home, {QStringLiteral("convert"), QStringLiteral("in.json"),
                                                       QStringLiteral("out.telvir")});
            QCOMPARE(converted.status, 0);
            QVERIFY2(converted.err.contains(QLatin1String(planted.notice)), qPrintable(converted.err));
            QCOMPARE(converted.err.count(QLatin1Char('\n')), 1);
            QCOMPARE(digestOf(victimFile), QCryptographicHash::hash("", QCryptographicHash::Sha256));
            QCOMPARE(digestOf(victimDatabase), databaseBefore);
            QVERIFY(!QFileInfo::exists(dangling));
            QCOMPARE(digestOf(store), plantedBefore);
            // The user's own library beside it, private; none in another's folder.
            const QString own = folder + QStringLiteral("/library-own.sqlite");
            QCOMPARE(QFileInfo::exists(own), !planted.othersFolder);
            if (!planted.othersFolder) {
                QCOMPARE(modeOf(own), 0600);
                QCOMPARE(modeOf(folder), 0700);
                const Outcome listed = runTelvir(home, {QStringLiteral("library")});
                QVERIFY2(listed.out.contains(QLatin1String("out.telvir")), qPrintable(listed.out));
            }
        }
    }

    void everyFileTheLibraryMakesIsPrivate()
    {
        const QString home = dir.filePath(QStringLiteral("modes"));
        const QString folder = home + QStringLiteral("/telvir");
        const QString store = folder + QStringLiteral("/library.sqlite");
        // A folder and a store an older version left readable to all.
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), 0755), 0);
        plant(store, {QStringLiteral("a.json")});
        QCOMPARE(::chmod(QFile::encodeName(store).constData(), 0644), 0);
        QVERIFY(SettingsDocument::save(home + QStringLiteral("/in.json"), withCc(3, 99)));
        QCOMPARE(runTelvir(home, {QStringLiteral("convert"), QStringLiteral("in.json"), QStringLiteral("out.json")})
                     .status,
                 0);
        QCOMPARE(modeOf(folder), 0700);
        QCOMPARE(modeOf(store), 0600);
        // While a program has it open: the log and the shared-memory index.
        LibraryStore open(store);
        QVERIFY(LibraryRecorder(open).record(LibraryEvent::of(LibraryEvent::Kind::Load, LibraryEvent::Program::Editor,
                                                              withCc(4, 1), home + QStringLiteral("/x.json"))));
        for (const QString &suffix : {QStringLiteral("-wal"), QStringLiteral("-shm")})
            QCOMPARE(modeOf(store + suffix), 0600);
        const QStringList made = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        for (const QString &name : made)
            QVERIFY2(modeOf(folder + QLatin1Char('/') + name) == 0600, qPrintable(name));
    }

    void damagedStoresAreMovedAsideKeepingWhatCanBeRead()
    {
        struct Case
        {
            const char *name;
            bool firstPage; // else the page of an index every new event goes into
            int keptSetups;
        };
        for (const Case &damage : {Case{"first-page", true, 0}, Case{"index-page", false, 3}}) {
            const QString home = dir.filePath(QStringLiteral("damage-") + QLatin1String(damage.name));
            const QString store = home + QStringLiteral("/telvir/library.sqlite");
            plant(store, {QStringLiteral("one.json"), QStringLiteral("two.json"), QStringLiteral("three.json")});
            int page = 1;
            {
                LibraryStore library(store);
                QVERIFY(library.usable());
                QSqlQuery query(library.database());
                QVERIFY(query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")));
                QVERIFY(query.exec(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = 'events_by_setup'")));
                QVERIFY(query.next());
                if (!damage.firstPage)
                    page = query.value(0).toInt();
            }
            QFile file(store);
            QVERIFY(file.open(QIODevice::ReadWrite));
            const qint64 start = damage.firstPage ? 100 : qint64(page - 1) * 4096;
            QVERIFY(file.seek(start));
            file.write(QByteArray(int(page * 4096 - start), '\x55'));
            file.close();

            QVERIFY(SettingsDocument::save(home + QStringLiteral("/in.json"), withCc(30, 7)));
            const Outcome converted = runTelvir(home, {QStringLiteral("convert"), QStringLiteral("in.json"),
                                                       QStringLiteral("new.json")});
            QCOMPARE(converted.status, 0);
            QVERIFY2(converted.err.contains(QLatin1String("could not be read (it is damaged); it was moved aside to")),
                     qPrintable(converted.err));
            QCOMPARE(converted.err.count(QLatin1Char('\n')), 1);
            QCOMPARE(QDir(home + QStringLiteral("/telvir")).entryList({QStringLiteral("library.sqlite.unreadable-*[0-9]")},
                                                                      QDir::Files)
                         .size(),
                     1);

            const Outcome listed = runTelvir(home, {QStringLiteral("library")});
            QCOMPARE(listed.err, QString());
            QCOMPARE(listed.out.count(QLatin1Char('\n')), 1 + damage.keptSetups + 1);
            QVERIFY(listed.out.contains(QLatin1String("new.json")));
            LibraryStore fresh(store);
            QVERIFY(fresh.usable());
            QSqlQuery check(fresh.database());
            QVERIFY(check.exec(QStringLiteral("PRAGMA integrity_check")) && check.next());
            QCOMPARE(check.value(0).toString(), QStringLiteral("ok"));
        }
    }

    void aFolderOrPipeAtTheStoresPlaceIsMovedAsideOnce()
    {
        for (const QString &kind : {QStringLiteral("folder"), QStringLiteral("pipe")}) {
            const QString home = dir.filePath(QStringLiteral("special-") + kind);
            const QString store = home + QStringLiteral("/telvir/library.sqlite");
            QVERIFY(QDir().mkpath(home + QStringLiteral("/telvir")));
            if (kind == QLatin1String("folder"))
                QVERIFY(QDir().mkdir(store));
            else
                QCOMPARE(::mkfifo(QFile::encodeName(store).constData(), 0600), 0);
            const Outcome first = runTelvir(home, {QStringLiteral("memories")});
            QCOMPARE(first.status, 0);
            QVERIFY2(first.err.contains(QLatin1String("moved aside")), qPrintable(first.err));
            const Outcome second = runTelvir(home, {QStringLiteral("memories")});
            QCOMPARE(second.err, QString());
            QVERIFY(QFileInfo(store).isFile());
        }
    }

    void aFullDiskOrReadOnlyFolderIsStillRead()
    {
        if (::geteuid() != 0)
            QSKIP("mounting needs root");
        const QString names[] = {QStringLiteral("full"), QStringLiteral("read-only")};
        for (const QString &how : names) {
            const QString home = dir.filePath(QStringLiteral("mounted-") + how);
            const QString folder = home + QStringLiteral("/telvir");
            QVERIFY(QDir().mkpath(folder));
            Mount mount(folder);
            if (how == names[0]) {
                if (!run(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                                   QStringLiteral("size=512k,mode=0700"), QStringLiteral("tmpfs"),
                                                   folder}))
                    QSKIP("a tmpfs cannot be mounted here");
                mount.mounted = true;
                plant(folder + QStringLiteral("/library.sqlite"), {QStringLiteral("keep.json"), QStringLiteral("last.json")});
                QFile filler(folder + QStringLiteral("/filler"));
                QVERIFY(filler.open(QIODevice::WriteOnly));
                const QByteArray block(4096, 'x');
                while (filler.write(block) == block.size() && filler.flush()) {
                }
            } else {
                plant(folder + QStringLiteral("/library.sqlite"), {QStringLiteral("keep.json"), QStringLiteral("last.json")});
                if (!run(QStringLiteral("mount"), {QStringLiteral("--bind"), folder, folder}))
                    QSKIP("a folder cannot be bound read-only here");
                mount.mounted = true;
                QVERIFY(run(QStringLiteral("mount"),
                            {QStringLiteral("-o"), QStringLiteral("remount,bind,ro"), folder}));
            }
            const QString reason = how == names[0] ? QStringLiteral("(the disk is full)")
                                                   : QStringLiteral("(the file system is read-only)");
            const Outcome memories = runTelvir(home, {QStringLiteral("memories")});
            QVERIFY2(memories.out.contains(QRegularExpression(QStringLiteral("^2 .* last\\.json$"),
                                                              QRegularExpression::MultilineOption)),
                     qPrintable(memories.out));
            const Outcome recalled = runTelvir(home, {QStringLiteral("recall"), QStringLiteral("2"),
                                                      QStringLiteral("recalled.json")});
            QCOMPARE(recalled.status, 0);
            Settings settings;
            QVERIFY(SettingsDocument::load(home + QStringLiteral("/recalled.json"), &settings));
            QCOMPARE(settings.controls[1].ccNumber, std::uint8_t(21));
            const Outcome listed = runTelvir(home, {QStringLiteral("library"), QStringLiteral("keep")});
            QVERIFY2(listed.out.contains(QLatin1String("keep.json")), qPrintable(listed.out));
            const Outcome exported = runTelvir(home, {QStringLiteral("library"), QStringLiteral("export"),
                                                      QStringLiteral("keep.json"), QStringLiteral("kept.json")});
            QCOMPARE(exported.status, 0);
            for (const Outcome &outcome : {memories, recalled, listed, exported}) {
                QCOMPARE(outcome.err.count(QLatin1Char('\n')), 1);
                QVERIFY2(outcome.err.contains(reason), qPrintable(outcome.err));
            }
        }
    }

    void controlCharactersInNamesAndKeysAreNeverPrintedRaw()
    {
        const QString home = dir.filePath(QStringLiteral("escapes"));
        QVERIFY(QDir().mkpath(home));
        const QString hostile = QStringLiteral("\x1b]0;PWNED\a\x1b[2J\nsecond line.json");
        plant(home + QStringLiteral("/telvir/library.sqlite"), {hostile});
        const QString escaped = QStringLiteral("\\e]0;PWNED\\a\\e[2J\\nsecond line.json");
        QFile json(home + QStringLiteral("/keys.json"));
        QVERIFY(json.open(QIODevice::WriteOnly));
        json.write("{\"format\": \"telvir-settings\", \"\\u001b[2J\\u0007\": 1}");
        json.close();

        const Outcome memories = runTelvir(home, {QStringLiteral("memories")});
        const Outcome library = runTelvir(home, {QStringLiteral("library")});
        const Outcome recalled = runTelvir(home, {QStringLiteral("recall"), QStringLiteral("2"), hostile});
        const Outcome exported = runTelvir(home, {QStringLiteral("library"), QStringLiteral("export"), hostile,
                                                  QStringLiteral("nowhere/x.json")});
        const Outcome shown = runTelvir(home, {QStringLiteral("show"), QStringLiteral("keys.json")});
        const Outcome missing = runTelvir(home, {QStringLiteral("show"), hostile + QStringLiteral("-missing")});
        for (const Outcome &outcome : {memories, library, recalled, exported, shown, missing})
            QVERIFY2(noRawControls(outcome.out + outcome.err), qPrintable(outcome.out + outcome.err));
        QCOMPARE(memories.out.count(QLatin1Char('\n')), 9);
        QVERIFY(memories.out.contains(escaped));
        QCOMPARE(library.out.count(QLatin1Char('\n')), 2);
        QVERIFY(library.out.contains(escaped));
        QCOMPARE(recalled.status, 0);
        QVERIFY2(recalled.out.contains(escaped + QStringLiteral(", ")), qPrintable(recalled.out));
        QVERIFY(QFileInfo::exists(home + QLatin1Char('/') + hostile));
        QCOMPARE(exported.status, 1);
        QVERIFY(exported.err.contains(QStringLiteral("nowhere/x.json")));
        QCOMPARE(shown.status, 1);
        QVERIFY2(shown.err.contains(QStringLiteral("unknown key \"\\e[2J\\a\"")), qPrintable(shown.err));
        QCOMPARE(missing.status, 1);
        QVERIFY2(missing.err.contains(escaped + QStringLiteral("-missing")), qPrintable(missing.err));
    }
};

QTEST_GUILESS_MAIN(TestLibraryGuard)
#include "tst_libraryguard.moc"
