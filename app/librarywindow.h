#pragma once

// "Library": what this computer last wrote into each of the keyboard's
// memories, and every setup the editor and telvir have read, loaded, saved
// or written, beside the main window and not modal. It reaches the edited
// form only through the three calls of Form, and the store through its own
// connection; recordings go through the LibraryQueue.

#include "model/librarykeyboard.h"
#include "model/memoryentry.h"
#include "model/settings.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class LibraryQueries;
class LibraryQueue;
class LibraryRecorder;
class EditorDocument;
class LibrarySetupModel;
class LibraryStore;
class QComboBox;
class QMainWindow;
class QLineEdit;
class QPlainTextEdit;
class QSortFilterProxyModel;
class QTableView;
class QTreeWidget;

class LibraryWindow : public QWidget
{
    Q_OBJECT

public:
    // What the window does with the edited form.
    struct Form
    {
        std::function<Settings()> settings;
        // Into the form as one undoable step named `step`.
        std::function<void(const Settings &, const QString &step)> open;
        // Into keyboard memory `memory`, with the boxes of a send.
        std::function<void(const Settings &, int memory)> send;
    };

    // Gives `window` the action "Library" with Ctrl+L, and
    // records every setup the window passes into the user's library.
    static void attachTo(QMainWindow &window, EditorDocument &document);
    // The window's library, made and shown if need be.
    static LibraryWindow *open(QMainWindow &window, EditorDocument &document);

    LibraryWindow(Form form, LibraryQueue &queue, QWidget *parent = nullptr);
    ~LibraryWindow() override;

    // Reads memories and setups from the store again.
    void reload();
    // The search field's text: the setups whose name contains it.
    void search(const QString &text);

    QTreeWidget *memoryList() const { return memories_; }
    // Whose memories the list shows: the linked keyboard first, or any
    // other written to from here.
    QComboBox *keyboardChoice() const { return keyboardChoice_; }
    QTableView *setupList() const { return setups_; }
    QPlainTextEdit *comparison() const { return comparison_; }

public slots:
    void openMemory();
    void compareMemory();
    void sendMemoryAgain();
    void openSetup();
    void renameSetup();
    void starSetup();
    void deleteSetup();
    void exportSetup();
    // Records each file as loaded; tells of those that are no settings.
    void importFiles(const QStringList &paths);
    // The whole library into a new file, and a backup merged into it; the
    // file asked for, then the outcome said in a box.
    void backUpLibrary();
    void restoreLibrary();
    void backUpTo(const QString &path);
    void restoreFrom(const QString &path);

signals:
    // Something the user should be told of the store, once.
    void notice(const QString &text);

protected:
    void showEvent(QShowEvent *event) override;

private:
    const MemoryEntry *chosenMemory() const;
    void reloadKeyboards();
    void reloadMemories();
    std::optional<qint64> chosenSetup() const;
    void passOnNotice();

    const Form form_;
    LibraryQueue &queue_;
    std::unique_ptr<LibraryStore> store_;
    std::unique_ptr<LibraryQueries> queries_;
    std::unique_ptr<LibraryRecorder> recorder_;
    QVector<MemoryEntry> memoryEntries_;
    QVector<LibraryKeyboard> keyboards_;
    QComboBox *keyboardChoice_;
    QTreeWidget *memories_;
    QTableView *setups_;
    LibrarySetupModel *model_;
    QSortFilterProxyModel *filter_;
    QLineEdit *searchField_;
    QPlainTextEdit *comparison_;
};
