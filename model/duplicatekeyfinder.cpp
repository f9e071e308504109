#include "model/duplicatekeyfinder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <QVector>

namespace {
// The string whose literal (quotes included) is `literal`, escapes decoded
// by Qt's own reader.
QString decoded(const QByteArray &literal)
{
    if (!literal.contains('\\'))
        return QString::fromUtf8(literal.mid(1, literal.size() - 2));
    return QJsonDocument::fromJson('[' + literal + ']').array().at(0).toString();
}
} // namespace

bool DuplicateKeyFinder::find(const QByteArray &json, QString *key, int *line)
{
    // One entry per open object or array; arrays hold no keys, marked by
    // `isObject` false.
    struct Scope
    {
        bool isObject;
        QSet<QString> keys;
    };
    QVector<Scope> scopes;
    int lineNumber = 1;
    for (int index = 0; index < json.size(); ++index) {
        const char c = json[index];
        switch (c) {
        case '\n':
            ++lineNumber;
            break;
        case '{':
        case '[':
            scopes.push_back({c == '{', {}});
            break;
        case '}':
        case ']':
            if (!scopes.isEmpty())
                scopes.pop_back();
            break;
        case '"': {
            const int start = index;
            for (++index; index < json.size() && json[index] != '"'; ++index) {
                if (json[index] == '\\')
                    ++index;
            }
            if (scopes.isEmpty() || !scopes.back().isObject)
                break;
            int next = index + 1;
            while (next < json.size() && QByteArray(" \t\r\n").contains(json[next]))
                ++next;
            if (next >= json.size() || json[next] != ':')
                break; // a value, not a key
            const QString name = decoded(json.mid(start, index - start + 1));
            if (scopes.back().keys.contains(name)) {
                *key = name;
                *line = lineNumber;
                return true;
            }
            scopes.back().keys.insert(name);
            break;
        }
        default:
            break;
        }
    }
    return false;
}
