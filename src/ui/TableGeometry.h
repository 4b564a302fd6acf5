#pragma once
// Twips of the table model to pixels of the window and back. The whole
// table is scaled to fit the widget, keeping its proportions, and centred;
// the bands left over show the felt.

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

namespace meldora::ui {

constexpr double kTwipsPerPixel = 15.0;

struct TableGeometry {
    double scale = 1.0;     // pixels per (twips / 15)
    QPointF offset;         // pixel position of the table's top-left corner

    // The mapping that fits the table into a widget of this size.
    static TableGeometry fit(QSize widget);

    double length(double twips) const { return twips / kTwipsPerPixel * scale; }
    QPointF toPixels(QPointF twips) const;
    QRectF toPixels(const QRectF& twips) const;
    // Whole pixels, edges rounded, so neighbouring controls meet cleanly.
    QRect toPixelRect(int left, int top, int width, int height) const;
    QPoint toTwips(QPointF pixels) const;
    // The table's area in the widget.
    QRectF tableRect() const;
};

// The table at 100%: 1040 x 740 pixels.
QSize TablePixelSize();

}  // namespace meldora::ui
