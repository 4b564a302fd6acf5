// A robot with its contract adds what it can to the complete melds on the
// table, and any robot takes a Joker out of a run when it holds the card the
// Joker stands for.

#include <string>

#include "game/Describe.h"
#include "game/Game.h"
#include "game/Rules.h"
#include "robots/RobotSupport.h"
#include "robots/Robots.h"

namespace meldora {

using namespace robots;

namespace {

// Lays card c off on slot m. Answers true when that ended the round, so the
// caller stops at once.
bool LayOn(Game& g, int seat, int m, int c, const std::string& text) {
    g.ShowSeatText(seat, text);
    g.PlaceInMeld(seat, m, c);
    g.AnyWinner(seat);
    return RoundHalted(g);
}

bool LayOn(Game& g, int seat, int m, int c) {
    return LayOn(g, seat, m, c, " is Laying Off  " + g.CardTable[c].FullName);
}

bool IsCompleteRun(const MeldRecord& meld) { return meld.Complete && meld.Kind == kKindRun; }
bool IsCompleteSet(const MeldRecord& meld) { return meld.Complete && meld.Kind == kKindSet; }

// One pass of natural cards: for every slot, every card of the seat (in
// card-number order) that fits the slot as it is at that moment is laid off.
// `fits` may adjust the card (an Ace going above a King) before it is laid.
// Answers true when the round ended.
template <typename Fits>
bool NaturalPass(Game& g, int seat, Fits fits) {
    for (int m = 1; m <= kMeldSlots; ++m) {
        for (int c = 1; c < kFirstJoker; ++c) {
            if (g.CardTable[c].Location != seat) continue;
            if (!fits(g.MeldTable[m], g.CardTable[c])) continue;
            if (LayOn(g, seat, m, c)) return true;
        }
    }
    return false;
}

// The seat's first Joker in card-number order, 0 when it holds none.
int FirstJoker(const Game& g, int seat) {
    for (int j = kFirstJoker; j <= kCardCount; ++j)
        if (g.CardTable[j].Location == seat) return j;
    return 0;
}

// One Joker per qualifying slot. `place` gives the Joker its value and suit
// for the slot and answers the status text. Answers true when the round ended.
template <typename Qualifies, typename Place>
bool JokerPass(Game& g, int seat, Qualifies qualifies, Place place) {
    for (int m = 1; m <= kMeldSlots; ++m) {
        if (!qualifies(g.MeldTable[m])) continue;
        const int joker = FirstJoker(g, seat);
        if (joker == 0) return false;
        const std::string text = place(g.MeldTable[m], g.CardTable[joker]);
        if (LayOn(g, seat, m, joker, text)) return true;
    }
    return false;
}

}  // namespace

void LayOffCardBots(Game& g, int seat) {
    Guarded(g, "LayOffCardBots", [&] {
        if (RoundHalted(g)) return;
        // The robot has laid its contract and builds nothing more, so a
        // natural card still carrying a value a finder gave it (an Ace
        // counted 14 for an Ace-high run that was never laid) is judged as
        // what it is: such an Ace can then join a set of Aces or go below a
        // Two, or above a King by the Ace pass.
        for (int c = 1; c < kFirstJoker; ++c)
            if (g.CardTable[c].Location == seat) RestoreNaturalValue(g, c);

        auto setValue = [](const MeldRecord& m, CardRecord& c) { return IsCompleteSet(m) && JoinsSet(m, c.Value); };
        auto belowRun = [](const MeldRecord& m, CardRecord& c) {
            return IsCompleteRun(m) && ExtendsRunBelow(m, c.Value, c.Suit);
        };
        auto aboveRun = [](const MeldRecord& m, CardRecord& c) {
            return IsCompleteRun(m) && ExtendsRunAbove(m, c.Value, c.Suit);
        };
        // The King-high test is made afresh for every card: once one Ace lies
        // above the King the run ends at 15 and a second Ace has no place.
        auto aceAboveKing = [](const MeldRecord& m, CardRecord& c) {
            if (!IsCompleteRun(m) || !GoesAboveKing(m, c.Value, c.Suit)) return false;
            c.Value = kValueHighAce;
            return true;
        };

        if (NaturalPass(g, seat, setValue)) return;
        if (NaturalPass(g, seat, setValue)) return;
        if (NaturalPass(g, seat, belowRun)) return;
        if (NaturalPass(g, seat, belowRun)) return;
        if (NaturalPass(g, seat, aboveRun)) return;
        if (NaturalPass(g, seat, belowRun)) return;
        if (NaturalPass(g, seat, aceAboveKing)) return;

        // Jokers: one on each complete Set, standing for the Set's value.
        const bool ended = JokerPass(g, seat, IsCompleteSet, [](const MeldRecord& m, CardRecord& j) {
            j.Value = m.SetValue;
            j.Suit = SuitNone;
            return " is Laying Off  " + std::to_string(m.SetValue);
        });
        if (ended) return;

        // Only in the all-runs rounds does a robot spend Jokers on runs: one
        // below each run that does not start at the Ace, then one above each
        // run that does not end at the King.
        if (g.Round != 3 && g.Round != 7) return;
        auto belowJoker = [](const MeldRecord& m, CardRecord& j) {
            j.Value = m.Low - 1;
            j.Suit = m.RunSuit;
            return std::string("is Laying Off Joker.");
        };
        auto aboveJoker = [](const MeldRecord& m, CardRecord& j) {
            j.Value = m.High + 1;
            j.Suit = m.RunSuit;
            return std::string("is Laying Off Joker.");
        };
        if (JokerPass(g, seat, [](const MeldRecord& m) { return IsCompleteRun(m) && m.Low > 1; },
                      belowJoker))
            return;
        JokerPass(g, seat, [](const MeldRecord& m) { return IsCompleteRun(m) && m.High < 13; },
                  aboveJoker);
    });
}

bool LayOffCard(Game& g, int seat, int slot, int card, int value, int suit) {
    const MeldRecord& meld = g.MeldTable[slot];
    CardRecord& c = g.CardTable[card];
    const bool highAce = meld.Kind == kKindRun && value == 1 && meld.High == 13;
    c.Value = highAce ? kValueHighAce : value;
    c.Suit = suit;
    bool laid = false;
    if (!IsJoker(card)) laid = LayOn(g, seat, slot, card);
    else if (meld.Kind == kKindSet) laid = LayOn(g, seat, slot, card, " is Laying Off  " + std::to_string(value));
    else laid = LayOn(g, seat, slot, card, "is Laying Off Joker.");
    if (laid)
        g.Say(g.SeatName(seat) + " lays off the " + CardNameInPlay(g, card) + " on " + MeldColumnTitle(g, slot),
              SpeechKind::Robot);
    return laid;
}

void ExchangeJoker(Game& g, int seat, int joker, int slot, int card) {
    g.Say(g.SeatName(seat) + " takes the Joker from " + MeldColumnTitle(g, slot) + " for the " + CardName(card),
          SpeechKind::Robot);
    g.SwapWithMeld(seat, slot, joker, card);
    g.ShowSeatText(seat, " is exchanging card in hand with Joker melded same value.");
    g.MoveCardToHand(seat, joker);
    g.MoveCardToMeld(seat, slot, card);
    g.SortMeldsRun(slot);
    g.SortHandAll(seat);  // the Joker joins the face-down hand

    // The work list must follow the hand: the card given to the run
    // is gone and the Joker is in, so no later rule (nor another
    // exchange) can pick a card that lies on the table.
    g.CollectHand(seat);
}

void CheckSwapJoker(Game& g, int seat) {
    Guarded(g, "CheckSwapJoker", [&] {
        for (int attempt = 0; attempt < 4; ++attempt) {
            if (RoundHalted(g)) return;

            // The first Joker lying in a run, by slot and then card number.
            int joker = 0, slot = 0;
            for (int j = kFirstJoker; j <= kCardCount; ++j) {
                const int m = JokerRunSlot(g, j);
                if (m != 0 && (slot == 0 || m < slot)) {
                    joker = j;
                    slot = m;
                }
            }
            if (joker == 0) return;

            // The very card the Joker stands for, first in the work list; a
            // Joker of the hand that a finder happened to give that value and
            // suit is not it, and a Joker above a King is left alone (the
            // robot looks for the value it carries, and no Ace carries 15).
            int card = 0;
            for (int p = 1; p <= g.HandCount() && card == 0; ++p) {
                const int h = HandAt(g, p);
                const CardRecord& c = g.CardTable[h];
                if (c.Location == seat && TakesJokersPlace(c, g.CardTable[joker], g.MeldTable[slot].RunSuit, false))
                    card = h;
            }
            if (card == 0) return;  // nothing changed: later attempts would find the same
            ExchangeJoker(g, seat, joker, slot, card);
        }
    });
}

}  // namespace meldora
