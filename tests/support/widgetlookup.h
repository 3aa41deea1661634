#pragma once

// A page's widgets looked up by the object names its form gives them.

#include <QLatin1String>
#include <QWidget>
#include <QtGlobal>

// The child `name` of type T. A missing widget ends the test program at once:
// every later step would only dereference null.
template <typename T> T* child(QWidget& w, const char* name)
{
    T* c = w.findChild<T*>(QLatin1String(name));
    if (!c)
        qFatal("no widget %s", name);
    return c;
}
