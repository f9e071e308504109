// telvir: the keyboard's settings and firmware from the command line.

#include "cli/commandline.h"
#include "cli/overviewcommands.h"
#include "translations/userlanguage.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>
#include <memory>
#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Only the sheet paints. It needs no display either: it is drawn
    // offscreen unless a platform is named. Every other command stays on
    // Qt Core alone.
    std::unique_ptr<QCoreApplication> application;
    std::unique_ptr<QTemporaryDir> runtimeFolder;
    if (OverviewCommands::paints(arguments)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
        // Qt's platform warns on stderr where there is no runtime folder
        // (a shell without a login session, cron, a container); the sheet
        // keeps nothing there, so a private one for this run is enough.
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            runtimeFolder = std::make_unique<QTemporaryDir>();
            if (runtimeFolder->isValid())
                qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder->path()));
        }
#endif
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    UserLanguage::install();
    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandLine commandLine(out, err, isatty(fileno(stderr)) != 0);
    return commandLine.run(QCoreApplication::arguments().mid(1));
}
