#pragma once

// A page to print and tape beside the keyboard: the keyboard picture with
// what each control sends written on its marker, the global settings, the
// controls that clash, and the table of every control's assignment below.
// The editor's "Export Sheet..." and `telvir sheet` both make it here.

#include "model/settings.h"

#include <QCoreApplication>
#include <QImage>
#include <QSize>
#include <QString>

class QPainter;

class ControlSheet
{
    Q_DECLARE_TR_FUNCTIONS(ControlSheet)

public:
    ControlSheet(const Settings &settings, const QString &title);

    // An A4 page in landscape, in tenths of a millimetre.
    static const QSize kPageSize;
    // The resolution of a PNG sheet.
    static constexpr int kImageDotsPerInch = 150;

    // True for names ending in ".pdf" or ".png", the kinds save() writes.
    static bool isSheetFileName(const QString &fileName);

    // Paints the whole page onto a device of `deviceSize`, which should
    // have the page's proportions. False when the keyboard picture is
    // missing (*error says so); nothing is painted then.
    bool paint(QPainter &painter, const QSize &deviceSize, QString *error = nullptr) const;

    // The page at kImageDotsPerInch; a null image on failure.
    QImage toImage(QString *error = nullptr) const;

    // Writes the sheet as PDF (one A4 landscape page) or PNG by the name's
    // extension, through a temporary file: a failure leaves an existing
    // file as it was, and *error says why in one line.
    bool save(const QString &fileName, QString *error = nullptr) const;

private:
    const Settings settings;
    const QString title;
};
