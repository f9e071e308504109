#include "app/portsdialog.h"

#include "ui_portsdialog.h"

namespace {
void fill(QComboBox *field, const QStringList &ports, const std::string &chosen)
{
    field->addItem(QObject::tr("Automatic"));
    field->addItems(ports);
    const int position = field->findText(QString::fromStdString(chosen), Qt::MatchExactly);
    field->setCurrentIndex(position > 0 ? position : 0);
}
} // namespace

PortsDialog::PortsDialog(QWidget *parent, const QStringList &outputs, const QStringList &inputs,
                         const std::optional<PortPair> &chosen)
    : QDialog(parent),
      ui(std::make_unique<Ui_PortsDialog>())
{
    ui->setupUi(this);
    fill(ui->outputPort, outputs, chosen ? chosen->output : std::string());
    fill(ui->inputPort, inputs, chosen ? chosen->input : std::string());
    if (ui->outputPort->currentIndex() == 0 || ui->inputPort->currentIndex() == 0) {
        ui->outputPort->setCurrentIndex(0);
        ui->inputPort->setCurrentIndex(0);
    }
}

PortsDialog::~PortsDialog() = default;

std::optional<PortPair> PortsDialog::chosenPair() const
{
    if (ui->outputPort->currentIndex() <= 0 || ui->inputPort->currentIndex() <= 0)
        return std::nullopt;
    return PortPair{ui->outputPort->currentText().toStdString(), ui->inputPort->currentText().toStdString()};
}
