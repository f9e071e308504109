// telvir: the keyboard's settings and firmware from the command line.

#include "cli/commandline.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandLine commandLine(out, err, isatty(fileno(stderr)) != 0);
    return commandLine.run(QCoreApplication::arguments().mid(1));
}
