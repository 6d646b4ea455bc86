#include "Topmost.h"

#include "platform/Platform.h"

#include <QWidget>

namespace dialogs {

void MakeTopmost(QWidget& window)
{
    // The hint keeps the window on top when it is mapped later; the platform call raises it now.
    window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    platform::Current().setTopmost(static_cast<std::uintptr_t>(window.winId()), window.x(), window.y());
}

} // namespace dialogs
