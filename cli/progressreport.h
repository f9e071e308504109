#pragma once

// Progress of a long transfer on a stream: on a terminal a bar that redraws
// itself in place, elsewhere (a log, a pipe) one line per 10 %.

#include <QCoreApplication>
#include <QTextStream>

class ProgressReport
{
    Q_DECLARE_TR_FUNCTIONS(ProgressReport)

public:
    ProgressReport(QTextStream &stream, bool redraw);

    // Takes 0..100; values may jump, and never go back.
    void report(int percent);
    // Ends the bar's line, so that what follows starts on a line of its own.
    void finish();

private:
    QTextStream &stream_;
    const bool redraw_;
    int shown_ = -1; // the last percentage drawn, or the last tenth written
    bool lineOpen_ = false;
};
