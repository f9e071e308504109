// Draws the editor's application icon, as a scalable SVG and as the PNG
// sizes the desktop's hicolor theme asks for:
//   appicon resources/desktop

#include "appicon.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QStringList>
#include <QSvgGenerator>
#include <QTextStream>

namespace {
const QString kIconName = QStringLiteral("org.telvir.TelvirEditor");
}

int main(int argc, char *argv[])
{
    // The icon is drawn off screen; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    const QStringList arguments = QGuiApplication::arguments().mid(1);
    QTextStream errors(stderr);
    if (arguments.size() != 1) {
        errors << "usage: appicon FOLDER\n";
        return 2;
    }
    const QDir folder(arguments.first());

    QSvgGenerator svg;
    svg.setFileName(folder.filePath(kIconName + QStringLiteral(".svg")));
    svg.setSize(QSize(AppIcon::kCanvas, AppIcon::kCanvas));
    svg.setViewBox(QRect(0, 0, AppIcon::kCanvas, AppIcon::kCanvas));
    svg.setTitle(QStringLiteral("Telvir Editor"));
    {
        QPainter painter;
        if (!painter.begin(&svg)) {
            errors << "appicon: cannot write " << svg.fileName() << "\n";
            return 1;
        }
        AppIcon::paint(painter);
    }

    for (int size : {48, 128, 256}) {
        const QString fileName = folder.filePath(QStringLiteral("%1-%2.png").arg(kIconName).arg(size));
        if (!AppIcon::render(size).save(fileName)) {
            errors << "appicon: cannot write " << fileName << "\n";
            return 1;
        }
    }
    return 0;
}
