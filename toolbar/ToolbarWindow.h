#pragma once

#include "dialogs/Widgets.h"
#include "engine/DwellEngine.h"
#include "platform/Platform.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <array>

namespace settings {
class LanguageTable;
}

namespace toolbar {

// The toolbar at the left edge of the desktop's leftmost monitor: one picture button per mode, top to bottom, on a
// dark background. At start it slides out of sight; from then on it is shown while the pointer touches that edge
// beside it. Its geometry is kept in twips from its monitor's top-left corner, as designed, and turned into pixels
// only when applied to the screen; it goes back to its place whenever the monitors change.
class ToolbarWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kButtons = engine::kModes;

    explicit ToolbarWindow(platform::Platform& os);

    // Places the window where it starts, asks to keep it above all others and starts the slide-out, whose steps
    // wait for the event loop.
    void beginLoad();
    // Shows or hides the middle-click button, gives each button the size of its face, fits the window around them
    // and places it on its monitor.
    void layOut(bool middleClickShown);
    // After a change of settings: the middle-click button, and the buttons below it, without moving the toolbar
    // unless it would leave its monitor.
    void arrangeMiddleButton(bool middleClickShown);
    // Centres the toolbar on the monitor the platform names, shrunk when it is taller than that monitor.
    void placeOnMonitor();
    // Stops the slide-out before it ends: a copy that will not run must never start clicking.
    void stopSlideOut() { m_slideTimer.stop(); }
    // One step of the slide-out.
    void slideStep();

    // Highlights the hovered button and shows every other one plain; true when the hovered button's face changed.
    bool highlight(engine::Mode hovered);
    // Tells assistive technology which click kind is chosen: its button is the checked one of the group.
    void showMode(engine::Mode mode);
    void applyTexts(const settings::LanguageTable& language);

    // The window's outer edges: in twips from its monitor's top-left corner, and in pixels on the desktop.
    const dialogs::TwipsRect& twips() const { return m_twips; }
    double topPixels() const { return m_monitor.top + m_twips.top / m_units.twipsPerPixel(); }
    double heightPixels() const { return m_twips.height / m_units.twipsPerPixel(); }
    double widthPixels() const { return m_twips.width / m_units.twipsPerPixel(); }
    // Shows it at its place, when it is hidden.
    void showAtEdge();

    dialogs::ClickableLabel* button(engine::Mode mode) const { return m_buttons[engine::ButtonIndex(mode)]; }
    dialogs::ClickableLabel* background() const { return m_background; }
    // The plain face of a button and, kButtons further on, its highlighted one, as drawn at 100%; tests damage
    // them before layOut.
    QPixmap& face(int index) { return m_faces[index]; }

Q_SIGNALS:
    void buttonHovered(engine::Mode mode);
    void backgroundHovered();
    void buttonClicked(engine::Mode mode);
    // The slide-out has ended and the toolbar is out of sight: clicking may start.
    void slidOut();

private:
    void placeMiddleButton(bool shown);
    void fitHeight();
    void fitOnMonitor(double topPixels);
    void applyGeometry();
    QPoint place() const;
    QPixmap faceFor(int index, double scale) const;

    platform::Platform& m_os;
    dialogs::LayoutUnits m_units;
    platform::Area m_monitor;
    dialogs::TwipsRect m_twips {0, 600, 2520, 6585};
    std::array<dialogs::ClickableLabel*, kButtons> m_buttons {};
    std::array<dialogs::TwipsRect, kButtons> m_buttonTwips {};
    dialogs::ClickableLabel* m_background = nullptr;
    dialogs::TwipsRect m_backgroundTwips {0, 0, 690, 270};
    std::array<QPixmap, 2 * kButtons> m_faces;
    std::array<QPixmap, 2 * kButtons> m_doubleFaces; // drawn for 200%, read once the desktop is scaled
    std::array<QPixmap, 2 * kButtons> m_shownFaces; // at the monitor's scale and the toolbar's zoom
    QWidget* m_client = nullptr;
    QTimer m_slideTimer;
    QTimer m_monitorsChanged;
    bool m_laidOut = false;
};

} // namespace toolbar
