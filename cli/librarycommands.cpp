#include "cli/librarycommands.h"

#include "cli/terminaltext.h"
#include "cli/texttable.h"
#include "commands/keyboardcommand.h"
#include "model/libraryqueries.h"
#include "model/libraryrecorder.h"
#include "model/librarystore.h"
#include "model/settingsdocument.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
const QString kJson = QStringLiteral("json");

QString localTime(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString utcTime(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString(Qt::ISODate);
}

void sayNotice(const Invocation &invocation, LibraryStore &store)
{
    const QString notice = store.takeNotice();
    if (!notice.isEmpty()) {
        invocation.out.flush();
        invocation.fail(notice);
    }
}

// Writes `settings` into `path`, says `done` and records the save; the exit
// status.
int saveInto(const Invocation &invocation, LibraryStore &store, const Settings &settings, const QString &path,
             const QString &done)
{
    QString error;
    if (!SettingsDocument::save(path, settings, &error))
        return invocation.failWriting(path, error);
    invocation.out << TerminalText::escaped(done) << '\n';
    invocation.out.flush();
    LibraryRecorder(store).record(
        LibraryEvent::of(LibraryEvent::Kind::Save, LibraryEvent::Program::Telvir, settings, path));
    sayNotice(invocation, store);
    return kExitSuccess;
}
} // namespace

int LibraryCommands::memories(const Invocation &invocation)
{
    LibraryStore store;
    const QVector<MemoryEntry> entries = LibraryQueries(store).memories();
    sayNotice(invocation, store);
    if (invocation.options.isSet(kJson)) {
        QJsonArray memories;
        for (const MemoryEntry &entry : entries) {
            QJsonObject memory{{QStringLiteral("memory"), KeyboardCommand::memoryName(entry.memory)},
                               {QStringLiteral("known"), entry.known}};
            if (entry.known) {
                memory.insert(QStringLiteral("written"), utcTime(entry.writtenMs));
                memory.insert(QStringLiteral("from"), entry.source());
                memory.insert(QStringLiteral("path"), entry.path.isEmpty() ? QJsonValue() : QJsonValue(entry.path));
                memory.insert(QStringLiteral("setup"), entry.setupName);
            }
            memories.append(memory);
        }
        invocation.out << QJsonDocument(QJsonObject{{QStringLiteral("format"), QStringLiteral("telvir-memories")},
                                                    {QStringLiteral("memories"), memories}})
                              .toJson();
        return kExitSuccess;
    }
    QVector<QStringList> rows;
    for (const MemoryEntry &entry : entries) {
        const QString memory = KeyboardCommand::memoryName(entry.memory);
        if (entry.known)
            rows << QStringList{memory, localTime(entry.writtenMs), entry.source()};
        else
            //: A memory of the keyboard of which the library knows nothing.
            rows << QStringList{memory, tr("not known")};
    }
    TextTable::print(invocation.out, rows);
    return kExitSuccess;
}

int LibraryCommands::recall(const Invocation &invocation)
{
    const QString name = invocation.arguments.at(0);
    const std::optional<int> memory = KeyboardCommand::memorySlot(name);
    if (!memory)
        return invocation.usageError(tr("MEMORY is workArea or 1..8, not '%1'").arg(TerminalText::escaped(name)));
    LibraryStore store;
    const MemoryEntry entry = LibraryQueries(store).memories().at(*memory);
    sayNotice(invocation, store);
    if (!entry.known)
        return invocation.fail(tr("Nothing is known of memory %1.").arg(name));
    const QString path = invocation.arguments.at(1);
    //: %2 is the file or program that wrote the memory, %3 when.
    return saveInto(invocation, store, entry.settings, path,
                    tr("Wrote the setup last written to memory %1 (%2, %3) into %4")
                        .arg(name, entry.source(), localTime(entry.writtenMs), QDir::toNativeSeparators(path)));
}

int LibraryCommands::library(const Invocation &invocation)
{
    LibraryStore store;
    const QVector<LibrarySetup> setups = LibraryQueries(store).setups(invocation.arguments.value(0));
    sayNotice(invocation, store);
    if (invocation.options.isSet(kJson)) {
        QJsonArray list;
        for (const LibrarySetup &setup : setups) {
            list.append(QJsonObject{{QStringLiteral("name"), setup.name},
                                    {QStringLiteral("firstSeen"), utcTime(setup.firstSeenMs)},
                                    {QStringLiteral("lastSeen"), utcTime(setup.lastSeenMs)},
                                    {QStringLiteral("timesWritten"), setup.timesWritten},
                                    {QStringLiteral("starred"), setup.starred}});
        }
        invocation.out << QJsonDocument(QJsonObject{{QStringLiteral("format"), QStringLiteral("telvir-library")},
                                                    {QStringLiteral("setups"), list}})
                              .toJson();
        return kExitSuccess;
    }
    //: Column titles of the library's list; "Written" counts the writes to the keyboard.
    QVector<QStringList> rows{{tr("Name"), tr("Last seen"), tr("Written"), tr("Star")}};
    for (const LibrarySetup &setup : setups) {
        rows << QStringList{setup.name, localTime(setup.lastSeenMs), QString::number(setup.timesWritten),
                            setup.starred ? QStringLiteral("*") : QString()};
    }
    TextTable::print(invocation.out, rows);
    return kExitSuccess;
}

int LibraryCommands::exportSetup(const Invocation &invocation)
{
    const QString name = invocation.arguments.at(0);
    LibraryStore store;
    LibraryQueries queries(store);
    const std::optional<LibrarySetup> setup = queries.setupNamed(name);
    const std::optional<Settings> settings = setup ? queries.settingsOf(setup->id) : std::nullopt;
    sayNotice(invocation, store);
    if (!settings)
        return invocation.fail(tr("No setup in the library is named '%1'.").arg(TerminalText::escaped(name)));
    const QString path = invocation.arguments.at(1);
    return saveInto(invocation, store, *settings, path,
                    tr("Wrote '%1' into %2").arg(name, QDir::toNativeSeparators(path)));
}

void LibraryCommands::record(const Invocation &invocation, LibraryEvent::Kind kind, const Settings &settings,
                             const QString &path, int memory)
{
    invocation.out.flush();
    LibraryStore store;
    LibraryRecorder(store).record(LibraryEvent::of(kind, LibraryEvent::Program::Telvir, settings,
                                                   path, memory));
    sayNotice(invocation, store);
}
