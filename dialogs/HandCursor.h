#pragma once

#include <QCursor>

namespace dialogs {

// The one cursor every clickable control of the program shows: a pointing hand, hotspot at the fingertip.
QCursor HandCursor();

} // namespace dialogs
