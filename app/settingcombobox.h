#pragma once

#include <QComboBox>

// A selection field of the editor. The chosen position is the stored value,
// and every change of position is reported to theMainWindow, which must
// exist already.
class SettingComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit SettingComboBox(QWidget *parent = nullptr);

    // About 20 rows and a scroll bar when open, whatever the style: 128
    // numbers in a list as tall as the screen help nobody.
    static void showShortList(QComboBox *box);
};
