#pragma once

// A setup of the library as its list shows it.

#include <QString>
#include <QStringList>

struct LibrarySetup
{
    qint64 id = 0;
    QString name;
    qint64 firstSeenMs = 0;
    qint64 lastSeenMs = 0;
    bool starred = false;
    int timesWritten = 0;
    QString hash;       // of its content
    QString identifier; // the shortest start of the hash no other setup shares, 8 digits at least
    QStringList files;  // the names of the files it was seen in, the most recent first
};
