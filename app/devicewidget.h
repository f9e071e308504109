#pragma once

#include <QPushButton>

// A clickable marker over one control of the keyboard picture (or over the
// pad-bank button). The style sheet draws it from its isSelected property:
// invisible while unselected, a translucent red fill while selected.
class DeviceWidget : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(bool isSelected READ isSelected WRITE setIsSelected)

public:
    // Reports its clicks to theMainWindow, which must exist already.
    explicit DeviceWidget(QWidget *parent = nullptr);

    bool isSelected() const;
    // Only stores the value; markSelected/markUnselected also redraw.
    void setIsSelected(bool selectedNow);

    void markSelected();
    void markUnselected();

private:
    // A style sheet does not re-evaluate a property selector by itself, so
    // every change of the state re-polishes the marker.
    void applySelection(bool selectedNow);

    bool selected = false;
};
