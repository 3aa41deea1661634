#pragma once

// A wheel notch over the middle of a box, delivered as the window system does:
// to the widget under the pointer (a spin box's line edit), as a spontaneous
// event, so that Qt passes it up the parents when nobody takes it.

#include <QApplication>
#include <QWheelEvent>
#include <QWidget>
#include <QtTest/qtestspontaneevent.h>

inline void turnWheel(QWidget* box, int delta)
{
    const QPoint centre = box->rect().center();
    QWidget* target = box->childAt(centre);
    if (!target)
        target = box;
    const QPoint local = target->mapFrom(box, centre);
    QWheelEvent event(QPointF(local), QPointF(target->mapToGlobal(local)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    // As the window system delivers it: sendEvent() would clear the spontaneous flag.
    qApp->notify(target, &event);
}
