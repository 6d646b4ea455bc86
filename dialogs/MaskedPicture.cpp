#include "MaskedPicture.h"

#include <QApplication>
#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

namespace dialogs {

namespace {
// The designed size, in twips, until the container gives the real one.
constexpr double kLayoutWidth = 1320;
constexpr double kLayoutHeight = 1230;

// Stands for "no pixel at all": an empty region would lift the mask and show the whole control.
const QRegion kNothing(-1, -1, 1, 1);
} // namespace

MaskedPicture::MaskedPicture(QWidget* parent, const LayoutUnits& units)
    : QWidget(parent)
{
    resize(units.x(kLayoutWidth), units.y(kLayoutHeight));
    // Without a picture there is no shape: the control shows nothing and takes no mouse.
    setMask(kNothing);
}

void MaskedPicture::setMaskColor(std::uint32_t bgr)
{
    m_maskColor = QColor(
        static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF), static_cast<int>((bgr >> 16) & 0xFF));
}

void MaskedPicture::setPicture(const QPixmap& picture)
{
    // A picture that did not decode is no picture: the control keeps what it had (at first, no shape)
    // rather than put a blank box of the window colour over the dialog.
    if (picture.isNull())
        return;
    const QImage rendered = render(picture);
    m_picture = rendered;
    setShape(rendered);
    update();
}

// The invisible drawing buffer: the control's size, the system window colour, the picture at its
// top-left corner, unscaled.
QImage MaskedPicture::render(const QPixmap& picture) const
{
    QImage buffer(size(), QImage::Format_RGB32);
    buffer.fill(QApplication::palette().color(QPalette::Window));
    QPainter painter(&buffer);
    painter.drawPixmap(0, 0, picture);
    return buffer;
}

void MaskedPicture::setShape(const QImage& maskPicture)
{
    if (!m_maskColor.isValid()) {
        clearMask();
        return;
    }
    // MaskInColor marks the mask colour's pixels; as a bitmap they are the cleared ones, left out of the region.
    const QRegion shape(QBitmap::fromImage(maskPicture.createMaskFromColor(m_maskColor.rgb(), Qt::MaskInColor)));
    setMask(shape.isEmpty() ? kNothing : shape);
}

void MaskedPicture::paintEvent(QPaintEvent*)
{
    // No background of its own: outside the shape the window behind is what shows.
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}

void MaskedPicture::mousePressEvent(QMouseEvent* event) { m_click.press(event); }

void MaskedPicture::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and a release on the control's visible part.
    const QRegion shape = mask().isEmpty() ? QRegion(rect()) : mask();
    if (m_click.release(event, shape))
        Q_EMIT clicked();
}

} // namespace dialogs
