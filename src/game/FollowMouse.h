#pragma once
// The one follow-the-mouse object: moves a card image or a panel of the
// table along with the pointer, keeping the offset the pointer had from the
// object when following began. It works in the table's twips on the table
// model, and moves only when the window reports the pointer's own moves, so
// nothing runs while the pointer rests.

#include <limits>

#include "game/TableLayout.h"

namespace meldora {

struct CardImage;
struct Control;

// Moves a panel the least way that leaves `kept` twips of its width and of
// its height on the table; by default all of it.
void KeepOnTable(Control& panel, int kept = std::numeric_limits<int>::max());

class clsObjectFollowMouse {
public:
    // `pointer` is where the table model keeps the pointer's last position.
    explicit clsObjectFollowMouse(const layout::Point* pointer) : pointer_(pointer) {}

    // Object = a card image, or a movable panel.
    void Object(CardImage& card);
    void Object(Control& panel);

    // Enabled = on: following starts from the pointer's position now.
    // Enabled = off: the object stays where it was last moved, a panel with
    // enough of it on the table to be taken hold of again.
    void Enabled(bool on);
    bool Enabled() const { return enabled_; }

    // The pointer has moved: the object moves by as much as the pointer has
    // since following began.
    void PointerMoved();

    // The card image or panel being followed (null when it is the other kind).
    const CardImage* Card() const { return card_; }
    const Control* Panel() const { return panel_; }

private:
    const layout::Point* pointer_;
    CardImage* card_ = nullptr;
    Control* panel_ = nullptr;
    int* left_ = nullptr;
    int* top_ = nullptr;
    layout::Point start_;
    layout::Point saved_;
    bool enabled_ = false;
};

}  // namespace meldora
