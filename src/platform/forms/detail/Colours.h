#pragma once
// Conversions between the program's colour and pointer numbers and Qt's.

#include <QColor>
#include <QCursor>

#include "platform/forms/Control.h"

namespace forms::detail {

// Makes the surfaces show system colours (&H800000nn) as this desktop's
// palette does, so drawn pixels and widgets agree. Called whenever a control
// is made; the application exists by then.
void installSystemColours();
// The plain &H00BBGGRR value a colour shows as, system colours resolved.
OleColour resolveColour(OleColour colour);
QColor toQColor(OleColour colour);
// The standard cursor for a pointer number; 0 and unknown numbers give the arrow.
Qt::CursorShape cursorShape(int pointer);

}  // namespace forms::detail
