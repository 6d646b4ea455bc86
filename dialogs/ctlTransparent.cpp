#include "ctlTransparent.h"

#include "platform/Platform.h"

#include <QApplication>
#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include <cmath>

namespace dialogs {

namespace {
// The designed size, in twips, until the container gives the real one.
constexpr double kLayoutWidth = 1320;
constexpr double kLayoutHeight = 1230;

// Stands for "no pixel at all": an empty region would lift the mask and show the whole control.
const QRegion kNothing(-1, -1, 1, 1);
} // namespace

ctlTransparent::ctlTransparent(QWidget* parent)
    : QWidget(parent)
{
    auto& os = platform::Current();
    resize(static_cast<int>(std::lrint(kLayoutWidth / os.twipsPerPixelX())),
        static_cast<int>(std::lrint(kLayoutHeight / os.twipsPerPixelY())));
    // Without a picture there is no shape: the control shows nothing and takes no mouse.
    setMask(kNothing);
}

void ctlTransparent::setMaskColor(std::uint32_t bgr)
{
    m_maskColor = QColor(
        static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF), static_cast<int>((bgr >> 16) & 0xFF));
}

void ctlTransparent::setPicture(const QPixmap& picture)
{
    // A picture that did not decode is no picture: the control keeps what it had (at first, no shape)
    // rather than put a blank box of the window colour over the dialog.
    if (picture.isNull())
        return;
    const QImage rendered = renderPicture1(picture);
    m_picture = rendered;
    setMaskPicture(rendered);
    update();
}

// The invisible drawing buffer: the control's size, the system window colour, the picture at its
// top-left corner, unscaled.
QImage ctlTransparent::renderPicture1(const QPixmap& picture) const
{
    QImage buffer(size(), QImage::Format_RGB32);
    buffer.fill(QApplication::palette().color(QPalette::Window));
    QPainter painter(&buffer);
    painter.drawPixmap(0, 0, picture);
    return buffer;
}

void ctlTransparent::setMaskPicture(const QImage& maskPicture)
{
    if (!m_maskColor.isValid()) {
        clearMask();
        return;
    }
    // MaskInColor marks the mask colour's pixels; as a bitmap they are the cleared ones, left out of the region.
    const QRegion shape(QBitmap::fromImage(maskPicture.createMaskFromColor(m_maskColor.rgb(), Qt::MaskInColor)));
    setMask(shape.isEmpty() ? kNothing : shape);
}

void ctlTransparent::paintEvent(QPaintEvent*)
{
    // No background of its own: outside the shape the window behind is what shows.
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}

void ctlTransparent::mousePressEvent(QMouseEvent* event) { m_pressed = event->button() == Qt::LeftButton; }

void ctlTransparent::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and a release on the control's visible part.
    const QRegion shape = mask().isEmpty() ? QRegion(rect()) : mask();
    const bool click = m_pressed && event->button() == Qt::LeftButton && shape.contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        Q_EMIT Click();
}

} // namespace dialogs
