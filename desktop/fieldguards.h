#pragma once

#include <QObject>

class QEvent;
class QWidget;

// Guards the fields of a page against changes the operator did not mean.
//
// The wheel: technicians scroll the long setting pages with it, and Qt would
// step whatever spin box, date-time edit or combo box passes under the pointer
// (and focus it on the way); the next save then writes the changed value. Under
// the guard such a box takes the wheel only while it has the keyboard focus,
// given by a click or Tab, and only while it can be edited; otherwise the wheel
// goes on to the page around it, which scrolls.
//
// The space bar: a key that a focused read-only field leaves unused goes on to
// the group box around it, and a checkable group box (a channel's on/off
// switch) toggles on Space or Select whoever had the focus. It toggles only
// when it has the focus itself.
class PageGuard : public QObject
{
    Q_OBJECT

public:
    // Guards every box and group box inside `page`. A page calls it once its
    // widgets stand (again after it adds some); a widget guarded twice is guarded
    // once.
    static void install(QWidget* page);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit PageGuard(QObject* parent);
};

// A field that no save of the current access level and register layout sends is
// shown read-only, with its value: spin boxes, date-time edits and line edits
// become read-only (a spin box also loses its arrows, and gets them back when it
// becomes editable again), combo boxes and check boxes are disabled. `editable`
// true undoes it.
void setFieldEditable(QWidget* field, bool editable);
// Whether the operator can change the field (a test's view of the same rule).
bool fieldEditable(const QWidget* field);
