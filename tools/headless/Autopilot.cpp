#include "headless/Autopilot.h"

#include <algorithm>
#include <tuple>

#include "game/Game.h"
#include "game/Rules.h"
#include "robots/HandPlan.h"
#include "robots/Hint.h"
#include "player/Controls.h"
#include "player/Player.h"

namespace meldora {

namespace {

constexpr int kDiscardTarget = 0;
constexpr int kHandTarget = -2;
// A turn never takes more moves than this, whatever the table does.
constexpr int kMovesPerTurn = 64;
// Joker panel labels: values 0..12, then the suits and "No Suit".
constexpr int kNoSuitLabel = 17;
// How far above the hand a valued Joker is let go of to free it: off the
// board and the discard area.
constexpr int kFreeingLift = 600;

int SuitLabel(int suit) {
    switch (suit) {
        case SuitDiamonds: return 13;
        case SuitClubs: return 14;
        case SuitHearts: return 15;
        case SuitSpades: return 16;
        default: return kNoSuitLabel;
    }
}

// A card released with its corner here lands on meld column `slot`, or on
// the discard area.
layout::Point ColumnSpot(int slot) { return {layout::MeldColumnLeft(slot) + 100, layout::kMeldCardTop + 400}; }
layout::Point DiscardSpot() { return {layout::kDiscardArea.left + 300, layout::kDiscardArea.top + 100}; }

}  // namespace

bool Autopilot::Halted() const { return g_.RoundOver || g_.GameOver; }

bool Autopilot::Playing() const { return !Halted() && g_.IsTurn[0] && g_.PlayerHasDrawn; }

std::vector<int> Autopilot::Hand() const {
    std::vector<int> hand;
    for (int c = 1; c <= kCardCount; ++c)
        if (g_.CardTable[c].Location == LocPlayer) hand.push_back(c);
    return hand;
}

// ---- the turn ------------------------------------------------------------------------

bool Autopilot::PlayTurn() {
    if (Halted() || !g_.IsTurn[0]) return true;
    if (byHints_) return PlayTurnByHints();
    contractGivenUp_ = false;
    if (!g_.PlayerHasDrawn) {
        const std::vector<int> before = Hand();
        Draw();
        if (Halted()) return true;
        // Not drawn: either a game was dealt afresh under the click, or the
        // click was not taken.
        if (!g_.PlayerHasDrawn) return Hand() != before;
    }
    if (!Playing()) return true;
    // A Joker panel left open blocks every press: close it first.
    if (g_.ui.FramJoker.Visible) ClickControl("CmdCancel");
    if (g_.HasContract[0])
        LayOffAndSwap();
    else if (!g_.ContractThisTurn)
        LayContract();
    if (!Playing()) return true;
    return Discard();
}

void Autopilot::Draw() {
    const int top = g_.TopDiscard();
    if (top != 0 && g_.ui.CmdDiscard.Visible && WorthTaking(g_, top)) {
        ClickControl("CmdDiscard");
        if (g_.PlayerHasDrawn) ++counts_.discardsTaken;
    } else {
        ClickControl("CmdStock");
    }
}

void Autopilot::AnswerMayI() {
    if (!g_.ui.CmdMayI.Visible || !g_.ui.CmdPass.Visible) return;
    // The answer the Hint command gives.
    if (FindHint(g_).step != HintStep::SayMayI) {
        ClickControl("CmdPass");
        return;
    }
    ClickControl("CmdMayI");
    if (g_.MayIClaimed) ++counts_.mayIClaims;
}

// The whole contract, meld by meld in slot order: each meld is finished
// before the next is started, a run is laid from its lowest card up.
void Autopilot::LayContract() {
    if (contractGivenUp_) return;
    const HandPlan plan = PlanContract(Hand(), g_.Round);
    if (!plan.Complete()) return;
    for (std::size_t i = 0; i < plan.melds.size(); ++i) {
        const int slot = 7 + static_cast<int>(i);
        for (const PlannedCard& card : plan.melds[i].cards) {
            if (!Playing()) return;
            if (DropCheck(g_, card.card, {layout::DropArea::Board, slot}, card.value, card.suit) &&
                LayOnColumn(card, slot))
                continue;
            // The rules saw it otherwise: take the melds back whole and
            // play the turn without the contract.
            contractGivenUp_ = true;
            TakeBack();
            return;
        }
    }
}

void Autopilot::LayOffAndSwap() {
    for (int move = 0; move < kMovesPerTurn && Playing(); ++move)
        if (!SwapOneJoker() && !LayOffOne()) return;
}

// A Joker in a run on the table, for the natural card it stands for.
bool Autopilot::SwapOneJoker() {
    const int joker = JokerToTake(g_);
    if (joker == 0) return false;
    Click(joker);
    if (g_.CardTable[joker].Location == LocPlayer) {
        ++counts_.jokerSwaps;
        return true;
    }
    ++counts_.refusedMoves;
    return false;
}

// One card onto a complete meld that takes it, the costliest first and the
// Jokers last.
bool Autopilot::LayOffOne() {
    const std::vector<LayOffMove> moves = LayOffsNow(g_);
    if (moves.empty()) return false;
    if (!LayOnColumn({moves.front().card, moves.front().value, moves.front().suit}, moves.front().slot)) return false;
    ++counts_.layOffs;
    return true;
}

bool Autopilot::Discard() {
    if (ContractMeldsPartial(g_)) TakeBack();
    return DiscardCard(ChooseDiscard(g_));
}

bool Autopilot::DiscardCard(int card) {
    const int round = g_.Round;
    if (card == 0 || !DropCheck(g_, card, {layout::DropArea::Discard, 0})) return false;
    const bool contract = g_.ContractThisTurn;
    // A free Joker opens the Joker panel when pressed: it is given a
    // value before it can be carried, and is free again on the pile.
    if (IsJoker(card) && g_.CardTable[card].Value == kValueJoker && !ValueJoker(card, 1, SuitNone)) {
        ++counts_.refusedMoves;
        return false;
    }
    Carry(card, kDiscardTarget);
    if (!Playing()) {
        if (contract) ++counts_.contractsByRound[round];
        return true;
    }
    ++counts_.refusedMoves;
    return false;
}

// Each step is the one the Hint command names, until the discard ends
// the turn.
bool Autopilot::PlayTurnByHints() {
    contractGivenUp_ = false;
    for (int move = 0; move < kMovesPerTurn && !Halted() && g_.IsTurn[0]; ++move) {
        if (g_.ui.FramJoker.Visible) ClickControl("CmdCancel");
        const Hint h = FindHint(g_);
        switch (h.step) {
            case HintStep::TakeDiscard:
                ClickControl("CmdDiscard");
                if (g_.PlayerHasDrawn) ++counts_.discardsTaken;
                break;
            case HintStep::TakeStock: ClickControl("CmdStock"); break;
            case HintStep::LayContract: {
                // A contract the rules would not take is not tried again this turn.
                if (contractGivenUp_) return DiscardCard(ChooseDiscard(g_)) || !Playing();
                bool laid = true;
                for (std::size_t i = 0; i < h.melds.size() && laid; ++i)
                    for (const PlannedCard& card : h.melds[i].cards)
                        if (!(laid = Playing() && LayOnColumn(card, 7 + static_cast<int>(i)))) break;
                if (!laid) {
                    contractGivenUp_ = true;
                    TakeBack();
                }
                break;
            }
            case HintStep::TakeBack: TakeBack(); break;
            case HintStep::SwapJoker:
                if (!SwapOneJoker()) return false;
                break;
            case HintStep::LayOff:
                if (!LayOnColumn({h.card, h.layOffs.front().value, h.layOffs.front().suit}, h.slot)) return false;
                ++counts_.layOffs;
                break;
            case HintStep::Discard: return DiscardCard(h.card) || !Playing();
            case HintStep::SayMayI:
            case HintStep::PassMayI:  // asked only while another seat draws
            case HintStep::None: return !Playing();
        }
    }
    return !Playing();
}

void Autopilot::TakeBack() {
    if (g_.ui.CmdTakeBack.Visible) ClickControl("CmdTakeBack");
}

// ---- the hand on the table ----------------------------------------------------------

bool Autopilot::GrabPoint(int card, layout::Point& at) const {
    const CardImage& img = g_.ui.Cds[card];
    static const int kAcross[] = {300, 100, 200, 50, 600, 900};
    static const int kDown[] = {200, 100, 600, 1200};
    for (int down : kDown)
        for (int across : kAcross) {
            const layout::Point p{img.Left + across, img.Top + down};
            if (g_.ui.CardAt(p.left, p.top) == card) {
                at = p;
                return true;
            }
        }
    return false;
}

void Autopilot::Click(int card) {
    if (keys_) {
        if (!FocusOn(card)) return;
        PressKey(Key::Space);
        if (g_.ui.Keys.Lifted) PressKey(Key::Escape);  // a click, not a carry
        return;
    }
    layout::Point at;
    if (GrabPoint(card, at)) {
        Press(at);
        Release(at);
    } else {
        ++counts_.directPresses;
        PicP_MouseDown(g_, card, MouseButton::Left);
    }
}

void Autopilot::DragTo(int card, layout::Point to) {
    const CardImage& img = g_.ui.Cds[card];
    layout::Point grab;
    const bool pointer = GrabPoint(card, grab);
    if (pointer)
        Press(grab);
    else {
        ++counts_.directPresses;
        PicP_MouseDown(g_, card, MouseButton::Left);
    }
    const bool carried = g_.ui.FollowMouse.Enabled() && g_.ui.FollowMouse.Card() == &img;
    if (!carried) {  // the press was refused, or opened the Joker panel
        if (pointer) Release(grab);
        if (g_.ui.FramJoker.Visible) ClickControl("CmdCancel");
        return;
    }
    const layout::Point from = pointer ? grab : g_.ui.Pointer;
    const layout::Point release{from.left + (to.left - img.Left), from.top + (to.top - img.Top)};
    Move(release);
    if (pointer)
        Release(release);
    else
        PicP_MouseUp(g_, card);
}

void Autopilot::Carry(int card, int target) {
    if (!keys_) {
        const CardImage& img = g_.ui.Cds[card];
        if (target == kHandTarget) return DragTo(card, {img.Left, img.Top - kFreeingLift});
        return DragTo(card, target == kDiscardTarget ? DiscardSpot() : ColumnSpot(target));
    }
    if (!FocusOn(card)) return;
    PressKey(Key::Space);
    const TableModel::KeyboardState& k = g_.ui.Keys;
    if (!k.Lifted) {  // the press was refused, or opened the Joker panel
        if (g_.ui.FramJoker.Visible) ClickControl("CmdCancel");
        return;
    }
    if (target == kDiscardTarget) PressKey(Key::Down);
    for (int step = 0; step <= kMeldSlots && k.Target != target && target != kHandTarget; ++step)
        PressKey(Key::Right);
    PressKey(k.Target == target ? Key::Space : Key::Escape);
}

bool Autopilot::ValueJoker(int joker, int value, int suit) {
    const CardRecord& j = g_.CardTable[joker];
    if (j.Value == value && j.Suit == suit) return true;
    if (j.Value != kValueJoker) {
        // Valued earlier for something else: let go of it off the board, and
        // it comes back to the hand free.
        Carry(joker, kHandTarget);
        if (j.Value != kValueJoker) return false;
    }
    Click(joker);
    if (!g_.ui.FramJoker.Visible) return false;
    ChooseLabel(value - 1);
    ChooseLabel(SuitLabel(suit));
    ClickControl("CmdJoker");
    if (g_.ui.FramJoker.Visible) ClickControl("CmdCancel");
    return g_.CardTable[joker].Value != kValueJoker;
}

bool Autopilot::LayOnColumn(const PlannedCard& card, int slot) {
    const int c = card.card;
    if (IsJoker(c) && !ValueJoker(c, card.value, card.suit)) {
        ++counts_.refusedMoves;
        return false;
    }
    Carry(c, slot);
    if (g_.CardTable[c].Location == LocMeld && g_.CardTable[c].InMeld[slot]) return true;
    ++counts_.refusedMoves;
    return false;
}

void Autopilot::Press(layout::Point at) {
    ++counts_.pointerActs;
    if (hands_.press)
        hands_.press(at);
    else
        PointerPressed(g_, at, MouseButton::Left);
}

void Autopilot::Move(layout::Point at) {
    ++counts_.pointerActs;
    if (hands_.move)
        hands_.move(at);
    else
        PointerMoved(g_, at);
}

void Autopilot::Release(layout::Point at) {
    ++counts_.pointerActs;
    if (hands_.release)
        hands_.release(at);
    else
        PointerReleased(g_, at);
}

void Autopilot::ClickControl(const std::string& name) {
    if (hands_.click) {
        hands_.click(name);
        return;
    }
    if (name.rfind("LblValue", 0) == 0) LblValueClick(g_, std::stoi(name.substr(8)));
    else PressControl(g_, name);
}

// ---- keyboard mode ----------------------------------------------------------------------

void Autopilot::useKeys(std::function<void(Key)> key) {
    keys_ = true;
    keyHand_ = std::move(key);
}

void Autopilot::PressKey(Key key) {
    ++counts_.keysPressed;
    if (keyHand_)
        keyHand_(key);
    else
        KeyPressed(g_, key);
}

bool Autopilot::FocusOn(int card) {
    const TableModel::KeyboardState& k = g_.ui.Keys;
    if (k.FocusCard != card) PressKey(Key::Home);
    // Once round the ring at most: the hand, then the Jokers in runs.
    for (int step = 0; step <= kCardCount && k.FocusCard != card; ++step) {
        const int before = k.FocusCard;
        PressKey(Key::Right);
        if (k.FocusCard == before) break;  // a ring of one
    }
    return k.FocusCard == card;
}

void Autopilot::ChooseLabel(int label) {
    if (!keys_) return ClickControl("LblValue" + std::to_string(label));
    const int& choice = g_.ui.Keys.JokerChoice;
    const bool suitRow = label > 12;
    if ((choice > 12) != suitRow) PressKey(suitRow ? Key::Down : Key::Up);
    PressKey(Key::Home);
    for (int step = 0; step < 18 && choice != label; ++step) PressKey(Key::Right);
    if (choice == label) PressKey(Key::Space);
}

}  // namespace meldora
