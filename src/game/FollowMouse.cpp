#include "game/FollowMouse.h"

#include "game/TableModel.h"

namespace meldora {

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
