// The player's hand on the cards: a press picks a card up (or is refused
// with a reason), the card follows the pointer with the target it would go
// to highlighted, and the target it covers most when let go decides what
// happens: the discard area, a contract column, a lay-off onto any meld,
// or back to the hand.

#include <string>

#include "game/Describe.h"
#include "game/Game.h"
#include "player/Player.h"

namespace meldora {

namespace {

bool InHand(const Game& g, int card) { return g.CardTable[card].Location == LocPlayer; }
bool OnTable(const Game& g, int card) { return g.CardTable[card].Location == LocMeld; }

// A refusal of the press: a text starting with a blank follows the
// player's name.
void Refuse(Game& g, const std::string& text) {
    g.ShowInfo(!text.empty() && text[0] == ' ' ? Game::NameMark(0) + text : text);
}

// A listener hears the card picked up, and where it would go as it moves:
// aloud as the keyboard's focus is (a newer place replaces an older one)
// and to a screen reader.
void TellCarry(Game& g, const std::string& text) {
    g.Say(text, SpeechKind::Focus);
    g.host.Announce(text);
}

}  // namespace

void ClearHintMarks(Game& g) {
    for (CardImage& c : g.ui.Cds) c.Hinted = false;
}

namespace {

bool Following(const Game& g, int card) {
    return g.ui.FollowMouse.Enabled() && g.ui.FollowMouse.Card() == &g.ui.Cds[card];
}

}  // namespace

void PicP_MouseDown(Game& g, int card, MouseButton button) {
    if (card < 1 || card > kCardCount) return;
    g.RunHandler("PicP_MouseDown", [&] {
        if (g.ui.FollowMouse.Enabled() && button == MouseButton::Right) return;
        if (g.ui.FollowMouse.Enabled()) return;  // one card at a time
        if (g.RoundOver || g.GameOver) return Refuse(g, " hand over, nothing to click");
        if (!g.IsTurn[0] && InHand(g, card)) return Refuse(g, " not your turn to push your cards.");
        if (g.ui.FramJoker.Visible) return Refuse(g, " finish changing Joker or cancel.");
        if (InHand(g, card) && !g.PlayerHasDrawn)
            return Refuse(g, " you must take a card before pushing any cards");
        if (!g.PlayerHasDrawn) return Refuse(g, "Must take Stock or Discard card first.");
        if (IsJoker(card) && OnTable(g, card)) return JokerSwap(g, card);
        if (g.CardTable[card].Value == kValueJoker && !OnTable(g, card)) {
            g.JokerBeingSet = card;
            g.ui.FramJoker.Visible = true;
            g.ui.BringToFront(g.ui.FramJoker);
            g.ShowPlayerText(
                " Click above the Value and Suit you wish the Joker to become. Then click joker again to Meld it.");
            g.Say("Choose the Value and Suit you wish the Joker to become. Then press the Joker again to Meld it.",
                  SpeechKind::Player);
            return;
        }
        if (!InHand(g, card)) return;
        CardImage& img = g.ui.Cds[card];
        g.SavedTop = img.Top;
        g.SavedLeft = img.Left;
        g.ui.FollowMouse.Object(img);
        g.ui.BringToFront(img);
        g.ui.FollowMouse.Enabled(true);
        g.ui.Accepting = AcceptingTargets(g, card);
        TellCarry(g, "Picked up the " + CardNameInPlay(g, card));
    });
}

void Cds_MouseMove(Game& g, int card) {
    if (card < 1 || card > kCardCount || g.RoundOver || g.GameOver) return;
    CardImage& img = g.ui.Cds[card];
    const std::string& name = g.CardTable[card].FullName;
    const bool inHand = InHand(g, card);
    if (!g.IsTurn[0] && inHand) {
        img.Cursor = kPicCursorDrop;
        img.ToolTip = name + " it is not your turn at present.";
    }
    if (OnTable(g, card) && !IsJoker(card)) {
        img.Cursor = kPicCursorDrop;
        img.ToolTip = name + " only the Joker may be clicked in the Meld area to swap .";
    }
    if (g.IsTurn[0] && !g.PlayerHasDrawn && inHand) {
        img.Cursor = kPicCursorDrop;
        img.ToolTip = name + " you must first take a card.";
        return;
    }
    if (!g.IsTurn[0] || !inHand) return;
    img.Cursor = kPicCursorHand;
    img.ToolTip = name + " push cards to the Meld area or Discard area.";
}

void PicP_MouseUp(Game& g, int card) {
    if (card < 1 || card > kCardCount) return;
    g.RunHandler("PicP_MouseUp", [&] {
        // Only the release of a drag acts: a press that was refused, opened
        // the Joker panel or swapped a Joker has nothing to let go of, and
        // its reason stays up to be read.
        if (!Following(g, card)) return;
        g.ui.LblInfo.Visible = false;
        CardImage& img = g.ui.Cds[card];
        if (!MayLetGo(g, card)) {
            g.BackYouGo(card);
            return;
        }
        if (img.Left == g.SavedLeft && img.Top == g.SavedTop) {  // a plain click
            g.ui.FollowMouse.Enabled(false);
            g.SortHandP();
            return;
        }
        const layout::Drop drop = layout::DropTarget(TableModel::CardArea(img));
        const Verdict release = ReleaseCheck(g, card, drop);
        if (drop.area == layout::DropArea::Discard) {
            if (release) return DealDiscardP(g, card);
            if (IsJoker(card)) {
                g.CardTable[card].Value = kValueJoker;
                g.CardTable[card].Suit = SuitNone;
            }
            return DiscardItP(g, card);
        }
        if (!release) return RefuseCard(g, card, release);
        if (g.HasContract[0]) return LayOffCardP(g, card, drop.column);
        GeneralContractRoutineP(g, drop.column, card);
    });
}

// ---- the pointer ----------------------------------------------------------------

void PointerPressed(Game& g, layout::Point at, MouseButton button) {
    g.ui.Pointer = at;
    ClearHintMarks(g);
    const int card = g.ui.CardAt(at.left, at.top);
    if (card == 0) return;
    g.ui.PressedCard = card;
    PicP_MouseDown(g, card, button);
}

void PointerMoved(Game& g, layout::Point at) {
    g.ui.Pointer = at;
    if (g.ui.FollowMouse.Enabled()) {
        g.ui.FollowMouse.PointerMoved();
        const layout::Drop before = g.ui.Highlight;
        g.ui.Highlight = g.ui.CarriedTarget();
        if (!(g.ui.Highlight == before) && g.ui.FollowMouse.Card()) TellCarry(g, CarriedOverName(g));
        return;
    }
    if (const int card = g.ui.CardAt(at.left, at.top)) Cds_MouseMove(g, card);
}

void PointerReleased(Game& g, layout::Point at) {
    g.ui.Pointer = at;
    g.ui.FollowMouse.PointerMoved();
    g.ui.Highlight = {};
    g.ui.Accepting.clear();
    if (g.ui.FollowMouse.Panel()) {
        Panel_MouseUp(g);
        return;
    }
    const int card = g.ui.PressedCard;
    g.ui.PressedCard = 0;
    if (card) PicP_MouseUp(g, card);
}

void CancelDrag(Game& g) {
    g.ui.PressedCard = 0;
    g.ui.Highlight = {};
    g.ui.Accepting.clear();
    if (!g.ui.FollowMouse.Enabled()) return;
    if (g.ui.FollowMouse.Panel()) {
        g.ui.FollowMouse.Enabled(false);
        return;
    }
    for (int card = 1; card <= kCardCount; ++card)
        if (Following(g, card)) g.RunHandler("CancelDrag", [&] { g.BackYouGo(card); });
}

}  // namespace meldora
