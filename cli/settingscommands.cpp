#include "cli/settingscommands.h"

#include "cli/keyboardcommands.h"
#include "cli/librarycommands.h"
#include "cli/terminaltext.h"
#include "cli/texttable.h"
#include "model/controlcatalogue.h"
#include "model/controlclashes.h"
#include "model/controlfields.h"
#include "model/globalparameters.h"
#include "model/settingsdifferences.h"
#include "model/settingsdocument.h"
#include "model/settingsformat.h"
#include "model/settingsjson.h"
#include "protocol/parameterformat.h"
#include "protocol/sysexfile.h"

#include <QDir>
#include <QFileInfo>
#include <QVector>

namespace {
bool load(const Invocation &invocation, const QString &path, Settings *settings, int failureStatus, int *status)
{
    QString error;
    QString note;
    if (SettingsDocument::load(path, settings, &error, &note)) {
        invocation.note(note);
        return true;
    }
    // An empty name still shows as a name.
    const QString name = path.isEmpty() ? QStringLiteral("\"\"") : QDir::toNativeSeparators(path);
    // The reason may quote a key of the file.
    *status = invocation.fail(
        QStringLiteral("%1: %2").arg(TerminalText::escaped(name), TerminalText::escaped(error)), failureStatus);
    return false;
}

QString globalText(const Settings &settings, const GlobalParameter &global)
{
    return SettingsJson::text(SettingsJson::globalValue(settings, global));
}

QString controlText(const Settings &settings, int control, const ControlField &field)
{
    return SettingsJson::text(SettingsJson::controlValue(settings, control, field));
}
} // namespace

int SettingsCommands::create(const Invocation &invocation)
{
    const QString path = invocation.arguments.at(0);
    // A new file never replaces one: a typo must not wipe a backup.
    if (QFileInfo::exists(path))
        return invocation.fail(tr("%1 exists already; not replaced").arg(TerminalText::escaped(QDir::toNativeSeparators(path))));
    QString error;
    if (!SettingsDocument::save(path, Settings(), &error))
        return invocation.failWriting(path, error);
    return kExitSuccess;
}

int SettingsCommands::show(const Invocation &invocation)
{
    Settings settings;
    int status = kExitSuccess;
    if (!load(invocation, invocation.arguments.at(0), &settings, kExitFailure, &status))
        return status;

    if (invocation.options.isSet(QStringLiteral("json"))) {
        invocation.out << SettingsJson::toJson(settings);
        return kExitSuccess;
    }

    for (const GlobalParameter &global : kGlobalParameters)
        invocation.out << global.label << ": " << globalText(settings, global) << '\n';
    invocation.out << '\n';

    QVector<QStringList> rows;
    QStringList header{QStringLiteral("Control")};
    for (const ControlField &field : kControlFields)
        header << QLatin1String(field.label);
    rows << header;
    // A control that sends what others send says so at the end of its row.
    const ControlClashes clashes(settings);
    for (int control = 0; control < kControlCount; ++control) {
        QStringList row{QLatin1String(kControlLabels[std::size_t(control)])};
        for (const ControlField &field : kControlFields)
            row << controlText(settings, control, field);
        if (clashes.clashes(control))
            row << QStringLiteral("! ") + clashes.partnersText(control);
        rows << row;
    }
    TextTable::print(invocation.out, rows);
    return kExitSuccess;
}

int SettingsCommands::convert(const Invocation &invocation)
{
    const QString input = invocation.arguments.at(0);
    const QString output = invocation.arguments.at(1);
    Settings settings;
    int status = kExitSuccess;
    if (!load(invocation, input, &settings, kExitFailure, &status))
        return status;
    QString error;
    if (!SettingsDocument::save(output, settings, &error))
        return invocation.failWriting(output, error);
    LibraryCommands::record(invocation, LibraryEvent::Kind::Save, settings, output);
    return kExitSuccess;
}

int SettingsCommands::exportSysex(const Invocation &invocation)
{
    const QString input = invocation.arguments.at(0);
    const QString output = invocation.arguments.at(1);
    int status = kExitSuccess;
    int slot = kWorkAreaSlot;
    if (!KeyboardCommands::memoryOption(invocation, &slot, &status))
        return status;
    // Any other name would be read back as another kind of file.
    if (SettingsFormat::ofPath(output).kind != SettingsFormat::Kind::Sysex)
        return invocation.usageError(tr("export writes .syx files; convert writes .telvir and .json files"));
    Settings settings;
    if (!load(invocation, input, &settings, kExitFailure, &status))
        return status;
    QString error;
    if (!SysexFile::save(output, settings, slot, &error))
        return invocation.failWriting(output, error);
    LibraryCommands::record(invocation, LibraryEvent::Kind::Save, settings, output);
    return kExitSuccess;
}

int SettingsCommands::diff(const Invocation &invocation)
{
    // As with diff(1), trouble is 2, so that it is not taken for "different".
    constexpr int kTrouble = 2;
    Settings first;
    Settings second;
    int status = kExitSuccess;
    if (!load(invocation, invocation.arguments.at(0), &first, kTrouble, &status)
        || !load(invocation, invocation.arguments.at(1), &second, kTrouble, &status))
        return status;

    const QStringList differences = SettingsDifferences::lines(first, second);
    for (const QString &line : differences)
        invocation.out << line << '\n';
    const bool different = !differences.isEmpty();
    return different ? kExitFailure : kExitSuccess;
}
