#pragma once

// "All Controls": every control's assignment in one table beside the main
// window, not modal. Each cell is edited with the panel's own choices and
// makes the very change the panel's field makes, so undo, the panel, the
// markers' tooltips and the status line follow; the row of the control
// shown in the panel is the selected row, and the other way round.
// Controls that send the same message are marked, and "Export Sheet..."
// saves the printable sheet.

#include <QWidget>

class AssignmentModel;
struct Settings;
class EditorDocument;
class QMainWindow;
class QLabel;
class QTableView;

class AllControlsWindow : public QWidget
{
    Q_OBJECT

public:
    // Gives `window` the action "All Controls" with Ctrl+T, which opens the table (made on first use) or bring it to the front.
    static void attachTo(QMainWindow &window, EditorDocument &document);
    // The window's table, made and shown if need be.
    static AllControlsWindow *open(QMainWindow &window, EditorDocument &document);

    AllControlsWindow(QMainWindow &window, EditorDocument &document);

    QTableView *table() const { return view; }

    // "Export Sheet...": `settings` as a PDF or PNG, by the name's extension.
    static void exportSheet(QWidget *parent, const Settings &settings);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showControl(int controlIndex);
    void updateClashLine();

    EditorDocument &document;
    AssignmentModel *model;
    QTableView *view;
    QLabel *clashLine;
    // True while the selection follows the main window, so that it is not
    // handed back to it.
    bool followingWindow = false;
};
