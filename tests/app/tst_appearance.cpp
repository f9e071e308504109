// The embedded style sheet and keyboard picture, and how a marker looks
// before and after it is selected.

#include "editorprobe.h"
#include "nokeyboard.h"

#include "app/applicationstyle.h"
#include "keyboardpicture.h"
#include "model/controlcatalogue.h"
#include "model/controlgeometry.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QAbstractItemView>
#include <QMetaProperty>
#include <QScrollBar>
#include <QStyleFactory>
#include <QtTest>

namespace {
// What the JPEG's losses leave between a picture and the drawing it was
// made of, on the mean of a control's rectangle (some 2 to 5 levels), and
// what moving the drawing by two pixels adds at least (some 3 to 13).
constexpr double kJpegLossLevels = 6.5;
constexpr double kMovedLevels = 2.0;

QByteArray resourceBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The colour a fill of `fill` at `alpha` (0..255) gives over `under`.
QRgb blended(QRgb under, QColor fill, int alpha)
{
    auto mix = [alpha](int below, int above) { return (above * alpha + below * (255 - alpha) + 127) / 255; };
    return qRgb(mix(qRed(under), fill.red()), mix(qGreen(under), fill.green()), mix(qBlue(under), fill.blue()));
}

bool closeTo(QRgb actual, QRgb expected, int tolerance)
{
    return qAbs(qRed(actual) - qRed(expected)) <= tolerance && qAbs(qGreen(actual) - qGreen(expected)) <= tolerance
           && qAbs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

QString rgbText(QRgb colour)
{
    return QStringLiteral("(%1, %2, %3)").arg(qRed(colour)).arg(qGreen(colour)).arg(qBlue(colour));
}
} // namespace

class TestAppearance : public QObject
{
    Q_OBJECT

    // These tests are about the window itself; it starts without a keyboard.
    NoKeyboard noKeyboard;

private:
    // What the window shows at `point` of the central widget.
    static QRgb shownAt(const MainWindow &window, QPoint point)
    {
        return window.centralWidget()->grab(QRect(point, QSize(1, 1))).toImage().pixel(0, 0);
    }

private slots:
    void initTestCase()
    {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        qApp->setStyleSheet(applicationStyleSheet());
        QVERIFY(!qApp->styleSheet().isEmpty());
    }

    void styleSheetIsEmbeddedByteForByte()
    {
        const QByteArray expected =
            "QWidget {\r\n"
            "    font-family: Arial;\r\n"
            "}\r\n"
            "\r\n"
            "DeviceWidget[isCircle=\"true\"] {\r\n"
            "    border-radius: 25px;\r\n"
            "}\r\n"
            "\r\n"
            "DeviceWidget[isSelected=\"false\"] {\r\n"
            "    border: none;\r\n"
            "    background-color: transparent;\r\n"
            "}\r\n"
            "\r\n"
            "DeviceWidget:hover[isSelected=\"false\"] {\r\n"
            "    background-color: transparent;\r\n"
            "    border: 2px dashed black;\r\n"
            "}\r\n"
            "\r\n"
            "DeviceWidget[isSelected=\"true\"] {\r\n"
            "    border: none;\r\n"
            "    background-color: rgba(255, 0, 0, 50%);\r\n"
            "}\r\n"
            "\r\n"
            "DeviceWidget:hover[isSelected=\"true\"] {\r\n"
            "    border: 2px dashed black;\r\n"
            "    background-color: rgba(255, 0, 0, 50%);\r\n"
            "}\r\n";
        const QByteArray embedded = resourceBytes(QStringLiteral(":/main/style.qss"));
        QCOMPARE(embedded.size(), 539);
        QCOMPARE(embedded, expected);
    }

    void pictureIsABaselineJpegOfTheKeyboardsSize()
    {
        const QByteArray jpeg = resourceBytes(QStringLiteral(":/main/ui.jpg"));
        QVERIFY(jpeg.startsWith(QByteArray::fromHex("ffd8ffe0")));
        QCOMPARE(jpeg.mid(6, 5), QByteArray("JFIF\0", 5));
        // Start of frame 0 (baseline): 8-bit samples, 376 lines, 745 columns, 3 components.
        const int frame = jpeg.indexOf(QByteArray::fromHex("ffc0"));
        QVERIFY(frame > 0);
        QCOMPARE(jpeg.mid(frame + 4, 6), QByteArray::fromHex("08017802e903"));
        QCOMPARE(jpeg.indexOf(QByteArray::fromHex("ffc2")), -1);

        QImageReader reader(QStringLiteral(":/main/ui.jpg"));
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage picture = reader.read();
        QCOMPARE(picture.size(), QSize(745, 376));
    }

    void theEmbeddedPictureIsDrawnFromTheControlTable()
    {
        // Drawn again from the table, every control's rectangle shows what
        // the embedded picture shows there, up to the JPEG's losses; the
        // same drawing two pixels off differs clearly, so a rectangle moved
        // in the table, or a picture drawn from other places, is seen.
        const QImage embedded = QImage(QStringLiteral(":/main/ui.jpg")).convertToFormat(QImage::Format_RGB32);
        const QImage drawn = KeyboardPicture::render();
        QCOMPARE(drawn.size(), embedded.size());
        // The mean difference per colour level over `area` of the embedded
        // picture, against the drawn one moved by `shift`.
        const auto meanDifference = [&](const QRect &area, const QPoint &shift) {
            qint64 total = 0;
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x) {
                    const QRgb a = drawn.pixel(x + shift.x(), y + shift.y());
                    const QRgb b = embedded.pixel(x, y);
                    total += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
                }
            }
            return double(total) / (3.0 * area.width() * area.height());
        };
        for (int control = 0; control <= kControlCount; ++control) {
            const QRect area = control == kControlCount ? ControlGeometry::padBankOnPicture()
                                                        : ControlGeometry::onPicture(control);
            const double same = meanDifference(area, QPoint(0, 0));
            const double moved = std::min(meanDifference(area, QPoint(2, 0)), meanDifference(area, QPoint(0, 2)));
            const QString levels = QStringLiteral("control %1: %2 levels off, moved %3").arg(control).arg(same).arg(moved);
            QVERIFY2(same < kJpegLossLevels, qPrintable(levels));
            QVERIFY2(moved - same > kMovedLevels, qPrintable(levels));
        }
    }

    void markerClassIsKnownToTheMetaObjectSystem()
    {
        const QMetaObject &meta = DeviceWidget::staticMetaObject;
        QCOMPARE(meta.className(), "DeviceWidget");
        QCOMPARE(meta.propertyCount() - meta.propertyOffset(), 1);
        const QMetaProperty selected = meta.property(meta.propertyOffset());
        QCOMPARE(selected.name(), "isSelected");
        QCOMPARE(selected.userType(), int(QMetaType::Bool));
        QVERIFY(selected.isReadable() && selected.isWritable() && selected.isDesignable() && selected.isStored());
        QVERIFY(!selected.hasNotifySignal());
        QCOMPARE(meta.methodCount() - meta.methodOffset(), 0);
        QCOMPARE(SettingComboBox::staticMetaObject.className(), "SettingComboBox");

        MainWindow window;
        QObject *asObject = marker(window, "pushButton_5");
        QVERIFY(qobject_cast<DeviceWidget *>(asObject));
        QObject *box = field(window, "octave");
        QVERIFY(qobject_cast<SettingComboBox *>(box));
        QVERIFY(!qobject_cast<DeviceWidget *>(box));
    }

    void writingThePropertyOnlyStoresIt()
    {
        MainWindow window;
        DeviceWidget *volume = marker(window, "pushButton_5");
        QVERIFY(volume->setProperty("isSelected", true));
        QVERIFY(volume->isSelected());
        QCOMPARE(window.currentControlIndex(), -1);
    }

    void selectedMarkerShowsAHalfRedFillAndNoFrame()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        DeviceWidget *volume = marker(window, "pushButton_5");
        const QRect place = volume->geometry();
        const QList<QPoint> points = {place.center(), place.topLeft(), place.bottomRight() - QPoint(1, 1)};

        // Unselected: the marker cannot be seen, the picture shows through.
        QVERIFY(!volume->isSelected());
        QList<QRgb> picture;
        const QPixmap pictureOnly = widgetOf<QLabel>(window, "label")->grab();
        for (const QPoint &point : points) {
            const QRgb under = pictureOnly.toImage().pixel(point - QPoint(10, 200));
            QCOMPARE(rgbText(shownAt(window, point)), rgbText(under));
            picture << under;
        }

        // Selected: half-opaque red over the picture, up to the edges.
        volume->markSelected();
        QVERIFY(volume->isSelected());
        for (int i = 0; i < points.size(); ++i) {
            const QRgb shown = shownAt(window, points[i]);
            const QRgb expected = blended(picture[i], Qt::red, 128);
            QVERIFY2(closeTo(shown, expected, 3),
                     qPrintable(QStringLiteral("at (%1, %2): %3, expected %4")
                                    .arg(points[i].x()).arg(points[i].y())
                                    .arg(rgbText(shown), rgbText(expected))));
        }

        volume->markUnselected();
        QVERIFY(!volume->isSelected());
        for (int i = 0; i < points.size(); ++i)
            QCOMPARE(rgbText(shownAt(window, points[i])), rgbText(picture[i]));
    }

    void keyboardFocusOutlinesTheFillButAClickDoesNot()
    {
        MainWindow window;
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const QImage picture = widgetOf<QLabel>(window, "label")->grab().toImage();
        const auto fillAt = [&](QPoint point) { return blended(picture.pixel(point - QPoint(10, 200)), Qt::red, 128); };
        DeviceWidget *volume = marker(window, "pushButton_5");
        const QRect place = volume->geometry();

        volume->markSelected();
        volume->setFocus(Qt::TabFocusReason);
        for (const QPoint &edge : {place.topLeft(), place.bottomRight(), place.topLeft() + QPoint(1, 25)})
            QCOMPARE(rgbText(shownAt(window, edge)), rgbText(qRgb(0, 120, 215)));
        QVERIFY(closeTo(shownAt(window, place.center()), fillAt(place.center()), 3));

        // Clicked, a marker takes the focus but shows its fill up to the edge.
        DeviceWidget *cutoff = marker(window, "pushButton_6");
        QTest::mouseClick(cutoff, Qt::LeftButton);
        QTest::mouseMove(&window, QPoint(5, 5)); // and no hover frame
        QVERIFY(cutoff->hasFocus());
        const QPoint corner = cutoff->geometry().topLeft();
        QVERIFY2(closeTo(shownAt(window, corner), fillAt(corner), 3), qPrintable(rgbText(shownAt(window, corner))));
    }

    void aMarkerChangedBeforeTheWindowShowsIsDrawnInItsLastState()
    {
        MainWindow window;
        DeviceWidget *volume = marker(window, "pushButton_5");
        DeviceWidget *pan = marker(window, "pushButton_6");
        const QList<QPoint> points = {volume->geometry().center(), pan->geometry().center()};
        // Never shown yet: the first polish comes with the window.
        volume->markSelected();
        pan->markSelected();
        pan->markUnselected();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const QImage pictureOnly = widgetOf<QLabel>(window, "label")->grab().toImage();
        const QRgb underVolume = pictureOnly.pixel(points[0] - QPoint(10, 200));
        const QRgb underPan = pictureOnly.pixel(points[1] - QPoint(10, 200));
        const QRgb shownVolume = shownAt(window, points[0]);
        QVERIFY2(closeTo(shownVolume, blended(underVolume, Qt::red, 128), 3), qPrintable(rgbText(shownVolume)));
        QCOMPARE(rgbText(shownAt(window, points[1])), rgbText(underPan));
    }

    void everyMarkerLiesOnADrawnControl()
    {
        // A marker over plain dark panel would mean that the picture and the
        // form disagree: under every marker there is a control with strong
        // contrast, or the light label plate of the pedal socket.
        MainWindow window;
        const QImage shown = widgetOf<QLabel>(window, "label")->grab().toImage();
        for (DeviceWidget *found : window.findChildren<DeviceWidget *>()) {
            const QRect onPicture = found->geometry().translated(-10, -200);
            int darkest = 255 * 3;
            int brightest = 0;
            qint64 total = 0;
            int count = 0;
            for (int y = onPicture.top() + 4; y <= onPicture.bottom() - 4; ++y) {
                for (int x = onPicture.left() + 4; x <= onPicture.right() - 4; ++x) {
                    const QRgb colour = shown.pixel(x, y);
                    const int level = qRed(colour) + qGreen(colour) + qBlue(colour);
                    darkest = qMin(darkest, level);
                    brightest = qMax(brightest, level);
                    total += level;
                    ++count;
                }
            }
            const bool contrasted = brightest - darkest > 150;
            const bool lightPlate = total / count > 450;
            QVERIFY2(contrasted || lightPlate, qPrintable(found->objectName()));
        }
    }

    void aLongPickerOpensAsAListOfAboutTwentyRowsThatScrolls()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        clickMarker(window, "pushButton_6");
        SettingComboBox *number = field(window, "ccNumber");
        QCOMPARE(number->count(), 128);
        number->showPopup();
        QAbstractItemView *list = number->view();
        QTRY_VERIFY(list->isVisible());
        const int rowHeight = list->visualRect(number->model()->index(0, 0)).height();
        const int rows = list->viewport()->height() / rowHeight;
        QVERIFY2(rows >= 18 && rows <= 21, qPrintable(QString::number(rows)));
        QVERIFY(list->verticalScrollBar()->isVisible());
        number->hidePopup();
    }
};

QTEST_MAIN(TestAppearance)
#include "tst_appearance.moc"
