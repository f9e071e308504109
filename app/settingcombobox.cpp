#include "app/settingcombobox.h"

#include "app/mainwindow.h"

SettingComboBox::SettingComboBox(QWidget *parent)
    : QComboBox(parent)
{
    if (theMainWindow)
        connect(this, SIGNAL(currentIndexChanged(int)), theMainWindow, SLOT(settingBoxOnChange(int)));
}
