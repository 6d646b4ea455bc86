#pragma once

#include "Widgets.h"

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <cstdint>

namespace dialogs {

// A child control that shows a picture with every pixel of one colour, the mask colour, cut out of it:
// those pixels are neither drawn nor part of the control, so the window behind shows through and gets
// the mouse there. Both properties are write-only. The container sizes the control, sets the mask colour,
// then the picture; resizing later keeps the shape until a picture is set again.
class MaskedPicture : public QWidget
{
    Q_OBJECT

public:
    MaskedPicture(QWidget* parent, const LayoutUnits& units);

    // 0x00BBGGRR; pixels of exactly this colour become transparent.
    void setMaskColor(std::uint32_t bgr);
    // Drawn unscaled at the top-left corner, on the system window colour where it does not reach.
    void setPicture(const QPixmap& picture);

Q_SIGNALS:
    // A click on the visible part of the control.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage render(const QPixmap& picture) const;
    void setShape(const QImage& maskPicture);

    QColor m_maskColor;
    QImage m_picture; // what the control draws
    ClickDetector m_click;
};

} // namespace dialogs
