#pragma once

class QWidget;

namespace dialogs {

// Raises a window above all others where it stands, through the platform.
void MakeTopmost(QWidget& window);

} // namespace dialogs
