// Saving and loading ".telvir" settings files.

#include "model/settingsfile.h"
#include "support/testfiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {
Settings editedSettings()
{
    Settings settings;
    settings.globalChannel = 9;
    settings.octave = 6;
    settings.knobMode = 1;
    settings.controls[3].channel = 2;
    settings.controls[36].ccNumber = 66;
    return settings;
}

QByteArray imageOf(const Settings &settings)
{
    return QByteArray(settings.image(), int(Settings::kImageSize));
}
} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void savingTheFactorySettingsWritesMagicAndImage()
    {
        const QString file = path("factory.telvir");
        QString error;
        QVERIFY2(SettingsFile::save(file, Settings(), &error), qPrintable(error));
        const QByteArray bytes = readAll(file);
        QCOMPARE(bytes.size(), 273);
        QCOMPARE(bytes.left(8), QByteArray("TELVIR00"));
        QCOMPARE(bytes.mid(8, 6), QByteArray(6, '\0'));
        QCOMPARE(bytes.mid(14, 7), QByteArray::fromHex("10007f07000100"));
        QCOMPARE(bytes.mid(266, 7), QByteArray::fromHex("10007f40000801"));
    }

    void saveThenLoadGivesBackTheSameBytes()
    {
        const QString file = path("edited.telvir");
        const Settings saved = editedSettings();
        QVERIFY(SettingsFile::save(file, saved));
        Settings loaded;
        QVERIFY(SettingsFile::load(file, &loaded));
        QCOMPARE(imageOf(loaded), imageOf(saved));
    }

    void bytesAfterTheRecordAreIgnored()
    {
        QByteArray bytes = QByteArray("TELVIR00") + imageOf(editedSettings()) + QByteArray(27, '\x55');
        QCOMPARE(bytes.size(), 300);
        const QString file = path("long.telvir");
        QVERIFY(writeAll(file, bytes));
        Settings loaded;
        QVERIFY(SettingsFile::load(file, &loaded));
        QCOMPARE(imageOf(loaded), imageOf(editedSettings()));
    }

    void outOfRangeValuesAreKept()
    {
        QByteArray image = imageOf(Settings());
        image[4] = char(9);      // octave
        image[5] = char(0xFF);   // knobMode
        image[6 + 5] = char(7);  // Volume's mode: not allowed for a knob
        const QString file = path("odd.telvir");
        QVERIFY(writeAll(file, "TELVIR00" + image));
        Settings loaded;
        QVERIFY(SettingsFile::load(file, &loaded));
        QCOMPARE(imageOf(loaded), image);
    }

    void rejectedFilesLeaveTheRecordUnchanged_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QByteArray image = imageOf(Settings());
        QTest::newRow("one character off") << QByteArray("TELVIR01") + image;
        QTest::newRow("letter case") << QByteArray("telvir00") + image;
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("shorter than the magic") << QByteArray("TELVI");
        QTest::newRow("magic only") << QByteArray("TELVIR00");
        QTest::newRow("one byte short") << QByteArray("TELVIR00") + image.left(264);
    }

    void rejectedFilesLeaveTheRecordUnchanged()
    {
        QFETCH(QByteArray, content);
        const QString file = path("rejected.telvir");
        QVERIFY(writeAll(file, content));
        const Settings before = editedSettings();
        Settings settings = before;
        QString error;
        QVERIFY(!SettingsFile::load(file, &settings, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(imageOf(settings), imageOf(before));
    }

    void unreadablePathsAreRejected()
    {
        const Settings before = editedSettings();
        Settings settings = before;
        QVERIFY(!SettingsFile::load(path("missing.telvir"), &settings));
        QVERIFY(!SettingsFile::load(dir.path(), &settings));
        QCOMPARE(imageOf(settings), imageOf(before));
    }

    void failedSaveLeavesTheOldFileIntactAndSaysWhy()
    {
        // A directory in the way cannot be replaced by a file.
        const QString target = path("occupied.telvir");
        QVERIFY(QDir(dir.path()).mkpath("occupied.telvir"));
        QString error;
        QVERIFY(!SettingsFile::save(target, Settings(), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(QFileInfo(target).isDir());
    }

#ifdef Q_OS_UNIX
    void saveFailingHalfWayLeavesTheOldFile()
    {
        // A file size limit makes the write fail after 100 bytes, even as root.
        const QString existing = path("kept.telvir");
        const QByteArray old = QByteArray("TELVIR00") + imageOf(editedSettings());
        QVERIFY(writeAll(existing, old));
        struct rlimit saved;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        struct rlimit small = saved;
        small.rlim_cur = 100;
        const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        QString error;
        const bool ok = SettingsFile::save(existing, Settings(), &error);
        setrlimit(RLIMIT_FSIZE, &saved);
        signal(SIGXFSZ, oldHandler);
        QVERIFY(!ok);
        QVERIFY(!error.isEmpty());
        QCOMPARE(readAll(existing), old);
        QCOMPARE(QDir(dir.path()).entryList({"kept.telvir*"}, QDir::Files), QStringList{"kept.telvir"});
    }
#endif

#ifdef Q_OS_UNIX
    // A named pipe, a socket, a folder and (as root) a device node.
    QStringList pathsThatAreNoRegularFiles()
    {
        QStringList paths{path("pipe.telvir"), path("socket.telvir"), path("folder.telvir")};
        if (::mkfifo(QFile::encodeName(paths[0]).constData(), 0600) != 0)
            return {};
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        const QByteArray socketPath = QFile::encodeName(paths[1]);
        if (socketPath.size() >= int(sizeof address.sun_path))
            return {};
        std::memcpy(address.sun_path, socketPath.constData(), std::size_t(socketPath.size()));
        const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool bound = ::bind(socket, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
        ::close(socket);
        if (!bound || !QDir(dir.path()).mkdir("folder.telvir"))
            return {};
        // The null device's numbers: harmless, should anything ever use it.
        const QString device = path("device.telvir");
        if (::geteuid() == 0 && ::mknod(QFile::encodeName(device).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0)
            paths << device;
        return paths;
    }

    static mode_t typeOf(const QString &path)
    {
        struct stat status {};
        return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & S_IFMT : 0;
    }

    void whatIsNoRegularFileIsNeitherReplacedNorRead()
    {
        const QStringList paths = pathsThatAreNoRegularFiles();
        QVERIFY(!paths.isEmpty());
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        for (const QString &target : paths) {
            const mode_t type = typeOf(target);
            QString error;
            QVERIFY(!SettingsFile::save(target, editedSettings(), &error));
            QVERIFY2(error.endsWith("; it was left as it is") && !error.contains('\n'), qPrintable(error));
            QCOMPARE(typeOf(target), type);

            // Read, a pipe would wait for a writer for ever.
            QElapsedTimer timer;
            timer.start();
            Settings settings = editedSettings();
            QVERIFY(!SettingsFile::load(target, &settings, &error));
            QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
            QVERIFY2(error.startsWith("This is a ") && error.endsWith(", not a file"), qPrintable(error));
            QCOMPARE(imageOf(settings), imageOf(editedSettings()));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), before);
        QString error;
        Settings settings;
        QVERIFY(!SettingsFile::load(path("pipe.telvir"), &settings, &error));
        QCOMPARE(error, QStringLiteral("This is a named pipe, not a file"));
        QVERIFY(!SettingsFile::load(path("never-made.telvir"), &settings, &error));
        QCOMPARE(error, QStringLiteral("The file does not exist"));
    }
#endif

    void saveIntoAMissingFolderFails()
    {
        QString error;
        QVERIFY(!SettingsFile::save(path("no/such/folder/x.telvir"), Settings(), &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
