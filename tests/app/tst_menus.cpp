// The menu bar: each item is the very command of its button or shortcut,
// no two commands share a key, the form keeps its place and room below
// it, and Preferences and the recent files keep what they say across
// windows.

#include "dialoganswerer.h"
#include "editorprobe.h"
#include "nokeyboard.h"
#include "app/editorpreferences.h"
#include "app/livesender.h"
#include "app/midimonitor.h"
#include "support/testfiles.h"

#include <QCheckBox>
#include <QHash>
#include <QLabel>
#include <QSettings>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

class TestMenus : public QObject
{
    Q_OBJECT

    NoKeyboard noKeyboard;
    QTemporaryDir dir;

    static void showActive(MainWindow &window)
    {
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    static QStringList itemTexts(QMenu *menu)
    {
        emit menu->aboutToShow();
        QStringList texts;
        for (const QAction *action : menu->actions())
            texts << action->text();
        return texts;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        QSettings(QStringLiteral("Telvir"), QStringLiteral("Telvir Editor")).clear();
    }

    void theWindowGrowsByTheMenuBarAndNothingElseMoves()
    {
        MainWindow window;
        showActive(window);
        // The form's menu bar as it was, without menus.
        QMainWindow plain;
        plain.setMenuBar(new QMenuBar(&plain));
        const int emptyBar = plain.menuBar()->sizeHint().height();
        const int bar = window.menuBar()->height();
        QVERIFY2(bar > emptyBar, qPrintable(QStringLiteral("%1 %2").arg(bar).arg(emptyBar)));
        QCOMPARE(window.size(), QSize(759, 605 - emptyBar + bar));
        QCOMPARE(window.size(), formSizeWithMenus(window));
        QCOMPARE(window.centralWidget()->geometry(),
                 QRect(0, bar, 759, 605 - emptyBar - window.statusBar()->height()));
        // The status bar is as tall as a line of text in it: the Live box
        // did not make it taller.
        QCOMPARE(window.statusBar()->height(), window.statusBar()->sizeHint().height());
        QVERIFY(widgetOf<QLabel>(window, "label")->geometry().bottom() < window.centralWidget()->height());
    }

    void menuItemsAndShortcutsRunTheButtonsCommands()
    {
        MainWindow window;
        showActive(window);
        field(window, "octave")->setCurrentIndex(2);
        const QByteArray edited = imageOf(window.editedSettings());

        menuItem(window, "menuEdit", QStringLiteral("Default Values"))->trigger();
        QCOMPARE(imageOf(window.editedSettings()), imageOf(Settings()));
        // Undo in the menu is the undo stack's own action.
        auto *undo = window.findChild<QAction *>(QStringLiteral("actionUndo"));
        QVERIFY(undo && window.findChild<QMenu *>(QStringLiteral("menuEdit"))->actions().contains(undo));
        QTest::keySequence(&window, QKeySequence(QStringLiteral("Ctrl+Z")));
        QCOMPARE(imageOf(window.editedSettings()), edited);

        // Ctrl+S saves as "Save..." does; Ctrl+O loads as "Load..." does.
        DialogAnswerer answerer;
        answerer.chooseFile(dir.filePath("keyed"));
        answerer.chooseFile(dir.filePath("keyed.telvir"));
        QTest::keySequence(&window, QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(readAll(dir.filePath("keyed.telvir")).mid(8), edited);
        window.resetSettings();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keySequence(&window, QKeySequence(QStringLiteral("Ctrl+O")));
        QVERIFY2(answerer.problems.isEmpty(), qPrintable(answerer.problems.join(QStringLiteral("; "))));
        QVERIFY(answerer.allStepsTaken());
        QCOMPARE(imageOf(window.editedSettings()), edited);
        QCOMPARE(window.document().fileName(), dir.filePath("keyed.telvir"));
    }

    void noTwoCommandsShareAKey()
    {
        MainWindow window;
        QList<QAction *> actions = window.actions() + window.centralWidget()->actions();
        for (QMenu *menu : window.menuBar()->findChildren<QMenu *>())
            actions += menu->actions();
        QHash<QString, QAction *> byKey;
        for (QAction *action : actions) {
            for (const QKeySequence &key : action->shortcuts()) {
                QAction *&holder = byKey[key.toString()];
                if (holder && holder != action)
                    QFAIL(qPrintable(key.toString() + QStringLiteral(": ") + action->text() + QStringLiteral(" and ")
                                     + holder->text()));
                holder = action;
            }
        }
        for (const char *key : {"Ctrl+O", "Ctrl+S", "Ctrl+Shift+S", "Ctrl+Q", "Ctrl+Z", "Ctrl+L", "Ctrl+M", "Ctrl+T"})
            QVERIFY2(byKey.contains(QLatin1String(key)), key);
    }

    void helpTellsTheVersionAndEveryShortcut()
    {
        MainWindow window;
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        answerer.pressInMessageBox();
        menuItem(window, "menuHelp", QStringLiteral("About Telvir Editor"))->trigger();
        menuItem(window, "menuHelp", QStringLiteral("Keyboard Shortcuts"))->trigger();
        QVERIFY2(answerer.problems.isEmpty(), qPrintable(answerer.problems.join(QStringLiteral("; "))));
        QCOMPARE(answerer.messages.size(), 2);
        QVERIFY2(answerer.messages[0].startsWith(QStringLiteral("About Telvir Editor: Telvir Editor " TELVIR_VERSION "\n")),
                 qPrintable(answerer.messages[0]));
        const QString shortcuts = answerer.messages[1];
        for (const char *line : {"Load...: Ctrl+O", "Save As...: Ctrl+Shift+S", "Library: Ctrl+L", "MIDI Monitor: Ctrl+M",
                                 "All Controls: Ctrl+T", "Quit: Ctrl+Q"})
            QVERIFY2(shortcuts.contains(QLatin1String(line)), qPrintable(shortcuts));
    }

    void liveIsOneSwitchInTheMenuAndTheStatusLine()
    {
        MainWindow window;
        QAction *live = menuItem(window, "menuKeyboard", QStringLiteral("Live"));
        auto *box = widgetOf<QCheckBox>(window, "liveBox");
        auto *sender = widgetOf<LiveSender>(window, "liveSender");
        QVERIFY(live->isCheckable());
        QVERIFY(!live->isChecked() && !box->isChecked() && !sender->isOn());
        live->trigger();
        QVERIFY(box->isChecked() && sender->isOn());
        box->setChecked(false);
        QVERIFY(!live->isChecked() && !sender->isOn());
    }

    void preferencesShowASilencedBoxAgainAndKeepTheirChoices()
    {
        EditorPreferences::setBoxSilenced(KeyboardOutcome::Kind::Sent, true);
        EditorPreferences::setFollowKeyboard(true);
        MainWindow window;
        bool sentWasSilenced = false;
        DialogAnswerer answerer;
        answerer.answerWith([&sentWasSilenced](QDialog *dialog) {
            auto *showSent = dialog->findChild<QCheckBox *>(QStringLiteral("showSentBox"));
            auto *showRead = dialog->findChild<QCheckBox *>(QStringLiteral("showSettingsReadBox"));
            sentWasSilenced = showSent && !showSent->isChecked() && showRead && showRead->isChecked();
            if (showSent)
                showSent->setChecked(true);
            if (showRead)
                showRead->setChecked(false);
            dialog->findChild<QCheckBox *>(QStringLiteral("followKeyboard"))->setChecked(false);
            dialog->findChild<QSpinBox *>(QStringLiteral("messagePace"))->setValue(25);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        menuItem(window, "menuEdit", QStringLiteral("Preferences..."))->trigger();
        QVERIFY2(answerer.problems.isEmpty(), qPrintable(answerer.problems.join(QStringLiteral("; "))));
        QVERIFY(answerer.allStepsTaken());
        QVERIFY(sentWasSilenced);
        QVERIFY(!EditorPreferences::isBoxSilenced(KeyboardOutcome::Kind::Sent));
        QVERIFY(EditorPreferences::isBoxSilenced(KeyboardOutcome::Kind::SettingsRead));
        QCOMPARE(EditorPreferences::messagePaceMs(), 25);
        QVERIFY(!EditorPreferences::followKeyboard());
        QVERIFY(!widgetOf<MidiMonitor>(window, "midiMonitor")->followsKeyboard());
        EditorPreferences::setBoxSilenced(KeyboardOutcome::Kind::SettingsRead, false);
        EditorPreferences::setMessagePaceMs(0);
    }

    void recentFilesAreTheFilesLoadedOrSavedThatStillExist()
    {
        QSettings(QStringLiteral("Telvir"), QStringLiteral("Telvir Editor")).remove(QStringLiteral("files"));
        const QString first = dir.filePath("first.telvir");
        const QString second = dir.filePath("second.json");
        {
            MainWindow window;
            auto *recent = window.findChild<QMenu *>(QStringLiteral("menuRecentFiles"));
            QCOMPARE(itemTexts(recent), QStringList{QStringLiteral("No recent files")});
            DialogAnswerer answerer;
            answerer.chooseFile(first);
            answerer.chooseFile(dir.filePath("second"), QStringLiteral("Settings Documents"));
            window.saveToFile();
            field(window, "octave")->setCurrentIndex(3);
            window.saveToFile();
            QVERIFY2(answerer.problems.isEmpty(), qPrintable(answerer.problems.join(QStringLiteral("; "))));
            QCOMPARE(itemTexts(recent), QStringList({QDir::toNativeSeparators(second), QDir::toNativeSeparators(first)}));
        }
        // Remembered; a file that went away is left out.
        QVERIFY(QFile::remove(first));
        MainWindow next;
        auto *recent = next.findChild<QMenu *>(QStringLiteral("menuRecentFiles"));
        QCOMPARE(itemTexts(recent), QStringList{QDir::toNativeSeparators(second)});
        recent->actions().constFirst()->trigger();
        QCOMPARE(field(next, "octave")->currentIndex(), 3);
        QCOMPARE(next.document().fileName(), second);
    }
};

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
