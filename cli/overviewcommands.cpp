#include "cli/overviewcommands.h"

#include "cli/terminaltext.h"
#include "model/controlcatalogue.h"
#include "model/controlclashes.h"
#include "model/controlmessage.h"
#include "model/settingsdocument.h"
#include "sheet/controlsheet.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

const QString OverviewCommands::kSheet = QStringLiteral("sheet");

namespace {
// As with diff, a file that cannot be read is 2, so that it is not taken
// for "clashes".
constexpr int kTrouble = 2;

bool load(const Invocation &invocation, const QString &path, Settings *settings, int failureStatus, int *status)
{
    QString error;
    QString note;
    if (SettingsDocument::load(path, settings, &error, &note)) {
        invocation.note(note);
        return true;
    }
    *status = invocation.fail(QStringLiteral("%1: %2").arg(TerminalText::escaped(QDir::toNativeSeparators(path)),
                                                            TerminalText::escaped(error)),
                              failureStatus);
    return false;
}
} // namespace

int OverviewCommands::check(const Invocation &invocation)
{
    Settings settings;
    int status = kExitSuccess;
    if (!load(invocation, invocation.arguments.at(0), &settings, kTrouble, &status))
        return status;
    const ControlClashes clashes(settings);
    for (const std::vector<int> &group : clashes.groups()) {
        QStringList names;
        for (int control : group)
            names << QLatin1String(kControlLabels[std::size_t(control)]);
        invocation.out << describeMessage(messageOf(settings, group.front())) << ": "
                       << names.join(QStringLiteral(", ")) << '\n';
    }
    return clashes.isEmpty() ? kExitSuccess : kExitFailure;
}

int OverviewCommands::sheet(const Invocation &invocation)
{
    const QString input = invocation.arguments.at(0);
    const QString output = invocation.arguments.at(1);
    if (!ControlSheet::isSheetFileName(output))
        return invocation.usageError(tr("the sheet is written as OUT.pdf or OUT.png, not '%1'").arg(TerminalText::escaped(output)));
    // Fonts and pictures need a GUI application, if an offscreen one.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return invocation.fail(tr("the sheet can only be drawn by the telvir program itself"));
    Settings settings;
    int status = kExitSuccess;
    if (!load(invocation, input, &settings, kExitFailure, &status))
        return status;
    QString error;
    //: The sheet's title; %1 is the settings file's name.
    const ControlSheet sheet(settings, tr("Telvir keyboard: %1").arg(QFileInfo(input).fileName()));
    if (!sheet.save(output, &error))
        return invocation.failWriting(output, error);
    return kExitSuccess;
}

bool OverviewCommands::paints(const QStringList &arguments)
{
    // The command is the first argument that is no option; --verbose is
    // the only option that may come before it.
    for (const QString &argument : arguments) {
        if (!argument.startsWith(QLatin1Char('-')))
            return argument == kSheet;
    }
    return false;
}
