// Edits that are neither saved nor on the keyboard survive a killed editor:
// a real editor process edits, is killed with SIGKILL, and the next editor
// offers its form back. Nothing is offered after a normal close, a save or
// a whole write, nor while the editor that kept it still runs; a snapshot
// that cannot be read whole is dropped with one line.

#include "dialoganswerer.h"
#include "editorprobe.h"
#include "linkedwindow.h"
#include "virtualkeyboardrig.h"

#include "model/controlfields.h"
#include "model/editorsnapshot.h"
#include "app/snapshotkeeper.h"
#include "model/librarystore.h"
#include "model/settingsfile.h"
#include "model/snapshotstore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QUuid>
#include <QtTest>

#include <memory>
#include <random>

#include <signal.h>

namespace {
const std::string kKeyboard = "Telvir Keyboard";
const QString kNoKeyboardBox = QStringLiteral("Error: Could not connect to midi deivce.");

// What a killed editor did, and so what its successor must give back.
struct EditorRun
{
    QJsonObject script;
    Settings record;
    QString fileName;
    int selectedControl = -1;
    int memorySlot = 0;
};

// `count` random edits of the panel's fields on the record of `fileName`,
// as a user makes them: only items the field lists.
EditorRun randomEdits(int count, const QString &fileName, const Settings &inFile, unsigned seed)
{
    std::mt19937 random(seed);
    EditorRun run;
    run.fileName = fileName;
    run.record = inFile;
    QJsonArray edits;
    // An edit may put a value back; the record must end changed.
    while (edits.size() < count || run.record == inFile) {
        const int control = int(random() % kControlCount);
        const int fieldIndex = int(random() % kControlFieldCount);
        const ControlField &field = kControlFields[std::size_t(fieldIndex)];
        const QStringList items = fieldItems(field, control, run.record.controls[control]);
        if (items.isEmpty())
            continue;
        const int position = int(random() % unsigned(items.size()));
        storeFieldPosition(field, control, run.record.controls[control], position);
        edits.append(QJsonArray{control, fieldIndex, position});
    }
    run.selectedControl = int(random() % kControlCount);
    run.memorySlot = 1 + int(random() % 8);
    run.script = QJsonObject{{QStringLiteral("load"), fileName},
                             {QStringLiteral("edits"), edits},
                             {QStringLiteral("select"), run.selectedControl},
                             {QStringLiteral("memory"), run.memorySlot}};
    return run;
}

std::vector<SnapshotStore::Row> snapshotRows()
{
    LibraryStore store;
    return SnapshotStore(store).rows();
}

QWidget *recoveryBar(const MainWindow &window)
{
    return window.findChild<QWidget *>(QStringLiteral("recoveryBar"));
}

void press(MainWindow &window, const char *keys)
{
    QApplication::setActiveWindow(&window);
    QTest::keySequence(&window, QKeySequence(QLatin1String(keys)));
}

void click(const QWidget *parent, const char *button)
{
    auto *found = parent->findChild<QAbstractButton *>(QLatin1String(button));
    QVERIFY(found);
    QTest::mouseClick(found, Qt::LeftButton);
}
} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dataHome;
    QTemporaryDir files;
    int scripts = 0;

    // A telvir-editor process offscreen, without any MIDI system to find,
    // in this test's data folder, run by `script`.
    std::unique_ptr<QProcess> startEditor(const QJsonObject &script)
    {
        const QString scriptPath = files.filePath(QStringLiteral("script-%1.json").arg(++scripts));
        QFile file(scriptPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(script).toJson()) < 0)
            return nullptr;
        file.close();
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("TELVIR_EDITOR_TEST_SCRIPT"), scriptPath);
        environment.insert(QStringLiteral("JACK_NO_START_SERVER"), QStringLiteral("1"));
        environment.insert(QStringLiteral("JACK_DEFAULT_SERVER"), QStringLiteral("telvir-recovery-absent"));
        process->setProcessEnvironment(environment);
        process->setProgram(QStringLiteral(TELVIR_EDITOR));
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start();
        if (!process->waitForStarted())
            return nullptr;
        return process;
    }

    // Waits for the editor to say it kept its snapshot; false when it
    // ended or went quiet first.
    static bool waitUntilKept(QProcess &editor, QByteArray *said)
    {
        for (int waited = 0; waited < 120; ++waited) {
            editor.waitForReadyRead(1000);
            *said += editor.readAllStandardOutput();
            if (said->contains("kept\n"))
                return true;
            if (editor.state() == QProcess::NotRunning)
                return false;
        }
        return false;
    }

    static void killHard(QProcess &editor)
    {
        QCOMPARE(::kill(pid_t(editor.processId()), SIGKILL), 0);
        QVERIFY(editor.waitForFinished());
        QCOMPARE(editor.exitStatus(), QProcess::CrashExit);
    }

    // An editor process that made `run`'s edits and was killed.
    void editAndKill(const EditorRun &run)
    {
        const std::unique_ptr<QProcess> editor = startEditor(run.script);
        QVERIFY(editor);
        QByteArray said;
        QVERIFY2(waitUntilKept(*editor, &said), said.constData());
        QCOMPARE(said, QByteArray("box: Could not connect to midi deivce.\nkept\n"));
        killHard(*editor);
    }

    QString baseFile(Settings *inFile)
    {
        inFile->globalChannel = 4;
        inFile->octave = 2;
        const QString path = files.filePath(QStringLiteral("base.telvir"));
        if (!SettingsFile::save(path, *inFile))
            return QString();
        return path;
    }

    void restoreAndCheck(MainWindow &window, const EditorRun &run)
    {
        QWidget *bar = recoveryBar(window);
        QVERIFY(bar && bar->isVisible());
        const QString text = bar->findChild<QLabel *>(QStringLiteral("recoveryText"))->text();
        const QRegularExpression offer(QStringLiteral("^Unsaved changes from .+ can be restored\\.$"));
        QVERIFY2(offer.match(text).hasMatch(), qPrintable(text));
        const Settings before = window.editedSettings();
        click(bar, "btnRestore");
        QCOMPARE(imageOf(window.editedSettings()), imageOf(run.record));
        QCOMPARE(window.document().fileName(), run.fileName);
        QCOMPARE(window.currentControlIndex(), run.selectedControl);
        QCOMPARE(field(window, "memId")->currentIndex(), run.memorySlot);
        QTRY_VERIFY(!recoveryBar(window));
        press(window, "Ctrl+Z");
        QCOMPARE(imageOf(window.editedSettings()), imageOf(before));
        // Back at the record it started with, the window keeps nothing.
        QTRY_COMPARE(snapshotRows().size(), std::size_t(0));
    }

private slots:
    void init()
    {
        dataHome = std::make_unique<QTemporaryDir>();
        QVERIFY(dataHome->isValid());
        qputenv("XDG_DATA_HOME", dataHome->path().toLocal8Bit());
    }

    void aKilledEditorsEditsAreRestoredAsOneUndoableStep_data()
    {
        QTest::addColumn<int>("edits");
        QTest::newRow("1 edit") << 1;
        QTest::newRow("10 edits") << 10;
        QTest::newRow("500 edits") << 500;
    }

    void aKilledEditorsEditsAreRestoredAsOneUndoableStep()
    {
        QFETCH(int, edits);
        Settings inFile;
        const QString fileName = baseFile(&inFile);
        QVERIFY(!fileName.isEmpty());
        const EditorRun run = randomEdits(edits, fileName, inFile, unsigned(edits));
        editAndKill(run);
        QCOMPARE(snapshotRows().size(), std::size_t(1));

        VirtualKeyboardRig noPorts({}, {});
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        MainWindow window;
        window.show();
        // The start-up boxes are those of a start without a snapshot.
        QCOMPARE(answerer.messages, QStringList{kNoKeyboardBox});
        QVERIFY(answerer.problems.isEmpty());
        restoreAndCheck(window, run);
        QVERIFY(window.close());
    }

    void nothingIsOfferedAfterANormalClose()
    {
        Settings inFile;
        const QString fileName = baseFile(&inFile);
        EditorRun run = randomEdits(3, fileName, inFile, 7);
        run.script.insert(QStringLiteral("close"), true);
        const std::unique_ptr<QProcess> editor = startEditor(run.script);
        QVERIFY(editor);
        QByteArray said;
        QVERIFY(waitUntilKept(*editor, &said));
        QVERIFY(editor->waitForFinished());
        said += editor->readAllStandardOutput();
        QCOMPARE(editor->exitStatus(), QProcess::NormalExit);
        QCOMPARE(editor->exitCode(), 0);
        // "Discard" in the guard on closing.
        QCOMPARE(said, QByteArray("box: Could not connect to midi deivce.\nkept\n"
                                  "box: Save the settings to a file before closing?\n"));
        QCOMPARE(snapshotRows().size(), std::size_t(0));

        VirtualKeyboardRig noPorts({}, {});
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        MainWindow window;
        QVERIFY(!recoveryBar(window));
    }

    void aSaveOrUndoingBackToTheSavedRecordKeepsNothing()
    {
        VirtualKeyboardRig noPorts({}, {});
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        MainWindow window;
        window.show();
        clickMarker(window, "pushButton_5");
        field(window, "ccNumber")->setCurrentIndex(20);
        QTRY_COMPARE(snapshotRows().size(), std::size_t(1));

        answerer.chooseFile(files.filePath(QStringLiteral("saved.telvir")));
        window.saveToFile();
        QCOMPARE(snapshotRows().size(), std::size_t(0));

        field(window, "ccNumber")->setCurrentIndex(21);
        QTRY_COMPARE(snapshotRows().size(), std::size_t(1));
        press(window, "Ctrl+Z");
        QCOMPARE(snapshotRows().size(), std::size_t(0));
        QVERIFY(answerer.problems.isEmpty());
    }

    void aSnapshotThatFindsTheStoreBusyIsKeptOnceItIsFree()
    {
        VirtualKeyboardRig noPorts({}, {});
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        MainWindow window;
        window.show();
        QSignalSpy kept(window.findChild<SnapshotKeeper *>(), &SnapshotKeeper::kept);

        // Another program writes meanwhile.
        LibraryStore other;
        QVERIFY(other.usable());
        QSqlQuery writing(other.database());
        QVERIFY(writing.exec(QStringLiteral("BEGIN IMMEDIATE")));
        clickMarker(window, "pushButton_5");
        field(window, "ccNumber")->setCurrentIndex(20);
        QCOMPARE(int(window.editedSettings().controls[0].ccNumber), 20);
        QTest::qWait(2 * SnapshotKeeper::kIntervalMs);
        QCOMPARE(kept.count(), 0);
        QVERIFY(writing.exec(QStringLiteral("COMMIT")));
        QTRY_COMPARE(kept.count(), 1);
        QCOMPARE(snapshotRows().size(), std::size_t(1));
    }

    void aWholeWriteKeepsNothing()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        const std::unique_ptr<MainWindow> window = linkedWindow();
        QVERIFY(window);
        window->show();
        clickMarker(*window, "pushButton_6");
        field(*window, "ccNumber")->setCurrentIndex(30);
        QTRY_COMPARE(snapshotRows().size(), std::size_t(1));

        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        window->sendToKeyboard();
        QCOMPARE(answerer.messages, QStringList{"OK: Successfully sent to device 'Telvir Keyboard' !"});
        QCOMPARE(snapshotRows().size(), std::size_t(0));
    }

    void aRunningEditorsSnapshotIsOfferedOnlyOnceItIsGone()
    {
        Settings inFile;
        const QString fileName = baseFile(&inFile);
        const EditorRun run = randomEdits(10, fileName, inFile, 11);
        const std::unique_ptr<QProcess> first = startEditor(run.script);
        QVERIFY(first);
        QByteArray said;
        QVERIFY(waitUntilKept(*first, &said));

        VirtualKeyboardRig noPorts({}, {});
        {
            DialogAnswerer answerer;
            answerer.pressInMessageBox();
            MainWindow second;
            QVERIFY(!recoveryBar(second));
        }
        QCOMPARE(snapshotRows().size(), std::size_t(1));
        killHard(*first);

        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        answerer.pressInMessageBox();
        MainWindow third;
        third.show();
        QVERIFY(recoveryBar(third));
        {
            // While the third one offers it, it is its own.
            MainWindow fourth;
            QVERIFY(!recoveryBar(fourth));
        }
        restoreAndCheck(third, run);
    }

    void discardRemovesTheSnapshot()
    {
        Settings inFile;
        const QString fileName = baseFile(&inFile);
        editAndKill(randomEdits(2, fileName, inFile, 5));
        VirtualKeyboardRig noPorts({}, {});
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        answerer.pressInMessageBox();
        {
            MainWindow window;
            window.show();
            click(recoveryBar(window), "btnDiscard");
            QCOMPARE(imageOf(window.editedSettings()), imageOf(Settings()));
            QTRY_VERIFY(!recoveryBar(window));
            QCOMPARE(snapshotRows().size(), std::size_t(0));
        }
        MainWindow again;
        QVERIFY(!recoveryBar(again));
    }

    void aSnapshotCutAtAnyByteIsDroppedWithItsLine()
    {
        EditorSnapshot snapshot;
        snapshot.record.controls[3].ccNumber = 99;
        snapshot.fileName = files.filePath(QStringLiteral("somewhere.telvir"));
        snapshot.selectedControl = 3;
        snapshot.memorySlot = 2;
        snapshot.savedAt = QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7));
        const QByteArray whole = snapshot.encode();
        const QString line = QStringLiteral("Unsaved changes from %1 could not be read and were dropped.")
                                 .arg(QLocale().toString(snapshot.savedAt, QLocale::ShortFormat));

        QByteArray damaged = whole;
        damaged[damaged.size() / 2] = char(damaged[damaged.size() / 2] ^ 0x01);
        std::vector<QByteArray> unreadable{damaged};
        for (int cut = 0; cut < whole.size(); ++cut)
            unreadable.push_back(whole.left(cut));
        unreadable.push_back(whole + QByteArray(1, '\0'));

        VirtualKeyboardRig noPorts({}, {});
        for (const QByteArray &content : unreadable) {
            {
                LibraryStore store;
                QVERIFY(SnapshotStore(store).keep(QUuid::createUuid().toString(QUuid::WithoutBraces),
                                                  snapshot.savedAt, content));
            }
            DialogAnswerer answerer;
            answerer.pressInMessageBox();
            MainWindow window;
            QVERIFY2(!recoveryBar(window), qPrintable(QString::number(content.size())));
            QCOMPARE(window.statusBar()->currentMessage(), line);
            QCOMPARE(imageOf(window.editedSettings()), imageOf(Settings()));
            QCOMPARE(snapshotRows().size(), std::size_t(0));
        }

        // The whole one is offered, so the cuts above are what was refused.
        {
            LibraryStore store;
            QVERIFY(SnapshotStore(store).keep(QUuid::createUuid().toString(QUuid::WithoutBraces), snapshot.savedAt,
                                              whole));
        }
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        MainWindow window;
        QVERIFY(recoveryBar(window));
        QCOMPARE(window.statusBar()->currentMessage(), QString());
    }
};

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
