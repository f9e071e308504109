// The progress window of the firmware update.

#include "progressbarwindow.h"

#include <QAbstractButton>
#include <QLayout>
#include <QProgressBar>
#include <QtTest>

class TestProgressBarWindow : public QObject
{
    Q_OBJECT

private slots:
    void theFormIsOneBarWithFixedGeometry()
    {
        ProgressBarWindow window;
        QCOMPARE(window.objectName(), QString("ProgressBarWindow"));
        QCOMPARE(window.windowTitle(), QString("Processing..."));
        QCOMPARE(window.size(), QSize(400, 49));
        QVERIFY(window.layout() == nullptr);
        QVERIFY(window.findChildren<QAbstractButton *>().isEmpty());

        auto *bar = window.findChild<QProgressBar *>("progressBar");
        QVERIFY(bar);
        QCOMPARE(bar->geometry(), QRect(10, 10, 381, 31));
        QCOMPARE(bar->value(), 24);
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 100);
    }

    void progressFillsTheBarFromEmptyToFull()
    {
        ProgressBarWindow window;
        auto *bar = window.findChild<QProgressBar *>("progressBar");
        window.setProgress(0);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(bar->text(), QString("0%"));
        window.setProgress(100);
        QCOMPARE(bar->value(), 100);
        QCOMPARE(bar->text(), QString("100%"));
    }

    void settingProgressHandlesPendingEvents()
    {
        ProgressBarWindow window;
        bool handled = false;
        QTimer::singleShot(0, &window, [&handled] { handled = true; });
        window.setProgress(10);
        QVERIFY(handled);
    }

    void aClosedWindowStaysHiddenWhileProgressGoesOn()
    {
        QWidget parent;
        ProgressBarWindow window(&parent);
        QCOMPARE(window.parentWidget(), &parent);
        window.setProgress(0);
        window.show();
        QVERIFY(window.isVisible());
        QVERIFY(window.close());
        QVERIFY(!window.isVisible());
        window.setProgress(60);
        QVERIFY(!window.isVisible());
        QCOMPARE(window.findChild<QProgressBar *>("progressBar")->value(), 60);
    }
};

QTEST_MAIN(TestProgressBarWindow)
#include "tst_progressbarwindow.moc"
