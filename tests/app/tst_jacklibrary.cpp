// The library as a user meets it across programs: telvir writes two files
// into memories 3 and 5, the editor sends its form to memory 3, and
// `telvir memories` and `telvir recall` tell what went where; writes that
// did not reach the keyboard change nothing; the editor's Library window
// opens and compares what a memory holds. All on a private JACK server
// with the simulator program.

#include "dialoganswerer.h"
#include "editorprobe.h"
#include "jackkeyboardfixture.h"
#include "linkedwindow.h"

#include "app/librarywindow.h"
#include "model/libraryqueue.h"
#include "model/settingsdocument.h"

#include <QComboBox>
#include <QFile>
#include <QLoggingCategory>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QUndoStack>
#include <QtTest>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {
struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run telvir(const QStringList &arguments)
{
    QProcess process;
    process.start(TELVIR_PROGRAM, arguments);
    Run run;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

Settings withCutoffCc(int cc)
{
    Settings settings;
    settings.controls[1].ccNumber = std::uint8_t(cc);
    return settings;
}

// The line of `memories` output for one memory.
QString lineOf(const QString &memories, const QString &memory)
{
    for (const QString &line : memories.split(QLatin1Char('\n'))) {
        if (line.section(QLatin1Char(' '), 0, 0) == memory)
            return line;
    }
    return QString();
}
} // namespace

class JackLibraryTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules("telvir.*.debug=false");
        QVERIFY(dir_.isValid());
        // The editor here and every telvir it starts keep their library in
        // the test's folder.
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir_.filePath("data")));
    }

    void memoriesTellWhatWasWrittenFromWhereAndRecallGivesItBack()
    {
        const Settings a = withCutoffCc(20);
        const Settings b = withCutoffCc(21);
        const Settings edited = withCutoffCc(30);
        const QString fileA = dir_.filePath("a.json");
        const QString fileB = dir_.filePath("b.telvir");
        const QString recalled = dir_.filePath("x.json");
        QVERIFY(SettingsDocument::save(fileA, a));
        QVERIFY(SettingsDocument::save(fileB, b));

        Run unknown = telvir({"recall", "5", recalled});
        QCOMPARE(unknown.exitCode, 1);
        QCOMPARE(unknown.err, QString("telvir: Nothing is known of memory 5.\n"));
        QVERIFY(!QFile::exists(recalled));

        JackKeyboardFixture jack;
        QVERIFY2(jack.start(), qPrintable(jack.error()));
        QCOMPARE(telvir({"write", fileA, "--memory", "3"}).exitCode, 0);
        QCOMPARE(telvir({"write", fileB, "--memory", "5"}).exitCode, 0);

        std::unique_ptr<MainWindow> window = linkedWindow();
        QVERIFY(window);
        window->replaceSettings(edited, QStringLiteral("Edit"));
        widgetOf<QComboBox>(*window, "memId")->setCurrentIndex(3);
        {
            DialogAnswerer answerer;
            answerer.pressInMessageBox();
            QTest::mouseClick(widgetOf<QPushButton>(*window, "btnSend"), Qt::LeftButton);
            QVERIFY(answerer.problems.isEmpty());
            QCOMPARE(answerer.messages.size(), 1);
            // Memory 3 cannot be read back, and the box says so.
            QVERIFY2(answerer.messages.first().startsWith("OK: Sent to memory 3 of device")
                         && answerer.messages.first().endsWith("so the keyboard's copy was not checked."),
                     qPrintable(answerer.messages.first()));
        }
        window->findChild<LibraryQueue *>()->waitUntilRecorded();

        const Run memories = telvir({"memories"});
        QCOMPARE(memories.exitCode, 0);
        QCOMPARE(memories.err, QString());
        QCOMPARE(memories.out.count(QLatin1Char('\n')), 9);
        QVERIFY2(lineOf(memories.out, "3").endsWith("  the editor"), qPrintable(memories.out));
        QVERIFY2(lineOf(memories.out, "5").endsWith("  b.telvir"), qPrintable(memories.out));
        QCOMPARE(lineOf(memories.out, "workArea"), QString("workArea  not known"));
        QCOMPARE(lineOf(memories.out, "8"), QString("8         not known"));

        QCOMPARE(telvir({"recall", "5", recalled}).exitCode, 0);
        Settings back;
        QVERIFY(SettingsDocument::load(recalled, &back));
        QVERIFY(back == b);

        // A write that does not reach the keyboard, or is refused on the
        // way, leaves what memory 5 is known to hold.
        QVERIFY(telvir({"write", fileA, "--memory", "5", "--ports", "Nobody:out", "Nobody:in"}).exitCode != 0);
        jack.pauseSimulator();
        const Run stalled = telvir({"write", fileA, "--memory", "5"});
        jack.resumeSimulator();
        QCOMPARE(stalled.exitCode, 1);
        QCOMPARE(telvir({"memories"}).out, memories.out);

#ifndef _WIN32
        // A link to a device is never followed by a recall.
        const QString device = dir_.filePath("device.json");
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), device));
        const Run refused = telvir({"recall", "5", device});
        QCOMPARE(refused.exitCode, 1);
        struct stat status {};
        QVERIFY(::stat("/dev/null", &status) == 0 && S_ISCHR(status.st_mode));
#endif

        // The Library window: memory 5 compared with the form, then opened
        // into it as one step that undo takes back.
        LibraryWindow *library = LibraryWindow::open(*window, window->document());
        library->memoryList()->setCurrentItem(library->memoryList()->topLevelItem(5));
        QCOMPARE(library->memoryList()->currentItem()->text(3), QString("b.telvir"));
        QTest::mouseClick(library->findChild<QPushButton *>("btnCompareMemory"), Qt::LeftButton);
        QCOMPARE(library->comparison()->toPlainText(),
                 QString("Memory 5 differs from the form here (the form's value first):\nCutoff, CC Number: 30 -> 21"));
        QTest::mouseClick(library->findChild<QPushButton *>("btnOpenMemory"), Qt::LeftButton);
        QVERIFY(window->editedSettings() == b);
        QTest::mouseClick(library->findChild<QPushButton *>("btnCompareMemory"), Qt::LeftButton);
        QCOMPARE(library->comparison()->toPlainText(), QString("Memory 5 holds the settings of the form."));
        window->findChild<QUndoStack *>()->undo();
        QVERIFY(window->editedSettings() == edited);

        library->memoryList()->setCurrentItem(library->memoryList()->topLevelItem(0));
        QCOMPARE(library->memoryList()->currentItem()->text(1), QString("not known"));

        // The memories shown are those of the keyboard linked now, the one
        // telvir and the editor wrote to.
        QCOMPARE(library->keyboardChoice()->count(), 1);
        QCOMPARE(library->keyboardChoice()->currentText(),
                 JackKeyboardFixture::keyboardInputPort() + ", " + JackKeyboardFixture::keyboardOutputPort());

        // Back Up... and Restore...: the library's own backup restored into
        // it adds nothing. It holds a, b, the form and the factory settings
        // the editor read at start; two writes by telvir, the read, the
        // editor's send and the recall's save.
        const QString backup = dir_.filePath("window-backup.sqlite");
        for (const char *button : {"btnBackUp", "btnRestore"}) {
            DialogAnswerer answerer;
            answerer.chooseFile(backup);
            answerer.pressInMessageBox();
            library->findChild<QPushButton *>(button)->click();
            QVERIFY(answerer.problems.isEmpty());
            QCOMPARE(answerer.messages.size(), 1);
        }
        {
            DialogAnswerer answerer;
            answerer.chooseFile(backup);
            answerer.pressInMessageBox();
            library->findChild<QPushButton *>("btnRestore")->click();
            QCOMPARE(answerer.messages.value(0),
                     "Restore a Backup: Restored " + backup
                         + ": 0 setups and 0 events added; 4 setups and 5 events were in the library already.");
        }
        QVERIFY(window->close());
    }

private:
    QTemporaryDir dir_;
};

QTEST_MAIN(JackLibraryTest)
#include "tst_jacklibrary.moc"
