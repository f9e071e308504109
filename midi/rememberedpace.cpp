#include "midi/rememberedpace.h"

#include <QByteArray>
#include <QSettings>
#include <QString>

#include <algorithm>

namespace {
const QString kPaceGroup = QStringLiteral("keyboardPace");

// A port's name may hold any character, slashes too, which QSettings
// would take for groups.
QString keyOf(const PortPair &pair)
{
    const QByteArray names = QByteArray::fromStdString(pair.output) + '\n' + QByteArray::fromStdString(pair.input);
    return QString::fromLatin1(names.toHex());
}
} // namespace

int RememberedPace::of(const PortPair &pair)
{
    // Made for each use, so that any thread may ask: QSettings is
    // reentrant, not thread-safe.
    QSettings settings(QStringLiteral("Telvir"), QStringLiteral("Telvir Editor"));
    settings.beginGroup(kPaceGroup);
    return std::max(0, settings.value(keyOf(pair), 0).toInt());
}

int RememberedPace::effective(const PortPair &pair, int chosenMs)
{
    return std::max(chosenMs, of(pair));
}

void RememberedPace::learn(const PortPair &pair, int paceMs)
{
    if (paceMs <= of(pair))
        return;
    QSettings settings(QStringLiteral("Telvir"), QStringLiteral("Telvir Editor"));
    settings.beginGroup(kPaceGroup);
    settings.setValue(keyOf(pair), paceMs);
}

void RememberedPace::forget()
{
    QSettings settings(QStringLiteral("Telvir"), QStringLiteral("Telvir Editor"));
    settings.remove(kPaceGroup);
}
