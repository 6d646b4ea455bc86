#include "ProgressRing.h"

#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>

namespace toolbar {

namespace {

constexpr int kTickMs = 100;
constexpr int kFrameMs = 50; // with the tick's own, 20 frames a second: smooth, and under 1 % of a core
constexpr int kLingerMs = 300; // full, after the click: the user sees that the rest was taken

// Told apart by hue and by lightness, so that they stay distinct for the common kinds of colour blindness.
QColor ColourOf(engine::Countdown countdown)
{
    using enum engine::Countdown;
    switch (countdown) {
    case LeftClick:
        return {0x00, 0x72, 0xB2};
    case DoubleClick:
        return {0x00, 0x9E, 0x73};
    case DragPress:
        return {0xE6, 0x9F, 0x00};
    case DragRelease:
        return {0xD5, 0x5E, 0x00};
    case RightClick:
        return {0xCC, 0x79, 0xA7};
    case MiddleClick:
        return {0xF0, 0xE4, 0x42};
    case CommandPress:
        break;
    }
    return {0x56, 0xB4, 0xE9};
}

} // namespace

ProgressRing::ProgressRing(bool translucent)
    : QWidget(nullptr,
        Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput
            | Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint | Qt::NoDropShadowWindowHint)
    , m_translucent(translucent)
{
    setWindowTitle(QStringLiteral("Dimoro Free dwell progress"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(kDiameter, kDiameter);
    if (translucent) {
        setAttribute(Qt::WA_TranslucentBackground);
    } else {
        // Without a compositing manager a transparent pixel shows black: only the ring's own pixels are the window.
        const QRegion outer(0, 0, kDiameter, kDiameter, QRegion::Ellipse);
        const int inner = kDiameter - 2 * kThickness;
        setMask(outer.subtracted(QRegion(kThickness, kThickness, inner, inner, QRegion::Ellipse)));
    }
    m_frames.setInterval(kFrameMs);
    connect(&m_frames, &QTimer::timeout, this, [this] {
        // The next tick draws the rest of the way: a frame of its own then would be a paint for nothing.
        if (m_sinceTick.elapsed() >= kTickMs) {
            m_frames.stop();
            return;
        }
        update();
    });
    m_linger.setSingleShot(true);
    connect(&m_linger, &QTimer::timeout, this, &QWidget::hide);
}

void ProgressRing::hideEvent(QHideEvent*)
{
    // A hidden ring costs nothing: no frame and no linger runs on.
    m_frames.stop();
    m_linger.stop();
}

void ProgressRing::showAt(QPoint centre, engine::Countdown countdown, int done, int total)
{
    const bool full = done >= total;
    m_countdown = countdown;
    m_from = full ? 1.0 : std::clamp(double(done) / total, 0.0, 1.0);
    m_to = full ? 1.0 : std::min(1.0, double(done + 1) / total);
    m_sinceTick.start();
    move(centre - QPoint(kDiameter / 2, kDiameter / 2));
    if (!isVisible()) {
        show();
        raise();
    }
    if (full) {
        m_frames.stop();
        m_linger.start(kLingerMs);
        // Drawn now, before the click that follows is injected.
        repaint();
    } else {
        m_linger.stop();
        m_frames.start();
        update();
    }
}

double ProgressRing::filled() const
{
    const double step = std::min(1.0, double(m_sinceTick.elapsed()) / kTickMs);
    return m_from + (m_to - m_from) * step;
}

void ProgressRing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor track(0x30, 0x30, 0x30, m_translucent ? 0xA0 : 0xFF);
    // Qt's angles are in sixteenths of a degree, counter-clockwise from three o'clock; the share fills clockwise
    // from twelve.
    const int start = 90 * 16;
    const int span = -static_cast<int>(std::lround(filled() * 360 * 16));
    if (!m_translucent) {
        // The window's shape is the band, so a fill and a pie draw it: cheaper than stroking its curve each frame.
        painter.fillRect(rect(), track);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ColourOf(m_countdown));
        painter.drawPie(rect(), start, span);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    // A pen along the middle of the band, with smooth edges.
    const double half = kThickness / 2.0;
    const QRectF band = QRectF(rect()).adjusted(half, half, -half, -half);
    painter.setPen(QPen(track, kThickness, Qt::SolidLine, Qt::FlatCap));
    painter.drawEllipse(band);
    painter.setPen(QPen(ColourOf(m_countdown), kThickness, Qt::SolidLine, Qt::FlatCap));
    if (span <= -360 * 16)
        painter.drawEllipse(band);
    else if (span < 0)
        painter.drawArc(band, start, span);
}

} // namespace toolbar
