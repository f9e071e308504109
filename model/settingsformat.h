#pragma once

// The kinds of settings file, in one list that the file dialogs, the drops
// and telvir all read: what each is called, its extension, and whether it
// can be read and written. A file's kind is told by its extension; a name
// without a known one is a ".telvir" file, as the editor always loaded
// files whatever their name.

#include <QCoreApplication>
#include <QString>

#include <array>

struct SettingsFormat
{
    Q_DECLARE_TR_FUNCTIONS(SettingsFormat)

public:
    enum class Kind { Telvir, Json, Sysex };

    Kind kind;
    const char *name;      // translated when shown: "TELVIR Settings Files"
    const char *extension; // without the dot: "telvir"
    bool canRead;
    bool canWrite;

    // "TELVIR Settings Files (*.telvir)", in the user's language.
    QString filter() const;

    // The kind of the file at `path`, by its extension.
    static const SettingsFormat &ofPath(const QString &path);
    // Whether the name's extension is one of the list's.
    static bool isKnownName(const QString &path);
    // The format whose filter() is `filter`; null for none.
    static const SettingsFormat *ofFilter(const QString &filter);

    // The filters of every format that can be read (or written), joined
    // for a file dialog, ".telvir" first; those to read follow one filter
    // that lists them all.
    static QString readFilters();
    static QString writeFilters();

    // The kind a save dialog's answer is written as: that of the name's
    // extension when it is a known one, so that the file reads back as
    // what it is called, else that of the filter the user chose.
    static const SettingsFormat &chosen(const QString &path, const QString &chosenFilter);
};

extern const std::array<SettingsFormat, 3> kSettingsFormats;
