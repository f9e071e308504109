#include "midi/rememberedports.h"

#include <QSettings>
#include <QString>

namespace {
const QString kLastLinkedGroup = QStringLiteral("lastLinkedPorts");
const QString kChosenGroup = QStringLiteral("chosenPorts");
const QString kOutputKey = QStringLiteral("output");
const QString kInputKey = QStringLiteral("input");

// A QSettings object is made for each use, so that any thread may ask:
// QSettings is reentrant, not thread-safe.
std::optional<PortPair> readPair(const QString &group)
{
    QSettings settings(QStringLiteral("Telvir"), QStringLiteral("Telvir Editor"));
    settings.beginGroup(group);
    const QString output = settings.value(kOutputKey).toString();
    const QString input = settings.value(kInputKey).toString();
    if (output.isEmpty() || input.isEmpty())
        return std::nullopt;
    return PortPair{output.toStdString(), input.toStdString()};
}

void writePair(const QString &group, const std::optional<PortPair> &pair)
{
    QSettings settings(QStringLiteral("Telvir"), QStringLiteral("Telvir Editor"));
    if (!pair) {
        settings.remove(group);
        return;
    }
    settings.beginGroup(group);
    settings.setValue(kOutputKey, QString::fromStdString(pair->output));
    settings.setValue(kInputKey, QString::fromStdString(pair->input));
}
} // namespace

std::optional<PortPair> RememberedPorts::lastLinked()
{
    return readPair(kLastLinkedGroup);
}

void RememberedPorts::setLastLinked(const PortPair &pair)
{
    writePair(kLastLinkedGroup, pair);
}

std::optional<PortPair> RememberedPorts::chosen()
{
    return readPair(kChosenGroup);
}

void RememberedPorts::setChosen(const std::optional<PortPair> &pair)
{
    writePair(kChosenGroup, pair);
}

void RememberedPorts::forget()
{
    writePair(kLastLinkedGroup, std::nullopt);
    writePair(kChosenGroup, std::nullopt);
}

std::vector<PortPair> RememberedPorts::preferred()
{
    std::vector<PortPair> pairs;
    for (const std::optional<PortPair> &pair : {chosen(), lastLinked()})
        if (pair)
            pairs.push_back(*pair);
    return pairs;
}
