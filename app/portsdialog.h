#pragma once

// "Ports...": the user tells the editor which output and input port the
// keyboard is on, or leaves it to the search ("Automatic").

#include "midi/portpair.h"

#include <QDialog>
#include <QStringList>

#include <memory>
#include <optional>

class Ui_PortsDialog;

class PortsDialog : public QDialog
{
    Q_OBJECT

public:
    // Lists the ports given, with `chosen` shown when both its ports are there.
    PortsDialog(QWidget *parent, const QStringList &outputs, const QStringList &inputs,
                const std::optional<PortPair> &chosen);
    ~PortsDialog() override;

    // None while either field says "Automatic".
    std::optional<PortPair> chosenPair() const;

private:
    std::unique_ptr<Ui_PortsDialog> ui;
};
