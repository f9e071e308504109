#include "progressbarwindow.h"

#include "ui_progressbarwindow.h"

#include <QCoreApplication>

ProgressBarWindow::ProgressBarWindow(QWidget *parent)
    : QDialog(parent), ui(new Ui_ProgressBarWindow)
{
    ui->setupUi(this);
}

ProgressBarWindow::~ProgressBarWindow()
{
    delete ui;
}

void ProgressBarWindow::setProgress(int percent)
{
    ui->progressBar->setValue(percent);
    ui->progressBar->repaint();
    QCoreApplication::processEvents();
}
