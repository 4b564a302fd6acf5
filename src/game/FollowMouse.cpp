#include "game/FollowMouse.h"

#include <algorithm>

#include "game/TableModel.h"

namespace meldora {

namespace {
// How much of a panel let go stays on the table, across and down: room
// for the pointer to take hold of it again.
constexpr int kPanelKept = 1500;
}  // namespace

void KeepOnTable(Control& panel, int kept) {
    const int across = std::min(kept, panel.Width), down = std::min(kept, panel.Height);
    panel.Left = std::clamp(panel.Left, across - panel.Width, layout::kTableWidth - across);
    panel.Top = std::clamp(panel.Top, down - panel.Height, layout::kTableHeight - down);
}

void clsObjectFollowMouse::Object(CardImage& card) {
    enabled_ = false;
    card_ = &card;
    panel_ = nullptr;
    left_ = &card.Left;
    top_ = &card.Top;
}

void clsObjectFollowMouse::Object(Control& panel) {
    enabled_ = false;
    card_ = nullptr;
    panel_ = &panel;
    left_ = &panel.Left;
    top_ = &panel.Top;
}

void clsObjectFollowMouse::Enabled(bool on) {
    if (!on && enabled_ && panel_) KeepOnTable(*panel_, kPanelKept);
    enabled_ = on && left_ != nullptr;
    if (!enabled_) return;
    start_ = *pointer_;
    saved_ = {*left_, *top_};
}

void clsObjectFollowMouse::PointerMoved() {
    if (!enabled_) return;
    *left_ = saved_.left + (pointer_->left - start_.left);
    *top_ = saved_.top + (pointer_->top - start_.top);
}

}  // namespace meldora
