// The "All Controls" window: the table of every control's assignment beside
// the main window, its edits, its selection, its marks of clashing controls,
// and the sheet it exports.

#include "dialoganswerer.h"
#include "editorprobe.h"
#include "nokeyboard.h"
#include "support/testfiles.h"

#include "app/allcontrolswindow.h"
#include "app/applicationstyle.h"
#include "model/assignmenttable.h"
#include "model/controlgeometry.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLoggingCategory>
#include <QTableView>
#include <QScrollBar>
#include <QStyleFactory>
#include <QtTest>

namespace {
constexpr int kVolume = 0;
constexpr int kCutoff = 1;
constexpr int kDecay = 5;
constexpr int kPad3 = 18;
constexpr int kPad11 = 26;
constexpr int kOctaveDown = 32;
constexpr int kPitch = 34;

// Columns as the window shows them.
constexpr int kModeColumn = 1;
constexpr int kChannelColumn = 2;
constexpr int kNumberColumn = 3;
constexpr int kValueColumn = 4;

void showActive(QWidget &window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

QByteArray recordOf(const MainWindow &window)
{
    return imageOf(window.editedSettings());
}

AllControlsWindow *tableWindowOf(const MainWindow &window)
{
    return window.findChild<AllControlsWindow *>();
}

QString cell(const QTableView *view, int row, int column)
{
    return view->model()->index(row, column).data().toString();
}

QString statusLineOf(const MainWindow &window)
{
    return widgetOf<QLabel>(window, "statusLine")->text();
}

// Chooses item `text` in a cell as a user does: Enter opens the cell's box,
// the arrows move to the item, Enter stores it.
void chooseInCell(QTableView *view, int row, int column, const QString &text)
{
    view->setCurrentIndex(view->model()->index(row, column));
    QTest::keyClick(view, Qt::Key_Return);
    auto *box = view->findChild<QComboBox *>(QStringLiteral("cellEditor"));
    QVERIFY2(box, "no editor opened");
    const int target = box->findText(text);
    QVERIFY2(target >= 0, qPrintable(text));
    while (box->currentIndex() < target)
        QTest::keyClick(box, Qt::Key_Down);
    while (box->currentIndex() > target)
        QTest::keyClick(box, Qt::Key_Up);
    QVERIFY(box->isVisible()); // the arrows only step through the items
    QTest::keyClick(box, Qt::Key_Return);
    QTRY_VERIFY(!view->findChild<QComboBox *>(QStringLiteral("cellEditor")));
}

QString selectedMarker(const MainWindow &window)
{
    QString name;
    for (DeviceWidget *each : window.findChildren<DeviceWidget *>()) {
        if (each->property("isSelected").toBool() && each->objectName() != QLatin1String("padSwitch"))
            name = each->objectName();
    }
    return name;
}
} // namespace

class TestAllControls : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        QApplication::setQuitOnLastWindowClosed(false);
        QLoggingCategory::setFilterRules("telvir.midi.debug=false\ndefault.debug=false");
    }

    void ctrlTAndTheMenuOpenOneTableOfThePanelsTexts()
    {
        NoKeyboard noKeyboard;
        MainWindow window;
        showActive(window);
        QVERIFY(!tableWindowOf(window));
        QTest::keySequence(&window, QKeySequence(QStringLiteral("Ctrl+T")));
        AllControlsWindow *table = tableWindowOf(window);
        QVERIFY(table);
        QVERIFY(table->isVisible());
        QCOMPARE(table->windowTitle(), QStringLiteral("All Controls"));
        QCOMPARE(table->windowModality(), Qt::NonModal);
        QVERIFY(table->isWindow());
        table->close();
        menuItem(window, "menuView", QStringLiteral("All Controls"))->trigger();
        QCOMPARE(window.findChildren<AllControlsWindow *>().size(), 1);
        QVERIFY(table->isVisible());

        QTableView *view = table->table();
        QCOMPARE(view->model()->rowCount(), 37);
        QStringList headers;
        for (int column = 0; column < view->model()->columnCount(); ++column)
            headers << view->model()->headerData(column, Qt::Horizontal).toString();
        QCOMPARE(headers, QStringList({"Control", "Mode", "Channel", "CC Number / Note", "Value", "Min / LSB",
                                       "Max / MSB", "Mode Option"}));

        // Every cell says what the panel's field says for that control, and
        // can be edited exactly where the field can.
        Settings settings;
        settings.controls[kDecay].channel = 40; // no item shows it
        settings.controls[kVolume].ccNumber = 0;
        window.replaceSettings(settings, QStringLiteral("test"));
        for (int control = 0; control < 37; ++control) {
            window.selectControl(control);
            QCOMPARE(shownControl(window), cell(view, control, 0));
            for (int column = 1; column < view->model()->columnCount(); ++column) {
                const ControlField *shown = AssignmentTable::fieldOf(column);
                SettingComboBox *panelField = field(window, shown->field);
                const QModelIndex index = view->model()->index(control, column);
                QVERIFY2(index.data().toString() == panelField->currentText()
                             || (panelField->currentIndex() < 0 && index.data().toString() == QString::number(40)),
                         qPrintable(QStringLiteral("%1, %2: %3 / %4")
                                        .arg(cell(view, control, 0), headers[column], index.data().toString(),
                                             panelField->currentText())));
                QCOMPARE(bool(index.flags() & Qt::ItemIsEditable), panelField->isEnabled());
                if (panelField->isEnabled())
                    QCOMPARE(index.data(Qt::UserRole + 1).toStringList(), itemsOf(panelField));
            }
        }
        QCOMPARE(cell(view, kCutoff, kModeColumn), QStringLiteral("Continuous"));
        QCOMPARE(cell(view, kCutoff, kChannelColumn), QStringLiteral("Global"));
        QCOMPARE(cell(view, kOctaveDown, kModeColumn), QString());
        QCOMPARE(cell(view, kPitch, kNumberColumn), QString());
    }

    void anEditInTheTableIsThePanelsEditAndOneUndoStep()
    {
        NoKeyboard noKeyboard;
        MainWindow window;
        showActive(window);
        window.changeKeyboardCopy([](KeyboardCopy &copy) {
            WriteReport everything;
            everything.carried.set();
            copy.setSent(Settings(), everything);
        });
        AllControlsWindow *table = AllControlsWindow::open(window, window.document());
        showActive(*table);
        QTableView *view = table->table();
        const QByteArray factory = recordOf(window);

        chooseInCell(view, kCutoff, kModeColumn, QStringLiteral("NRPN / RPN"));
        if (QTest::currentTestFailed())
            return;
        const QByteArray fromTable = recordOf(window);
        QVERIFY(fromTable != factory);
        // The panel shows the control and its new mode, with the mode's
        // options; the marker's tooltip and the status line follow.
        QCOMPARE(shownControl(window), QStringLiteral("Cutoff"));
        QCOMPARE(field(window, "mode")->currentText(), QStringLiteral("NRPN / RPN"));
        QCOMPARE(itemsOf(field(window, "modeOption")), QStringList({"NRPN", "RPN"}));
        QVERIFY2(marker(window, "pushButton_6")->toolTip().contains(QStringLiteral("NRPN / RPN")),
                 qPrintable(marker(window, "pushButton_6")->toolTip()));
        QVERIFY2(statusLineOf(window).contains(QStringLiteral("1 change not sent")), qPrintable(statusLineOf(window)));
        QCOMPARE(cell(view, kCutoff, kModeColumn), QStringLiteral("NRPN / RPN"));

        // One Ctrl+Z in the table's own window takes all of it back.
        QTest::keySequence(table, QKeySequence(QStringLiteral("Ctrl+Z")));
        QCOMPARE(recordOf(window), factory);
        QCOMPARE(cell(view, kCutoff, kModeColumn), QStringLiteral("Continuous"));
        QCOMPARE(field(window, "mode")->currentText(), QStringLiteral("Continuous"));
        QVERIFY(!statusLineOf(window).contains(QStringLiteral("changes not sent")));
        QTest::keySequence(table, QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
        QCOMPARE(recordOf(window), fromTable);
        QTest::keySequence(table, QKeySequence(QStringLiteral("Ctrl+Z")));

        // The same choice in the panel gives the very same record.
        clickMarker(window, "pushButton_6");
        field(window, "mode")->setCurrentIndex(2);
        QCOMPARE(recordOf(window), fromTable);
        QCOMPARE(cell(view, kCutoff, kModeColumn), QStringLiteral("NRPN / RPN"));

        // F2 edits too; Escape leaves the cell as it was.
        view->setCurrentIndex(view->model()->index(kPad3, kValueColumn));
        QTest::keyClick(view, Qt::Key_F2);
        auto *box = view->findChild<QComboBox *>(QStringLiteral("cellEditor"));
        QVERIFY(box);
        QTest::keyClick(box, Qt::Key_Down);
        QTest::keyClick(box, Qt::Key_Escape);
        QTRY_VERIFY(!view->findChild<QComboBox *>(QStringLiteral("cellEditor")));
        QCOMPARE(recordOf(window), fromTable);
        // A cell the panel disables opens nothing.
        view->setCurrentIndex(view->model()->index(kOctaveDown, kModeColumn));
        QTest::keyClick(view, Qt::Key_Return);
        QVERIFY(!view->findChild<QComboBox *>(QStringLiteral("cellEditor")));
    }

    void theSelectedRowIsTheShownControl()
    {
        NoKeyboard noKeyboard;
        MainWindow window;
        showActive(window);
        clickMarker(window, "pushButton_23"); // Pad #3
        QTableView *view = AllControlsWindow::open(window, window.document())->table();
        QCOMPARE(view->currentIndex().row(), kPad3);
        clickMarker(window, "padSwitch");
        QCOMPARE(view->currentIndex().row(), kPad11);
        QCOMPARE(view->selectionModel()->selectedRows().size(), 1);

        // Down from "Pad #11" is "Pad #12", on the same marker; up from
        // "Decay" is "Attack".
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(window.currentControlIndex(), kPad11 + 1);
        QCOMPARE(shownControl(window), QStringLiteral("Pad #12"));
        QCOMPARE(selectedMarker(window), QStringLiteral("pushButton_24"));
        view->setCurrentIndex(view->model()->index(kDecay, 0));
        QTest::keyClick(view, Qt::Key_Up);
        QCOMPARE(shownControl(window), QStringLiteral("Attack"));
        QCOMPARE(selectedMarker(window), QStringLiteral("pushButton_9"));

        // The sheet writes each control on its rectangle of the control
        // table; the marker the window selects for it lies there too (the
        // picture starts 2 pixels above its label at 10, 200).
        for (int control = 0; control < kControlCount; ++control) {
            window.selectControl(control);
            QCOMPARE(marker(window, qPrintable(selectedMarker(window)))->geometry(),
                     ControlGeometry::onPicture(control).translated(10, 198));
        }
    }

    void clashingRowsAreMarkedAndNameTheOthers()
    {
        NoKeyboard noKeyboard;
        MainWindow window;
        showActive(window);
        AllControlsWindow *table = AllControlsWindow::open(window, window.document());
        showActive(*table);
        QTableView *view = table->table();
        auto *clashLine = table->findChild<QLabel *>(QStringLiteral("clashLine"));
        const auto marked = [view](int row) { return view->model()->index(row, 2).data(Qt::BackgroundRole).isValid(); };
        for (int row = 0; row < 37; ++row)
            QVERIFY(!marked(row));
        QCOMPARE(clashLine->text(), QString());

        chooseInCell(view, kVolume, kNumberColumn, QStringLiteral("74"));
        if (QTest::currentTestFailed())
            return;
        QVERIFY(marked(kVolume) && marked(kCutoff) && !marked(kCutoff + 1));
        // The selected row, in the selection's colours, still shows it.
        QCOMPARE(view->currentIndex().row(), kVolume);
        QVERIFY(view->model()->index(kVolume, 0).data(Qt::DecorationRole).isValid());
        QVERIFY(view->model()->index(kVolume, 0).data(Qt::ToolTipRole).toString().contains("Clashes with Cutoff"));
        QVERIFY(view->model()->index(kCutoff, 5).data(Qt::ToolTipRole).toString().contains("Clashes with Volume"));
        QCOMPARE(clashLine->text(), QStringLiteral("2 controls clash: their rows are marked."));
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("statusLine"))->text(),
                 QStringLiteral("No keyboard connected, 2 controls clash"));

        // "Off - Disabled" sends nothing, so it clashes with nothing.
        chooseInCell(view, kVolume, kModeColumn, QStringLiteral("Off - Disabled"));
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!marked(kVolume) && !marked(kCutoff));
        QCOMPARE(clashLine->text(), QString());
        QTest::keySequence(table, QKeySequence(QStringLiteral("Ctrl+Z")));
        QVERIFY(marked(kVolume) && marked(kCutoff));
    }

    void theTableOpensWithEveryHeaderWholeAndNoSideScrolling()
    {
        // In the program's own style, whose font comes with the style sheet.
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        qApp->setStyleSheet(applicationStyleSheet());
        const auto plainAgain = qScopeGuard([] { qApp->setStyleSheet(QString()); });
        NoKeyboard noKeyboard;
        MainWindow window;
        showActive(window);
        AllControlsWindow *table = AllControlsWindow::open(window, window.document());
        QVERIFY(QTest::qWaitForWindowExposed(table));
        QTableView *view = table->table();
        QHeaderView *header = view->horizontalHeader();
        for (int column = 0; column < header->count(); ++column) {
            const QString text = view->model()->headerData(column, Qt::Horizontal).toString();
            QVERIFY2(header->sectionSize(column) >= header->sectionSizeHint(column),
                     qPrintable(QStringLiteral("%1: %2 < %3").arg(text).arg(header->sectionSize(column))
                                    .arg(header->sectionSizeHint(column))));
        }
        QVERIFY(!view->horizontalScrollBar()->isVisible());
    }

    void exportSheetWritesThePdfOrPngThatIsChosen()
    {
        NoKeyboard noKeyboard;
        MainWindow window;
        showActive(window);
        AllControlsWindow *table = AllControlsWindow::open(window, window.document());
        auto *exportButton = table->findChild<QPushButton *>(QStringLiteral("btnExportSheet"));
        QVERIFY(exportButton);
        QCOMPARE(exportButton->text(), QStringLiteral("Export Sheet..."));

        DialogAnswerer answerer;
        answerer.chooseFile(dir.filePath("sheet")); // no extension: the PDF filter's
        answerer.chooseFile(dir.filePath("sheet.png"));
        answerer.chooseFile(dir.filePath("no/such/folder/sheet.pdf"));
        answerer.pressInMessageBox();
        QTest::mouseClick(exportButton, Qt::LeftButton);
        QVERIFY(readAll(dir.filePath("sheet.pdf")).startsWith("%PDF-"));
        QTest::mouseClick(exportButton, Qt::LeftButton);
        QCOMPARE(QImage(dir.filePath("sheet.png")).size(), QSize(1754, 1240));
        QTest::mouseClick(exportButton, Qt::LeftButton);
        QVERIFY2(answerer.problems.isEmpty(), qPrintable(answerer.problems.join("; ")));
        QVERIFY(answerer.allStepsTaken());
        QCOMPARE(answerer.messages.size(), 1);
        QVERIFY2(answerer.messages.first().startsWith(QStringLiteral("Error: Could not export the sheet to \"")),
                 qPrintable(answerer.messages.first()));
    }
};

QTEST_MAIN(TestAllControls)
#include "tst_allcontrols.moc"
