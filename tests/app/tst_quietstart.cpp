// Started where there is no MIDI system at all (no ALSA sequencer here, no
// JACK server of the name it looks for), the editor writes nothing on the
// terminal: its box is the only thing it says. What ALSA, RtMidi and libjack
// would print goes straight to file descriptor 2, so that is what is caught.

#include "dialoganswerer.h"

#include "app/mainwindow.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QTemporaryFile>
#include <QtTest>

#include <cstdio>
#include <iostream>

#include <fcntl.h>
#include <unistd.h>

namespace {
// Qt's own message handler, which writes to stderr as in the real program.
QtMessageHandler qtHandler = nullptr;

// The offscreen platform that tests run on warns about every dialog of a
// fixed size; a real display does not.
void toStderrAsQtDoes(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    qtHandler(type, context, message);
}

// Everything written to file descriptor 2 while it lives.
class StderrCapture
{
public:
    StderrCapture()
    {
        if (!file.open())
            qFatal("no temporary file for stderr");
        flush();
        saved = ::dup(STDERR_FILENO);
        ::dup2(file.handle(), STDERR_FILENO);
        testHandler = qInstallMessageHandler(nullptr);
        qtHandler = qInstallMessageHandler(toStderrAsQtDoes);
    }

    QByteArray finish()
    {
        flush();
        qInstallMessageHandler(testHandler);
        ::dup2(saved, STDERR_FILENO);
        ::close(saved);
        file.seek(0);
        return file.readAll();
    }

private:
    static void flush()
    {
        std::cerr.flush();
        std::fflush(stderr);
    }

    QTemporaryFile file;
    int saved = -1;
    QtMessageHandler testHandler = nullptr;
};

// Starts a window as the program does and answers its one box; returns what
// was written to stderr meanwhile.
QByteArray stderrOfAStart(QStringList &messages)
{
    StderrCapture capture;
    {
        DialogAnswerer answerer;
        answerer.pressInMessageBox(QMessageBox::Ok);
        MainWindow window;
        window.show();
        QCoreApplication::processEvents();
        messages = answerer.messages + answerer.problems;
    }
    return capture.finish();
}
} // namespace

class TestQuietStart : public QObject
{
    Q_OBJECT

private slots:
    void withoutAnyMidiSystemTheStartWritesNothingUnlessTheDebugLogIsOn()
    {
        QStringList messages;
        const QByteArray quiet = stderrOfAStart(messages);
        QCOMPARE(messages, QStringList{QStringLiteral("Error: Could not connect to midi deivce.")});
        QVERIFY2(quiet.isEmpty(), quiet.constData());

        // What --verbose does. A server of another name, because a missing
        // one is not asked again at once.
        qputenv("JACK_DEFAULT_SERVER", "telvir-quiet-start-verbose-" + QByteArray::number(QCoreApplication::applicationPid()));
        QLoggingCategory::setFilterRules(QStringLiteral("telvir.*.debug=true"));
        const QByteArray verbose = stderrOfAStart(messages);
        QLoggingCategory::setFilterRules(QString());
        QCOMPARE(messages, QStringList{QStringLiteral("Error: Could not connect to midi deivce.")});
        QVERIFY2(!verbose.isEmpty(), "the debug log said nothing");
    }
};

int main(int argc, char *argv[])
{
    // Nothing from the user's environment turns a log on, and JACK looks for
    // a server that no one runs.
    qunsetenv("QT_LOGGING_RULES");
    qputenv("JACK_DEFAULT_SERVER", "telvir-quiet-start-" + QByteArray::number(QCoreApplication::applicationPid()));
    QApplication application(argc, argv);
    TestQuietStart test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_quietstart.moc"
