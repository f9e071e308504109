#include "app/statusline.h"

#include <QFontMetrics>
#include <QTextDocument>

#include <algorithm>

StatusLine::StatusLine(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("statusLine"));
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void StatusLine::setLine(const Compose &compose, const QString &name)
{
    compose_ = compose;
    name_ = name;
    fit();
}

void StatusLine::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    fit();
}

void StatusLine::fit()
{
    if (!compose_)
        return;
    const QString whole = compose_(name_);
    // A tooltip that looks like markup is shown as markup: a port name
    // never is.
    setToolTip(Qt::mightBeRichText(whole) ? Qt::convertFromPlainText(whole) : whole);
    const QFontMetrics metrics = fontMetrics();
    if (name_.isEmpty() || !isVisible()) {
        setText(whole);
        return;
    }
    // The line's width is not quite the sum of its parts' (kerning), so the
    // name gives way until the line fits, or is gone.
    int nameRoom = metrics.horizontalAdvance(name_);
    QString shown = whole;
    for (int over = metrics.horizontalAdvance(shown) - contentsRect().width(); over > 0 && nameRoom > 0;
         over = metrics.horizontalAdvance(shown) - contentsRect().width()) {
        nameRoom = std::max(0, nameRoom - over);
        shown = compose_(metrics.elidedText(name_, Qt::ElideMiddle, nameRoom));
    }
    setText(shown);
}
