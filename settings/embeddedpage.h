#pragma once

#include <QKeyEvent>

// The setting pages live inside the main window's tabs. QDialog rejects (and so hides)
// itself on Escape, which would leave an empty tab; the pages swallow that key and
// pass every other key on to QDialog.
inline bool pageSwallowsKey(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Escape;
}
