#include "app/librarywindow.h"

#include "app/librarysetupmodel.h"
#include "app/editordocument.h"
#include "app/settingsfiledrop.h"
#include "app/filedialogs.h"
#include "app/plainmessagebox.h"
#include "app/windowcommand.h"
#include "commands/keyboardcommand.h"
#include "midi/midicontroller.h"
#include "model/librarybackup.h"
#include "model/libraryqueries.h"
#include "model/libraryqueue.h"
#include "model/libraryrecorder.h"
#include "model/librarystore.h"
#include "model/settingsdifferences.h"
#include "model/settingsdocument.h"
#include "model/settingsformat.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSet>
#include <QSortFilterProxyModel>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
QPushButton *addButton(QBoxLayout *row, const char *name, const QString &text, QWidget *window,
                       void (LibraryWindow::*slot)())
{
    auto *button = new QPushButton(text);
    button->setObjectName(QLatin1String(name));
    row->addWidget(button);
    QObject::connect(button, &QPushButton::clicked, static_cast<LibraryWindow *>(window), slot);
    return button;
}
} // namespace

void LibraryWindow::attachTo(QMainWindow &window, EditorDocument &document)
{
    auto *queue = new LibraryQueue(QString(), &window);
    queue->setObjectName(QStringLiteral("libraryQueue"));
    connect(&document, &EditorDocument::settingsPassed, queue, &LibraryQueue::record);
    // Each thing said of the store is said once, in the status line.
    auto said = std::make_shared<QSet<QString>>();
    const auto tell = [&window, said](const QString &text) {
        if (said->contains(text))
            return;
        said->insert(text);
        window.statusBar()->showMessage(text, 20000);
    };
    connect(queue, &LibraryQueue::notice, &window, tell);

    WindowCommand::add(window, "actionLibrary", tr("Library"),
                       tr("What this computer wrote into the keyboard's memories, and every setup (Ctrl+L)"),
                       "Ctrl+L", [&window, &document, tell] {
                           LibraryWindow *library = open(window, document);
                           connect(library, &LibraryWindow::notice, &window, tell, Qt::UniqueConnection);
                       });
}

LibraryWindow *LibraryWindow::open(QMainWindow &window, EditorDocument &document)
{
    auto *library = window.findChild<LibraryWindow *>(QString(), Qt::FindDirectChildrenOnly);
    if (!library) {
        auto *queue = window.findChild<LibraryQueue *>(QStringLiteral("libraryQueue"));
        Form form{[&document] { return document.settings(); },
                  [&document](const Settings &settings, const QString &step) { document.replace(settings, step); },
                  [&document](const Settings &settings, int memory) { document.requestSend(settings, memory); }};
        library = new LibraryWindow(std::move(form), *queue, &window);
    }
    library->show();
    library->raise();
    library->activateWindow();
    return library;
}

LibraryWindow::LibraryWindow(Form form, LibraryQueue &queue, QWidget *parent)
    : QWidget(parent, Qt::Window),
      form_(std::move(form)),
      queue_(queue),
      store_(std::make_unique<LibraryStore>(queue.path())),
      queries_(std::make_unique<LibraryQueries>(*store_)),
      recorder_(std::make_unique<LibraryRecorder>(*store_)),
      keyboardChoice_(new QComboBox),
      memories_(new QTreeWidget),
      setups_(new QTableView),
      model_(new LibrarySetupModel(this)),
      filter_(new QSortFilterProxyModel(this)),
      searchField_(new QLineEdit),
      comparison_(new QPlainTextEdit)
{
    setObjectName(QStringLiteral("libraryWindow"));
    setWindowTitle(tr("Library"));
    resize(640, 480);
    auto *tabs = new QTabWidget;
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);

    auto *memoryPage = new QWidget;
    auto *memoryLayout = new QVBoxLayout(memoryPage);
    auto *explanation = new QLabel(tr("What this computer last wrote into each memory of the keyboard. The keyboard's "
                                      "own controls or another computer may have changed a memory since."));
    explanation->setWordWrap(true);
    memoryLayout->addWidget(explanation);
    auto *keyboardRow = new QHBoxLayout;
    auto *keyboardLabel = new QLabel(tr("Keyboard:"));
    keyboardLabel->setBuddy(keyboardChoice_);
    keyboardRow->addWidget(keyboardLabel);
    keyboardChoice_->setObjectName(QStringLiteral("keyboardChoice"));
    keyboardChoice_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    keyboardRow->addWidget(keyboardChoice_);
    keyboardRow->addStretch();
    memoryLayout->addLayout(keyboardRow);
    connect(keyboardChoice_, QOverload<int>::of(&QComboBox::activated), this, &LibraryWindow::reloadMemories);
    memories_->setObjectName(QStringLiteral("memoryList"));
    memories_->setRootIsDecorated(false);
    memories_->setAccessibleName(tr("Memories"));
    memories_->setHeaderLabels({tr("Memory"), tr("Setup"), tr("Written"), tr("From")});
    memoryLayout->addWidget(memories_);
    auto *memoryButtons = new QHBoxLayout;
    addButton(memoryButtons, "btnOpenMemory", tr("Open"), this, &LibraryWindow::openMemory);
    addButton(memoryButtons, "btnCompareMemory", tr("Compare"), this, &LibraryWindow::compareMemory);
    addButton(memoryButtons, "btnSendAgain", tr("Send again"), this, &LibraryWindow::sendMemoryAgain);
    memoryButtons->addStretch();
    memoryLayout->addLayout(memoryButtons);
    comparison_->setObjectName(QStringLiteral("comparison"));
    comparison_->setReadOnly(true);
    comparison_->setAccessibleName(tr("Differences from the form"));
    comparison_->setPlaceholderText(tr("Compare shows here the settings in which a memory differs from the form."));
    memoryLayout->addWidget(comparison_);
    tabs->addTab(memoryPage, tr("Memories"));

    auto *setupPage = new QWidget;
    auto *setupLayout = new QVBoxLayout(setupPage);
    searchField_->setObjectName(QStringLiteral("searchField"));
    searchField_->setPlaceholderText(tr("Search by name"));
    searchField_->setClearButtonEnabled(true);
    searchField_->setAccessibleName(tr("Search by name"));
    connect(searchField_, &QLineEdit::textChanged, this, &LibraryWindow::search);
    setupLayout->addWidget(searchField_);
    model_->setFilesSource([this](qint64 setupId) { return queries_->filesOf(setupId); });
    filter_->setSourceModel(model_);
    filter_->setFilterKeyColumn(LibrarySetupModel::Name);
    filter_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    setups_->setObjectName(QStringLiteral("setupList"));
    setups_->setModel(filter_);
    setups_->setSelectionBehavior(QAbstractItemView::SelectRows);
    setups_->setSelectionMode(QAbstractItemView::SingleSelection);
    setups_->setAccessibleName(tr("Setups"));
    // The arrow keys move within the list; Tab leaves it for the buttons.
    setups_->setTabKeyNavigation(false);
    setups_->verticalHeader()->hide();
    // Fixed row heights: 10,000 rows are not measured one by one.
    setups_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setups_->horizontalHeader()->setSectionResizeMode(LibrarySetupModel::Name, QHeaderView::Stretch);
    connect(setups_, &QTableView::doubleClicked, this, &LibraryWindow::openSetup);
    setupLayout->addWidget(setups_);
    auto *setupButtons = new QHBoxLayout;
    addButton(setupButtons, "btnRename", tr("Rename"), this, &LibraryWindow::renameSetup);
    addButton(setupButtons, "btnStar", tr("Star"), this, &LibraryWindow::starSetup);
    addButton(setupButtons, "btnDelete", tr("Delete"), this, &LibraryWindow::deleteSetup);
    addButton(setupButtons, "btnOpenSetup", tr("Open"), this, &LibraryWindow::openSetup);
    addButton(setupButtons, "btnExport", tr("Export..."), this, &LibraryWindow::exportSetup);
    setupButtons->addStretch();
    addButton(setupButtons, "btnBackUp", tr("Back Up..."), this, &LibraryWindow::backUpLibrary);
    addButton(setupButtons, "btnRestore", tr("Restore..."), this, &LibraryWindow::restoreLibrary);
    setupLayout->addLayout(setupButtons);
    tabs->addTab(setupPage, tr("Setups"));

    new SettingsFileDrop(this, [this](const QStringList &paths) { importFiles(paths); }, true);
    connect(&queue_, &LibraryQueue::recorded, this, [this] {
        if (isVisible())
            reload();
    });
}

LibraryWindow::~LibraryWindow() = default;

void LibraryWindow::showEvent(QShowEvent *event)
{
    // telvir may have written meanwhile.
    reload();
    QWidget::showEvent(event);
}

void LibraryWindow::passOnNotice()
{
    const QString text = store_->takeNotice();
    if (!text.isEmpty())
        emit notice(text);
}

void LibraryWindow::reloadKeyboards()
{
    // The user's choice stays; at first, the keyboard linked now.
    std::optional<LibraryKeyboard> chosen;
    const int current = keyboardChoice_->currentIndex();
    if (current >= 0 && current < keyboards_.size())
        chosen = keyboards_.at(current);
    else
        MidiController::useLiveInstance([&chosen](MidiController &link) {
            chosen = KeyboardCommand::libraryKeyboard(link.portPair());
        });
    keyboards_ = queries_->keyboards();
    // The linked keyboard may not have been written to yet; "a keyboard
    // not named" is listed only where the library has its writes.
    if (chosen && !keyboards_.contains(*chosen)) {
        if (chosen->named())
            keyboards_.prepend(*chosen);
        else
            chosen.reset();
    }
    if (keyboards_.isEmpty())
        keyboards_ << LibraryKeyboard();
    keyboardChoice_->clear();
    for (const LibraryKeyboard &keyboard : keyboards_) {
        //: The keyboard of writes recorded before keyboards were told apart.
        keyboardChoice_->addItem(keyboard.named() ? QStringLiteral("%1, %2").arg(keyboard.output, keyboard.input)
                                                  : tr("a keyboard not named"));
    }
    keyboardChoice_->setCurrentIndex(chosen ? int(keyboards_.indexOf(*chosen)) : 0);
}

void LibraryWindow::reloadMemories()
{
    const int memoryRow = memories_->currentIndex().row();
    memoryEntries_ = queries_->memories(keyboards_.value(std::max(0, keyboardChoice_->currentIndex())));
    memories_->clear();
    for (const MemoryEntry &entry : memoryEntries_) {
        QStringList columns{KeyboardCommand::memoryName(entry.memory)};
        if (entry.known)
            columns << entry.setupName << LibrarySetupModel::timeText(entry.writtenMs) << entry.source();
        else
            columns << tr("not known");
        memories_->addTopLevelItem(new QTreeWidgetItem(columns));
    }
    memories_->setCurrentItem(memories_->topLevelItem(std::max(0, memoryRow)));
    for (int column = 0; column < memories_->columnCount(); ++column)
        memories_->resizeColumnToContents(column);
}

void LibraryWindow::reload()
{
    const std::optional<qint64> setup = chosenSetup();
    reloadKeyboards();
    reloadMemories();
    model_->setSetups(queries_->setups());
    if (setup) {
        for (int row = 0; row < model_->rowCount(); ++row) {
            if (model_->setupAt(row).id == *setup) {
                setups_->setCurrentIndex(filter_->mapFromSource(model_->index(row, 0)));
                break;
            }
        }
    }
    passOnNotice();
}

void LibraryWindow::search(const QString &text)
{
    filter_->setFilterFixedString(text);
}

const MemoryEntry *LibraryWindow::chosenMemory() const
{
    const int row = memories_->currentIndex().row();
    if (row < 0 || row >= memoryEntries_.size() || !memoryEntries_.at(row).known)
        return nullptr;
    return &memoryEntries_.at(row);
}

std::optional<qint64> LibraryWindow::chosenSetup() const
{
    const QModelIndex index = filter_->mapToSource(setups_->currentIndex());
    if (!index.isValid())
        return std::nullopt;
    return model_->setupAt(index.row()).id;
}

void LibraryWindow::openMemory()
{
    if (const MemoryEntry *entry = chosenMemory())
        form_.open(entry->settings, tr("Open memory %1").arg(KeyboardCommand::memoryName(entry->memory)));
}

void LibraryWindow::compareMemory()
{
    const MemoryEntry *entry = chosenMemory();
    if (!entry) {
        comparison_->setPlainText(tr("Nothing is known of this memory."));
        return;
    }
    const QString memory = KeyboardCommand::memoryName(entry->memory);
    const QStringList lines = SettingsDifferences::lines(form_.settings(), entry->settings);
    if (lines.isEmpty()) {
        comparison_->setPlainText(tr("Memory %1 holds the settings of the form.").arg(memory));
        return;
    }
    comparison_->setPlainText(tr("Memory %1 differs from the form here (the form's value first):").arg(memory)
                              + QLatin1Char('\n') + lines.join(QLatin1Char('\n')));
}

void LibraryWindow::sendMemoryAgain()
{
    if (const MemoryEntry *entry = chosenMemory())
        form_.send(entry->settings, entry->memory);
}

void LibraryWindow::openSetup()
{
    const std::optional<qint64> setup = chosenSetup();
    const std::optional<Settings> settings = setup ? queries_->settingsOf(*setup) : std::nullopt;
    if (settings)
        form_.open(*settings, tr("Open %1").arg(filter_->index(setups_->currentIndex().row(), 0).data().toString()));
    passOnNotice();
}

void LibraryWindow::renameSetup()
{
    const std::optional<qint64> setup = chosenSetup();
    if (!setup)
        return;
    const QString current = filter_->index(setups_->currentIndex().row(), 0).data().toString();
    bool ok = false;
    const QString name = QInputDialog::getText(this, tr("Rename"), tr("Name:"), QLineEdit::Normal, current, &ok);
    if (ok && !name.trimmed().isEmpty() && recorder_->rename(*setup, name.trimmed()))
        reload();
    passOnNotice();
}

void LibraryWindow::starSetup()
{
    const QModelIndex index = filter_->mapToSource(setups_->currentIndex());
    if (!index.isValid())
        return;
    const LibrarySetup &setup = model_->setupAt(index.row());
    if (recorder_->setStarred(setup.id, !setup.starred))
        reload();
    passOnNotice();
}

void LibraryWindow::deleteSetup()
{
    const std::optional<qint64> setup = chosenSetup();
    if (setup && recorder_->unlist(*setup))
        reload();
    passOnNotice();
}

void LibraryWindow::exportSetup()
{
    const std::optional<qint64> setup = chosenSetup();
    const std::optional<Settings> settings = setup ? queries_->settingsOf(*setup) : std::nullopt;
    if (!settings)
        return;
    const QString name = filter_->index(setups_->currentIndex().row(), 0).data().toString();
    QString chosenFilter;
    const QString path =
        FileDialogs::saveFileName(this, tr("Export Setup"), name, SettingsFormat::writeFilters(), &chosenFilter);
    if (path.isEmpty())
        return;
    QString error;
    if (!SettingsDocument::save(path, *settings, SettingsFormat::chosen(path, chosenFilter), &error)) {
        PlainMessageBox::warning(this, tr("Error"),
                             tr("Could not save the settings to \"%1\": %2").arg(QDir::toNativeSeparators(path), error));
        return;
    }
    queue_.record(LibraryEvent::of(LibraryEvent::Kind::Save, LibraryEvent::Program::Editor, *settings, path));
}

void LibraryWindow::importFiles(const QStringList &paths)
{
    QStringList refused;
    for (const QString &path : paths) {
        Settings settings;
        QString error;
        QString note;
        if (SettingsDocument::load(path, &settings, &error, &note)) {
            queue_.record(LibraryEvent::of(LibraryEvent::Kind::Load, LibraryEvent::Program::Editor, settings, path));
            if (!note.isEmpty())
                emit notice(QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), note));
        } else {
            refused << QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), error);
        }
    }
    if (!refused.isEmpty())
        PlainMessageBox::warning(this, tr("Error"), refused.join(QLatin1Char('\n')));
}

void LibraryWindow::backUpLibrary()
{
    // A backup never replaces a file: the dialog need not ask.
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Back Up the Library"), QDir(FileDialogs::startFolder()).filePath(QStringLiteral("telvir-library.sqlite")),
        tr("Library Backups (*.sqlite)"), nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return;
    FileDialogs::rememberFolder(path);
    backUpTo(path);
}

void LibraryWindow::restoreLibrary()
{
    const QString path =
        FileDialogs::openFileName(this, tr("Restore a Backup"), tr("Library Backups (*.sqlite);;All Files (*)"));
    if (!path.isEmpty())
        restoreFrom(path);
}

void LibraryWindow::backUpTo(const QString &path)
{
    LibraryBackup::Copied copied;
    QString error;
    const bool done = LibraryBackup(*store_).backUp(path, &copied, &error);
    passOnNotice();
    if (done)
        PlainMessageBox::information(this, tr("Back Up the Library"), LibraryBackup::backedUp(copied, path));
    else
        PlainMessageBox::warning(this, tr("Error"), error);
}

void LibraryWindow::restoreFrom(const QString &path)
{
    LibraryBackup::Merged merged;
    QString error;
    const bool done = LibraryBackup(*store_).restore(path, &merged, &error);
    passOnNotice();
    if (!done) {
        PlainMessageBox::warning(this, tr("Error"), error);
        return;
    }
    reload();
    PlainMessageBox::information(this, tr("Restore a Backup"), LibraryBackup::restored(merged, path));
}
