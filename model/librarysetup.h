#pragma once

// A setup of the library as its list shows it.

#include <QString>

struct LibrarySetup
{
    qint64 id = 0;
    QString name;
    qint64 firstSeenMs = 0;
    qint64 lastSeenMs = 0;
    bool starred = false;
    int timesWritten = 0;
};
