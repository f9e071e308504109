// "Upgrade firmware...": the questions and result boxes, the progress
// window, and the editor's commands during a transfer, with a simulated
// keyboard on virtual MIDI ports.

#include "dialoganswerer.h"
#include "editorprobe.h"
#include "progressbarwindow.h"
#include "virtualkeyboardrig.h"
#include "support/testfiles.h"
#include "support/wirebytes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
const std::string kPort = "Telvir Keyboard";
const QString kEnterUpgradeMode = QStringLiteral(
    "Enter Firmware Upgrade Mode: Please unplug the keyboard, then plug it in again WHILE HOLDING THE "
    "KEYBOARD SHIFT KEY.\nClick OK when ready or CANCEL TO abort firmware update.");
const QString kUpgraded = QStringLiteral("OK: Successfully upgrade the firmware of device 'Telvir Keyboard' !");
const QString kNotUpgraded = QStringLiteral("Error: Could not upgrade firmware.");

QByteArray randomImage(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray image(size, '\0');
    for (char &byte : image)
        byte = static_cast<char>(random.bounded(256));
    return image;
}

std::string padded(const QByteArray &image)
{
    return image.toStdString() + std::string(std::size_t((512 - image.size() % 512) % 512), char(0xFF));
}

// Looks at the editor whenever the slot under test lets events through:
// what the progress window shows, and whether any command could be used
// while it is up.
class TransferWatcher
{
public:
    explicit TransferWatcher(MainWindow &window) : window(window)
    {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] { look(); });
        timer.start();
    }

    bool closeOnSight = false;       // close the progress window when it first shows
    std::vector<int> values;         // the bar's values, repeats left out
    bool seen = false;               // the progress window was visible
    bool shownAgainAfterClose = false;
    bool commandUsableMeanwhile = false;

private:
    void look()
    {
        auto *progressWindow = window.findChild<ProgressBarWindow *>();
        if (!progressWindow)
            return;
        const int value = progressWindow->findChild<QProgressBar *>()->value();
        if (values.empty() || values.back() != value)
            values.push_back(value);
        if (!progressWindow->isVisible())
            return;
        if (closed)
            shownAgainAfterClose = true;
        seen = true;
        for (QWidget *command : commands())
            commandUsableMeanwhile |= command->isEnabled();
        // As a user would: try the buttons and a marker.
        QTest::mouseClick(widgetOf<QAbstractButton>(window, "btnDefault"), Qt::LeftButton);
        clickMarker(window, "pushButton_8");
        if (closeOnSight && !closed)
            closed = progressWindow->close();
    }

    QList<QWidget *> commands() const
    {
        QList<QWidget *> widgets;
        // Message boxes are the window's children too, but not its commands.
        for (QAbstractButton *button : window.findChildren<QAbstractButton *>())
            if (button->window() == &window)
                widgets << button;
        for (QComboBox *box : window.findChildren<QComboBox *>())
            if (box->window() == &window)
                widgets << box;
        widgets << window.menuBar();
        return widgets;
    }

    MainWindow &window;
    QTimer timer;
    bool closed = false;
};
} // namespace

class TestFirmwareUpdate : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    QString write(const QString &name, const QByteArray &bytes) { return writeTestFile(dir, name, bytes); }

    // The window finds no keyboard in normal mode at start-up (the
    // simulated one waits in its upgrade mode); whatever it says about that
    // is answered here, the tests look at the firmware update only.
    static std::unique_ptr<MainWindow> openWindow()
    {
        QTimer answerStartUp;
        answerStartUp.setInterval(10);
        QObject::connect(&answerStartUp, &QTimer::timeout, [] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->done(QMessageBox::Ok);
        });
        answerStartUp.start();
        auto window = std::make_unique<MainWindow>();
        window->show();
        return window;
    }

    static void checkAnswered(const DialogAnswerer &answerer)
    {
        QVERIFY2(answerer.problems.isEmpty(), qPrintable(answerer.problems.join(QStringLiteral("; "))));
        QVERIFY(answerer.allStepsTaken());
    }

    static void checkCommandsEnabled(const MainWindow &window)
    {
        for (QAbstractButton *button : window.centralWidget()->findChildren<QAbstractButton *>())
            QVERIFY2(button->isEnabled(), qPrintable(button->objectName()));
        for (QComboBox *box : window.centralWidget()->findChildren<QComboBox *>())
            QVERIFY2(box->isEnabled(), qPrintable(box->objectName()));
        QVERIFY(window.menuBar()->isEnabled());
    }

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void anUpdateStreamsTheFileWhileTheCommandsWait()
    {
        VirtualKeyboardRig rig({kPort}, {kPort});
        KeyboardSimulator &keyboard = rig.attachSimulator(kPort, kPort, true);
        auto window = openWindow();
        clickMarker(*window, "pushButton_5");
        field(*window, "octave")->setCurrentIndex(3);
        const QByteArray record = imageOf(window->editedSettings());
        rig.clearSent();

        const QByteArray image = randomImage(3 * 512 + 5, 21);
        DialogAnswerer answerer;
        answerer.pressInMessageBox(QMessageBox::Ok);
        answerer.chooseFile(write("firmware.bin", image));
        answerer.pressInMessageBox(QMessageBox::Ok);
        TransferWatcher watcher(*window);
        QTest::mouseClick(widgetOf<QAbstractButton>(*window, "pushButton"), Qt::LeftButton);
        checkAnswered(answerer);

        QCOMPARE(answerer.messages, (QStringList{kEnterUpgradeMode, kUpgraded}));
        QVERIFY(watcher.seen);
        QCOMPARE(watcher.values, (std::vector<int>{0, 25, 50, 100}));
        QVERIFY(keyboard.firmwareComplete());
        QCOMPARE(keyboard.firmwareImage(), padded(image));
        QVERIFY(keyboard.firmwareErrors().empty());
        const std::vector<std::string> sent = rig.sent(kPort);
        QCOMPARE(int(sent.size()), 2 + 1 + 4 * 512);
        QCOMPARE(hexOf(sent[0] + sent[1] + sent[2]), QByteArray("9a 01 02 9a 7e 7d 9a 00 04"));

        // Clicks on "Default Values" and a marker during the transfer did nothing.
        QVERIFY(!watcher.commandUsableMeanwhile);
        QCOMPARE(imageOf(window->editedSettings()), record);
        QCOMPARE(shownControl(*window), QStringLiteral("Volume"));
        checkCommandsEnabled(*window);
        QVERIFY(!window->findChild<ProgressBarWindow *>());
    }

    void aSecondUpdateUsesTheSameLinkWithoutANewProbe()
    {
        VirtualKeyboardRig rig({kPort}, {kPort});
        KeyboardSimulator &keyboard = rig.attachSimulator(kPort, kPort, true);
        auto window = openWindow();
        for (int update = 0; update < 2; ++update) {
            rig.clearSent();
            const QByteArray image = randomImage(600, quint32(30 + update));
            DialogAnswerer answerer;
            answerer.pressInMessageBox(QMessageBox::Ok);
            answerer.chooseFile(write(QStringLiteral("update%1.bin").arg(update), image));
            answerer.pressInMessageBox(QMessageBox::Ok);
            window->upgradeFirmware();
            checkAnswered(answerer);
            QCOMPARE(answerer.messages.last(), kUpgraded);
            QCOMPARE(keyboard.firmwareImage(), padded(image));
            const QByteArray opening = update == 0 ? QByteArray("9a 01 02 9a 7e 7d 9a 00 02")
                                                   : QByteArray("9a 00 02");
            const std::vector<std::string> sent = rig.sent(kPort);
            QCOMPARE(int(sent.size()), (update == 0 ? 3 : 1) + 2 * 512);
            QCOMPARE(hexOf(sent[0] + (update == 0 ? sent[1] + sent[2] : std::string())), opening);
        }
    }

    void cancellingTheQuestionOrTheFileDialogSendsNothing()
    {
        VirtualKeyboardRig rig({kPort}, {kPort});
        KeyboardSimulator &keyboard = rig.attachSimulator(kPort, kPort, true);
        auto window = openWindow();
        rig.clearSent();
        keyboard.clearReceived();

        DialogAnswerer answerer;
        answerer.pressInMessageBox(QMessageBox::Cancel);
        answerer.pressInMessageBox(QMessageBox::Ok);
        answerer.cancelFileDialog();
        window->upgradeFirmware();
        window->upgradeFirmware();
        checkAnswered(answerer);
        QCOMPARE(answerer.messages, (QStringList{kEnterUpgradeMode, kEnterUpgradeMode}));
        QVERIFY(rig.sent(kPort).empty());
        QCOMPARE(keyboard.receivedCount(), 0);
        checkCommandsEnabled(*window);
    }

    void filesTheKeyboardCannotTakeAreRefusedBeforeAnythingIsSent_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << write("empty.bin", QByteArray()) << kNotUpgraded;
        QTest::newRow("2047 blocks and a byte")
            << write("large.bin", QByteArray(2047 * 512 + 1, '\x42'))
            << QStringLiteral("Error: Could not upgrade firmware: the file is too large for the keyboard "
                              "(at most 1048064 bytes).");
    }

    void filesTheKeyboardCannotTakeAreRefusedBeforeAnythingIsSent()
    {
        QFETCH(QString, file);
        QFETCH(QString, message);
        VirtualKeyboardRig rig({kPort}, {kPort});
        KeyboardSimulator &keyboard = rig.attachSimulator(kPort, kPort, true);
        auto window = openWindow();
        rig.clearSent();
        keyboard.clearReceived();

        DialogAnswerer answerer;
        answerer.pressInMessageBox(QMessageBox::Ok);
        answerer.chooseFile(file);
        answerer.pressInMessageBox(QMessageBox::Ok);
        TransferWatcher watcher(*window);
        window->upgradeFirmware();
        checkAnswered(answerer);
        QCOMPARE(answerer.messages, (QStringList{kEnterUpgradeMode, message}));
        QVERIFY(rig.sent(kPort).empty());
        QCOMPARE(keyboard.receivedCount(), 0);
        QVERIFY(!watcher.seen);
        checkCommandsEnabled(*window);
    }

    void withoutAKeyboardInUpgradeModeOnlyTheProbeGoesOut()
    {
        VirtualKeyboardRig rig({kPort}, {kPort});
        rig.attachSimulator(kPort, kPort, true).setSilent(true);
        auto window = openWindow();
        rig.clearSent();

        DialogAnswerer answerer;
        answerer.pressInMessageBox(QMessageBox::Ok);
        answerer.chooseFile(write("nobody.bin", randomImage(100, 40)));
        answerer.pressInMessageBox(QMessageBox::Ok);
        answerer.pressInMessageBox(QMessageBox::Ok);
        TransferWatcher watcher(*window);
        window->upgradeFirmware();
        checkAnswered(answerer);
        QCOMPARE(answerer.messages,
                 (QStringList{kEnterUpgradeMode, QStringLiteral("Error: Could not connect to device."), kNotUpgraded}));
        QVERIFY(watcher.seen);
        QCOMPARE(watcher.values, std::vector<int>{0});
        std::string sent;
        for (const std::string &message : rig.sent(kPort))
            sent += message;
        // The probe's two notes, released again: nothing answered.
        QCOMPARE(hexOf(sent), QByteArray("9a 01 02 9a 7e 7d 8a 01 00 8a 7e 00"));
        checkCommandsEnabled(*window);
    }

    void aMissingAcknowledgementFailsTheUpdateAndFreesTheCommands()
    {
        VirtualKeyboardRig rig({kPort}, {kPort});
        KeyboardSimulator &keyboard = rig.attachSimulator(kPort, kPort, true);
        keyboard.dropAcknowledgement(2);
        auto window = openWindow();

        DialogAnswerer answerer;
        answerer.pressInMessageBox(QMessageBox::Ok);
        answerer.chooseFile(write("broken.bin", randomImage(4 * 512, 50)));
        answerer.pressInMessageBox(QMessageBox::Ok);
        TransferWatcher watcher(*window);
        window->upgradeFirmware();
        checkAnswered(answerer);
        QCOMPARE(answerer.messages, (QStringList{kEnterUpgradeMode, kNotUpgraded}));
        QVERIFY(!watcher.commandUsableMeanwhile);
        QCOMPARE(watcher.values, (std::vector<int>{0, 25}));
        QVERIFY(!keyboard.firmwareComplete());
        checkCommandsEnabled(*window);
    }

    void aKeyboardUnpluggedDuringAnUpdateEndsItAndTheLink()
    {
        VirtualKeyboardRig rig({kPort}, {kPort});
        KeyboardSimulator &keyboard = rig.attachSimulator(kPort, kPort, true);
        auto window = openWindow();
        // The probe (2), the size (1), then out in the middle of the first block.
        rig.unplugAfter(kPort, kPort, 3 + 100);

        DialogAnswerer answerer;
        answerer.pressInMessageBox(QMessageBox::Ok);
        answerer.chooseFile(write("unplugged.bin", randomImage(4 * 512, 60)));
        answerer.pressInMessageBox(QMessageBox::Ok);
        window->upgradeFirmware();
        checkAnswered(answerer);
        QCOMPARE(answerer.messages, (QStringList{kEnterUpgradeMode, kNotUpgraded}));
        QVERIFY(!keyboard.firmwareComplete());
        QCOMPARE(widgetOf<QLabel>(*window, "statusLine")->text(), QString("No keyboard connected"));
        QVERIFY(!rig.isInputOpen(kPort));
        checkCommandsEnabled(*window);
    }

    void closingTheProgressWindowDoesNotStopTheTransfer()
    {
        VirtualKeyboardRig rig({kPort}, {kPort});
        KeyboardSimulator &keyboard = rig.attachSimulator(kPort, kPort, true);
        auto window = openWindow();

        const QByteArray image = randomImage(3 * 512, 60);
        DialogAnswerer answerer;
        answerer.pressInMessageBox(QMessageBox::Ok);
        answerer.chooseFile(write("closed.bin", image));
        answerer.pressInMessageBox(QMessageBox::Ok);
        TransferWatcher watcher(*window);
        watcher.closeOnSight = true;
        window->upgradeFirmware();
        checkAnswered(answerer);
        QCOMPARE(answerer.messages, (QStringList{kEnterUpgradeMode, kUpgraded}));
        QVERIFY(watcher.seen);
        QVERIFY(!watcher.shownAgainAfterClose);
        QCOMPARE(watcher.values.back(), 100);
        QCOMPARE(keyboard.firmwareImage(), padded(image));
    }
};

QTEST_MAIN(TestFirmwareUpdate)
#include "tst_firmwareupdate.moc"
