#pragma once

#include <QPushButton>

// A clickable marker over one control of the keyboard picture (or over the
// pad-bank button). The style sheet draws it from its isSelected property:
// invisible while unselected, a translucent red fill while selected.
// Without a mouse it takes the focus with Tab, the arrow keys move to the
// neighbouring marker, and Space, Enter or Return click it.
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

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    // The nearest sibling marker in the direction of an arrow key, or null.
    DeviceWidget *neighbourTowards(int arrowKey) const;

    // A style sheet does not re-evaluate a property selector by itself, so
    // every change of a property it selects on re-polishes the marker.
    void restyle(const char *property, bool value);
    // Tells a screen reader that the marker's checked state may have changed.
    void announceSelection();

    bool selected = false;
};
