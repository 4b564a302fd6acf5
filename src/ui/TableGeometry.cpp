#include "ui/TableGeometry.h"

#include <algorithm>
#include <cmath>

#include "game/TableModel.h"

namespace meldora::ui {

QSize TablePixelSize() {
    return QSize(static_cast<int>(kTableWidth / kTwipsPerPixel), static_cast<int>(kTableHeight / kTwipsPerPixel));
}

TableGeometry TableGeometry::fit(QSize widget) {
    TableGeometry g;
    const QSize base = TablePixelSize();
    if (widget.width() <= 0 || widget.height() <= 0) return g;
    g.scale = std::min(static_cast<double>(widget.width()) / base.width(),
                       static_cast<double>(widget.height()) / base.height());
    g.offset = QPointF((widget.width() - base.width() * g.scale) / 2.0,
                       (widget.height() - base.height() * g.scale) / 2.0);
    return g;
}

QPointF TableGeometry::toPixels(QPointF twips) const {
    return QPointF(offset.x() + length(twips.x()), offset.y() + length(twips.y()));
}

QRectF TableGeometry::toPixels(const QRectF& twips) const {
    return QRectF(toPixels(twips.topLeft()), QSizeF(length(twips.width()), length(twips.height())));
}

QRect TableGeometry::toPixelRect(int left, int top, int width, int height) const {
    const QPointF a = toPixels(QPointF(left, top));
    const QPointF b = toPixels(QPointF(left + width, top + height));
    const int x1 = static_cast<int>(std::lround(a.x()));
    const int y1 = static_cast<int>(std::lround(a.y()));
    return QRect(x1, y1, static_cast<int>(std::lround(b.x())) - x1, static_cast<int>(std::lround(b.y())) - y1);
}

QPoint TableGeometry::toTwips(QPointF pixels) const {
    const double k = kTwipsPerPixel / scale;
    return QPoint(static_cast<int>(std::lround((pixels.x() - offset.x()) * k)),
                  static_cast<int>(std::lround((pixels.y() - offset.y()) * k)));
}

QRectF TableGeometry::tableRect() const {
    return toPixels(QRectF(0, 0, kTableWidth, kTableHeight));
}

}  // namespace meldora::ui
