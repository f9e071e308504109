#include "app/allcontrolswindow.h"

#include "app/assignmentmodel.h"
#include "app/fieldchoicedelegate.h"
#include "app/editordocument.h"
#include "app/filedialogs.h"
#include "app/plainmessagebox.h"
#include "app/windowcommand.h"
#include "sheet/controlsheet.h"

#include <QAction>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>


void AllControlsWindow::attachTo(QMainWindow &window, EditorDocument &document)
{
    WindowCommand::add(window, "actionAllControls", tr("All Controls"),
                       tr("Every control's assignment in one table (Ctrl+T)"), "Ctrl+T",
                       [&window, &document] { open(window, document); });
}

AllControlsWindow *AllControlsWindow::open(QMainWindow &window, EditorDocument &document)
{
    auto *table = window.findChild<AllControlsWindow *>(QString(), Qt::FindDirectChildrenOnly);
    if (!table)
        table = new AllControlsWindow(window, document);
    table->show();
    table->raise();
    table->activateWindow();
    return table;
}

AllControlsWindow::AllControlsWindow(QMainWindow &window, EditorDocument &document)
    : QWidget(&window, Qt::Window),
      document(document),
      model(nullptr),
      view(new QTableView(this)),
      clashLine(new QLabel(this))
{
    setObjectName(QStringLiteral("allControlsWindow"));
    setWindowTitle(tr("All Controls"));

    model = new AssignmentModel(
        document.settings(),
        [&document](int controlIndex, const ControlField &field, int position) {
            // Nothing changes the record while the keyboard is talked to.
            if (document.isBusy())
                return false;
            document.editControlField(controlIndex, field, position);
            return true;
        },
        this);

    view->setObjectName(QStringLiteral("allControlsTable"));
    view->setAccessibleName(tr("Assignments of every control"));
    view->setModel(model);
    view->setItemDelegate(new FieldChoiceDelegate(view));
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    // The arrow keys move within the table; Tab leaves it, or a keyboard
    // user would never reach the buttons beside it.
    view->setTabKeyNavigation(false);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    // Enter edits too (see eventFilter).
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    view->horizontalHeader()->setSectionsClickable(false);
    view->setAlternatingRowColors(true);
    view->installEventFilter(this);

    auto *exportButton = new QPushButton(tr("Export Sheet..."), this);
    exportButton->setObjectName(QStringLiteral("btnExportSheet"));
    connect(exportButton, &QPushButton::clicked, this, [this] { exportSheet(this, this->document.settings()); });
    clashLine->setObjectName(QStringLiteral("clashLine"));

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(clashLine, 1);
    bottom->addWidget(exportButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(view);
    layout->addLayout(bottom);

    // The main window's shortcuts (Ctrl+Z, Ctrl+Y, ...) work here as there,
    // and as there not while the keyboard is talked to.
    for (QAction *original : window.centralWidget()->actions()) {
        auto *proxy = new QAction(original->text(), this);
        proxy->setShortcuts(original->shortcuts());
        connect(proxy, &QAction::triggered, original, [original, &document] {
            if (!document.isBusy())
                original->trigger();
        });
        addAction(proxy);
    }

    connect(&document, &EditorDocument::settingsChanged, this, [this](const Settings &, const Settings &after) {
        model->setSettings(after);
        updateClashLine();
    });
    connect(&document, &EditorDocument::selectedControlChanged, this, &AllControlsWindow::showControl);
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!followingWindow && current.isValid() && current.row() != this->document.selectedControl())
                    this->document.requestSelection(current.row());
            });
    showControl(document.selectedControl());
    updateClashLine();

    // Wide enough for every column and its header in the font the style
    // sheet gives (so measured once polished), tall enough for about
    // twenty rows. A stretched last column would be measured at whatever
    // room it had so far, so it is measured unstretched.
    ensurePolished();
    view->horizontalHeader()->setStretchLastSection(false);
    view->resizeColumnsToContents();
    const int columnsWidth = view->horizontalHeader()->length();
    view->horizontalHeader()->setStretchLastSection(true);
    const int width = columnsWidth + view->frameWidth() * 2
                      + view->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + layout->contentsMargins().left()
                      + layout->contentsMargins().right();
    resize(width, 20 * view->verticalHeader()->defaultSectionSize() + view->horizontalHeader()->height() + 80);
}

void AllControlsWindow::showControl(int controlIndex)
{
    followingWindow = true;
    if (controlIndex < 0) {
        view->clearSelection();
    } else {
        const int column = std::max(0, view->currentIndex().column());
        const QModelIndex index = model->index(controlIndex, column);
        view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        view->scrollTo(index);
    }
    followingWindow = false;
}

void AllControlsWindow::updateClashLine()
{
    const int count = model->clashes().controlCount();
    clashLine->setText(count > 0 ? tr("%n controls clash: their rows are marked.", nullptr, count) : QString());
}

bool AllControlsWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Enter edits the current cell, as F2 does. An open editor has the
    // focus, and its Enter, which reaches the table too, stores the choice.
    if (watched == view && event->type() == QEvent::KeyPress && view->hasFocus()) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && (view->currentIndex().flags() & Qt::ItemIsEditable)) {
            view->edit(view->currentIndex());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void AllControlsWindow::exportSheet(QWidget *parent, const Settings &settings)
{
    QString fileName = FileDialogs::saveFileName(parent, tr("Export Sheet"), QString(),
                                                 tr("PDF (*.pdf)") + QStringLiteral(";;") + tr("PNG image (*.png)"));
    if (fileName.isEmpty())
        return;
    // A name with another extension is still a sheet: a PDF.
    if (!ControlSheet::isSheetFileName(fileName))
        fileName += QStringLiteral(".pdf");
    QString error;
    if (!ControlSheet(settings, tr("Telvir keyboard")).save(fileName, &error))
        PlainMessageBox::warning(parent, tr("Error"),
                                 tr("Could not export the sheet to \"%1\": %2").arg(QDir::toNativeSeparators(fileName), error));
}
