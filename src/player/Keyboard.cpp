// Keyboard play: the arrow keys move a focus frame over the hand (and the
// Jokers lying in runs), Space or Return picks the focused card up, the
// arrows then carry it between the discard area and the meld columns, and
// Space or Return lets it go there; Escape puts it back. Every pick-up and
// every drop goes through the same pointer entry points as the mouse, at
// the target's place on the table, so the rules, messages and sounds are
// the same whichever way the player acts.

#include <algorithm>
#include <vector>

#include "game/Describe.h"
#include "game/Game.h"
#include "player/Player.h"

namespace meldora {

namespace {

// The cards the focus frame visits, in order: the hand from left to right,
// then the Jokers lying in runs that take the mouse, column by column.
std::vector<int> FocusRing(const Game& g) {
    std::vector<int> hand, jokers;
    for (int c = 1; c <= kCardCount; ++c) {
        const CardRecord& card = g.CardTable[c];
        if (card.Location == LocPlayer && g.ui.Cds[c].Visible) hand.push_back(c);
        if (card.Location == LocMeld && IsJoker(c) && g.ui.Cds[c].Enabled) jokers.push_back(c);
    }
    std::sort(hand.begin(), hand.end(), [&](int a, int b) { return g.ui.Cds[a].Left < g.ui.Cds[b].Left; });
    std::sort(jokers.begin(), jokers.end(), [&](int a, int b) { return g.ui.Cds[a].Left < g.ui.Cds[b].Left; });
    hand.insert(hand.end(), jokers.begin(), jokers.end());
    return hand;
}

int TargetOf(const layout::Drop& d) { return d.area == layout::DropArea::Board ? d.column : 0; }

// The targets a picked-up card visits: first those that would take it,
// then the others, each in table order (the meld columns in use this
// round from left to right, then the discard area, 0).
std::vector<int> Targets(const Game& g) {
    std::vector<int> targets;
    for (const layout::Drop& d : g.ui.Accepting) targets.push_back(TargetOf(d));
    std::vector<int> others;
    for (int m = 1; m <= kMeldSlots; ++m)
        if (g.MeldTable[m].Kind != 0) others.push_back(m);
    others.push_back(0);
    for (int t : others)
        if (std::find(targets.begin(), targets.end(), t) == targets.end()) targets.push_back(t);
    return targets;
}

// Where a card picked up starts: the first meld column that takes it, or
// the player's first contract column; never the discard area, so two quick
// presses never throw a card away.
int FirstTarget(const Game& g) {
    for (const layout::Drop& d : g.ui.Accepting)
        if (d.area == layout::DropArea::Board) return d.column;
    return 7;
}

// Where a card is let go for a target: the next free row (of `rows`
// taken) of a column, or on the discard pile in its frame.
constexpr layout::Point Spot(int target, int rows) {
    if (target == 0) return layout::kDiscardPile;
    return {layout::MeldColumnLeft(target) + 5, layout::kMeldCardTop + layout::kMeldCardStep * rows};
}

// Every spot lies over its own target most, so the release goes there.
constexpr bool EverySpotLands() {
    using layout::Drop;
    using layout::DropArea;
    auto lands = [](layout::Point at, Drop target) {
        return layout::DropTarget({at.left, at.top, layout::kCardWidth, layout::kCardHeight}) == target;
    };
    if (!lands(Spot(0, 0), Drop{DropArea::Discard, 0})) return false;
    for (int k = 1; k <= layout::kMeldColumns; ++k)
        for (int rows = 0; rows <= 12; ++rows)
            if (!lands(Spot(k, rows), Drop{DropArea::Board, k})) return false;
    return true;
}
static_assert(EverySpotLands(), "a keyboard drop spot lies over another target");

layout::Point TargetSpot(const Game& g, int target) {
    return Spot(target, target == 0 ? 0 : std::min(g.MeldTable[target].Count, 12));
}

// The pointer's place for the lifted card's corner to come to `spot`.
layout::Point PointerFor(const Game& g, layout::Point spot) {
    const clsObjectFollowMouse& f = g.ui.FollowMouse;
    const CardImage* card = f.Card();
    const layout::Point pointer = g.ui.Pointer;
    return {spot.left + (pointer.left - card->Left), spot.top + (pointer.top - card->Top)};
}

bool Carried(const Game& g) { return g.ui.FollowMouse.Enabled() && g.ui.FollowMouse.Card() != nullptr; }

void MoveFocus(Game& g, int step, bool toEnd) {
    const std::vector<int> ring = FocusRing(g);
    TableModel::KeyboardState& k = g.ui.Keys;
    if (ring.empty()) {
        k.FocusCard = 0;
        return;
    }
    auto at = std::find(ring.begin(), ring.end(), k.FocusCard);
    int i = at == ring.end() ? 0 : static_cast<int>(at - ring.begin());
    if (toEnd) i = step < 0 ? 0 : static_cast<int>(ring.size()) - 1;
    else if (at != ring.end()) i = (i + step + static_cast<int>(ring.size())) % static_cast<int>(ring.size());
    if (k.FocusCard != ring[i]) g.Say(CardAccessibleName(g, ring[i]), SpeechKind::Focus);
    k.FocusCard = ring[i];
}

void MoveTarget(Game& g, Key key) {
    const std::vector<int> targets = Targets(g);
    TableModel::KeyboardState& k = g.ui.Keys;
    auto at = std::find(targets.begin(), targets.end(), k.Target);
    int i = at == targets.end() ? 0 : static_cast<int>(at - targets.begin());
    const int n = static_cast<int>(targets.size());
    switch (key) {
        case Key::Left: i = (i + n - 1) % n; break;
        case Key::Right: i = (i + 1) % n; break;
        case Key::Down:  // the discard area
        case Key::Up: {  // the player's first contract column
            auto to = std::find(targets.begin(), targets.end(), key == Key::Down ? 0 : 7);
            if (to != targets.end()) i = static_cast<int>(to - targets.begin());
            break;
        }
        default: break;
    }
    k.Target = targets[i];
    PointerMoved(g, PointerFor(g, TargetSpot(g, k.Target)));
}

// The Joker panel: thirteen values in a row, under them the four suits
// and "No Suit".
void JokerPanelKey(Game& g, Key key) {
    int& i = g.ui.Keys.JokerChoice;
    switch (key) {
        case Key::Left: i = i == 0 ? 12 : i == 13 ? 17 : i - 1; break;
        case Key::Right: i = i == 12 ? 0 : i == 17 ? 13 : i + 1; break;
        case Key::Up:
        case Key::Down: i = i <= 12 ? 13 + std::min(i / 3, 4) : (i - 13) * 3; break;
        case Key::Home: i = i <= 12 ? 0 : 13; break;
        case Key::End: i = i <= 12 ? 12 : 17; break;
        case Key::Space:
        case Key::Return: LblValueClick(g, i); break;
        case Key::Escape: CmdCancel_Click(g); break;
    }
}

void ShowJokerChoice(Game& g) {
    for (int i = 0; i < 18; ++i) g.ui.LblValue[i].Focused = i == g.ui.Keys.JokerChoice;
}

}  // namespace

void KeyPressed(Game& g, Key key) {
    TableModel::KeyboardState& k = g.ui.Keys;
    if (g.ui.FramJoker.Visible) {
        JokerPanelKey(g, key);
        return ShowJokerChoice(g);
    }
    if (k.Lifted && !Carried(g)) k.Lifted = false;  // the drag ended another way
    if (k.Lifted) {
        switch (key) {
            case Key::Space:
            case Key::Return:
                k.Lifted = false;
                PointerReleased(g, g.ui.Pointer);
                MoveFocus(g, 0, false);
                return;
            case Key::Escape:
                k.Lifted = false;
                CancelDrag(g);
                return;
            case Key::Home:
            case Key::End: return;
            default: return MoveTarget(g, key);
        }
    }
    switch (key) {
        case Key::Left: return MoveFocus(g, -1, false);
        case Key::Right: return MoveFocus(g, +1, false);
        case Key::Home: return MoveFocus(g, -1, true);
        case Key::End: return MoveFocus(g, +1, true);
        case Key::Up:
        case Key::Down:
        case Key::Escape: return;
        case Key::Space:
        case Key::Return: break;
    }
    MoveFocus(g, 0, false);
    ClearHintMarks(g);
    layout::Point grab;
    if (k.FocusCard == 0 || !g.ui.GrabPoint(k.FocusCard, grab)) return;
    // A press as the mouse would make it: a refusal says why, a free Joker
    // opens its panel, a Joker in a run is taken; a card picked up follows.
    PointerPressed(g, grab, MouseButton::Left);
    if (g.ui.FramJoker.Visible) {
        g.ui.Keys.JokerChoice = 0;
        ShowJokerChoice(g);
    }
    if (Carried(g) && g.ui.FollowMouse.Card() == &g.ui.Cds[k.FocusCard]) {
        k.Lifted = true;
        k.Target = FirstTarget(g);
        PointerMoved(g, PointerFor(g, TargetSpot(g, k.Target)));
    } else {
        PointerReleased(g, grab);
        MoveFocus(g, 0, false);
    }
}

}  // namespace meldora
