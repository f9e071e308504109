#include "app/settingsfiledrop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace {
// The settings file that a drag carries: one local file named *.telvir.
QString draggedSettingsFile(const QMimeData *data)
{
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return QString();
    const QString fileName = urls.first().toLocalFile();
    return fileName.endsWith(QLatin1String(".telvir"), Qt::CaseInsensitive) ? fileName : QString();
}
} // namespace

SettingsFileDrop::SettingsFileDrop(QWidget *window, std::function<void(const QString &)> load)
    : QObject(window), load_(std::move(load))
{
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

bool SettingsFileDrop::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::DragEnter && event->type() != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto *drop = static_cast<QDropEvent *>(event); // a QDragEnterEvent is one too
    const QString fileName = draggedSettingsFile(drop->mimeData());
    if (fileName.isEmpty())
        return false;
    drop->acceptProposedAction();
    // Loaded once the drop is over: a box opened inside the drop would keep
    // the program the file came from waiting.
    if (event->type() == QEvent::Drop)
        QTimer::singleShot(0, this, [this, fileName] { load_(fileName); });
    return true;
}
