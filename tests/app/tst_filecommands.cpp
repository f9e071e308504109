// "Load..." and "Save...": the file dialogs are answered by DialogAnswerer,
// the files are checked byte for byte.

#include "dialoganswerer.h"
#include "editorprobe.h"
#include "nokeyboard.h"
#include "model/settingsdocument.h"
#include "model/settingsjson.h"
#include "protocol/sysexfile.h"
#include "support/testfiles.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QUrl>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace {
const QString kNotValid = QStringLiteral("Error: This is not a valid telvir settings file!");

// The factory image with a few bytes changed, written out by hand.
QByteArray editedImage()
{
    QByteArray image = imageOf(Settings());
    image[0] = 5;             // globalChannel: "6"
    image[4] = 7;             // octave: "-3"
    image[6 + 7 * 0 + 1] = 9; // Volume lsb
    image[6 + 7 * 26 + 0] = 4; // Pad #11 channel: "5"
    return image;
}
} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT

    // These tests are about the window itself; it starts without a keyboard.
    NoKeyboard noKeyboard;

private:
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }

    static void clickButton(const MainWindow &window, const char *name)
    {
        QTest::mouseClick(widgetOf<QPushButton>(window, name), Qt::LeftButton);
    }

    static void checkAnswered(const DialogAnswerer &answerer)
    {
        QVERIFY2(answerer.problems.isEmpty(), qPrintable(answerer.problems.join(QStringLiteral("; "))));
        QVERIFY(answerer.allStepsTaken());
    }

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void saveWritesMagicAndTheRecord()
    {
        MainWindow window;
        clickMarker(window, "pushButton_5");
        DialogAnswerer answerer;
        answerer.chooseFile(path("factory.telvir"));
        clickButton(window, "btnSave");
        checkAnswered(answerer);
        QVERIFY(answerer.messages.isEmpty());

        const QByteArray bytes = readAll(path("factory.telvir"));
        QCOMPARE(bytes.size(), 273);
        QCOMPARE(bytes.left(8), QByteArray("TELVIR00"));
        QCOMPARE(bytes.mid(8, 6), QByteArray(6, '\0'));
        QCOMPARE(bytes.mid(14, 7), QByteArray::fromHex("10007f07000100"));
        QCOMPARE(bytes.mid(266, 7), QByteArray::fromHex("10007f40000801"));
        QCOMPARE(shownControl(window), QStringLiteral("Volume"));
    }

    void aNameWithoutExtensionTakesTheChosenTypes()
    {
        MainWindow window;
        choose(window, "octave", 2);
        {
            DialogAnswerer answerer;
            answerer.chooseFile(path("no-extension"));
            answerer.chooseFile(path("as-document"), QStringLiteral("Settings Documents"));
            answerer.chooseFile(path("dotted.name.telvir"));
            window.saveToFile();
            window.saveToFile();
            window.saveToFile();
            checkAnswered(answerer);
            QVERIFY(answerer.messages.isEmpty());
            QCOMPARE(answerer.fileDialogFirstTypes.value(0), QStringLiteral("TELVIR Settings Files (*.telvir)"));
        }
        QVERIFY(!QFile::exists(path("no-extension")));
        QVERIFY(readAll(path("no-extension.telvir")).startsWith("TELVIR00"));
        QVERIFY(!QFile::exists(path("as-document")));
        Settings fromDocument;
        QVERIFY(SettingsDocument::load(path("as-document.json"), &fromDocument));
        QCOMPARE(imageOf(fromDocument), imageOf(window.editedSettings()));
        QVERIFY(QFile::exists(path("dotted.name.telvir")));
        // Load lists every kind it reads under one type, first.
        DialogAnswerer loading;
        loading.cancelFileDialog();
        window.loadFromFile();
        checkAnswered(loading);
        QCOMPARE(loading.fileDialogFirstTypes, QStringList{QStringLiteral("Settings files (*.telvir *.json *.syx)")});
    }

    void dialogsStartWhereTheUserLastWasElseInDocuments()
    {
        QSettings(QStringLiteral("Telvir"), QStringLiteral("Telvir Editor")).remove(QStringLiteral("files"));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("elsewhere")));
        QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QFileInfo(documents).isDir())
            documents = QDir::homePath();
        {
            MainWindow window;
            DialogAnswerer answerer;
            answerer.cancelFileDialog();
            answerer.chooseFile(path("elsewhere/kept"));
            answerer.cancelFileDialog();
            window.loadFromFile();
            window.saveToFile();
            window.loadFromFile();
            checkAnswered(answerer);
            QCOMPARE(answerer.fileDialogFolders,
                     QStringList({QFileInfo(documents).absoluteFilePath(), QFileInfo(documents).absoluteFilePath(),
                                  path("elsewhere")}));
        }
        // Remembered for the next window: the firmware's dialog starts there too.
        MainWindow next;
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        answerer.cancelFileDialog();
        next.upgradeFirmware();
        checkAnswered(answerer);
        QCOMPARE(answerer.fileDialogFolders, QStringList{path("elsewhere")});
    }

    void cancellingEitherDialogDoesNothing()
    {
        MainWindow window;
        choose(window, "octave", 2);
        const QByteArray before = imageOf(window.editedSettings());
        const QStringList filesBefore = QDir(dir.path()).entryList(QDir::Files);
        DialogAnswerer answerer;
        answerer.cancelFileDialog();
        answerer.cancelFileDialog();
        window.saveToFile();
        window.loadFromFile();
        checkAnswered(answerer);
        QVERIFY(answerer.messages.isEmpty());
        QCOMPARE(imageOf(window.editedSettings()), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), filesBefore);
    }

    void loadReplacesTheRecordAndRefreshesTheFields()
    {
        QVERIFY(writeAll(path("edited.telvir"), QByteArray("TELVIR00") + editedImage()));
        MainWindow window;
        clickMarker(window, "pushButton_23");
        clickMarker(window, "padSwitch");
        QCOMPARE(shownControl(window), QStringLiteral("Pad #11"));

        DialogAnswerer answerer;
        answerer.chooseFile(path("edited.telvir"));
        clickButton(window, "btnLoad");
        checkAnswered(answerer);
        QVERIFY(answerer.messages.isEmpty());

        QCOMPARE(imageOf(window.editedSettings()), editedImage());
        QCOMPARE(field(window, "globalChannel")->currentText(), QStringLiteral("6"));
        QCOMPARE(field(window, "octave")->currentText(), QStringLiteral("-3"));
        // Selection and bank stay; the fields show the loaded pad 11.
        QCOMPARE(shownControl(window), QStringLiteral("Pad #11"));
        QVERIFY(marker(window, "padSwitch")->isSelected());
        QCOMPARE(field(window, "channel")->currentText(), QStringLiteral("5"));
    }

    void aSettingsDocumentLoadsByLoadAndByDrop()
    {
        const QByteArray image = editedImage();
        const QString document = path("edited.json");
        QVERIFY(writeAll(document, SettingsJson::toJson(Settings::fromBytes(image.constData()))));
        MainWindow window;

        DialogAnswerer answerer;
        answerer.chooseFile(document);
        clickButton(window, "btnLoad");
        checkAnswered(answerer);
        QVERIFY(answerer.messages.isEmpty());
        QCOMPARE(imageOf(window.editedSettings()), image);
        QCOMPARE(field(window, "globalChannel")->currentText(), QStringLiteral("6"));

        window.resetSettings();
        QVERIFY(imageOf(window.editedSettings()) != image);
        QVERIFY(drop(window, {document}));
        QTRY_COMPARE(imageOf(window.editedSettings()), image);
    }

    void sysexFilesAreSavedByTheChosenTypeAndLoadedWithWhatTheyLack()
    {
        const Settings edited = Settings::fromBytes(editedImage().constData());
        MainWindow saver;
        saver.loadSettingsFile(writeTestFile(dir, "to-send.telvir", QByteArray("TELVIR00") + editedImage()));
        {
            // The name says nothing of the kind, so the chosen type decides
            // and gives it its extension.
            DialogAnswerer answerer;
            answerer.chooseFile(path("to-send"), QStringLiteral("SysEx Files"));
            saver.saveToFile();
            checkAnswered(answerer);
            QVERIFY(answerer.messages.isEmpty());
        }
        QVERIFY(!QFile::exists(path("to-send")));
        QCOMPARE(readAll(path("to-send.syx")), SysexFile::messages(edited, 0));

        MainWindow loader;
        {
            DialogAnswerer answerer;
            answerer.chooseFile(path("to-send.syx"));
            loader.loadFromFile();
            checkAnswered(answerer);
            QVERIFY(answerer.messages.isEmpty());
        }
        QCOMPARE(imageOf(loader.editedSettings()), editedImage());
        QCOMPARE(loader.statusBar()->currentMessage(),
                 QStringLiteral("The file does not carry 3 settings; they are the factory settings: "
                                "OCT - CC Number, OCT + CC Number, Pitch CC Number"));

        // A broken one says where, and leaves the record; a drop too.
        QByteArray broken = SysexFile::messages(Settings(), 0);
        broken[30] = char(0x90);
        const QString refused = writeTestFile(dir, "broken.syx", broken);
        for (bool dropped : {false, true}) {
            DialogAnswerer answerer;
            answerer.pressInMessageBox(QMessageBox::Ok);
            if (dropped)
                QVERIFY(drop(loader, {refused}));
            else
                QVERIFY(!loader.loadSettingsFile(refused));
            QTRY_VERIFY(answerer.allStepsTaken());
            checkAnswered(answerer);
            QCOMPARE(answerer.messages, QStringList{QStringLiteral("Error: Not a settings file of this keyboard: "
                                                                   "unexpected byte 0x90 at offset 30.")});
            QCOMPARE(imageOf(loader.editedSettings()), editedImage());
        }
        loader.resetSettings();
        QVERIFY(drop(loader, {path("to-send.syx")}));
        QTRY_COMPARE(imageOf(loader.editedSettings()), editedImage());
    }

    void saveThenLoadGivesBackTheSameRecord()
    {
        MainWindow saver;
        choose(saver, "velocityCurve", 3);
        clickMarker(saver, "pushButton_32");
        choose(saver, "mode", 2); // "NRPN / RPN"
        choose(saver, "modeOption", 1);
        const QByteArray saved = imageOf(saver.editedSettings());
        {
            DialogAnswerer answerer;
            answerer.chooseFile(path("roundtrip.telvir"));
            saver.saveToFile();
            checkAnswered(answerer);
        }
        MainWindow loader;
        DialogAnswerer answerer;
        answerer.chooseFile(path("roundtrip.telvir"));
        loader.loadFromFile();
        checkAnswered(answerer);
        QCOMPARE(imageOf(loader.editedSettings()), saved);
    }

    void bytesAfterTheRecordAreIgnored()
    {
        QVERIFY(writeAll(path("long.telvir"), QByteArray("TELVIR00") + editedImage() + QByteArray(27, '\x55')));
        MainWindow window;
        DialogAnswerer answerer;
        answerer.chooseFile(path("long.telvir"));
        window.loadFromFile();
        checkAnswered(answerer);
        QVERIFY(answerer.messages.isEmpty());
        QCOMPARE(imageOf(window.editedSettings()), editedImage());
    }

    void filesThatAreNoSettingsAreRejected_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("one character off") << QByteArray("TELVIR01") + editedImage();
        QTest::newRow("lower case") << QByteArray("telvir00") + editedImage();
        QTest::newRow("shorter than the magic") << QByteArray("TELV");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("magic with a short record") << QByteArray("TELVIR00") + editedImage().left(100);
        QTest::newRow("magic and one byte short") << QByteArray("TELVIR00") + editedImage().left(264);
    }

    void filesThatAreNoSettingsAreRejected()
    {
        QFETCH(QByteArray, content);
        QVERIFY(writeAll(path("rejected.telvir"), content));
        MainWindow window;
        choose(window, "knobMode", 1);
        const QByteArray before = imageOf(window.editedSettings());

        DialogAnswerer answerer;
        answerer.chooseFile(path("rejected.telvir"));
        answerer.pressInMessageBox(QMessageBox::Ok);
        window.loadFromFile();
        checkAnswered(answerer);
        QCOMPARE(answerer.messages, QStringList{kNotValid});
        QCOMPARE(imageOf(window.editedSettings()), before);
        QCOMPARE(field(window, "knobMode")->currentText(), QStringLiteral("relative"));
    }

    void loadedValuesOutOfRangeAreKeptButNotShown()
    {
        QByteArray image = imageOf(Settings());
        image[4] = 9;                 // octave beyond "-4"
        image[6 + 7 * 1 + 5] = 9;     // Cutoff in "Midi Note", a pad mode
        image[6 + 7 * 1 + 6] = 1;
        image[6 + 7 * 1 + 2] = char(200); // msb beyond 127
        QVERIFY(writeAll(path("odd.telvir"), QByteArray("TELVIR00") + image));

        MainWindow window;
        DialogAnswerer answerer;
        answerer.chooseFile(path("odd.telvir"));
        window.loadFromFile();
        checkAnswered(answerer);

        QCOMPARE(field(window, "octave")->currentIndex(), -1);
        QCOMPARE(field(window, "octave")->currentText(), QString());
        QCOMPARE(int(window.editedSettings().octave), 9);
        QCOMPARE(int(window.editedSettings().controls[1].mode), 9);

        clickMarker(window, "pushButton_6");
        QCOMPARE(field(window, "msb")->currentIndex(), -1);
        QCOMPARE(int(window.editedSettings().controls[1].msb), 200);
        QCOMPARE(field(window, "mode")->currentText(), QStringLiteral("Off - Disabled"));
        QCOMPARE(int(window.editedSettings().controls[1].mode), 0);

        choose(window, "octave", 2);
        QCOMPARE(int(window.editedSettings().octave), 2);
    }

    void failedSaveIsReportedWithTheFileAndTheReason()
    {
        const QString target = path("missing-folder/settings.telvir");
        MainWindow window;
        DialogAnswerer answerer;
        answerer.chooseFile(target);
        answerer.pressInMessageBox(QMessageBox::Ok);
        window.saveToFile();
        checkAnswered(answerer);
        QCOMPARE(answerer.messages.size(), 1);
        const QString message = answerer.messages.first();
        QVERIFY2(message.startsWith(QStringLiteral("Error: ")), qPrintable(message));
        QVERIFY2(message.contains(QDir::toNativeSeparators(target)), qPrintable(message));
        // The reason follows the name.
        QVERIFY2(message.section(QDir::toNativeSeparators(target), 1).size() > 5, qPrintable(message));
        QVERIFY(!QFile::exists(target));
    }

#ifdef Q_OS_UNIX
    void failedSaveLeavesTheOldFileIntact()
    {
        // Root may write anywhere, so the write is made to fail with a file
        // size limit below the 273 bytes of a settings file.
        const QString target = path("kept.telvir");
        const QByteArray old = QByteArray("TELVIR00") + editedImage();
        QVERIFY(writeAll(target, old));

        MainWindow window;
        DialogAnswerer answerer;
        answerer.chooseFile(target);
        answerer.pressInMessageBox(QMessageBox::Yes); // replace the existing file?
        answerer.pressInMessageBox(QMessageBox::Ok);

        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit small = saved;
        small.rlim_cur = 100;
        const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        window.saveToFile();
        setrlimit(RLIMIT_FSIZE, &saved);
        signal(SIGXFSZ, oldHandler);

        checkAnswered(answerer);
        QCOMPARE(answerer.messages.size(), 2);
        QVERIFY2(answerer.messages.last().startsWith(QStringLiteral("Error: ")), qPrintable(answerer.messages.last()));
        QVERIFY(answerer.messages.last().contains(QStringLiteral("kept.telvir")));
        QCOMPARE(readAll(target), old);
    }
#endif

#ifdef Q_OS_UNIX
    void aNamedPipeIsRefusedAtOnce()
    {
        // Opened, it would wait for a writer for ever, and the window with it.
        const QString pipe = path("pipe.telvir");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        MainWindow window;
        choose(window, "knobMode", 1);
        const QByteArray before = imageOf(window.editedSettings());
        {
            DialogAnswerer answerer;
            answerer.pressInMessageBox(QMessageBox::Ok);
            QElapsedTimer timer;
            timer.start();
            QVERIFY(!window.loadSettingsFile(pipe));
            QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
            checkAnswered(answerer);
            QCOMPARE(answerer.messages, QStringList{kNotValid});
        }
        {
            DialogAnswerer answerer;
            answerer.pressInMessageBox(QMessageBox::Ok);
            QVERIFY(drop(window, {pipe}));
            QTRY_VERIFY(answerer.allStepsTaken());
            checkAnswered(answerer);
            QCOMPARE(answerer.messages, QStringList{kNotValid});
        }
        QCOMPARE(imageOf(window.editedSettings()), before);
    }
#endif

    void aDroppedSettingsFileIsLoadedAsLoadLoadsIt()
    {
        const QString settingsFile = writeTestFile(dir, "dropped.telvir", QByteArray("TELVIR00") + editedImage());
        const QString otherKind = writeTestFile(dir, "dropped.bin", QByteArray("TELVIR00") + editedImage());
        const QString notSettings = writeTestFile(dir, "empty.telvir", QByteArray());
        MainWindow window;
        const QByteArray factory = imageOf(window.editedSettings());

        // Neither another kind of file nor two at once are taken.
        QVERIFY(!drop(window, {otherKind}));
        QVERIFY(!drop(window, {settingsFile, settingsFile}));
        QCoreApplication::processEvents();
        QCOMPARE(imageOf(window.editedSettings()), factory);

        {
            DialogAnswerer answerer;
            answerer.pressInMessageBox(QMessageBox::Ok);
            QVERIFY(drop(window, {notSettings}));
            QTRY_VERIFY(answerer.allStepsTaken());
            checkAnswered(answerer);
            QCOMPARE(answerer.messages, QStringList{kNotValid});
            QCOMPARE(imageOf(window.editedSettings()), factory);
        }

        QVERIFY(drop(window, {settingsFile}));
        QTRY_COMPARE(imageOf(window.editedSettings()), editedImage());
        QCOMPARE(field(window, "globalChannel")->currentText(), QStringLiteral("6"));
    }

private:
    // Drags the files onto the window and drops them there; true when the
    // window took them.
    static bool drop(MainWindow &window, const QStringList &files)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &file : files)
            urls << QUrl::fromLocalFile(file);
        data.setUrls(urls);
        const QPoint where = window.rect().center();
        QDragEnterEvent enter(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &dropped);
        return dropped.isAccepted();
    }

    static void choose(const MainWindow &window, const char *name, int position)
    {
        field(window, name)->setCurrentIndex(position);
    }
};

QTEST_MAIN(TestFileCommands)
#include "tst_filecommands.moc"
