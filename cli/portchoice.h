#pragma once

// MIDI ports as the command line names them: by the name the port service
// lists, or by the port's number in that list (as `telvir ports` prints).

#include <QCoreApplication>
#include "midi/portpair.h"

#include <QString>
#include <QStringList>

class PortChoice
{
    Q_DECLARE_TR_FUNCTIONS(PortChoice)

public:
    static QStringList outputNames();
    static QStringList inputNames();

    // The pair that `output` and `input` name; a name is looked for before a
    // number. False, with *error naming the port that is not there.
    static bool resolve(const QString &output, const QString &input, PortPair *pair, QString *error);
};
