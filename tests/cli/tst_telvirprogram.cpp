// The telvir program as a user runs it: each command in a process of its
// own that exits right after its write, then the file or the message it
// left is checked.

#include "cli/commandline.h"
#include "midi/virtualmidibackend.h"
#include "model/settings.h"
#include "model/settingsdocument.h"
#include "support/testfiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {
struct Outcome
{
    int status;
    QString out;
    QString err;
};

Outcome runTelvir(const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TELVIR_PROGRAM), arguments);
    if (!process.waitForFinished(60000))
        qFatal("telvir %s did not finish", qPrintable(arguments.join(' ')));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

Outcome runTelvir(const QStringList &arguments)
{
    return runTelvir(arguments, QProcessEnvironment::systemEnvironment());
}

Outcome runInProcess(const QStringList &arguments)
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int status = CommandLine(outStream, errStream, false).run(arguments);
    outStream.flush();
    errStream.flush();
    return {status, out, err};
}

// The reason the ALSA sequencer gives when its device cannot be opened
// here; false when it can, and then whether it has ports depends on the
// machine.
bool alsaReason(QString *reason)
{
    QFile device(QStringLiteral("/dev/snd/seq"));
    if (!device.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        *reason = QStringLiteral("no ALSA sequencer (/dev/snd/seq cannot be opened)");
        return true;
    }
    return false;
}
} // namespace

class TestTelvirProgram : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void newWritesTheFactorySaveOfEitherKind()
    {
        for (const QString &name : {QStringLiteral("factory.telvir"), QStringLiteral("factory.json")}) {
            const QString made = dir.filePath(name);
            const Outcome outcome = runTelvir({QStringLiteral("new"), made});
            QCOMPARE(outcome.status, 0);
            QCOMPARE(outcome.out, QString());
            QCOMPARE(outcome.err, QString());

            // The same bytes as the editor's own save of "Default Values".
            const QString saved = dir.filePath(QStringLiteral("saved-") + name);
            QVERIFY(SettingsDocument::save(saved, Settings()));
            QCOMPARE(readAll(made), readAll(saved));

            Settings loaded = Settings::fromBytes(QByteArray(int(Settings::kImageSize), '\x55').constData());
            QVERIFY(SettingsDocument::load(made, &loaded));
            QVERIFY(loaded == Settings());
        }
        const QByteArray binary = readAll(dir.filePath(QStringLiteral("factory.telvir")));
        QCOMPARE(binary.size(), 273);
        QVERIFY(binary.startsWith("TELVIR00"));
        QVERIFY(QJsonDocument::fromJson(readAll(dir.filePath(QStringLiteral("factory.json")))).isObject());
    }

    void newNeverReplacesAFileAndSaysWhatFailed()
    {
        const QString backup = writeTestFile(dir, QStringLiteral("backup.telvir"), "precious bytes");
        const Outcome existing = runTelvir({QStringLiteral("new"), backup});
        QCOMPARE(existing.status, 1);
        QCOMPARE(existing.err, QStringLiteral("telvir: %1 exists already; not replaced\n").arg(backup));
        QCOMPARE(readAll(backup), QByteArray("precious bytes"));

        const QString nowhere = dir.filePath(QStringLiteral("no-such-folder/new.json"));
        const Outcome unwritable = runTelvir({QStringLiteral("new"), nowhere});
        QCOMPARE(unwritable.status, 1);
        QVERIFY2(unwritable.err.startsWith(QStringLiteral("telvir: could not write %1: ").arg(nowhere)),
                 qPrintable(unwritable.err));
        QVERIFY(!QFile::exists(nowhere));

        QCOMPARE(runTelvir({QStringLiteral("new")}).status, 2);
    }

    void portsWithoutAnyMidiSystemSaysWhyOnStderr()
    {
        QString alsa;
        if (!alsaReason(&alsa))
            QSKIP("this machine has an ALSA sequencer, so its ports are listed");
        // A server name that nobody runs, so JACK has no server either.
        const QString server = QStringLiteral("telvir-nobody-%1").arg(QCoreApplication::applicationPid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("JACK_DEFAULT_SERVER"), server);

        const Outcome outcome = runTelvir({QStringLiteral("ports")}, environment);
        QCOMPARE(outcome.status, 1);
        QCOMPARE(outcome.out, QStringLiteral("no MIDI output port\nno MIDI input port\n"));
        QCOMPARE(outcome.err,
                 QStringLiteral("telvir: no MIDI port found: %1; no JACK server '%2' running\n").arg(alsa, server));

        // --find does not search where there is nothing to search.
        const Outcome find = runTelvir({QStringLiteral("ports"), QStringLiteral("--find")}, environment);
        QCOMPARE(find.status, 1);
        QCOMPARE(find.err, outcome.err);

        // Each system's reason in the user's language too.
        environment.insert(QStringLiteral("LANGUAGE"), QStringLiteral("de"));
        const Outcome german = runTelvir({QStringLiteral("ports")}, environment);
        QCOMPARE(german.status, 1);
        QCOMPARE(german.err, QStringLiteral("telvir: kein MIDI-Port gefunden: kein ALSA-Sequencer (/dev/snd/seq lässt "
                                            "sich nicht öffnen); kein JACK-Server '%1' läuft\n")
                                 .arg(server));
    }

    void portsOfASystemThatCannotTellFailsPlainly()
    {
        installMidiBackend(std::make_shared<VirtualMidiBackend>(std::vector<std::string>{},
                                                                std::vector<std::string>{}));
        const Outcome none = runInProcess({QStringLiteral("ports")});
        QCOMPARE(none.status, 1);
        QCOMPARE(none.out, QStringLiteral("no MIDI output port\nno MIDI input port\n"));
        QCOMPARE(none.err, QStringLiteral("telvir: no MIDI port found\n"));

        // One port is enough for a listing without complaint.
        installMidiBackend(std::make_shared<VirtualMidiBackend>(std::vector<std::string>{"Synth"},
                                                                std::vector<std::string>{}));
        const Outcome one = runInProcess({QStringLiteral("ports")});
        installMidiBackend(nullptr);
        QCOMPARE(one.status, 0);
        QCOMPARE(one.out, QStringLiteral("output 0: Synth\nno MIDI input port\n"));
        QCOMPARE(one.err, QString());
    }
};

QTEST_GUILESS_MAIN(TestTelvirProgram)
#include "tst_telvirprogram.moc"
