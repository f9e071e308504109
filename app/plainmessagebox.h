#pragma once

// A warning or information box whose text is shown as it stands: a file or port name with
// "<b>" in it is a name, never markup (QMessageBox guesses rich text).

#include <QString>

class QWidget;

class PlainMessageBox
{
public:
    static void warning(QWidget *parent, const QString &title, const QString &text);
    static void information(QWidget *parent, const QString &title, const QString &text);
};
