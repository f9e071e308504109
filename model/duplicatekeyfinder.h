#pragma once

// Qt's JSON reader takes an object whose key repeats without a word and
// keeps one of the values; which one depends on the Qt version. A settings
// document with a key given twice is ambiguous, so it is looked for first.

#include <QByteArray>
#include <QString>

class DuplicateKeyFinder
{
public:
    // The first key that a JSON object of `json` holds twice, and the line
    // (from 1) where it comes again; false when there is none. Any bytes
    // are taken; for a text that is not JSON the answer means nothing.
    static bool find(const QByteArray &json, QString *key, int *line);
};
