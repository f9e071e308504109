#include "model/assignmenttable.h"

#include "model/controlcatalogue.h"

#include <array>

namespace {
struct Column
{
    const char *title;
    const char *field; // as kControlFields names it
};

// The order a player reads an assignment in: what it does, then where it
// goes, then its range. The windows and the sheet show the titles in the
// user's language (SettingNames).
constexpr std::array<Column, kControlFieldCount> kColumns = {{
    {QT_TRANSLATE_NOOP("SettingNames", "Mode"), "mode"},
    {QT_TRANSLATE_NOOP("SettingNames", "Channel"), "channel"},
    {QT_TRANSLATE_NOOP("SettingNames", "CC Number / Note"), "ccNumber"},
    {QT_TRANSLATE_NOOP("SettingNames", "Value"), "val"},
    {QT_TRANSLATE_NOOP("SettingNames", "Min / LSB"), "lsb"},
    {QT_TRANSLATE_NOOP("SettingNames", "Max / MSB"), "msb"},
    {QT_TRANSLATE_NOOP("SettingNames", "Mode Option"), "modeOption"},
}};
} // namespace

QStringList AssignmentTable::headers()
{
    QStringList headers{QStringLiteral(QT_TRANSLATE_NOOP("SettingNames", "Control"))};
    for (const Column &column : kColumns)
        headers << QLatin1String(column.title);
    return headers;
}

const ControlField *AssignmentTable::fieldOf(int column)
{
    if (column <= kControlColumn || column >= kColumnCount)
        return nullptr;
    return controlField(QLatin1String(kColumns[static_cast<std::size_t>(column - 1)].field));
}

int AssignmentTable::columnOf(const ControlField &field)
{
    for (int column = kControlColumn + 1; column < kColumnCount; ++column) {
        if (fieldOf(column) == &field)
            return column;
    }
    return -1;
}

QString AssignmentTable::text(const Settings &settings, int controlIndex, int column)
{
    if (controlIndex < 0 || controlIndex >= kControlCount)
        return QString();
    if (column == kControlColumn)
        return QString::fromLatin1(kControlLabels[static_cast<std::size_t>(controlIndex)]);
    const ControlField *field = fieldOf(column);
    return field ? fieldText(*field, controlIndex, settings.controls[controlIndex]) : QString();
}
