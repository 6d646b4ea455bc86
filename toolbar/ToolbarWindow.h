#pragma once

#include "dialogs/Widgets.h"
#include "engine/DwellEngine.h"

#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <array>

namespace platform {
class Platform;
}
namespace settings {
class LanguageTable;
}

namespace toolbar {

// The toolbar at the left screen edge: one picture button per mode, top to bottom, on a dark background. At
// start it slides out of sight; from then on it is shown while the pointer touches the screen's left edge beside
// it. Its geometry is kept in twips, as designed, and turned into pixels only when applied to the screen.
class ToolbarWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kButtons = engine::kModes;

    explicit ToolbarWindow(platform::Platform& os);

    // Places the window where it starts, asks to keep it above all others and starts the slide-out, whose steps
    // wait for the event loop.
    void beginLoad();
    // Shows or hides the middle-click button, centres the toolbar on the screen, gives each button the size of
    // its face and fits the window around them.
    void layOut(bool middleClickShown);
    // After a change of settings: the middle-click button, and the buttons below it, without moving the toolbar.
    void arrangeMiddleButton(bool middleClickShown);
    // Stops the slide-out before it ends: a copy that will not run must never start clicking.
    void stopSlideOut() { m_slideTimer.stop(); }
    // One step of the slide-out.
    void slideStep();

    // Highlights the hovered button and shows every other one plain; true when the hovered button's face changed.
    bool highlight(engine::Mode hovered);
    void applyTexts(const settings::LanguageTable& language);

    // The window's outer edges, in twips and in screen pixels.
    const dialogs::TwipsRect& twips() const { return m_twips; }
    double topPixels() const { return m_twips.top / m_units.twipsPerPixelY(); }
    double heightPixels() const { return m_twips.height / m_units.twipsPerPixelY(); }
    double widthPixels() const { return m_twips.width / m_units.twipsPerPixelX(); }
    // Shows it at its place, when it is hidden.
    void showAtEdge();

    dialogs::ClickableLabel* button(engine::Mode mode) const { return m_buttons[engine::ButtonIndex(mode)]; }
    dialogs::ClickableLabel* background() const { return m_background; }
    // The plain face of a button and, kButtons further on, its highlighted one; tests damage them before layOut.
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
    void applyGeometry();

    platform::Platform& m_os;
    dialogs::LayoutUnits m_units;
    dialogs::TwipsRect m_twips {0, 600, 2520, 6585};
    std::array<dialogs::ClickableLabel*, kButtons> m_buttons {};
    std::array<dialogs::TwipsRect, kButtons> m_buttonTwips {};
    dialogs::ClickableLabel* m_background = nullptr;
    dialogs::TwipsRect m_backgroundTwips {0, 0, 690, 270};
    std::array<QPixmap, 2 * kButtons> m_faces;
    QWidget* m_client = nullptr;
    QTimer m_slideTimer;
};

} // namespace toolbar
