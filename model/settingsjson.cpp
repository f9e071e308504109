#include "model/settingsjson.h"

#include "model/controlcatalogue.h"
#include "model/duplicatekeyfinder.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <algorithm>
#include <cmath>

const QString SettingsJson::kFormat = QStringLiteral("telvir-settings");

namespace {
const QString kFormatKey = QStringLiteral("format");
const QString kGlobalsKey = QStringLiteral("globals");
const QString kControlsKey = QStringLiteral("controls");

constexpr int kByteMax = 255;

// The names a field's values are shown by: names[v] for the value v. A
// value past the end, or with an empty name, has none and is a number.
using ValueNames = QStringList;

QJsonValue shown(std::uint8_t value, const ValueNames &names)
{
    if (value < names.size() && !names[value].isEmpty())
        return names[value];
    return int(value);
}

QString listOf(const ValueNames &names)
{
    QStringList present;
    for (const QString &name : names) {
        if (!name.isEmpty())
            present << QLatin1Char('"') + name + QLatin1Char('"');
    }
    return present.join(QStringLiteral(", "));
}

// A value read back: one of the names, or a byte that has none. A number
// that has a name is refused, so that "channel": 3 cannot pass for
// channel "3" (which is the byte 2).
bool readValue(const QJsonValue &value, const ValueNames &names, const QString &where,
               std::uint8_t *byte, QString *error)
{
    if (value.isString()) {
        const QString name = value.toString();
        const int position = name.isEmpty() ? -1 : int(names.indexOf(name));
        if (position < 0) {
            *error = names.isEmpty()
                         ? QStringLiteral("%1: \"%2\" is not a number").arg(where, name)
                         : QStringLiteral("%1: \"%2\" is none of %3").arg(where, name, listOf(names));
            return false;
        }
        *byte = static_cast<std::uint8_t>(position);
        return true;
    }
    if (value.isDouble()) {
        const double number = value.toDouble();
        if (number != std::floor(number) || number < 0 || number > kByteMax) {
            *error = QStringLiteral("%1: %2 does not fit in a byte (0..255)").arg(where).arg(number);
            return false;
        }
        const int position = int(number);
        if (position < names.size() && !names[position].isEmpty()) {
            *error = QStringLiteral("%1: %2 is written \"%3\"").arg(where).arg(position).arg(names[position]);
            return false;
        }
        *byte = static_cast<std::uint8_t>(position);
        return true;
    }
    *error = QStringLiteral("%1: a name or a number is needed").arg(where);
    return false;
}

// Keys other than `known` are an error, and so is a missing one.
bool checkKeys(const QJsonObject &object, const QStringList &known, const QString &where,
               const QString &kindOfKey, QString *error)
{
    for (const QString &key : object.keys()) {
        if (!known.contains(key)) {
            *error = QStringLiteral("%1unknown %2 \"%3\"").arg(where, kindOfKey, key);
            return false;
        }
    }
    for (const QString &key : known) {
        if (!object.contains(key)) {
            *error = QStringLiteral("%1no %2 \"%3\"").arg(where, kindOfKey, key);
            return false;
        }
    }
    return true;
}

bool readObject(const QJsonObject &parent, const QString &key, const QString &where,
                QJsonObject *object, QString *error)
{
    const QJsonValue value = parent.value(key);
    if (!value.isObject()) {
        *error = QStringLiteral("%1\"%2\" is not an object").arg(where, key);
        return false;
    }
    *object = value.toObject();
    return true;
}

int lineOf(const QByteArray &json, int offset)
{
    return int(json.left(offset).count('\n')) + 1;
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}
} // namespace

QJsonValue SettingsJson::globalValue(const Settings &settings, const GlobalParameter &global)
{
    return shown(settings.*global.value, global.items);
}

QJsonValue SettingsJson::controlValue(const Settings &settings, int control, const ControlField &field)
{
    const Setting &setting = settings.controls[control];
    return shown(setting.*field.value, fieldValueNames(field, control, setting));
}

QString SettingsJson::text(const QJsonValue &value)
{
    return value.isString() ? value.toString() : QString::number(value.toInt());
}

QJsonObject SettingsJson::toObject(const Settings &settings)
{
    QJsonObject globals;
    for (const GlobalParameter &global : kGlobalParameters)
        globals.insert(QLatin1String(global.field), globalValue(settings, global));

    QJsonObject controls;
    for (int control = 0; control < kControlCount; ++control) {
        QJsonObject fields;
        for (const ControlField &field : kControlFields)
            fields.insert(QLatin1String(field.field), controlValue(settings, control, field));
        controls.insert(QLatin1String(kControlLabels[std::size_t(control)]), fields);
    }

    return QJsonObject{{kFormatKey, kFormat}, {kGlobalsKey, globals}, {kControlsKey, controls}};
}

QByteArray SettingsJson::toJson(const Settings &settings)
{
    return QJsonDocument(toObject(settings)).toJson(QJsonDocument::Indented);
}

bool SettingsJson::fromJson(const QByteArray &json, Settings *settings, QString *error)
{
    QString problem;
    // Looked for before Qt's reader sees the text: Qt 5's leaks the values
    // of a key it meets twice.
    QString repeated;
    int repeatedLine = 0;
    if (DuplicateKeyFinder::find(json, &repeated, &repeatedLine)) {
        setError(error, QStringLiteral("line %1: \"%2\" is given twice").arg(repeatedLine).arg(repeated));
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        setError(error, QStringLiteral("line %1: %2").arg(lineOf(json, parseError.offset)).arg(parseError.errorString()));
        return false;
    }
    if (!document.isObject()) {
        setError(error, QStringLiteral("the document is not a JSON object"));
        return false;
    }
    const QJsonObject root = document.object();
    if (!checkKeys(root, {kFormatKey, kGlobalsKey, kControlsKey}, QString(), QStringLiteral("key"), &problem)) {
        setError(error, problem);
        return false;
    }
    if (root.value(kFormatKey) != QJsonValue(kFormat)) {
        setError(error, QStringLiteral("\"format\" is not \"%1\"").arg(kFormat));
        return false;
    }

    Settings result;
    QJsonObject globals;
    QStringList globalFields;
    for (const GlobalParameter &global : kGlobalParameters)
        globalFields << QLatin1String(global.field);
    if (!readObject(root, kGlobalsKey, QString(), &globals, &problem)
        || !checkKeys(globals, globalFields, QStringLiteral("globals: "), QStringLiteral("field"), &problem)) {
        setError(error, problem);
        return false;
    }
    for (const GlobalParameter &global : kGlobalParameters) {
        const QString field = QLatin1String(global.field);
        if (!readValue(globals.value(field), global.items, QStringLiteral("global \"%1\"").arg(field),
                       &(result.*global.value), &problem)) {
            setError(error, problem);
            return false;
        }
    }

    QJsonObject controls;
    QStringList labels;
    for (const char *label : kControlLabels)
        labels << QLatin1String(label);
    QStringList controlFields;
    for (const ControlField &field : kControlFields)
        controlFields << QLatin1String(field.field);
    if (!readObject(root, kControlsKey, QString(), &controls, &problem)
        || !checkKeys(controls, labels, QStringLiteral("controls: "), QStringLiteral("control"), &problem)) {
        setError(error, problem);
        return false;
    }
    for (int control = 0; control < kControlCount; ++control) {
        const QString &label = labels[control];
        const QString where = QStringLiteral("control \"%1\"").arg(label);
        QJsonObject fields;
        if (!readObject(controls, label, QStringLiteral("controls: "), &fields, &problem)
            || !checkKeys(fields, controlFields, where + QStringLiteral(": "), QStringLiteral("field"), &problem)) {
            setError(error, problem);
            return false;
        }
        Setting &setting = result.controls[control];
        // In table order: the mode is in place before its option is read.
        for (const ControlField &field : kControlFields) {
            const QString name = QLatin1String(field.field);
            if (!readValue(fields.value(name), fieldValueNames(field, control, setting),
                           QStringLiteral("%1, field \"%2\"").arg(where, name), &(setting.*field.value), &problem)) {
                setError(error, problem);
                return false;
            }
        }
    }
    *settings = result;
    return true;
}
