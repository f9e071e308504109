#pragma once

// "Preferences...": the boxes silenced with "Don't show this again" (each
// can be shown again), Live at start, following the keyboard and the pause
// between messages to the keyboard. OK keeps the choices, Cancel leaves
// them as they were.

#include "commands/keyboardoutcome.h"

#include <QDialog>

#include <utility>
#include <vector>

class QCheckBox;
class QSpinBox;

class PreferencesDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PreferencesDialog(QWidget *parent = nullptr);

    // Stores what the dialog shows.
    void keep() const;

private:
    std::vector<std::pair<KeyboardOutcome::Kind, QCheckBox *>> boxChecks_;
    QCheckBox *liveAtStart_;
    QCheckBox *followKeyboard_;
    QSpinBox *messagePace_;
};
