#pragma once

#include <QObject>

class QEvent;
class QWidget;

// Technicians scroll the long setting pages with the mouse wheel, and Qt would
// step whatever spin box, date-time edit or combo box passes under the pointer
// (and focus it on the way); the next save then writes the changed value. Under
// this guard such a box takes the wheel only while it has the keyboard focus,
// given by a click or Tab, and only while it can be edited; otherwise the wheel
// goes on to the page around it, which scrolls.
class WheelGuard : public QObject
{
    Q_OBJECT

public:
    // Guards every box inside `page`. A page calls it once its boxes stand (again
    // after it adds boxes); a box guarded twice is guarded once.
    static void install(QWidget* page);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit WheelGuard(QObject* parent);
};

// A field that no save of the current access level and register layout sends is
// shown read-only, with its value: spin boxes, date-time edits and line edits
// become read-only (a spin box also loses its arrows, and gets them back when it
// becomes editable again), combo boxes and check boxes are disabled. `editable`
// true undoes it.
void setFieldEditable(QWidget* field, bool editable);
// Whether the operator can change the field (a test's view of the same rule).
bool fieldEditable(const QWidget* field);
