#include "markerplacement.h"

#include <QFile>
#include <QHash>
#include <QXmlStreamReader>

namespace {
const QString kForm = QStringLiteral(":/main/mainwindow.ui");
const QString kPictureLabel = QStringLiteral("label");

constexpr int kFirstPad = 16;
constexpr int kPadBankSize = 8;

// The markers of controls 0..23 and then 32..36; pads 9..16 (24..31) are
// reached through the pad bank on the markers of pads 1..8.
constexpr std::array<const char *, 29> kMarkerNames = {
    "pushButton_5",  "pushButton_6",  "pushButton_7",  "pushButton_8",  "pushButton_9",  "pushButton_10",
    "pushButton_11", "pushButton_12", "pushButton_13", "pushButton_14", "pushButton_15", "pushButton_16",
    "pushButton_17", "pushButton_18", "pushButton_19", "pushButton_20", "pushButton_21", "pushButton_22",
    "pushButton_23", "pushButton_24", "pushButton_25", "pushButton_26", "pushButton_27", "pushButton_28",
    "pushButton_29", "pushButton_30", "pushButton_31", "pushButton_32", "pushButton_33",
};
constexpr int kFirstHighPad = kFirstPad + kPadBankSize;

// The geometry of every widget of the form, by object name.
QHash<QString, QRect> widgetGeometries(QIODevice &form)
{
    QHash<QString, QRect> geometries;
    QXmlStreamReader xml(&form);
    QString widget;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("widget")) {
            widget = xml.attributes().value(QLatin1String("name")).toString();
        } else if (xml.name() == QLatin1String("property")
                   && xml.attributes().value(QLatin1String("name")) == QLatin1String("geometry")) {
            int x = 0, y = 0, width = 0, height = 0;
            while (xml.readNextStartElement()) {
                if (xml.name() != QLatin1String("rect")) {
                    xml.skipCurrentElement();
                    continue;
                }
                while (xml.readNextStartElement()) {
                    const int value = xml.readElementText().toInt();
                    if (xml.name() == QLatin1String("x"))
                        x = value;
                    else if (xml.name() == QLatin1String("y"))
                        y = value;
                    else if (xml.name() == QLatin1String("width"))
                        width = value;
                    else if (xml.name() == QLatin1String("height"))
                        height = value;
                }
            }
            geometries.insert(widget, QRect(x, y, width, height));
        }
    }
    return geometries;
}
} // namespace

MarkerPlacement::MarkerPlacement(const QSize &pictureSize)
{
    QFile form(kForm);
    if (!form.open(QIODevice::ReadOnly)) {
        problem = QStringLiteral("the form %1 is missing").arg(kForm);
        return;
    }
    const QHash<QString, QRect> geometries = widgetGeometries(form);
    if (!geometries.contains(kPictureLabel)) {
        problem = QStringLiteral("the form has no picture");
        return;
    }
    // The label shows the picture unscaled, at its left edge and centred
    // from top to bottom, as QLabel aligns it.
    const QRect label = geometries.value(kPictureLabel);
    const QPoint pictureOrigin(label.x(), label.y() + (label.height() - pictureSize.height()) / 2);
    for (int control = 0; control < kControlCount; ++control) {
        const QString name = markerName(control);
        if (!geometries.contains(name)) {
            problem = QStringLiteral("the form has no marker %1").arg(name);
            return;
        }
        markers[std::size_t(control)] = geometries.value(name).translated(-pictureOrigin);
    }
}

bool MarkerPlacement::isValid(QString *error) const
{
    if (error)
        *error = problem;
    return problem.isEmpty();
}

QString MarkerPlacement::markerName(int controlIndex)
{
    if (controlIndex < 0 || controlIndex >= kControlCount)
        return QString();
    // Pads 9..16 take the markers of pads 1..8; the list has no entries of
    // their own for them, so the controls after them move up too.
    if (controlIndex >= kFirstHighPad)
        controlIndex -= kPadBankSize;
    return QLatin1String(kMarkerNames[std::size_t(controlIndex)]);
}

QRect MarkerPlacement::onPicture(int controlIndex) const
{
    if (controlIndex < 0 || controlIndex >= kControlCount)
        return QRect();
    return markers[std::size_t(controlIndex)];
}
