// Every output that saves a file (the monitor's "Save...", the window's
// "Export Sheet..." and `telvir sheet`) refuses a name that is not a
// regular file, as settings saves do: a named pipe, a socket, a folder, or
// a link to a device stays exactly as it was, and the user reads why.

#include "dialoganswerer.h"
#include "editorprobe.h"
#include "nokeyboard.h"

#include "app/allcontrolswindow.h"
#include "app/midimonitor.h"
#include "model/settingsfile.h"

#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <sys/types.h>

#include <cstring>
#include <functional>

namespace {
QString nodeState(const QString &path)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return QStringLiteral("missing");
    QString state = QString::number(status.st_mode, 8) + QLatin1Char(' ') + QString::number(status.st_size);
    if (S_ISLNK(status.st_mode))
        state += QStringLiteral(" -> ") + QFileInfo(path).symLinkTarget();
    if (S_ISDIR(status.st_mode))
        state += QLatin1Char(' ') + QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).join(',');
    return state;
}

// The file dialog's own question whether to replace what is there, then
// "Error: Could not save the monitor to "<path>": <reason>".
bool endsWithReason(const QStringList &messages, const QString &reason)
{
    return messages.size() == 2 && messages.last().startsWith(QStringLiteral("Error: "))
           && messages.last().endsWith(reason);
}
} // namespace

class TestSpecialFiles : public QObject
{
    Q_OBJECT

private slots:
    void everySaveTypeOutputLeavesSpecialFilesAlone()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString settingsFile = dir.filePath("in.telvir");
        QVERIFY(SettingsFile::save(settingsFile, Settings()));

        // Each kind of name, once for each output with its own extension.
        const auto makeAll = [&](const QString &extension) {
            QStringList paths;
            const QString fifo = dir.filePath("pipe" + extension);
            if (::mkfifo(QFile::encodeName(fifo).constData(), 0600) != 0)
                return paths;
            const QString link = dir.filePath("device" + extension);
            QFile::link(QStringLiteral("/dev/null"), link);
            const QString folder = dir.filePath("folder" + extension);
            QDir().mkpath(folder + "/inside");
            paths << fifo << link << folder;
            return paths;
        };
        const QStringList reasons = {"This is a named pipe, not a file; it was left as it is",
                                     "This is a device, not a file; it was left as it is",
                                     "This is a folder, not a file; it was left as it is"};
        const QStringList forTelvir = makeAll(".pdf");
        const QStringList forExport = makeAll(".png");
        const QStringList forMonitor = makeAll(".txt");
        QCOMPARE(forTelvir.size(), 3);
        QCOMPARE(forExport.size(), 3);
        QCOMPARE(forMonitor.size(), 3);
        // A socket: a program listening there must not lose its name.
        const QString socketPath = dir.filePath("socket.pdf");
        const int socketOwner = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(socketOwner >= 0);
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        const QByteArray encoded = QFile::encodeName(socketPath);
        QVERIFY(std::size_t(encoded.size()) < sizeof(address.sun_path));
        std::memcpy(address.sun_path, encoded.constData(), std::size_t(encoded.size()));
        QCOMPARE(::bind(socketOwner, reinterpret_cast<sockaddr *>(&address), sizeof(address)), 0);

        QStringList before;
        for (const QString &path : forTelvir + forExport + forMonitor + QStringList{socketPath})
            before << nodeState(path);

        // telvir sheet, a program of its own.
        for (int kind = 0; kind < forTelvir.size() + 1; ++kind) {
            const QString path = kind < forTelvir.size() ? forTelvir[kind] : socketPath;
            const QString reason = kind < forTelvir.size() ? reasons[kind]
                                                            : QStringLiteral("This is a socket, not a file; it was left as it is");
            QProcess telvir;
            telvir.start(TELVIR_PROGRAM, {"sheet", settingsFile, path});
            QVERIFY(telvir.waitForFinished(20000));
            QCOMPARE(telvir.exitCode(), 1);
            // Qt may add a word of its own about the environment first.
            const QString said = QString::fromLocal8Bit(telvir.readAllStandardError());
            QVERIFY2(said.endsWith(QString("\ntelvir: could not write %1: %2\n").arg(path, reason))
                         || said == QString("telvir: could not write %1: %2\n").arg(path, reason),
                     qPrintable(said));
        }

        NoKeyboard noKeyboard;
        MainWindow window;
        window.show();
        AllControlsWindow *table = AllControlsWindow::open(window, window.document());
        auto *exportButton = table->findChild<QPushButton *>(QStringLiteral("btnExportSheet"));
        QVERIFY(exportButton);
        menuItem(window, "menuView", QStringLiteral("MIDI Monitor"))->trigger();
        auto *monitor = window.findChild<MidiMonitor *>();
        QVERIFY(monitor);
        auto *saveButton = monitor->findChild<QPushButton *>(QStringLiteral("saveButton"));
        QVERIFY(saveButton);

        // A folder cannot be chosen in the dialog: it opens the folder.
        for (int kind = 0; kind < 2; ++kind) {
            {
                DialogAnswerer exporting;
                exporting.chooseFile(forExport[kind]);
                exporting.pressInMessageBox(QMessageBox::Yes);
                exporting.pressInMessageBox();
                QTest::mouseClick(exportButton, Qt::LeftButton);
                QVERIFY2(exporting.problems.isEmpty(), qPrintable(exporting.problems.join("; ")));
                QVERIFY2(endsWithReason(exporting.messages, reasons[kind]), qPrintable(exporting.messages.join("; ")));
            }
            DialogAnswerer saving;
            saving.chooseFile(forMonitor[kind]);
            saving.pressInMessageBox(QMessageBox::Yes);
            saving.pressInMessageBox();
            saveButton->click();
            QVERIFY2(saving.problems.isEmpty(), qPrintable(saving.problems.join("; ")));
            QVERIFY2(endsWithReason(saving.messages, reasons[kind]), qPrintable(saving.messages.join("; ")));
        }

        QStringList after;
        for (const QString &path : forTelvir + forExport + forMonitor + QStringList{socketPath})
            after << nodeState(path);
        QCOMPARE(after, before);
        // A regular file of the same kind is still written.
        QProcess telvir;
        telvir.start(TELVIR_PROGRAM, {"sheet", settingsFile, dir.filePath("plain.pdf")});
        QVERIFY(telvir.waitForFinished(20000));
        QCOMPARE(telvir.exitCode(), 0);
        QVERIFY(QFileInfo(dir.filePath("plain.pdf")).isFile());
        ::close(socketOwner);
    }
};

QTEST_MAIN(TestSpecialFiles)
#include "tst_specialfiles.moc"
