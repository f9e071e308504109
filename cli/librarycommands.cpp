#include "cli/librarycommands.h"

#include "cli/terminaltext.h"
#include "cli/texttable.h"
#include "commands/keyboardcommand.h"
#include "midi/midicontroller.h"
#include "midi/rememberedports.h"
#include "model/librarybackup.h"
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
#include <QRegularExpression>

namespace {
const QString kJson = QStringLiteral("json");
const QString kKeyboard = QStringLiteral("keyboard");

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

// As `telvir ports --find` names a keyboard.
QString keyboardText(const LibraryKeyboard &keyboard)
{
    if (!keyboard.named())
        //: The keyboard of writes recorded before keyboards were told apart.
        return LibraryCommands::tr("a keyboard not named");
    return QStringLiteral("output '%1', input '%2'")
        .arg(TerminalText::escaped(keyboard.output), TerminalText::escaped(keyboard.input));
}

// The keyboard the search finds, the pair that answered last first; the
// link is released at once.
std::optional<LibraryKeyboard> linkedKeyboard()
{
    LinkSearch search;
    search.preferred = RememberedPorts::preferred();
    MidiController *link = nullptr;
    KeyboardCommand::find(false, search, &link);
    std::optional<LibraryKeyboard> keyboard;
    if (link)
        keyboard = KeyboardCommand::libraryKeyboard(link->portPair());
    MidiController::releaseInstance();
    return keyboard;
}

// The keyboard whose memories are meant: the one --keyboard names (an
// empty NAME: the writes of a keyboard not named), else the only one
// written to, else the one the search finds, else the one written to
// last. False, with the failure written, for a NAME no keyboard has.
bool chooseKeyboard(const Invocation &invocation, LibraryQueries &queries, LibraryKeyboard *chosen, int *status)
{
    const QVector<LibraryKeyboard> known = queries.keyboards();
    if (!invocation.options.isSet(kKeyboard)) {
        *chosen = known.value(0);
        if (known.size() > 1) {
            if (const std::optional<LibraryKeyboard> linked = linkedKeyboard())
                *chosen = *linked;
        }
        return true;
    }
    const QString name = invocation.options.value(kKeyboard);
    if (name.isEmpty()) {
        *chosen = LibraryKeyboard();
        return true;
    }
    QVector<LibraryKeyboard> matching;
    for (const LibraryKeyboard &keyboard : known) {
        if (keyboard.named() && (keyboard.output == name || keyboard.input == name)) {
            *chosen = keyboard;
            return true;
        }
        if (keyboard.output.contains(name, Qt::CaseInsensitive) || keyboard.input.contains(name, Qt::CaseInsensitive))
            matching << keyboard;
    }
    if (matching.size() == 1) {
        *chosen = matching.first();
        return true;
    }
    if (matching.isEmpty()) {
        *status = invocation.fail(LibraryCommands::tr("No keyboard named '%1' was written to from here.").arg(name));
        return false;
    }
    QStringList names;
    for (const LibraryKeyboard &keyboard : matching)
        names << keyboardText(keyboard);
    //: %2 lists the keyboards.
    *status = invocation.fail(LibraryCommands::tr("'%1' names more than one keyboard: %2")
                                  .arg(name, names.join(QStringLiteral("; "))));
    return false;
}
} // namespace

int LibraryCommands::memories(const Invocation &invocation)
{
    LibraryStore store;
    LibraryQueries queries(store);
    LibraryKeyboard keyboard;
    int status = kExitFailure;
    if (!chooseKeyboard(invocation, queries, &keyboard, &status))
        return status;
    const QVector<MemoryEntry> entries = queries.memories(keyboard);
    // Which keyboard is said wherever there is a choice.
    const bool several = queries.keyboards().size() > 1 || invocation.options.isSet(kKeyboard);
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
        const QJsonValue named = keyboard.named() ? QJsonValue(QJsonObject{{QStringLiteral("output"), keyboard.output},
                                                                          {QStringLiteral("input"), keyboard.input}})
                                                  : QJsonValue();
        invocation.out << QJsonDocument(QJsonObject{{QStringLiteral("format"), QStringLiteral("telvir-memories")},
                                                    {QStringLiteral("keyboard"), named},
                                                    {QStringLiteral("memories"), memories}})
                              .toJson();
        return kExitSuccess;
    }
    if (several)
        invocation.out << "keyboard: " << keyboardText(keyboard) << '\n';
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
    LibraryStore store;
    LibraryQueries queries(store);
    if (!memory) {
        // A setup by its name or identifier.
        const std::optional<LibrarySetup> setup = queries.setupNamedOrIdentified(name);
        const std::optional<Settings> settings = setup ? queries.settingsOf(setup->id) : std::nullopt;
        sayNotice(invocation, store);
        if (!settings && name.contains(QRegularExpression(QStringLiteral("^[0-9]+$"))))
            return invocation.usageError(
                tr("MEMORY is workArea or 1..8, or a setup's name or identifier, not '%1'")
                    .arg(TerminalText::escaped(name)));
        if (!settings)
            return invocation.fail(tr("No setup in the library is named '%1'.").arg(name));
        const QString path = invocation.arguments.at(1);
        return saveInto(invocation, store, *settings, path,
                        tr("Wrote '%1' into %2").arg(setup->name, QDir::toNativeSeparators(path)));
    }
    LibraryKeyboard keyboard;
    int status = kExitFailure;
    if (!chooseKeyboard(invocation, queries, &keyboard, &status))
        return status;
    const MemoryEntry entry = queries.memories(keyboard).at(*memory);
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
    LibraryQueries queries(store);
    QVector<LibrarySetup> setups = queries.setups(invocation.arguments.value(0));
    queries.addFiles(setups);
    sayNotice(invocation, store);
    if (invocation.options.isSet(kJson)) {
        QJsonArray list;
        for (const LibrarySetup &setup : setups) {
            list.append(QJsonObject{{QStringLiteral("name"), setup.name},
                                    {QStringLiteral("identifier"), setup.identifier},
                                    {QStringLiteral("files"), QJsonArray::fromStringList(setup.files)},
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
    QVector<QStringList> rows{{tr("Name"), tr("Last seen"), tr("Written"), tr("Star"), tr("Identifier"), tr("Files")}};
    for (const LibrarySetup &setup : setups) {
        rows << QStringList{setup.name, localTime(setup.lastSeenMs), QString::number(setup.timesWritten),
                            setup.starred ? QStringLiteral("*") : QString(), setup.identifier,
                            setup.files.join(QStringLiteral(", "))};
    }
    TextTable::print(invocation.out, rows);
    return kExitSuccess;
}

int LibraryCommands::exportSetup(const Invocation &invocation)
{
    const QString name = invocation.arguments.at(0);
    LibraryStore store;
    LibraryQueries queries(store);
    const std::optional<LibrarySetup> setup = queries.setupNamedOrIdentified(name);
    const std::optional<Settings> settings = setup ? queries.settingsOf(setup->id) : std::nullopt;
    sayNotice(invocation, store);
    if (!settings)
        return invocation.fail(tr("No setup in the library is named '%1'.").arg(TerminalText::escaped(name)));
    const QString path = invocation.arguments.at(1);
    return saveInto(invocation, store, *settings, path,
                    tr("Wrote '%1' into %2").arg(setup->name, QDir::toNativeSeparators(path)));
}

int LibraryCommands::backup(const Invocation &invocation)
{
    const QString path = invocation.arguments.at(0);
    LibraryStore store;
    LibraryBackup::Copied copied;
    QString error;
    const bool done = LibraryBackup(store).backUp(path, &copied, &error);
    sayNotice(invocation, store);
    if (!done)
        return invocation.fail(error);
    invocation.out << LibraryBackup::backedUp(copied, path) << '\n';
    return kExitSuccess;
}

int LibraryCommands::restore(const Invocation &invocation)
{
    const QString path = invocation.arguments.at(0);
    LibraryStore store;
    LibraryBackup::Merged merged;
    QString error;
    const bool done = LibraryBackup(store).restore(path, &merged, &error);
    sayNotice(invocation, store);
    if (!done)
        return invocation.fail(error);
    invocation.out << LibraryBackup::restored(merged, path) << '\n';
    return kExitSuccess;
}

void LibraryCommands::record(const Invocation &invocation, LibraryEvent::Kind kind, const Settings &settings,
                             const QString &path, int memory, const LibraryKeyboard &keyboard)
{
    invocation.out.flush();
    LibraryStore store;
    LibraryEvent event = LibraryEvent::of(kind, LibraryEvent::Program::Telvir, settings, path, memory);
    event.keyboard = keyboard;
    LibraryRecorder(store).record(event);
    sayNotice(invocation, store);
}
