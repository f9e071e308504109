#include "cli/settingscommands.h"

#include "model/controlcatalogue.h"
#include "model/controlclashes.h"
#include "model/controlfields.h"
#include "model/globalparameters.h"
#include "model/settingsdocument.h"
#include "model/settingsjson.h"

#include <QDir>
#include <QFileInfo>
#include <QVector>

#include <algorithm>

namespace {
bool load(const Invocation &invocation, const QString &path, Settings *settings, int failureStatus, int *status)
{
    QString error;
    if (SettingsDocument::load(path, settings, &error))
        return true;
    *status = invocation.fail(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), error), failureStatus);
    return false;
}

// Rows of cells, each column as wide as its widest cell.
void printTable(QTextStream &out, const QVector<QStringList> &rows)
{
    QVector<int> widths;
    for (const QStringList &row : rows) {
        widths.resize(std::max(int(widths.size()), int(row.size())));
        for (int column = 0; column < row.size(); ++column)
            widths[column] = std::max(widths[column], int(row[column].size()));
    }
    for (const QStringList &row : rows) {
        QString line;
        for (int column = 0; column < row.size(); ++column)
            line += row[column].leftJustified(widths[column] + 2);
        out << line.trimmed() << '\n';
    }
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
        return invocation.fail(QStringLiteral("%1 exists already; not replaced").arg(QDir::toNativeSeparators(path)));
    QString error;
    if (!SettingsDocument::save(path, Settings(), &error))
        return invocation.fail(QStringLiteral("could not write %1: %2").arg(QDir::toNativeSeparators(path), error));
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
    printTable(invocation.out, rows);
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
        return invocation.fail(QStringLiteral("could not write %1: %2").arg(QDir::toNativeSeparators(output), error));
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

    bool different = false;
    for (const GlobalParameter &global : kGlobalParameters) {
        if (first.*global.value == second.*global.value)
            continue;
        different = true;
        invocation.out << global.label << ": " << globalText(first, global) << " -> "
                       << globalText(second, global) << '\n';
    }
    for (int control = 0; control < kControlCount; ++control) {
        for (const ControlField &field : kControlFields) {
            if (first.controls[control].*field.value == second.controls[control].*field.value)
                continue;
            different = true;
            invocation.out << kControlLabels[std::size_t(control)] << ", " << field.label << ": "
                           << controlText(first, control, field) << " -> " << controlText(second, control, field)
                           << '\n';
        }
    }
    return different ? kExitFailure : kExitSuccess;
}
