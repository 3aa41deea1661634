#include "fieldguards.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QVariant>
#include <QWidget>

namespace
{

// Where a spin box keeps the arrows of its form while it is read-only.
const char* const FormButtonsProperty = "qiroFormButtonSymbols";

bool guarded(const QWidget* w)
{
    return qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QComboBox*>(w);
}

} // namespace

WheelGuard::WheelGuard(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("qiroWheelGuard"));
}

void WheelGuard::install(QWidget* page)
{
    if (!page)
        return;
    auto* guard =
        page->findChild<WheelGuard*>(QStringLiteral("qiroWheelGuard"), Qt::FindDirectChildrenOnly);
    if (!guard)
        guard = new WheelGuard(page);
    QList<QWidget*> boxes = page->findChildren<QWidget*>();
    boxes.prepend(page);
    for (QWidget* box : boxes) {
        if (!guarded(box))
            continue;
        // Qt's default WheelFocus would hand the focus to a box the pointer merely
        // passes while the page scrolls; a click or Tab still gives it.
        box->setFocusPolicy(Qt::StrongFocus);
        // Installing the same filter again only moves it to the front.
        box->installEventFilter(guard);
    }
}

bool WheelGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Wheel)
        return false;
    auto* box = qobject_cast<QWidget*>(watched);
    if (!box || !guarded(box))
        return false;
    if (box->hasFocus() && fieldEditable(box))
        return false;
    // Filtered and not accepted: Qt hands the event on to the parent widgets,
    // up to the scroll area of the page.
    event->ignore();
    return true;
}

void setFieldEditable(QWidget* field, bool editable)
{
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(field)) {
        if (!spin->property(FormButtonsProperty).isValid())
            spin->setProperty(FormButtonsProperty, int(spin->buttonSymbols()));
        spin->setReadOnly(!editable);
        spin->setButtonSymbols(
            editable ? QAbstractSpinBox::ButtonSymbols(spin->property(FormButtonsProperty).toInt())
                     : QAbstractSpinBox::NoButtons);
    } else if (auto* line = qobject_cast<QLineEdit*>(field)) {
        line->setReadOnly(!editable);
    } else if (field) {
        field->setEnabled(editable);
    }
}

bool fieldEditable(const QWidget* field)
{
    if (!field || !field->isEnabled())
        return false;
    if (auto* spin = qobject_cast<const QAbstractSpinBox*>(field))
        return !spin->isReadOnly();
    if (auto* line = qobject_cast<const QLineEdit*>(field))
        return !line->isReadOnly();
    return true;
}
