#include "controlsheet.h"

#include "model/assignmenttable.h"
#include "model/controlcatalogue.h"
#include "model/controlclashes.h"
#include "model/controlgeometry.h"
#include "model/controlmessage.h"
#include "model/globalparameters.h"
#include "model/regularfile.h"
#include "model/settingnames.h"
#include "model/settingsjson.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <vector>

// 297 x 210 mm.
const QSize ControlSheet::kPageSize(2970, 2100);

namespace {
const QString kPicture = QStringLiteral(":/main/ui.jpg");
const QString kPdf = QStringLiteral("pdf");
const QString kPng = QStringLiteral("png");
constexpr int kPdfDotsPerInch = 300;
constexpr double kTenthsOfMillimetrePerInch = 254.0;

// The page, in tenths of a millimetre.
constexpr double kMargin = 100;
constexpr double kTitleTop = kMargin;
constexpr double kTitleSize = 55;
constexpr double kPictureTop = 200;
constexpr double kPictureWidth = 2000;
constexpr double kSideLeft = kMargin + kPictureWidth + 70;
constexpr double kGap = 60;
constexpr double kTableBottom = 2000;
constexpr double kFooterSize = 20;

constexpr double kMarkerTextSize = 19;
constexpr double kSideHeadingSize = 30;
constexpr double kSideTextSize = 26;
constexpr double kTableTextSize = 22;
constexpr double kCellPadding = 8;

constexpr int kFirstPad = 16;
constexpr int kPadBankSize = 8;
constexpr int kPadsPerBank = 8;

const QColor kInk(25, 25, 28);
const QColor kFaintInk(110, 110, 115);
const QColor kClashInk(180, 20, 20);
const QColor kClashFill(250, 212, 212);
const QColor kHeaderFill(215, 218, 224);
const QColor kStripeFill(242, 243, 246);
const QColor kLabelFill(255, 255, 255, 235);

QFont sheetFont(double size, bool bold = false)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(int(std::lround(size)));
    font.setBold(bold);
    return font;
}

QString labelOf(int control)
{
    return QString::fromLatin1(kControlLabels[std::size_t(control)]);
}

bool isPadMarker(int control)
{
    return control >= kFirstPad && control < kFirstPad + kPadsPerBank;
}

// What a control sends, as short as the picture has room for; "Off" for
// one that sends nothing.
QString sentText(const Settings &settings, int control)
{
    const QString text = describeMessage(messageOf(settings, control));
    //: A control that sends nothing, on the sheet.
    return text.isEmpty() ? ControlSheet::tr("Off") : text;
}

struct LabelLine
{
    QString text;
    bool clashes;
};

// A box of lines on a marker of the picture.
void drawMarkerLabel(QPainter &painter, const QRectF &marker, const std::vector<LabelLine> &lines, bool atBottom)
{
    const QFont font = sheetFont(kMarkerTextSize, true);
    const QFontMetricsF metrics(font);
    double width = 0;
    for (const LabelLine &line : lines)
        width = std::max(width, metrics.horizontalAdvance(line.text));
    const double lineHeight = metrics.height();
    const QSizeF size(width + 2 * kCellPadding, lineHeight * double(lines.size()) + kCellPadding);
    QRectF box(QPointF(), size);
    box.moveCenter(marker.center());
    if (atBottom)
        box.moveBottom(marker.bottom() - kCellPadding / 2);

    const bool anyClash = std::any_of(lines.begin(), lines.end(), [](const LabelLine &line) { return line.clashes; });
    painter.setPen(QPen(anyClash ? kClashInk : kFaintInk, anyClash ? 4 : 1.5));
    painter.setBrush(kLabelFill);
    painter.drawRoundedRect(box, 8, 8);
    painter.setFont(font);
    double top = box.top() + kCellPadding / 2;
    for (const LabelLine &line : lines) {
        painter.setPen(line.clashes ? kClashInk : kInk);
        painter.drawText(QRectF(box.left(), top, box.width(), lineHeight), Qt::AlignCenter, line.text);
        top += lineHeight;
    }
}

void drawMarkerLabels(QPainter &painter, const Settings &settings, const ControlClashes &clashes,
                      const QRectF &picture, double scale)
{
    const auto onPage = [&](int control) {
        const QRect marker = ControlGeometry::onPicture(control);
        return QRectF(picture.left() + marker.x() * scale, picture.top() + marker.y() * scale,
                      marker.width() * scale, marker.height() * scale);
    };
    for (int control = 0; control < kControlCount; ++control) {
        const ControlKind kind = kindOf(control);
        // The octave buttons shift the keyboard and send nothing of their
        // own; pads 9..16 are written with pads 1..8 on their markers.
        if (kind == ControlKind::None || (kind == ControlKind::Pad && !isPadMarker(control)))
            continue;
        if (isPadMarker(control)) {
            const int high = control + kPadBankSize;
            drawMarkerLabel(painter, onPage(control),
                            {{QStringLiteral("%1: %2").arg(control - kFirstPad + 1).arg(sentText(settings, control)),
                              clashes.clashes(control)},
                             {QStringLiteral("%1: %2").arg(high - kFirstPad + 1).arg(sentText(settings, high)),
                              clashes.clashes(high)}},
                            false);
            continue;
        }
        // "CC 74" over "ch 1": the knobs stand close together.
        const QString text = sentText(settings, control);
        const int channelAt = text.lastIndexOf(QStringLiteral(" ch "));
        std::vector<LabelLine> lines;
        if (channelAt < 0) {
            lines.push_back({text, clashes.clashes(control)});
        } else {
            lines.push_back({text.left(channelAt), clashes.clashes(control)});
            lines.push_back({text.mid(channelAt + 1), clashes.clashes(control)});
        }
        // On the knob itself, so the names printed between the rows stay
        // readable; low on the tall wheels.
        drawMarkerLabel(painter, onPage(control), lines,
                        kind == ControlKind::PitchWheel || kind == ControlKind::ModWheel);
    }
}

// The global settings and the clashes, right of the picture.
void drawSide(QPainter &painter, const Settings &settings, const ControlClashes &clashes, const QRectF &area)
{
    const QFont heading = sheetFont(kSideHeadingSize, true);
    const QFont body = sheetFont(kSideTextSize);
    const double headingHeight = QFontMetricsF(heading).height() * 1.4;
    const double lineHeight = QFontMetricsF(body).height() * 1.25;
    double top = area.top();

    painter.setPen(kInk);
    painter.setFont(heading);
    painter.drawText(QRectF(area.left(), top, area.width(), headingHeight), Qt::AlignLeft | Qt::AlignTop,
                     ControlSheet::tr("Global Parameters"));
    top += headingHeight;
    painter.setFont(body);
    for (const GlobalParameter &global : kGlobalParameters) {
        const QString value = SettingsJson::text(SettingsJson::globalValue(settings, global));
        painter.drawText(QRectF(area.left(), top, area.width(), lineHeight), Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("%1: %2").arg(SettingNames::shown(QLatin1String(global.label)),
                                                      SettingNames::shown(value)));
        top += lineHeight;
    }

    top += lineHeight;
    painter.setFont(heading);
    painter.drawText(QRectF(area.left(), top, area.width(), headingHeight), Qt::AlignLeft | Qt::AlignTop,
                     //: The sheet's part that lists the controls that send the same message.
                     ControlSheet::tr("Clashes"));
    top += headingHeight;
    painter.setFont(body);
    if (clashes.isEmpty()) {
        painter.drawText(QRectF(area.left(), top, area.width(), lineHeight), Qt::AlignLeft | Qt::AlignTop,
                         ControlSheet::tr("No two controls send the same message."));
        return;
    }
    painter.setPen(kClashInk);
    for (const std::vector<int> &group : clashes.groups()) {
        QStringList names;
        for (int control : group)
            names << labelOf(control);
        const QString text = describeMessage(messageOf(settings, group.front())) + QStringLiteral(": ")
                             + names.join(QStringLiteral(", "));
        const QRectF room(area.left(), top, area.width(), area.bottom() - top);
        const QRectF used = painter.boundingRect(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
        if (used.bottom() > area.bottom())
            break;
        painter.drawText(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
        top = used.bottom() + lineHeight * 0.25;
    }
}

// One block of rows of the assignment table.
void drawTableBlock(QPainter &painter, const Settings &settings, const ControlClashes &clashes, int firstControl,
                    int endControl, const QRectF &area, double rowHeight)
{
    const QFont headerFont = sheetFont(kTableTextSize, true);
    const QFont cellFont = sheetFont(kTableTextSize);
    const QFontMetricsF headerMetrics(headerFont);
    const QFontMetricsF cellMetrics(cellFont);
    const QStringList headers = SettingNames::shown(AssignmentTable::headers());

    // Each column as wide as its widest text, the room left shared out.
    std::vector<double> widths(std::size_t(AssignmentTable::kColumnCount), 0);
    for (int column = 0; column < AssignmentTable::kColumnCount; ++column) {
        double widest = headerMetrics.horizontalAdvance(headers[column]);
        for (int control = 0; control < kControlCount; ++control) {
            const QString text = SettingNames::shown(AssignmentTable::text(settings, control, column));
            widest = std::max(widest, cellMetrics.horizontalAdvance(text));
        }
        widths[std::size_t(column)] = widest + 2 * kCellPadding;
    }
    double natural = 0;
    for (double width : widths)
        natural += width;
    const double stretch = area.width() / natural;
    for (double &width : widths)
        width *= stretch;

    const auto drawRow = [&](double top, const QStringList &cells, const QColor &fill, const QColor &ink) {
        if (fill.isValid())
            painter.fillRect(QRectF(area.left(), top, area.width(), rowHeight), fill);
        painter.setPen(ink);
        double left = area.left();
        for (int column = 0; column < cells.size(); ++column) {
            const double width = widths[std::size_t(column)];
            painter.drawText(QRectF(left + kCellPadding, top, width - 2 * kCellPadding, rowHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, cells[column]);
            left += width;
        }
    };

    double top = area.top();
    painter.setFont(headerFont);
    drawRow(top, headers, kHeaderFill, kInk);
    top += rowHeight;
    painter.setFont(cellFont);
    for (int control = firstControl; control < endControl; ++control) {
        QStringList cells;
        for (int column = 0; column < AssignmentTable::kColumnCount; ++column)
            cells << SettingNames::shown(AssignmentTable::text(settings, control, column));
        const bool clash = clashes.clashes(control);
        const QColor stripe = (control - firstControl) % 2 ? kStripeFill : QColor();
        drawRow(top, cells, clash ? kClashFill : stripe, clash ? kClashInk : kInk);
        top += rowHeight;
    }
    painter.setPen(QPen(kFaintInk, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(area.left(), area.top(), area.width(), top - area.top()));
}
} // namespace

ControlSheet::ControlSheet(const Settings &settings, const QString &title)
    : settings(settings),
      title(title)
{
}

bool ControlSheet::isSheetFileName(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return suffix == kPdf || suffix == kPng;
}

bool ControlSheet::paint(QPainter &painter, const QSize &deviceSize, QString *error) const
{
    const QImage picture(kPicture);
    if (picture.isNull()) {
        if (error)
            *error = ControlSheet::tr("the keyboard picture %1 is missing").arg(kPicture);
        return false;
    }

    painter.save();
    const double scale = std::min(deviceSize.width() / double(kPageSize.width()),
                                  deviceSize.height() / double(kPageSize.height()));
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.fillRect(QRectF(QPointF(), QSizeF(kPageSize)), Qt::white);
    const double right = kPageSize.width() - kMargin;

    painter.setPen(kInk);
    painter.setFont(sheetFont(kTitleSize, true));
    painter.drawText(QRectF(kMargin, kTitleTop, right - kMargin, kPictureTop - kTitleTop), Qt::AlignLeft | Qt::AlignTop,
                     title);

    const double pictureScale = kPictureWidth / picture.width();
    const QRectF pictureArea(kMargin, kPictureTop, kPictureWidth, picture.height() * pictureScale);
    painter.drawImage(pictureArea, picture);

    const ControlClashes clashes(settings);
    drawMarkerLabels(painter, settings, clashes, pictureArea, pictureScale);
    drawSide(painter, settings, clashes, QRectF(kSideLeft, kPictureTop, right - kSideLeft, pictureArea.height()));

    // Two blocks side by side, the first a row longer when they differ.
    const double tableTop = pictureArea.bottom() + kGap;
    const int firstBlockRows = (kControlCount + 1) / 2;
    const double rowHeight = (kTableBottom - tableTop) / (firstBlockRows + 1);
    const double blockWidth = (right - kMargin - kGap) / 2;
    drawTableBlock(painter, settings, clashes, 0, firstBlockRows, QRectF(kMargin, tableTop, blockWidth, 0), rowHeight);
    drawTableBlock(painter, settings, clashes, firstBlockRows, kControlCount,
                   QRectF(kMargin + blockWidth + kGap, tableTop, blockWidth, 0), rowHeight);

    painter.setPen(kFaintInk);
    painter.setFont(sheetFont(kFooterSize));
    painter.drawText(QRectF(kMargin, kTableBottom, right - kMargin, kPageSize.height() - kMargin / 2 - kTableBottom),
                     Qt::AlignRight | Qt::AlignBottom,
                     ControlSheet::tr("Telvir editor %1").arg(QStringLiteral(TELVIR_VERSION)));
    painter.restore();
    return true;
}

QImage ControlSheet::toImage(QString *error) const
{
    const double dotsPerUnit = kImageDotsPerInch / kTenthsOfMillimetrePerInch;
    QImage image(int(std::lround(kPageSize.width() * dotsPerUnit)), int(std::lround(kPageSize.height() * dotsPerUnit)),
                 QImage::Format_RGB32);
    const int dotsPerMetre = int(std::lround(kImageDotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    const bool painted = paint(painter, image.size(), error);
    painter.end();
    return painted ? image : QImage();
}

bool ControlSheet::save(const QString &fileName, QString *error) const
{
    QString problem;
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    QSaveFile file(fileName);
    if (!isSheetFileName(fileName)) {
        problem = ControlSheet::tr("a sheet is written as .pdf or .png");
    } else if (!(problem = RegularFile::whyNotReplaceable(fileName)).isEmpty()) {
        // A pipe, a device or a folder of that name stays as it is.
    } else if (!file.open(QIODevice::WriteOnly)) {
        problem = file.errorString();
    } else if (suffix == kPng) {
        const QImage image = toImage(&problem);
        if (!image.isNull() && !image.save(&file, "PNG"))
            problem = ControlSheet::tr("the picture could not be encoded");
    } else {
        QPdfWriter writer(&file);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
        writer.setResolution(kPdfDotsPerInch);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Telvir editor " TELVIR_VERSION));
        QPainter painter;
        if (!painter.begin(&writer))
            problem = ControlSheet::tr("the PDF could not be started");
        else if (!paint(painter, QSize(writer.width(), writer.height()), &problem) || !painter.end())
            problem = problem.isEmpty() ? ControlSheet::tr("the PDF could not be finished") : problem;
    }
    // Without a commit the temporary file goes and an older file stays.
    if (problem.isEmpty() && !file.commit())
        problem = file.errorString();
    if (error)
        *error = problem;
    return problem.isEmpty();
}
