#pragma once

// The bar above the status line that offers the unsaved changes of an
// editor that did not close normally: "Restore" puts them into the form as
// one undoable step, "Discard" removes them. It never opens a box and
// never restores anything on its own.

#include "model/editorsnapshot.h"

#include <QFrame>

class EditorDocument;
class QMainWindow;
class SnapshotKeeper;

class RecoveryBar : public QFrame
{
    Q_OBJECT

public:
    // Shows the bar in `window` when the keeper finds unsaved changes of an
    // editor that is gone; one that cannot be read whole is dropped with a
    // line in the status line.
    static void offer(QMainWindow &window, EditorDocument &document, SnapshotKeeper &keeper);

public slots:
    void restore();
    void discard();

signals:
    // The choice is made; the bar can go.
    void done();

private:
    RecoveryBar(EditorDocument &document, SnapshotKeeper &keeper, const EditorSnapshot &snapshot, const QString &text);
    void close();

    EditorDocument &document_;
    SnapshotKeeper &keeper_;
    const EditorSnapshot snapshot_;
};
