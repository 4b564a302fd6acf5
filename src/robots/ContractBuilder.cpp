// The pieces the robots' contract routines are built from: completing a
// pair or a three-card run with a Joker, the checks a contract must pass
// before a card moves, and laying sets and runs into the meld area with
// their animation.

#include <algorithm>
#include <string>
#include <vector>

#include "game/Game.h"
#include "game/Guard.h"
#include "robots/ContractPlan.h"
#include "robots/Robots.h"

namespace meldora {

namespace {

bool Stopped(const Game& g) { return g.RoundOver || g.GameOver; }

bool ValidSeat(int seat) { return seat >= 0 && seat <= 3; }
bool ValidRunSlot(int slot) { return slot >= 1 && slot <= 3; }
bool ValidMeldSlot(int slot) { return slot >= 1 && slot <= kMeldSlots; }

bool InHandCards(const Game& g, int card) {
    if (card < 1) return false;
    for (int p = 1; p <= g.HandCount(); ++p) {
        if (g.HandCards[p] == card) return true;
    }
    return false;
}

// The four cards recorded in run slot k of a seat.
std::vector<int> RunCards(const Game& g, int seat, int slot) {
    return {g.RunCard1[seat][slot], g.RunCard2[seat][slot], g.RunCard3[seat][slot],
            g.RunCard4[seat][slot]};
}

// The seat's cards in HandCards order.
std::vector<int> HandList(const Game& g, int seat) {
    std::vector<int> hand;
    for (int p = 1; p <= g.HandCount(); ++p) {
        const int card = g.HandCards[p];
        if (card >= 1 && card <= kCardCount && g.CardTable[card].Location == seat) {
            hand.push_back(card);
        }
    }
    return hand;
}

void Remove(std::vector<int>& hand, int card) {
    hand.erase(std::remove(hand.begin(), hand.end(), card), hand.end());
}

// Puts one card from the seat's hand into meld slot m, on the table and on
// screen.
void MeldOneCard(Game& g, int seat, int meldSlot, int card) {
    g.PutInMeld(meldSlot, card);
    g.ShowSeatText(seat, "is going to Meld " + g.CardTable[card].FullName);
    g.ShowFace(card);
    g.MoveCardToMeld(seat, meldSlot, card);
}

// The hand closes up behind a laid contract meld, which is then complete.
void FinishContractMeld(Game& g, int seat, int meldSlot, int cards) {
    g.SortHandAll(seat);
    g.RemoveCard(seat, cards);
    g.MeldTable[meldSlot].Complete = true;
    g.HasContract[seat] = true;
}

}  // namespace

// ---- completing melds with a Joker ---------------------------------------

void AddJokertoSet(Game& g, int value) {
    Guarded(g, "AddJokertoSet", [&] {
        for (int p = 1; p <= g.HandCount(); ++p) {
            const int card = g.HandCards[p];
            if (!IsJoker(card) || g.CardTable[card].Value != kValueJoker) continue;
            CardRecord& joker = g.CardTable[card];
            if (joker.InRun) return;
            joker.Value = value;
            joker.Suit = SuitNone;
            joker.InSet = true;
            g.ui.Cds[card].Enabled = false;
            return;
        }
    });
}

void AddJokertoRun(Game& g, int seat, int slot) {
    Guarded(g, "AddJokertoRun", [&] {
        if (!ValidSeat(seat) || !ValidRunSlot(slot)) return;
        // Only a recorded three-card run can take a Joker.
        const int first = g.RunCard1[seat][slot];
        const int second = g.RunCard2[seat][slot];
        const int third = g.RunCard3[seat][slot];
        if (first < 1 || second < 1 || third < 1) return;

        int joker = 0;
        for (int p = 1; p <= g.HandCount(); ++p) {
            const int card = g.HandCards[p];
            if (IsJoker(card) && !g.CardTable[card].InRun &&
                g.CardTable[card].Value == kValueJoker) {
                joker = card;
                break;
            }
        }
        if (joker == 0) return;

        CardRecord& j = g.CardTable[joker];
        j.InRun = true;
        g.ui.Cds[joker].Enabled = true;
        // Nothing stands above a King, nor above an Ace that already counts
        // high: then the Joker goes below the run.
        if (g.CardTable[third].Value < 13) {
            j.Value = g.CardTable[third].Value + 1;
            j.Suit = g.CardTable[third].Suit;
            g.RunCard4[seat][slot] = joker;
        } else {
            g.RunCard4[seat][slot] = third;
            g.RunCard3[seat][slot] = second;
            g.RunCard2[seat][slot] = first;
            g.RunCard1[seat][slot] = joker;
            j.Value = g.CardTable[first].Value - 1;
            j.Suit = g.CardTable[first].Suit;
        }
        g.RunFound[seat][slot] = true;
    });
}

// ---- the checks before laying ------------------------------------------------

bool FinalCheckRuns(Game& g, int seat, int slot) {
    return Guarded(g, "FinalCheckRuns", false, [&] {
        if (Stopped(g) || !ValidSeat(seat) || !ValidRunSlot(slot)) return false;
        g.SortHandCardsByValue();

        const std::vector<int> cards = RunCards(g, seat, slot);
        for (int earlier = 1; earlier < slot; ++earlier) {
            for (int mine : cards) {
                for (int other : RunCards(g, seat, earlier)) {
                    if (mine != 0 && mine == other) return false;
                }
            }
        }

        const CardRecord& lowest = g.CardTable[cards[0]];
        int found = 0;
        for (int k = 0; k < 4; ++k) {
            const int card = cards[k];
            if (!InHandCards(g, card)) continue;
            const CardRecord& c = g.CardTable[card];
            const bool fits =
                k == 0 || (c.Value == g.CardTable[cards[k - 1]].Value + 1 &&
                           c.Suit == lowest.Suit);
            if (!fits) continue;
            g.CardTable[card].InRun = true;
            ++found;
        }
        return found == 4;
    });
}

bool CheckSetNotInRuns(Game& g, int value, int seat) {
    if (Stopped(g) || !ValidSeat(seat)) return false;
    g.SortHandCardsByValue();

    int firstThree[3] = {};
    int count = 0;
    for (int p = 1; p <= g.HandCount(); ++p) {
        const CardRecord& c = g.CardTable[g.HandCards[p]];
        if (c.Value == value && !c.InRun) {
            if (count < 3) firstThree[count] = g.HandCards[p];
            ++count;
        }
    }

    int runSlots = 0;
    if (g.Round == 2 || g.Round == 5) runSlots = 1;
    if (g.Round == 6) runSlots = 2;
    if (runSlots == 0) return count >= 3;

    if (count < 3) return false;
    for (int slot = 1; slot <= runSlots; ++slot) {
        if (g.RunCard1[seat][slot] < 1) return false;
        if (g.RunCard2[seat][slot] < 1 && g.RunCard3[seat][slot] < 1 &&
            g.RunCard4[seat][slot] < 1) {
            return false;
        }
    }
    for (int slot = 1; slot <= runSlots; ++slot) {
        for (int runCard : RunCards(g, seat, slot)) {
            for (int card : firstThree) {
                if (card == runCard) return false;
            }
        }
    }
    return true;
}

// ---- choosing and proving the cards --------------------------------------------

std::vector<int> PickSetCards(const Game& g, const std::vector<int>& hand, int value,
                              int naturalsToLeave) {
    std::vector<int> naturals, jokers;
    for (int card : hand) {
        if (g.CardTable[card].Value != value) continue;
        (IsJoker(card) ? jokers : naturals).push_back(card);
    }
    const int usable = static_cast<int>(naturals.size()) - naturalsToLeave;
    const int take = std::max(0, std::min(3, usable));
    std::vector<int> picked(naturals.begin(), naturals.begin() + take);
    for (int joker : jokers) {
        if (picked.size() == 3) break;
        picked.push_back(joker);
    }
    return picked;
}

int NaturalsToLeave(const PlannedMeld* melds, int count, int index) {
    int later = 0;
    for (int i = index + 1; i < count; ++i) {
        if (melds[i].kind == kKindSet && melds[i].setValue == melds[index].setValue) ++later;
    }
    return 2 * later;
}

bool ContractLaysCleanly(const Game& g, int seat, const PlannedMeld* melds, int count) {
    if (!ValidSeat(seat)) return false;
    std::vector<int> hand = HandList(g, seat);
    for (int i = 0; i < count; ++i) {
        std::vector<int> taken;
        if (melds[i].kind == kKindRun) {
            if (!ValidRunSlot(melds[i].runSlot)) return false;
            taken = RunCards(g, seat, melds[i].runSlot);
            for (int card : taken) {
                if (std::find(hand.begin(), hand.end(), card) == hand.end()) return false;
                Remove(hand, card);
            }
        } else {
            taken = PickSetCards(g, hand, melds[i].setValue, NaturalsToLeave(melds, count, i));
            if (taken.size() != 3) return false;
            for (int card : taken) Remove(hand, card);
        }
        if (std::count_if(taken.begin(), taken.end(), IsJoker) > 1) return false;
        // Once a meld is down the hand list is rebuilt in card-number order.
        std::sort(hand.begin(), hand.end());
    }
    return true;
}

// ---- laying ----------------------------------------------------------------------

namespace {

// Lays the cards as contract meld `meldSlot`, one by one with their
// animation; a set of `setValue`, or a run of the first card's suit.
void LayMeld(Game& g, int seat, int meldSlot, const std::vector<int>& cards, int setValue) {
    MeldRecord& meld = g.MeldTable[meldSlot];
    const bool run = meld.Kind == kKindRun;
    g.ShowSeatText(seat, run ? " is making Run of Contract." : " is making Set of Contract");
    meld.Start(setValue, g.CardTable[cards[0]].Suit);
    for (int card : cards) {
        MeldOneCard(g, seat, meldSlot, card);
        if (!run) {
            g.SortMeldsSet(meldSlot);
            continue;
        }
        // On the table an Ace above a King carries the high-Ace value,
        // as every other way of laying it does.
        CardRecord& c = g.CardTable[card];
        if (!IsJoker(card) && NaturalValue(card) == 1 && c.Value == kValueJoker) {
            c.Value = kValueHighAce;
        }
        g.SortMeldsRun(meldSlot);
    }
    FinishContractMeld(g, seat, meldSlot, static_cast<int>(cards.size()));
}

}  // namespace

void MakeContractSet(Game& g, int seat, int meldSlot, int value, int naturalsToLeave) {
    Guarded(g, "MakeContractSet", [&] {
        if (!ValidSeat(seat) || !ValidMeldSlot(meldSlot)) return;
        const std::vector<int> cards =
            PickSetCards(g, HandList(g, seat), value, naturalsToLeave);
        if (cards.size() != 3) {
            g.ReportError("MakeContractSet",
                          "fewer than three cards of value " + std::to_string(value));
            return;
        }
        LayMeld(g, seat, meldSlot, cards, value);
    });
}

void MakeContractRun(Game& g, int seat, int meldSlot, int runSlot) {
    Guarded(g, "MakeContractRun", [&] {
        if (!ValidSeat(seat) || !ValidMeldSlot(meldSlot) || !ValidRunSlot(runSlot)) return;
        // The run is laid with exactly its four recorded cards, each of them
        // taken straight from the hand; the hand list's order, rebuilt after
        // every meld, does not matter.
        const std::vector<int> cards = RunCards(g, seat, runSlot);
        for (int k = 0; k < 4; ++k) {
            const bool present = cards[k] >= 1 && cards[k] <= kCardCount &&
                                 g.CardTable[cards[k]].Location == seat;
            const bool repeated = std::count(cards.begin(), cards.end(), cards[k]) > 1;
            if (!present || repeated) {
                g.ReportError("MakeContractRun",
                              "run card " + std::to_string(k + 1) + " is not in the hand");
                return;
            }
        }
        LayMeld(g, seat, meldSlot, cards, 0);
    });
}

void LayContractMeld(Game& g, int seat, int meldSlot, const std::vector<int>& cards) {
    Guarded(g, "LayContractMeld", [&] {
        if (!ValidSeat(seat) || !ValidMeldSlot(meldSlot) || cards.empty()) return;
        LayMeld(g, seat, meldSlot, cards, g.CardTable[cards[0]].Value);
    });
}

}  // namespace meldora
