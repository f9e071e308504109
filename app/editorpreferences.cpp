#include "app/editorpreferences.h"

#include <QSettings>
#include <QString>

namespace {
const char *const kFollowKeyboardKey = "monitor/followKeyboard";
const char *const kLiveSendingKey = "live/enabled";
const char *const kMessagePaceKey = "keyboard/messagePaceMs";

bool readFlag(const char *key, bool byDefault)
{
    const QSettings settings(QStringLiteral("Telvir"), QStringLiteral("Telvir Editor"));
    return settings.value(QLatin1String(key), byDefault).toBool();
}

void writeFlag(const char *key, bool on)
{
    QSettings settings(QStringLiteral("Telvir"), QStringLiteral("Telvir Editor"));
    settings.setValue(QLatin1String(key), on);
}

// Each silenceable box's key; none for the boxes that always show.
const char *quietKey(KeyboardOutcome::Kind kind)
{
    switch (kind) {
    case KeyboardOutcome::Kind::Linked:
        return "quietBoxes/connected";
    case KeyboardOutcome::Kind::SettingsRead:
        return "quietBoxes/settingsRead";
    case KeyboardOutcome::Kind::Sent:
    case KeyboardOutcome::Kind::SentUnchecked: // a memory that cannot be read back
        return "quietBoxes/sent";
    default:
        return nullptr;
    }
}
} // namespace

bool EditorPreferences::followKeyboard() { return readFlag(kFollowKeyboardKey, true); }
void EditorPreferences::setFollowKeyboard(bool on) { writeFlag(kFollowKeyboardKey, on); }
bool EditorPreferences::liveSending() { return readFlag(kLiveSendingKey, false); }
void EditorPreferences::setLiveSending(bool on) { writeFlag(kLiveSendingKey, on); }

int EditorPreferences::messagePaceMs()
{
    const QSettings settings(QStringLiteral("Telvir"), QStringLiteral("Telvir Editor"));
    return qMax(0, settings.value(QLatin1String(kMessagePaceKey), 0).toInt());
}

void EditorPreferences::setMessagePaceMs(int milliseconds)
{
    QSettings settings(QStringLiteral("Telvir"), QStringLiteral("Telvir Editor"));
    settings.setValue(QLatin1String(kMessagePaceKey), qMax(0, milliseconds));
}

std::vector<KeyboardOutcome::Kind> EditorPreferences::silenceableBoxes()
{
    return {KeyboardOutcome::Kind::Linked, KeyboardOutcome::Kind::SettingsRead, KeyboardOutcome::Kind::Sent};
}

bool EditorPreferences::maySilenceBox(KeyboardOutcome::Kind kind)
{
    return quietKey(kind) != nullptr;
}

bool EditorPreferences::isBoxSilenced(KeyboardOutcome::Kind kind)
{
    const char *key = quietKey(kind);
    return key && readFlag(key, false);
}

void EditorPreferences::setBoxSilenced(KeyboardOutcome::Kind kind, bool silenced)
{
    if (const char *key = quietKey(kind))
        writeFlag(key, silenced);
}
