#include "cli/portchoice.h"

#include "cli/terminaltext.h"
#include "midi/portnames.h"

namespace {
// The port listed under `name`, or numbered so; -1 for neither.
int findPort(const QStringList &names, const QString &name)
{
    const int named = int(names.indexOf(name));
    if (named >= 0)
        return named;
    bool isNumber = false;
    const int number = name.toInt(&isNumber);
    return isNumber && number >= 0 && number < names.size() ? number : -1;
}
} // namespace

QStringList PortChoice::outputNames()
{
    return PortNames::outputs();
}

QStringList PortChoice::inputNames()
{
    return PortNames::inputs();
}

bool PortChoice::resolve(const QString &output, const QString &input, PortPair *pair, QString *error)
{
    const QStringList outputs = outputNames();
    const QStringList inputs = inputNames();
    const int outputPort = findPort(outputs, output);
    const int inputPort = findPort(inputs, input);
    if (outputPort < 0 || inputPort < 0) {
        const bool outputMissing = outputPort < 0;
        *error = outputMissing ? tr("there is no MIDI output port '%1' (telvir ports lists them)").arg(TerminalText::escaped(output))
                               : tr("there is no MIDI input port '%1' (telvir ports lists them)").arg(TerminalText::escaped(input));
        return false;
    }
    *pair = PortPair{outputs[outputPort].toStdString(), inputs[inputPort].toStdString()};
    return true;
}
