#include "app/portsdialog.h"

#include "ui_portsdialog.h"

#include <algorithm>

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
                         const std::optional<PortPair> &chosen, const std::vector<PortPair> &keyboards)
    : QDialog(parent),
      ui(std::make_unique<Ui_PortsDialog>()),
      keyboards_(keyboards)
{
    ui->setupUi(this);
    fill(ui->outputPort, outputs, chosen ? chosen->output : std::string());
    fill(ui->inputPort, inputs, chosen ? chosen->input : std::string());
    if (ui->outputPort->currentIndex() == 0 || ui->inputPort->currentIndex() == 0) {
        ui->outputPort->setCurrentIndex(0);
        ui->inputPort->setCurrentIndex(0);
    }
    for (const PortPair &keyboard : keyboards_) {
        ui->foundKeyboard->addItem(tr("Output '%1', input '%2'")
                                       .arg(QString::fromStdString(keyboard.output),
                                            QString::fromStdString(keyboard.input)));
    }
    const auto shown = std::find(keyboards_.begin(), keyboards_.end(), chosenPair().value_or(PortPair{}));
    ui->foundKeyboard->setCurrentIndex(shown == keyboards_.end() ? -1 : int(shown - keyboards_.begin()));
    ui->foundLabel->setVisible(!keyboards_.empty());
    ui->foundKeyboard->setVisible(!keyboards_.empty());
    connect(ui->foundKeyboard, QOverload<int>::of(&QComboBox::activated), this, &PortsDialog::pickKeyboard);
}

void PortsDialog::pickKeyboard(int index)
{
    if (index < 0 || index >= int(keyboards_.size()))
        return;
    const PortPair &keyboard = keyboards_[std::size_t(index)];
    ui->outputPort->setCurrentIndex(
        std::max(0, ui->outputPort->findText(QString::fromStdString(keyboard.output), Qt::MatchExactly)));
    ui->inputPort->setCurrentIndex(
        std::max(0, ui->inputPort->findText(QString::fromStdString(keyboard.input), Qt::MatchExactly)));
}

PortsDialog::~PortsDialog() = default;

std::optional<PortPair> PortsDialog::chosenPair() const
{
    if (ui->outputPort->currentIndex() <= 0 || ui->inputPort->currentIndex() <= 0)
        return std::nullopt;
    return PortPair{ui->outputPort->currentText().toStdString(), ui->inputPort->currentText().toStdString()};
}
