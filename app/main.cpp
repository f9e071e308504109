#include "app/editorcommandline.h"
#include "app/applicationstyle.h"
#include "app/demokeyboard.h"
#include "app/editortestscript.h"
#include "app/mainwindow.h"
#include "translations/userlanguage.h"

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QString>
#include <QStyleFactory>

#include <cstdio>
#include <memory>

namespace {
// The name under which the desktop knows the editor: its .desktop file,
// icon and metainfo.
const char *const kApplicationId = "org.telvir.TelvirEditor";

void print(const QString &text, std::FILE *stream)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// Where the window can go: without one Qt aborts with an advice to
// reinstall, which helps nobody.
bool displayAvailable(const EditorCommandLine &commandLine)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || commandLine.platformGiven();
#else
    Q_UNUSED(commandLine)
    return true;
#endif
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("telvir-editor"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TELVIR_VERSION));

    EditorCommandLine commandLine;
    {
        // A plain core application needs no display, so --help, --version
        // and a wrong option are answered anywhere; the widget application
        // comes only when the editor starts.
        QCoreApplication reader(argc, argv);
        UserLanguage::install();
        if (commandLine.parse(QCoreApplication::arguments()) == EditorCommandLine::Outcome::Exit) {
            print(commandLine.output(), commandLine.outputIsError() ? stderr : stdout);
            return commandLine.exitCode();
        }
        if (!displayAvailable(commandLine)) {
            print(QCoreApplication::applicationName() + QStringLiteral(": ")
                      + QCoreApplication::translate("EditorCommandLine",
                                                    "no display to show the window on (neither DISPLAY nor "
                                                    "WAYLAND_DISPLAY is set); start it on a desktop, or on a "
                                                    "virtual X server: xvfb-run -a telvir-editor")
                      + QLatin1Char('\n'),
                  stderr);
            return 1;
        }
    }
    if (commandLine.verbose())
        QLoggingCategory::setFilterRules(QStringLiteral("telvir.*.debug=true"));

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // The window's parts have fixed pixel sizes: on a desktop scaled to
    // 200 % they must grow with the text, as Qt 6 always does.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
#endif
    QApplication application(argc, argv);
    UserLanguage::install();
    QGuiApplication::setDesktopFileName(QLatin1String(kApplicationId));
    QIcon icon;
    for (const char *size : {"48", "128", "256"})
        icon.addFile(QStringLiteral(":/main/appicon-%1.png").arg(QLatin1String(size)));
    QApplication::setWindowIcon(icon);
    // Before the first widget exists, so that every widget, message box and
    // file dialog is drawn in the same style.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    // Without its style sheet the editor still works; the markers then look
    // like plain buttons.
    application.setStyleSheet(applicationStyleSheet());

    const std::unique_ptr<EditorTestScript> testScript = EditorTestScript::fromEnvironment();
    // Before the window, which looks for the keyboard as it opens; it goes
    // after the window, whose link to the keyboard closes first.
    DemoKeyboard demo;
    if (commandLine.demo() && !demo.start()) {
        QMessageBox::warning(nullptr, DemoKeyboard::tr("Demo Keyboard"),
                             demo.error() + QStringLiteral("\n\n")
                                 + DemoKeyboard::tr("The editor starts without the keyboard simulator."));
    }
    MainWindow window;
    window.show();
    // After the start-up, as if chosen with "Load...".
    if (!commandLine.settingsFile().isEmpty())
        window.loadSettingsFile(commandLine.settingsFile());
    if (testScript)
        testScript->run(window);
    return application.exec();
}
