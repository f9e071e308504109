#pragma once

#include <QDialog>

class Ui_ProgressBarWindow;

// The small window with one progress bar that a firmware update shows.
// Closing it only hides it: the transfer it follows goes on.
class ProgressBarWindow : public QDialog
{
    Q_OBJECT

public:
    explicit ProgressBarWindow(QWidget *parent = nullptr);
    ~ProgressBarWindow() override;

    ProgressBarWindow(const ProgressBarWindow &) = delete;
    ProgressBarWindow &operator=(const ProgressBarWindow &) = delete;

    // Moves the bar to `percent` and lets the application handle what is
    // pending: the transfer blocks the event loop between blocks, and this
    // is when the windows get repainted.
    void setProgress(int percent);

private:
    Ui_ProgressBarWindow *ui;
};
