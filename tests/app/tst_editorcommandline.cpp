// The editor's command line, read before any window or MIDI port exists.

#include "app/editorcommandline.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QtTest>

namespace {
using Outcome = EditorCommandLine::Outcome;

// Parses "telvir-editor <arguments>", split at the spaces.
Outcome parse(EditorCommandLine &commandLine, const QString &arguments)
{
    QStringList list = arguments.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    list.prepend(QStringLiteral("telvir-editor"));
    return commandLine.parse(list);
}
} // namespace

class TestEditorCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setApplicationName(QStringLiteral("telvir-editor"));
        QCoreApplication::setApplicationVersion(QStringLiteral(TELVIR_VERSION));
    }

    void helpAndVersionAnswerWithoutStartingTheEditor()
    {
        for (const char *option : {"--version", "-v"}) {
            EditorCommandLine version;
            QVERIFY(parse(version, QLatin1String(option)) == Outcome::Exit);
            QCOMPARE(version.exitCode(), 0);
            QVERIFY(!version.outputIsError());
            QVERIFY2(QRegularExpression(QStringLiteral("^telvir-editor \\d+\\.\\d+\\.\\d+\\n$"))
                         .match(version.output())
                         .hasMatch(),
                     qPrintable(version.output()));
            QCOMPARE(version.output(), QStringLiteral("telvir-editor " TELVIR_VERSION "\n"));
        }
        EditorCommandLine help;
        QVERIFY(parse(help, QStringLiteral("--help")) == Outcome::Exit);
        QCOMPARE(help.exitCode(), 0);
        QVERIFY(help.output().startsWith(QStringLiteral("Usage: ")));
        QVERIFY(help.output().contains(QStringLiteral(" [options] [FILE.telvir]\n")));
        QVERIFY(help.output().contains(QStringLiteral("--verbose")));
        // The toolkit's options are accepted but not listed.
        QVERIFY(!help.output().contains(QStringLiteral("platform")));
    }

    void wrongCommandLinesGiveStatus2AndTheUsage_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown option") << "--bogus" << "telvir-editor: Unknown option 'bogus'.";
        QTest::newRow("unknown single-dash word") << "-x a.telvir" << "telvir-editor: Unknown option 'x'.";
        QTest::newRow("value for a switch") << "--verbose=yes" << "telvir-editor: Unexpected value after '--verbose'.";
        QTest::newRow("two files") << "a.telvir b.telvir" << "telvir-editor: Only one settings file can be loaded.";
    }

    void wrongCommandLinesGiveStatus2AndTheUsage()
    {
        QFETCH(QString, arguments);
        QFETCH(QString, error);
        EditorCommandLine wrong;
        QVERIFY(parse(wrong, arguments) == Outcome::Exit);
        QCOMPARE(wrong.exitCode(), 2);
        QVERIFY(wrong.outputIsError());
        QCOMPARE(wrong.output().section(QLatin1Char('\n'), 0, 0), error);
        const QString usage = wrong.output().section(QLatin1Char('\n'), 1, 1);
        QVERIFY2(usage.startsWith(QStringLiteral("Usage: ")) && usage.endsWith(QStringLiteral(" [options] [FILE.telvir]")),
                 qPrintable(usage));
    }

    void theEditorStartsWithTheFileAndTheLogAsAsked_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<bool>("verbose");
        QTest::addColumn<QString>("file");
        QTest::newRow("nothing") << "" << false << "";
        QTest::newRow("a file") << "keys.telvir" << false << "keys.telvir";
        QTest::newRow("verbose after the file") << "keys.telvir --verbose" << true << "keys.telvir";
        QTest::newRow("toolkit options with values") << "-platform offscreen -style fusion keys.telvir" << false
                                                     << "keys.telvir";
        QTest::newRow("toolkit option and switch") << "-reverse -style=fusion --verbose" << true << "";
    }

    void theEditorStartsWithTheFileAndTheLogAsAsked()
    {
        QFETCH(QString, arguments);
        QFETCH(bool, verbose);
        QFETCH(QString, file);
        EditorCommandLine commandLine;
        QVERIFY2(parse(commandLine, arguments) == Outcome::StartEditor, qPrintable(commandLine.output()));
        QCOMPARE(commandLine.exitCode(), 0);
        QCOMPARE(commandLine.verbose(), verbose);
        QCOMPARE(commandLine.settingsFile(), file);
    }
};

QTEST_GUILESS_MAIN(TestEditorCommandLine)
#include "tst_editorcommandline.moc"
