#include "ui/TableWidget.h"

// Cards drawn travelling. The game moves a card in steps and waits between
// them; the table draws each step as a smooth movement over the wait that
// follows it, one frame per refresh of the display, repainting only where
// the travelling cards were and are. The model keeps the cards' real
// places: only the drawing lags behind, and never past the end of the wait.

#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "game/TableLayout.h"
#include "ui/CardArt.h"

namespace meldora::ui {

using layout::kCardHeight;
using layout::kCardWidth;

QPointF TableWidget::Glide::at(qint64 now) const {
    const double t = length > 0 ? std::clamp(static_cast<double>(now - start) / length, 0.0, 1.0) : 1.0;
    return from + (to - from) * t;
}

QPointF TableWidget::drawnAt(int card) const {
    const std::optional<Glide>& g = glides_[card];
    if (g) return g->at(clock_.elapsed());
    const CardImage& c = model_->Cds[card];
    return QPointF(c.Left, c.Top);
}

int TableWidget::glidingCards() const {
    return static_cast<int>(std::count_if(glides_.begin(), glides_.end(), [](const auto& g) { return g.has_value(); }));
}

// A card glides when it moved while staying in view and a wait follows;
// one already on its way sets off again from where it is drawn. A card
// the player carries follows the pointer itself, and everything else jumps.
void TableWidget::startGlides(bool first, int glideMs) {
    const TableModel& m = *model_;
    const CardImage* carried = m.FollowMouse.Enabled() ? m.FollowMouse.Card() : nullptr;
    const qint64 now = clock_.elapsed();
    // A card travels on its own; many moved at once (the pack gathered,
    // the hands laid out at a round's end) are set down in one go.
    constexpr int kMostTravelling = 4;
    int moved = 0;
    for (int n = 1; n <= kCardCount; ++n)
        if (m.Cds[n].Left != synced_[n].left || m.Cds[n].Top != synced_[n].top) ++moved;
    if (moved > kMostTravelling) glideMs = 0;
    for (int n = 1; n <= kCardCount; ++n) {
        const CardImage& c = m.Cds[n];
        Place& was = synced_[n];
        const bool moved = c.Left != was.left || c.Top != was.top;
        if (first || !c.Visible || &c == carried) {
            glides_[n].reset();
        } else if (moved) {
            if (glideMs > 0 && was.visible) {
                const QPointF from = glides_[n] ? glides_[n]->at(now) : QPointF(was.left, was.top);
                glides_[n] = Glide{from, QPointF(c.Left, c.Top), now, glideMs};
            }
            else
                glides_[n].reset();
        }
        was = {c.Left, c.Top, c.Visible};
    }
    if (glidingCards() == 0 || frames_.isActive()) return;
    const qreal hz = screen() && screen()->refreshRate() > 1 ? screen()->refreshRate() : 60.0;
    frames_.start(std::max(1, static_cast<int>(std::lround(1000.0 / hz))));
}

void TableWidget::prepareGlides() {
    if (!model_ || preparing_) return;
    const QString key = QStringLiteral("%1x%2@%3").arg(width()).arg(height()).arg(devicePixelRatioF());
    if (key == prepared_) return;
    prepared_ = key;
    prepareNext_ = -1;
    preparing_ = true;
    QTimer::singleShot(0, this, &TableWidget::prepareStep);
}

// One step at a time, each in an idle turn of the event loop: first the
// still layer, then the back, every face and the side seats' back.
void TableWidget::prepareStep() {
    preparing_ = false;
    if (!model_) return;
    const qreal dpr = devicePixelRatioF();
    const TableGeometry g = mapping();
    const QSize upright(static_cast<int>(std::lround(g.length(kCardWidth))),
                        static_cast<int>(std::lround(g.length(kCardHeight))));
    constexpr int kPicturesPerStep = 4;
    if (prepareNext_ < 0) {
        refreshStill();
        prepareNext_ = 0;
    } else {
        for (int k = 0; k < kPicturesPerStep && prepareNext_ <= kCardCount + 1; ++k, ++prepareNext_) {
            if (prepareNext_ == 0) art_.pixmap(kPicBack, upright, dpr);
            else if (prepareNext_ <= kCardCount) art_.pixmap(prepareNext_, upright, dpr);
            else art_.pixmap(kPicBackSideways, upright.transposed(), dpr);
        }
    }
    if (prepareNext_ > kCardCount + 1) return;
    preparing_ = true;
    QTimer::singleShot(0, this, &TableWidget::prepareStep);
}

void TableWidget::settle() {
    if (!model_) return;
    const qint64 now = clock_.elapsed();
    for (std::optional<Glide>& g : glides_)
        if (g && now - g->start >= g->length) g.reset();
    updateChanged();
    if (glidingCards() == 0) frames_.stop();
}

}  // namespace meldora::ui
