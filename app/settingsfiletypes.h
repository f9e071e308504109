#pragma once

// The kinds of settings file the editor reads and writes, listed once:
// every dialog's filter is built from this list.

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVector>

class SettingsFileTypes
{
    Q_DECLARE_TR_FUNCTIONS(SettingsFileTypes)

public:
    struct Type
    {
        QString name;   // shown in the dialog's list of types
        QString suffix; // without the dot
    };

    // The kinds a save can write, the default first.
    static QVector<Type> writable();
    // Every kind a load can read.
    static QVector<Type> readable();

    // "Settings files (*.telvir *.json)" first, then each kind alone.
    static QString loadFilter();
    // Each writable kind alone, the default first.
    static QString saveFilter();
    // The filter entry of one kind: "TELVIR Settings Files (*.telvir)".
    static QString filterOf(const Type &type);
};
