#pragma once

// Controls whose records make them send the very same message (kind,
// channel with the global channel applied, and number): a synthesizer then
// reacts to both at once, which is seldom what was meant.

#include "model/settings.h"

#include <QCoreApplication>
#include <QString>

#include <vector>

class ControlClashes
{
    Q_DECLARE_TR_FUNCTIONS(ControlClashes)

public:
    explicit ControlClashes(const Settings &settings);

    // Groups of two or more control indices that send the same message, in
    // control order, the groups ordered by their first control.
    const std::vector<std::vector<int>> &groups() const { return groups_; }

    bool isEmpty() const { return groups_.empty(); }
    bool clashes(int controlIndex) const;
    // The other controls of `controlIndex`'s group; empty when it clashes
    // with none.
    std::vector<int> partnersOf(int controlIndex) const;
    // How many controls are in a clash, every control of every group.
    int controlCount() const;

    // "Clashes with Cutoff, Pad #3", or empty.
    QString partnersText(int controlIndex) const;

private:
    const std::vector<int> *groupOf(int controlIndex) const;

    std::vector<std::vector<int>> groups_;
};

// ", N controls clash" while any do, else empty: the status line's part.
QString clashSuffix(const Settings &settings);
