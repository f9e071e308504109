#pragma once

// Short identifiers of the library's setups: the start of each content
// hash, 8 hex digits, lengthened where two setups share that start, so
// that each one names exactly one setup, as git names its commits.

#include <QHash>
#include <QString>
#include <QStringList>

class SetupIdentifier
{
public:
    static constexpr int kShortest = 8;

    // The identifier of each of `hashes`, by hash.
    static QHash<QString, QString> of(QStringList hashes);
    // Whether `text` can be the start of a hash: kShortest hex digits or
    // more (any case).
    static bool looksLikeOne(const QString &text);
};
