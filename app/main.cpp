#include "app/mainwindow.h"

#include <QApplication>
#include <QByteArray>
#include <QDebug>
#include <QFile>
#include <QString>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // Before the first widget exists, so that every widget, message box and
    // file dialog is drawn in the same style.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    // Without its style sheet the editor still works; the markers then look
    // like plain buttons.
    QFile styleFile(QStringLiteral(":/main/style.qss"));
    if (!styleFile.open(QIODevice::ReadOnly))
        qWarning().noquote() << "No style sheet:" << styleFile.errorString();
    const QString styleSheet = QString::fromUtf8(styleFile.readAll());
    application.setStyleSheet(styleSheet);

    MainWindow window;
    window.show();
    return application.exec();
}
