#include "fieldguards.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
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

PageGuard::PageGuard(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("qiroPageGuard"));
}

void PageGuard::install(QWidget* page)
{
    if (!page)
        return;
    auto* guard =
        page->findChild<PageGuard*>(QStringLiteral("qiroPageGuard"), Qt::FindDirectChildrenOnly);
    if (!guard)
        guard = new PageGuard(page);
    QList<QWidget*> widgets = page->findChildren<QWidget*>();
    widgets.prepend(page);
    for (QWidget* w : widgets) {
        if (qobject_cast<QGroupBox*>(w)) {
            w->installEventFilter(guard);
            continue;
        }
        if (!guarded(w))
            continue;
        // Qt's default WheelFocus would hand the focus to a box the pointer merely
        // passes while the page scrolls; a click or Tab still gives it.
        w->setFocusPolicy(Qt::StrongFocus);
        // Installing the same filter again only moves it to the front.
        w->installEventFilter(guard);
    }
}

bool PageGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto* group = qobject_cast<QGroupBox*>(watched);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (group && !group->hasFocus() && (key == Qt::Key_Space || key == Qt::Key_Select)) {
            event->accept();
            return true;
        }
        return false;
    }
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
