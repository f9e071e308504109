// Every text of the window shown whole at its fixed size: each label,
// button, line edit and group title, and every item each selection field
// can show, against the room its widget gives it (the style's contents
// rectangle and the font's metrics). Run by CTest with the system's fonts
// and with DejaVu Sans alone (a desktop without Liberation, where Arial
// falls back to it), each at scale 1 and 2; and in each shipped language
// (TELVIR_LANGUAGE) with DejaVu Sans at scale 1 and 2. The status line is
// measured at its longest: linked, a read that missed settings, changes not
// sent and clashing controls.

#include "editorprobe.h"
#include "linkedwindow.h"
#include "nokeyboard.h"
#include "model/controlfields.h"
#include "model/editorsnapshot.h"
#include "model/librarystore.h"
#include "model/snapshotstore.h"
#include "translations/userlanguage.h"

#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QUuid>
#include <QtTest>

#include <optional>

namespace {
struct CutText
{
    QString widget;
    QString text;
    int needed;
    int room;
};

// What a text needs on the screen: blanks at its end show nothing.
int neededWidth(const QWidget *widget, const QString &text)
{
    QString shown = text;
    while (shown.endsWith(QLatin1Char(' ')))
        shown.chop(1);
    return widget->fontMetrics().horizontalAdvance(shown);
}

int labelRoom(const QLabel *label)
{
    const int indent = label->indent() > 0 ? label->indent() : 0;
    return label->contentsRect().width() - 2 * label->margin() - indent;
}

int buttonRoom(const QPushButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.rect = button->rect();
    option.text = button->text();
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
}

// The combo box draws its current item into its edit field, a pixel in
// from each side.
int comboRoom(const QComboBox *box)
{
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.rect = box->rect();
    option.editable = box->isEditable();
    option.frame = box->hasFrame();
    return box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box).width() - 2;
}

// A line edit keeps two pixels free on either side of its text.
int lineEditRoom(const QLineEdit *edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->rect();
    option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    const QMargins margins = edit->textMargins();
    return edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit).width() - margins.left()
           - margins.right() - 2 * 2;
}

class Measure
{
public:
    explicit Measure(const MainWindow &window) : window_(window) {}

    // Every text the window shows now, and every item of every list.
    void everything()
    {
        for (const QWidget *widget : window_.findChildren<QWidget *>()) {
            if (!widget->isVisibleTo(&window_))
                continue;
            if (const auto *label = qobject_cast<const QLabel *>(widget)) {
                if (label->wordWrap())
                    checkWrapped(label);
                else
                    check(label, label->text(), labelRoom(label));
            } else if (const auto *button = qobject_cast<const QPushButton *>(widget)) {
                check(button, button->text(), buttonRoom(button));
            } else if (const auto *box = qobject_cast<const QComboBox *>(widget)) {
                for (int item = 0; item < box->count(); ++item)
                    check(box, box->itemText(item), comboRoom(box));
            } else if (const auto *edit = qobject_cast<const QLineEdit *>(widget)) {
                check(edit, edit->text(), lineEditRoom(edit));
            } else if (const auto *group = qobject_cast<const QGroupBox *>(widget)) {
                QStyleOptionGroupBox option;
                option.initFrom(group);
                option.rect = group->rect();
                option.text = group->title();
                option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
                const QRect title =
                    group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
                check(group, group->title(), group->width() - title.left());
            }
            ++widgets_;
        }
    }

    int widgets() const { return widgets_; }
    int texts() const { return texts_.size(); }

    QString report() const
    {
        QStringList lines;
        for (const CutText &cut : cuts_)
            lines << QStringLiteral("%1: \"%2\" needs %3 px, has %4").arg(cut.widget, cut.text).arg(cut.needed).arg(cut.room);
        return lines.join(QLatin1Char('\n'));
    }
    bool allFit() const { return cuts_.isEmpty(); }

private:
    void check(const QWidget *widget, const QString &text, int room)
    {
        if (text.trimmed().isEmpty())
            return;
        const QString key = widget->objectName() + QLatin1Char('\n') + text;
        if (texts_.contains(key))
            return;
        texts_.insert(key);
        const int needed = neededWidth(widget, text);
        if (needed > room)
            cuts_ << CutText{widget->objectName(), text, needed, room};
    }

    // A label that breaks its text into lines: no word wider than the
    // label, and all lines within its height.
    void checkWrapped(const QLabel *label)
    {
        const QStringList words = label->text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (const QString &word : words)
            check(label, word, labelRoom(label));
        const QRect lines = label->fontMetrics().boundingRect(QRect(0, 0, labelRoom(label), 10000),
                                                               int(label->alignment()) | Qt::TextWordWrap,
                                                               label->text());
        const int room = label->contentsRect().height() - 2 * label->margin();
        if (lines.height() > room)
            cuts_ << CutText{label->objectName(), label->text() + QStringLiteral(" (height)"), lines.height(), room};
    }

    const MainWindow &window_;
    QSet<QString> texts_;
    QList<CutText> cuts_;
    int widgets_ = 0;
};
} // namespace

class TestTextsFit : public QObject
{
    Q_OBJECT

    std::optional<NoKeyboard> noKeyboard{std::in_place};

private slots:
    void initTestCase()
    {
        // What a desktop gives the editor where no desktop-specific theme
        // chooses otherwise (Qt's generic Unix theme): "Sans Serif" at 9
        // points, which fontconfig resolves; the offscreen platform would
        // take 12 points instead.
        QApplication::setFont(QFont(QStringLiteral("Sans Serif"), 9));
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QFile styleSheet(QStringLiteral(":/main/style.qss"));
        QVERIFY(styleSheet.open(QIODevice::ReadOnly));
        qApp->setStyleSheet(QString::fromUtf8(styleSheet.readAll()));

        const QString language = qEnvironmentVariable("TELVIR_LANGUAGE");
        if (!language.isEmpty())
            QCOMPARE(UserLanguage::install(QLocale(language)), language);
    }

    void theWindowSpeaksTheLanguageThisRunIsAbout()
    {
        MainWindow window;
        const QString title = widgetOf<QGroupBox>(window, "groupBox")->title();
        if (qEnvironmentVariableIsEmpty("TELVIR_LANGUAGE"))
            QCOMPARE(title, QStringLiteral("Global Parameters"));
        else
            QVERIFY2(title != QLatin1String("Global Parameters"), qPrintable(title));
    }

    void theFontIsTheOneThisRunIsAbout()
    {
        MainWindow window;
        window.show();
        const QString family = QFontInfo(widgetOf<QLabel>(window, "label_6")->font()).family();
        const QString expected = qEnvironmentVariable("TELVIR_EXPECTED_FONT");
        if (!expected.isEmpty())
            QCOMPARE(family, expected);
        qInfo("font: %s at scale %s", qPrintable(family), qPrintable(qEnvironmentVariable("QT_SCALE_FACTOR", "1")));
    }

    void everyTextOfEveryControlFitsItsWidget()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.size(), formSizeWithMenus(window));

        Measure measure(window);
        measure.everything();
        // Both pad banks: each marker shows its control's name, mode list
        // and, for every mode, that mode's options and values.
        const QList<DeviceWidget *> markers = window.findChildren<DeviceWidget *>();
        for (int bank = 0; bank < 2; ++bank) {
            for (DeviceWidget *marker : markers) {
                if (marker->objectName() == QLatin1String("padSwitch"))
                    continue;
                QTest::mouseClick(marker, Qt::LeftButton);
                QComboBox *mode = field(window, "mode");
                for (int index = 0; index < mode->count(); ++index) {
                    mode->setCurrentIndex(index);
                    measure.everything();
                }
            }
            QTest::mouseClick(marker(window, "padSwitch"), Qt::LeftButton);
        }
        QVERIFY2(measure.allFit(), qPrintable(QStringLiteral("\n") + measure.report()));
        // Not a check that looked at nothing: the form's fields and the
        // names of the 37 controls, their modes and options.
        QVERIFY2(measure.texts() > 200, qPrintable(QString::number(measure.texts())));
    }

    void theStatusLineIsWholeWhenItSaysMost()
    {
        // A port name as long as systems give them: it gives way, the rest
        // of the line stays whole.
        const std::string port = "Telvir Keyboard 61:MIDI In 1234"; // as long as the port layer keeps
        noKeyboard.reset();
        VirtualKeyboardRig rig({port}, {port});
        rig.attachSimulator(port, port).setParameterReplyLimit(100);
        // An editor that did not close left its changes: the bar that
        // offers them is there too.
        {
            LibraryStore store;
            QVERIFY(SnapshotStore(store).keep(QUuid::createUuid().toString(QUuid::WithoutBraces),
                                              QDateTime::currentDateTime(), EditorSnapshot().encode()));
        }
        const std::unique_ptr<MainWindow> window = linkedWindow();
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QWidget *recoveryBar = window->findChild<QWidget *>(QStringLiteral("recoveryBar"));
        QVERIFY(recoveryBar);
        const auto *statusLine = widgetOf<QLabel>(*window, "statusLine");
        Measure measure(*window);
        measure.everything();
        // Volume onto Cutoff's number: two controls clash; then more.
        window->editControlField(0, *controlField(QStringLiteral("ccNumber")), 74);
        measure.everything();
        window->editControlField(1, *controlField(QStringLiteral("ccNumber")), 75);
        window->editControlField(0, *controlField(QStringLiteral("ccNumber")), 75);
        window->editControlField(2, *controlField(QStringLiteral("ccNumber")), 75);
        measure.everything();
        QVERIFY2(measure.allFit(), qPrintable(QStringLiteral("\n") + measure.report()));
        // Not a line that said less: the link, the read, the changes and
        // the clash, and the whole of it in the tooltip.
        const QString shown = statusLine->text();
        qInfo("status line: %s", qPrintable(shown));
        QVERIFY2(shown.contains(QLatin1String("Telvir")) && shown.contains(QLatin1String("100"))
                     && shown.count(QLatin1Char(',')) >= 2,
                 qPrintable(shown));
        QVERIFY2(statusLine->toolTip().contains(QString::fromStdString(port)), qPrintable(statusLine->toolTip()));
        QVERIFY(statusLine->toolTip().endsWith(shown.section(QLatin1Char(','), -2)));
        if (qEnvironmentVariableIsEmpty("TELVIR_LANGUAGE"))
            QVERIFY2(shown.contains(QLatin1String(" changes not sent, ")) && shown.endsWith(QLatin1String(" controls clash")),
                     qPrintable(shown));
        QVERIFY(QMetaObject::invokeMethod(recoveryBar, "discard"));
        noKeyboard.emplace();
    }
};

QTEST_MAIN(TestTextsFit)
#include "tst_textsfit.moc"
