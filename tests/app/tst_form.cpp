// The main window's form: widget names, classes, places, texts and item
// lists, as the rest of the editor and the keyboard picture rely on them.

#include "editorprobe.h"
#include "nokeyboard.h"

#include "model/controlgeometry.h"

#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QtTest>

class TestForm : public QObject
{
    Q_OBJECT

    // These tests are about the window itself; it starts without a keyboard.
    NoKeyboard noKeyboard;

private slots:
    void windowHasItsFixedSizeAndTitle()
    {
        MainWindow window;
        QCOMPARE(window.objectName(), QStringLiteral("MainWindow"));
        QCOMPARE(window.size(), formSizeWithMenus(window));
        QCOMPARE(window.sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
        QCOMPARE(window.sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
        QCOMPARE(window.windowTitle(), QStringLiteral("MainWindow"));
        QCOMPARE(window.centralWidget()->objectName(), QStringLiteral("centralWidget"));
        QVERIFY(window.centralWidget()->layout() == nullptr);
    }

    void panelsAndPictureSitWhereTheFormPutsThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("picture") << "label" << QRect(10, 200, 751, 371);
        QTest::newRow("global panel") << "groupBox" << QRect(10, 0, 211, 191);
        QTest::newRow("global fields") << "verticalLayoutWidget" << QRect(10, 20, 192, 164);
        QTest::newRow("control panel") << "groupBox_2" << QRect(230, 0, 371, 191);
        QTest::newRow("control fields") << "horizontalLayoutWidget_6" << QRect(10, 20, 351, 161);
        QTest::newRow("command buttons") << "verticalLayoutWidget_2" << QRect(610, 0, 140, 191);
    }

    void panelsAndPictureSitWhereTheFormPutsThem()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        MainWindow window;
        auto *widget = window.findChild<QWidget *>(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), geometry);
    }

    void pictureIsTheEmbeddedKeyboardAtNaturalSize()
    {
        MainWindow window;
        auto *picture = widgetOf<QLabel>(window, "label");
        QCOMPARE(picture->pixmap(Qt::ReturnByValue).size(), QSize(745, 376));
        QVERIFY(picture->text().isEmpty());
        QVERIFY(!picture->hasScaledContents());
        QVERIFY(!picture->autoFillBackground());
        QCOMPARE(widgetOf<QGroupBox>(window, "groupBox")->title(), QStringLiteral("Global Parameters"));
        QCOMPARE(widgetOf<QGroupBox>(window, "groupBox_2")->title(), QStringLiteral("Selected Control Parameters"));
    }

    void thirtyMarkersCoverTheirControls_data()
    {
        QTest::addColumn<QString>("name");
        // -1 for the pad-bank button, which is no control.
        QTest::addColumn<int>("control");
        QTest::newRow("Volume") << "pushButton_5" << 0;
        QTest::newRow("Pad #1") << "pushButton_21" << 16;
        QTest::newRow("Pad #2") << "pushButton_22" << 17;
        QTest::newRow("Pad #3") << "pushButton_23" << 18;
        QTest::newRow("Pad #4") << "pushButton_24" << 19;
        QTest::newRow("Pad #5") << "pushButton_25" << 20;
        QTest::newRow("Pad #6") << "pushButton_26" << 21;
        QTest::newRow("Pad #7") << "pushButton_27" << 22;
        QTest::newRow("Pad #8") << "pushButton_28" << 23;
        QTest::newRow("Cutoff") << "pushButton_6" << 1;
        QTest::newRow("Resonance") << "pushButton_7" << 2;
        QTest::newRow("Chorus") << "pushButton_8" << 3;
        QTest::newRow("Attack") << "pushButton_9" << 4;
        QTest::newRow("Decay") << "pushButton_10" << 5;
        QTest::newRow("Sustain") << "pushButton_11" << 6;
        QTest::newRow("Release") << "pushButton_12" << 7;
        QTest::newRow("Select") << "pushButton_13" << 8;
        QTest::newRow("LFO Rate") << "pushButton_14" << 9;
        QTest::newRow("LFO Amount") << "pushButton_15" << 10;
        QTest::newRow("Delay") << "pushButton_16" << 11;
        QTest::newRow("Params 1") << "pushButton_17" << 12;
        QTest::newRow("Params 2") << "pushButton_18" << 13;
        QTest::newRow("Params 3") << "pushButton_19" << 14;
        QTest::newRow("Params 4") << "pushButton_20" << 15;
        QTest::newRow("OCT -") << "pushButton_29" << 32;
        QTest::newRow("OCT +") << "pushButton_30" << 33;
        QTest::newRow("Pitch") << "pushButton_31" << 34;
        QTest::newRow("Mod") << "pushButton_32" << 35;
        QTest::newRow("pad bank") << "padSwitch" << -1;
        QTest::newRow("Substain") << "pushButton_33" << 36;
    }

    void thirtyMarkersCoverTheirControls()
    {
        QFETCH(QString, name);
        QFETCH(int, control);
        // Where the control table puts it on the picture, which the form's
        // 751 x 371 label at (10, 200) shows centred from top to bottom:
        // the 376-pixel picture starts 2 pixels above the label.
        const QRect geometry = (control < 0 ? ControlGeometry::padBankOnPicture() : ControlGeometry::onPicture(control))
                                   .translated(10, 198);
        MainWindow window;
        auto *found = window.findChild<DeviceWidget *>(name);
        QVERIFY2(found, qPrintable(name));
        QCOMPARE(found->parentWidget(), window.centralWidget());
        QCOMPARE(found->geometry(), geometry);
        QCOMPARE(found->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
        QCOMPARE(found->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
        QCOMPARE(found->text(), name == QLatin1String("pushButton_33") ? QStringLiteral("Pedal") : QString());
        QVERIFY(!found->property("isSelected").toBool());
    }

    void markersLieAboveThePictureAndThereAreNoOthers()
    {
        MainWindow window;
        const QList<DeviceWidget *> markers = window.findChildren<DeviceWidget *>();
        QCOMPARE(markers.size(), 30);
        const QObjectList &children = window.centralWidget()->children();
        const int pictureOrder = children.indexOf(widgetOf<QLabel>(window, "label"));
        for (DeviceWidget *found : markers)
            QVERIFY2(children.indexOf(found) > pictureOrder, qPrintable(found->objectName()));
    }

    void globalFieldsListTheirItemsInStoredOrder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QStringList>("items");
        const QStringList curves = {"Linear", "Logarithmic", "Exponential", "Full"};
        QTest::newRow("channel") << "globalChannel" << "Channel:"
                                 << QStringList{"1", "2", "3", "4", "5", "6", "7", "8",
                                                "9", "10", "11", "12", "13", "14", "15", "16"};
        QTest::newRow("octave") << "octave" << "Octave   "
                                << QStringList{"0", "+1", "+2", "+3", "+4", "-1", "-2", "-3", "-4"};
        QTest::newRow("pad curve") << "padCurve" << "Pad Vel Curve:" << curves;
        QTest::newRow("accel") << "accel" << "Knob Accel:" << QStringList{"Slow", "Medium", "Fast"};
        QTest::newRow("knob mode") << "knobMode" << "Knob Mode" << QStringList{"absolute", "relative"};
        QTest::newRow("velocity curve") << "velocityCurve" << "Velocity curve:" << curves;
        QTest::newRow("memory") << "memId" << "Send to Mem"
                                << QStringList{"workArea", "1", "2", "3", "4", "5", "6", "7", "8"};
    }

    void globalFieldsListTheirItemsInStoredOrder()
    {
        QFETCH(QString, name);
        QFETCH(QString, label);
        QFETCH(QStringList, items);
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        SettingComboBox *box = field(window, qPrintable(name));
        QCOMPARE(itemsOf(box), items);
        // The factory value of every global byte, and "workArea", is position 0.
        QCOMPARE(box->currentIndex(), 0);
        QVERIFY(box->isEnabled());

        // Each field sits in its row to the right of its label.
        bool labelFound = false;
        for (QLabel *candidate : box->parentWidget()->findChildren<QLabel *>()) {
            if (candidate->text() == label) {
                labelFound = true;
                QVERIFY(candidate->geometry().right() < box->geometry().left());
                QVERIFY(qAbs(candidate->geometry().center().y() - box->geometry().center().y()) <= 2);
            }
        }
        QVERIFY2(labelFound, qPrintable(label));
    }

    void fieldsAreStackedInTheirPanels_data()
    {
        QTest::addColumn<QString>("container");
        QTest::addColumn<QStringList>("column");
        QTest::newRow("global") << "verticalLayoutWidget"
                                << QStringList{"globalChannel", "octave", "padCurve", "accel", "knobMode", "velocityCurve"};
        QTest::newRow("control, left") << "horizontalLayoutWidget_6"
                                       << QStringList{"widgetName", "ccNumber", "mode", "lsb"};
        QTest::newRow("control, right") << "horizontalLayoutWidget_6"
                                        << QStringList{"channel", "val", "modeOption", "msb"};
        QTest::newRow("commands") << "verticalLayoutWidget_2"
                                  << QStringList{"btnSend", "memId", "btnDefault", "btnLoad", "btnSave", "pushButton"};
    }

    void fieldsAreStackedInTheirPanels()
    {
        QFETCH(QString, container);
        QFETCH(QStringList, column);
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *panel = window.findChild<QWidget *>(container);
        QVERIFY(panel);
        int previousBottom = -1;
        int left = -1;
        for (const QString &name : column) {
            auto *widget = panel->findChild<QWidget *>(name);
            QVERIFY2(widget, qPrintable(name));
            QCOMPARE(widget->parentWidget(), panel);
            const QRect place = widget->geometry();
            QVERIFY2(panel->rect().contains(place), qPrintable(name));
            QVERIFY2(place.top() > previousBottom, qPrintable(name));
            previousBottom = place.bottom();
            if (container == QLatin1String("horizontalLayoutWidget_6")) {
                // One column: the fields line up on their right edges.
                if (left >= 0 && name != QLatin1String("widgetName"))
                    QCOMPARE(place.right(), left);
                if (name != QLatin1String("widgetName"))
                    left = place.right();
            }
        }
    }

    void controlFieldsStartEmpty()
    {
        MainWindow window;
        for (const char *name : {"channel", "ccNumber", "mode", "modeOption", "lsb", "val", "msb"}) {
            QCOMPARE(field(window, name)->count(), 0);
            QCOMPARE(field(window, name)->currentIndex(), -1);
        }
        QCOMPARE(window.findChildren<SettingComboBox *>().size(), 14);
        QCOMPARE(shownControl(window), QString());
        QCOMPARE(window.currentControlIndex(), -1);
    }

    void controlNameCannotBeEditedOrFocused()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *name = widgetOf<QLineEdit>(window, "widgetName");
        QVERIFY(!name->isEnabled());
        QCOMPARE(name->sizePolicy().horizontalPolicy(), QSizePolicy::Minimum);
        QCOMPARE(name->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
        name->setFocus();
        QVERIFY(!name->hasFocus());
        QTest::keyClicks(name, QStringLiteral("typed"));
        QCOMPARE(name->text(), QString());
    }

    void commandButtonsCarryTheirTexts()
    {
        MainWindow window;
        const QList<QPair<const char *, QString>> buttons = {
            {"btnSend", "Send to Keyboard"}, {"btnDefault", "Default Values"}, {"btnLoad", "Load..."},
            {"btnSave", "Save..."}, {"pushButton", "Upgrade firmware..."},
        };
        for (const auto &button : buttons) {
            auto *found = widgetOf<QPushButton>(window, button.first);
            QVERIFY(!qobject_cast<DeviceWidget *>(found));
            QCOMPARE(found->text(), button.second);
        }
        QCOMPARE(widgetOf<QLabel>(window, "label_6")->text(), QStringLiteral("Send to Mem"));
    }

    void labelsOfTheControlFields()
    {
        MainWindow window;
        const QList<QPair<const char *, QString>> labels = {
            {"label_14", "CC Number"}, {"label_11", "Mode:      "}, {"label_8", "Min / LSB:"},
            {"label_7", "Channel:"},   {"label_15", "Value"},      {"label_9", "Mode Option:"},
            {"label_10", "Max / MSB:"},
        };
        for (const auto &label : labels)
            QCOMPARE(widgetOf<QLabel>(window, label.first)->text(), label.second);
    }
};

QTEST_MAIN(TestForm)
#include "tst_form.moc"
