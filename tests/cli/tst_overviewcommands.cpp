// telvir check and telvir sheet: the controls that clash, with their exit
// status, and the printable sheet made by a telvir process of its own, as
// from a shell without a display.

#include "cli/commandline.h"
#include "model/settingsdocument.h"
#include "support/testfiles.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr int kVolume = 0;
constexpr int kCutoff = 1;
constexpr int kOff = 0;
constexpr int kChannel1 = 0;
constexpr int kGlobal = 16;

struct Outcome
{
    int status;
    QString out;
    QString err;
};

Outcome telvir(const QStringList &arguments)
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int status = CommandLine(outStream, errStream).run(arguments);
    outStream.flush();
    errStream.flush();
    return {status, out, err};
}

// A record whose Volume sends what Cutoff sends: CC 74 on channel 1.
Settings volumeOnCutoff()
{
    Settings settings;
    settings.controls[kVolume].ccNumber = 74;
    return settings;
}

// How many pixels of the image have exactly this colour.
int pixelsOf(const QImage &picture, QRgb colour)
{
    // A PNG may come back as any format; its lines are read as 32-bit pixels.
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            count += (line[x] & 0xFFFFFF) == (colour & 0xFFFFFF);
    }
    return count;
}
} // namespace

class TestOverviewCommands : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    QString path(const QString &name) const { return dir.filePath(name); }

    QString settingsFile(const QString &name, const Settings &settings)
    {
        const QString file = path(name);
        if (!SettingsDocument::save(file, settings))
            qFatal("cannot write %s", qPrintable(file));
        return file;
    }

    // The installed program, as a shell runs it: no display at all.
    Outcome telvirProcess(const QStringList &arguments, const QString &platform = QString())
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        environment.remove("QT_QPA_PLATFORM");
        if (!platform.isEmpty())
            environment.insert("QT_QPA_PLATFORM", platform);
        // Nor a login session's runtime folder: the sheet is made quietly
        // all the same.
        environment.remove("XDG_RUNTIME_DIR");
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(TELVIR_PROGRAM), arguments);
        if (!process.waitForFinished(60000))
            return {-1, QString(), QStringLiteral("did not finish")};
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromLocal8Bit(process.readAllStandardOutput()),
                QString::fromLocal8Bit(process.readAllStandardError())};
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
    }

    void checkExitsOneWhileControlsClash()
    {
        const Outcome factory = telvir({"check", settingsFile("factory.telvir", Settings())});
        QCOMPARE(factory.status, 0);
        QVERIFY(factory.out.isEmpty() && factory.err.isEmpty());

        Settings settings = volumeOnCutoff();
        const Outcome global = telvir({"check", settingsFile("global.telvir", settings)});
        QCOMPARE(global.status, 1);
        QCOMPARE(global.out, QStringLiteral("CC 74 ch 1: Volume, Cutoff\n"));

        // One on "Global" with the global channel 1, one on channel 1; a
        // document says so as plainly as a settings file.
        settings.controls[kCutoff].channel = kChannel1;
        const Outcome mixed = telvir({"check", settingsFile("mixed.json", settings)});
        QCOMPARE(mixed.status, 1);
        QCOMPARE(mixed.out, QStringLiteral("CC 74 ch 1: Volume, Cutoff\n"));

        settings.controls[kVolume].mode = kOff;
        const Outcome off = telvir({"check", settingsFile("off.telvir", settings)});
        QCOMPARE(off.status, 0);
        QVERIFY(off.out.isEmpty());

        // Trouble is 2, never taken for "no clash" or "clash".
        const Outcome missing = telvir({"check", path("missing.telvir")});
        QCOMPARE(missing.status, 2);
        QVERIFY(missing.err.startsWith("telvir: ") && missing.err.count('\n') == 1);
        QCOMPARE(telvir({"check"}).status, 2);
        QCOMPARE(telvir({"check", "a.telvir", "--json"}).status, 2);
    }

    void showMarksTheClashingRows()
    {
        Settings settings = volumeOnCutoff();
        settings.controls[kCutoff].channel = kGlobal;
        const Outcome shown = telvir({"show", settingsFile("show.telvir", settings)});
        QCOMPARE(shown.status, 0);
        const QStringList lines = shown.out.split('\n');
        // Six globals, a blank line, the header, then Volume and Cutoff.
        QVERIFY2(lines[8].startsWith("Volume ") && lines[8].endsWith("  ! Clashes with Cutoff"), qPrintable(lines[8]));
        QVERIFY2(lines[9].startsWith("Cutoff ") && lines[9].endsWith("  ! Clashes with Volume"), qPrintable(lines[9]));
        QCOMPARE(shown.out.count(QStringLiteral("Clashes with")), 2);
    }

    void sheetAsPdfIsOneA4LandscapePage()
    {
        const QString input = settingsFile("factory.telvir", Settings());
        const Outcome made = telvirProcess({"sheet", input, path("factory.pdf")});
        QCOMPARE(made.status, 0);
        QCOMPARE(made.err, QString());
        QVERIFY(made.out.isEmpty());

        const QByteArray pdf = readAll(path("factory.pdf"));
        // With its binary streams: fromLatin1 of a QByteArray alone would stop at a zero byte.
        const QString text = QString::fromLatin1(pdf.constData(), pdf.size());
        QVERIFY(pdf.startsWith("%PDF-"));
        QVERIFY(pdf.trimmed().endsWith("%%EOF"));
        // One page object beside the one page tree.
        QCOMPARE(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))), 1);
        const QRegularExpressionMatch box =
            QRegularExpression(QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)\\s*\\]"))
                .match(text);
        QVERIFY(box.hasMatch());
        // A4 landscape: 297 x 210 mm in points.
        QVERIFY(qAbs(box.captured(1).toDouble() - 841.9) < 1.0);
        QVERIFY(qAbs(box.captured(2).toDouble() - 595.3) < 1.0);
        // The keyboard picture is in it, at its own size.
        QVERIFY(pdf.contains("/Width 745") && pdf.contains("/Height 376"));
    }

    void sheetAsPngShowsTheSamePageAndItsClashes()
    {
        const Outcome factory = telvirProcess({"sheet", settingsFile("factory.json", Settings()), path("factory.png")});
        QCOMPARE(factory.status, 0);
        QCOMPARE(factory.err, QString());
        const QImage page(path("factory.png"));
        QVERIFY(!page.isNull());
        // The PDF's page: A4 landscape, 150 dots per inch.
        QCOMPARE(page.size(), QSize(1754, 1240));
        QCOMPARE(qRound(page.dotsPerMeterX() * 0.0254), 150);
        // White paper round a dark keyboard picture at the top left...
        QCOMPARE(page.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);
        QCOMPARE(page.pixel(page.width() - 5, page.height() - 5) & 0xFFFFFF, 0xFFFFFFu);
        QVERIFY(qGray(page.pixel(page.width() / 3, page.height() / 3)) < 90);
        // ...and the table below it, written in dark ink on light rows.
        const QImage table = page.copy(0, page.height() * 2 / 3, page.width(), page.height() / 4);
        const int ink = pixelsOf(table.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither), qRgb(0, 0, 0));
        QVERIFY2(ink > table.width() * table.height() / 100, qPrintable(QString::number(ink)));
        // The factory settings have no clash: nothing is marked.
        const QRgb clashFill = qRgb(250, 212, 212);
        QCOMPARE(pixelsOf(page, clashFill), 0);

        const Outcome clashing = telvirProcess({"--verbose", "sheet", settingsFile("clash.telvir", volumeOnCutoff()),
                                                path("clash.png")});
        QCOMPARE(clashing.status, 0);
        const QImage marked(path("clash.png"));
        QCOMPARE(marked.size(), page.size());
        // Two rows marked, each the width of a table block.
        QVERIFY2(pixelsOf(marked, clashFill) > 2 * page.width() / 3 * 10, qPrintable(QString::number(pixelsOf(marked, clashFill))));
    }

    void sheetRefusesWhatItCannotMakeAndKeepsOldFiles()
    {
        const QString input = settingsFile("refuse.telvir", Settings());
        const Outcome wrongKind = telvirProcess({"sheet", input, path("sheet.jpg")});
        QCOMPARE(wrongKind.status, 2);
        QCOMPARE(wrongKind.err, QStringLiteral("telvir: the sheet is written as OUT.pdf or OUT.png, not '%1' (see telvir --help)\n")
                                    .arg(path("sheet.jpg")));
        QVERIFY(!QFile::exists(path("sheet.jpg")));

        const QString existing = writeTestFile(dir, "existing.pdf", "kept");
        const Outcome missing = telvirProcess({"sheet", path("missing.telvir"), existing});
        QCOMPARE(missing.status, 1);
        QVERIFY(missing.err.startsWith("telvir: ") && missing.err.count('\n') == 1);
        QCOMPARE(readAll(existing), QByteArray("kept"));

        const Outcome noFolder = telvirProcess({"sheet", input, path("no/such/folder/sheet.pdf")});
        QCOMPARE(noFolder.status, 1);
        QVERIFY2(noFolder.err.startsWith("telvir: could not write "), qPrintable(noFolder.err));
    }

    void commandsThatDoNotPaintNeedNoDisplay()
    {
        // A platform that cannot start here: a command that made a GUI
        // application would abort.
        const Outcome shown = telvirProcess({"show", settingsFile("plain.telvir", Settings())}, "xcb");
        QCOMPARE(shown.status, 0);
        QVERIFY(shown.out.startsWith("Channel: 1\n"));
        QCOMPARE(telvirProcess({"check", path("plain.telvir")}, "xcb").status, 0);
    }
};

QTEST_GUILESS_MAIN(TestOverviewCommands)
#include "tst_overviewcommands.moc"
