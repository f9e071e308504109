#include "app/recoverybar.h"

#include "app/editordocument.h"
#include "app/snapshotkeeper.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>

namespace {
constexpr int kDroppedLineMs = 20000;
} // namespace

void RecoveryBar::offer(QMainWindow &window, EditorDocument &document, SnapshotKeeper &keeper)
{
    const std::optional<SnapshotKeeper::Orphan> orphan = keeper.takeOrphan();
    if (!orphan)
        return;
    const QString time = QLocale().toString(orphan->savedAt, QLocale::ShortFormat);
    if (!orphan->snapshot) {
        keeper.dropOrphan();
        window.statusBar()->showMessage(tr("Unsaved changes from %1 could not be read and were dropped.").arg(time),
                                        kDroppedLineMs);
        return;
    }
    // A bottom tool bar lies between the form and the status line. The
    // window grows by its height, so that none of the form is hidden, and
    // is as before once the choice is made.
    auto *holder = new QToolBar(&window);
    holder->setObjectName(QStringLiteral("recoveryToolBar"));
    holder->setMovable(false);
    holder->setFloatable(false);
    holder->toggleViewAction()->setVisible(false);
    // Nothing is back in the form until Restore is pressed.
    auto *bar = new RecoveryBar(document, keeper, *orphan->snapshot,
                                tr("Unsaved changes from %1 can be restored.").arg(time));
    holder->addWidget(bar);
    window.addToolBar(Qt::BottomToolBarArea, holder);
    const int height = holder->sizeHint().height();
    window.resize(window.width(), window.height() + height);
    connect(bar, &RecoveryBar::done, &window, [&window, holder, height] {
        holder->deleteLater();
        window.resize(window.width(), window.height() - height);
    });
}

RecoveryBar::RecoveryBar(EditorDocument &document, SnapshotKeeper &keeper, const EditorSnapshot &snapshot,
                         const QString &text)
    : document_(document), keeper_(keeper), snapshot_(snapshot)
{
    setObjectName(QStringLiteral("recoveryBar"));
    setFrameShape(QFrame::StyledPanel);
    auto *label = new QLabel(text);
    label->setObjectName(QStringLiteral("recoveryText"));
    label->setTextFormat(Qt::PlainText);
    auto *restoreButton = new QPushButton(tr("Restore"));
    restoreButton->setObjectName(QStringLiteral("btnRestore"));
    auto *discardButton = new QPushButton(tr("Discard"));
    discardButton->setObjectName(QStringLiteral("btnDiscard"));
    connect(restoreButton, &QPushButton::clicked, this, &RecoveryBar::restore);
    connect(discardButton, &QPushButton::clicked, this, &RecoveryBar::discard);
    // Nothing changes the record while the keyboard is talked to.
    connect(&document, &EditorDocument::busyChanged, restoreButton, [restoreButton](bool busy) {
        restoreButton->setEnabled(!busy);
    });
    restoreButton->setEnabled(!document.isBusy());
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->addWidget(label, 1);
    layout->addWidget(restoreButton);
    layout->addWidget(discardButton);
}

void RecoveryBar::restore()
{
    if (document_.isBusy())
        return;
    document_.restore(snapshot_);
    close();
}

void RecoveryBar::discard()
{
    close();
}

void RecoveryBar::close()
{
    if (!isEnabled())
        return;
    setEnabled(false);
    keeper_.dropOrphan();
    emit done();
}
