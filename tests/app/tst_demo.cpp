// telvir-editor --demo as a user starts it: the editor process starts the
// keyboard simulator on a JACK server of its own, links to it and reads its
// settings; both programs end with the editor, also when it is killed; and
// a missing program is told in a box. Where the JACK library is PipeWire's,
// which reaches no jackd, the demo takes the PipeWire server that runs, as
// on a desktop: in this test, one of its own.

#include "support/jackkeyboardfixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>

namespace {
constexpr int kStartMs = 60000;
constexpr int kEndMs = 15000;

const QString kLinked = QStringLiteral("box: Successfully connect to device 'Telvir Keyboard:MIDI In' !");
const QString kRead = QStringLiteral("box: Successfully recv 258 settings.");

// The ids of the processes, other than the editor, whose command line
// names a demo's server ("telvir-demo", "telvir-demo-2", ...).
QList<qint64> demoProcesses(qint64 editor)
{
    QList<qint64> found;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool number = false;
        const qint64 pid = entry.toLongLong(&number);
        QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(entry));
        if (!number || pid == editor || !commandLine.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &argument : commandLine.readAll().split('\0')) {
            if (argument == "telvir-demo" || argument.startsWith("telvir-demo-")) {
                found << pid;
                break;
            }
        }
    }
    return found;
}
} // namespace

class TestDemo : public QObject
{
    Q_OBJECT

    QTemporaryDir work;
    std::unique_ptr<JackKeyboardFixture> pipeWire;

    // The editor with the test script `script` (see EditorTestScript),
    // which prints the boxes it answers.
    void startEditor(QProcess &editor, const QByteArray &script, const QString &program = TELVIR_EDITOR,
                     const QString &path = qEnvironmentVariable("PATH"))
    {
        const QString scriptFile = work.filePath(QStringLiteral("script.json"));
        QFile file(scriptFile);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(script);
        file.close();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TELVIR_EDITOR_TEST_SCRIPT"), scriptFile);
        environment.insert(QStringLiteral("PATH"), path);
        editor.setProcessEnvironment(environment);
        editor.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        editor.start(program, {QStringLiteral("--demo")});
        QVERIFY(editor.waitForStarted());
    }

    static QString outputUntil(QProcess &editor, const QString &line)
    {
        QString output;
        QElapsedTimer timer;
        timer.start();
        while (!output.contains(line) && timer.elapsed() < kStartMs && editor.state() == QProcess::Running) {
            editor.waitForReadyRead(200);
            output += QString::fromUtf8(editor.readAllStandardOutput());
        }
        return output;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(work.isValid());
        if (qEnvironmentVariable("TELVIR_TEST_SERVER") == QLatin1String("pipewire")) {
            pipeWire = std::make_unique<JackKeyboardFixture>();
            QVERIFY2(pipeWire->startServerAlone(), qPrintable(pipeWire->error()));
        }
    }

    void theDemoKeyboardIsLinkedAndReadAndEndsWithTheEditor()
    {
        QProcess editor;
        // An edit, so that closing asks about it; the box is answered with
        // Discard and the editor ends normally.
        startEditor(editor, R"({"edits": [[1, 1, 5]], "close": true})");
        const qint64 pid = editor.processId();
        QVERIFY(editor.waitForFinished(kStartMs));
        const QString output = QString::fromUtf8(editor.readAllStandardOutput());
        QCOMPARE(editor.exitStatus(), QProcess::NormalExit);
        QCOMPARE(editor.exitCode(), 0);
        QVERIFY2(output.contains(kLinked) && output.contains(kRead), qPrintable(output));
        QVERIFY2(output.indexOf(kLinked) < output.indexOf(kRead), qPrintable(output));
        QCOMPARE(demoProcesses(pid), QList<qint64>());
    }

    void aKilledEditorTakesTheServerAndTheSimulatorAlong()
    {
        if (pipeWire)
            QSKIP("On PipeWire the demo starts no server of its own to take along.");
        QProcess editor;
        startEditor(editor, "{}");
        const qint64 pid = editor.processId();
        const QString output = outputUntil(editor, kRead);
        QVERIFY2(output.contains(kLinked) && output.contains(kRead), qPrintable(output));
        QCOMPARE(demoProcesses(pid).size(), 2);
        ::kill(pid_t(pid), SIGKILL);
        QVERIFY(editor.waitForFinished(kEndMs));
        QTRY_COMPARE_WITH_TIMEOUT(demoProcesses(pid), QList<qint64>(), kEndMs);
    }

    void aMissingProgramIsToldInABoxAndTheEditorStartsAllTheSame()
    {
        // A copy of the editor alone in a folder, with no simulator beside
        // it nor on the PATH.
        const QString alone = work.filePath(QStringLiteral("alone/telvir-editor"));
        QVERIFY(QDir().mkpath(QFileInfo(alone).path()));
        QVERIFY(QFile::copy(TELVIR_EDITOR, alone));
        QProcess editor;
        startEditor(editor, "{}", alone, work.filePath(QStringLiteral("empty")));
        QString output = outputUntil(editor, QStringLiteral("Could not connect to midi deivce."));
        QVERIFY2(output.contains(QStringLiteral("box: The keyboard simulator (telvir-keyboard-simulator) was found "
                                                "neither beside the editor nor on the PATH.")),
                 qPrintable(output));
        editor.kill();
        editor.waitForFinished();

        // The simulator beside it, but no jackd on the PATH and no JACK
        // server running under the name asked for. PipeWire's library finds
        // the PipeWire that runs whatever name is asked for.
        if (pipeWire)
            return;
        QVERIFY(QFile::copy(TELVIR_SIMULATOR_PROGRAM, work.filePath(QStringLiteral("alone/telvir-keyboard-simulator"))));
        QProcess withoutServer;
        qputenv("JACK_DEFAULT_SERVER", "telvir-nobody-" + QByteArray::number(QCoreApplication::applicationPid()));
        startEditor(withoutServer, "{}", alone, work.filePath(QStringLiteral("empty")));
        output = outputUntil(withoutServer, QStringLiteral("Could not connect to midi deivce."));
        QVERIFY2(output.contains(QStringLiteral("box: The JACK server jackd was not found")), qPrintable(output));
        QVERIFY2(output.contains(QStringLiteral("Could not connect to midi deivce.")), qPrintable(output));
        withoutServer.kill();
        withoutServer.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(TestDemo)
#include "tst_demo.moc"
