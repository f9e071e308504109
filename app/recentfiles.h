#pragma once

// The settings files last loaded or saved, newest first, remembered across
// starts; a file that is gone is left out.

#include <QStringList>

class RecentFiles
{
public:
    static constexpr int kMaxFiles = 8;

    static QStringList list();
    static void add(const QString &fileName);
    static void remove(const QString &fileName);
};
