#include "ui/TableWidget.h"

// Cards drawn travelling. The game moves a card in steps and waits between
// them; the table draws each step as a smooth movement over the wait that
// follows it, one frame per refresh of the display, repainting only where
// the travelling cards were and are. The model keeps the cards' real
// places: only the drawing lags behind, and never past the end of the wait.

#include <QScreen>
#include <algorithm>
#include <cmath>

namespace meldora::ui {

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

void TableWidget::settle() {
    if (!model_) return;
    const qint64 now = clock_.elapsed();
    for (std::optional<Glide>& g : glides_)
        if (g && now - g->start >= g->length) g.reset();
    updateChanged();
    if (glidingCards() == 0) frames_.stop();
}

}  // namespace meldora::ui
