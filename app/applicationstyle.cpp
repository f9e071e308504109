#include "app/applicationstyle.h"

#include "app/editorlogging.h"

#include <QFile>

QString applicationStyleSheet()
{
    QString sheet;
    for (const char *name : {":/main/style.qss", ":/main/focus.qss"}) {
        QFile file{QString::fromLatin1(name)};
        if (!file.open(QIODevice::ReadOnly)) {
            qCWarning(lcEditor).noquote() << "No style sheet" << name << ":" << file.errorString();
            continue;
        }
        sheet += QString::fromUtf8(file.readAll());
    }
    return sheet;
}
