#include "cli/progressreport.h"

#include <QString>

#include <algorithm>

namespace {
constexpr int kBarWidth = 40;
constexpr int kStep = 10;
} // namespace

ProgressReport::ProgressReport(QTextStream &stream, bool redraw)
    : stream_(stream), redraw_(redraw)
{
}

void ProgressReport::report(int percent)
{
    percent = std::clamp(percent, 0, 100);
    if (redraw_) {
        if (percent == shown_)
            return;
        const int filled = percent * kBarWidth / 100;
        //: The firmware update's progress bar: %1 is the bar, %2 the percentage.
        stream_ << '\r'
                << tr("firmware [%1] %2 %")
                       .arg(QString(filled, QLatin1Char('#')) + QString(kBarWidth - filled, QLatin1Char('-')),
                            QString::number(percent).rightJustified(3));
        lineOpen_ = true;
    } else {
        // Every tenth passed gets its line, also when a jump passes several.
        const int tenth = percent / kStep * kStep;
        for (int next = shown_ < 0 ? 0 : shown_ + kStep; next <= tenth; next += kStep)
            //: The firmware update's progress, one line each tenth.
            stream_ << tr("firmware %1 %").arg(next) << '\n';
        shown_ = std::max(shown_, tenth);
        stream_.flush();
        return;
    }
    shown_ = percent;
    stream_.flush();
}

void ProgressReport::finish()
{
    if (lineOpen_) {
        stream_ << '\n';
        stream_.flush();
        lineOpen_ = false;
    }
}
