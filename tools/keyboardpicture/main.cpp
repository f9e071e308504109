// Draws the keyboard picture that the editor embeds:
//   keyboardpicture resources/ui.jpg
// and, to check the markers against the controls, an annotated copy:
//   keyboardpicture markers.png --markers

#include "keyboardpicture.h"

#include <QGuiApplication>
#include <QImageWriter>
#include <QStringList>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // The picture is drawn off screen; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    QStringList arguments = QGuiApplication::arguments().mid(1);
    const bool showMarkers = arguments.removeAll(QStringLiteral("--markers")) > 0;
    QTextStream errors(stderr);
    if (arguments.size() != 1) {
        errors << "usage: keyboardpicture OUTPUT.jpg [--markers]\n";
        return 2;
    }

    QImageWriter writer(arguments.first());
    if (writer.format() == "jpeg" || writer.format() == "jpg") {
        // A plain baseline JPEG; progressive scans stay off.
        writer.setQuality(92);
        writer.setOptimizedWrite(false);
        writer.setProgressiveScanWrite(false);
    }
    if (!writer.write(KeyboardPicture::render(showMarkers))) {
        errors << "keyboardpicture: cannot write " << arguments.first() << ": " << writer.errorString() << "\n";
        return 1;
    }
    return 0;
}
