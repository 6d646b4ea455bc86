#pragma once

#include "engine/DwellEngine.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

namespace toolbar {

// The dwell progress at the pointer: a ring that fills clockwise from the top while a rest counts, full as its
// click is injected, in a colour for each kind of click. It takes no input and no focus, so the click lands on the
// window beneath. Where no compositing manager draws the desktop it is a shaped window; where one does, a
// translucent one with smooth edges. Created when first needed, so that a user who switched it off never has it.
class ProgressRing : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kDiameter = 32; // device-independent pixels: the desktop's scale enlarges it
    static constexpr int kThickness = 6;

    explicit ProgressRing(bool translucent);

    bool translucent() const { return m_translucent; }
    // Centred on that point: done of total ticks have passed, and the ring moves on towards the next tick's share
    // over a tick. At done == total it is full and hides itself a little later.
    void showAt(QPoint centre, engine::Countdown countdown, int done, int total);
    // The share of the ring now drawn, 0 to 1.
    double filled() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    bool m_translucent;
    engine::Countdown m_countdown = engine::Countdown::LeftClick;
    double m_from = 0; // the share at the last tick, and the one the ring reaches a tick later
    double m_to = 0;
    QElapsedTimer m_sinceTick;
    QTimer m_frames;
    QTimer m_linger;
};

} // namespace toolbar
