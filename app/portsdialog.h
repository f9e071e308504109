#pragma once

// "Ports...": the user tells the editor which output and input port the
// keyboard is on, or leaves it to the search ("Automatic"). The keyboards
// the last search found are offered as pairs to pick from.

#include "midi/portpair.h"

#include <QDialog>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class Ui_PortsDialog;

class PortsDialog : public QDialog
{
    Q_OBJECT

public:
    // Lists the ports given, with `chosen` shown when both its ports are
    // there, and the keyboards found (none: the row stays hidden).
    PortsDialog(QWidget *parent, const QStringList &outputs, const QStringList &inputs,
                const std::optional<PortPair> &chosen, const std::vector<PortPair> &keyboards = {});
    ~PortsDialog() override;

    // None while either field says "Automatic".
    std::optional<PortPair> chosenPair() const;

private:
    void pickKeyboard(int index);

    std::unique_ptr<Ui_PortsDialog> ui;
    std::vector<PortPair> keyboards_;
};
