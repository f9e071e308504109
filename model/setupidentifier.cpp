#include "model/setupidentifier.h"

#include <QRegularExpression>

#include <algorithm>

namespace {
int sharedStart(const QString &a, const QString &b)
{
    const int length = int(std::min(a.size(), b.size()));
    int shared = 0;
    while (shared < length && a.at(shared) == b.at(shared))
        ++shared;
    return shared;
}
} // namespace

QHash<QString, QString> SetupIdentifier::of(QStringList hashes)
{
    // Sorted, a hash shares its longest start with a neighbour.
    std::sort(hashes.begin(), hashes.end());
    QHash<QString, QString> identifiers;
    identifiers.reserve(int(hashes.size()));
    for (int index = 0; index < hashes.size(); ++index) {
        int shared = 0;
        if (index > 0)
            shared = std::max(shared, sharedStart(hashes.at(index), hashes.at(index - 1)));
        if (index + 1 < hashes.size())
            shared = std::max(shared, sharedStart(hashes.at(index), hashes.at(index + 1)));
        identifiers.insert(hashes.at(index), hashes.at(index).left(std::max(kShortest, shared + 1)));
    }
    return identifiers;
}

bool SetupIdentifier::looksLikeOne(const QString &text)
{
    static const QRegularExpression hex(QStringLiteral("^[0-9a-fA-F]{%1,64}$").arg(kShortest));
    return hex.match(text).hasMatch();
}
