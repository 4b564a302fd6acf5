// The robots' hand pattern finders: pairs and sets of one value, runs of
// three and four, one-card gaps (with or without a Joker) and Ace-high runs.
// They read the shared work list HandCards and the card table, and leave
// what they find in the cards' working flags and the seat's run slots. None
// of them moves a card or touches the screen.

#include "game/Game.h"
#include "robots/Robots.h"

namespace meldora {

namespace {

bool Stopped(const Game& g) { return g.RoundOver || g.GameOver; }

int HandAt(const Game& g, int position) { return g.HandCards[position]; }

const CardRecord& CardAt(const Game& g, int position) {
    return g.CardTable[g.HandCards[position]];
}

bool ValidSeat(int seat) { return seat >= 0 && seat <= 3; }
bool ValidRunSlot(int slot) { return slot >= 1 && slot <= 3; }

// Takes the first `wanted` cards of value v that no set or run uses yet.
bool MarkSameValue(Game& g, int value, int wanted) {
    if (Stopped(g)) return false;
    int found[3] = {};
    int count = 0;
    for (int p = 1; p <= g.HandCount(); ++p) {
        const CardRecord& c = CardAt(g, p);
        if (c.InSet || c.InRun || c.Value != value) continue;
        found[count++] = HandAt(g, p);
        if (count == wanted) {
            for (int k = 0; k < count; ++k) g.CardTable[found[k]].InSet = true;
            return true;
        }
    }
    return false;
}

// Follows successors from `start`; returns the number of links and leaves
// `last` on the position the chain reached.
int WalkChain(Game& g, int start, int& last) {
    int i = start;
    int links = 0;
    for (;;) {
        const int j = CheckNextInRun(g, i, CardAt(g, i).Suit);
        if (j == 0) break;
        i = j;
        ++links;
    }
    last = i;
    return links;
}

// Walks chains from the first position of the sorted list onwards and
// returns the position where the first chain of `length` cards starts
// (`orLonger`: at least that many), 0 when there is none. Every start that
// fails clears the first `length` cards of the run slot.
int FirstChainStart(Game& g, int seat, int slot, int length, bool orLonger) {
    const int n = g.HandCount();
    int start = 1;
    while (start <= n) {
        int last = start;
        const int links = WalkChain(g, start, last);
        if (links == length - 1 || (orLonger && links >= length - 1)) return start;
        int* cards[4] = {&g.RunCard1[seat][slot], &g.RunCard2[seat][slot],
                         &g.RunCard3[seat][slot], &g.RunCard4[seat][slot]};
        for (int k = 0; k < length; ++k) *cards[k] = 0;
        // Successors always lie further right in a sorted list; the max
        // keeps the scan moving even if they did not.
        start = (last > start ? last : start) + 1;
    }
    return 0;
}

// Records in run slot k the `length` cards of the run that starts with the
// card at `startPosition`. The scan follows the sorted list, so each lower
// card of the run is met before the top one: a later copy replaces an
// earlier one, and the first top card ends the scan.
void RecordRun(Game& g, int seat, int slot, int startPosition, int length) {
    const int c1 = HandAt(g, startPosition);
    const int suit = g.CardTable[c1].Suit;
    const int value = g.CardTable[c1].Value;
    int* cards[4] = {&g.RunCard1[seat][slot], &g.RunCard2[seat][slot],
                     &g.RunCard3[seat][slot], &g.RunCard4[seat][slot]};
    *cards[0] = c1;
    for (int p = 1; p <= g.HandCount(); ++p) {
        const int card = HandAt(g, p);
        if (card == c1 || g.CardTable[card].Suit != suit) continue;
        const int step = g.CardTable[card].Value - value;
        if (step < 1 || step > length - 1) continue;
        *cards[step] = card;
        if (step == length - 1) break;
    }
    for (int k = 0; k < length; ++k) {
        CardRecord& c = g.CardTable[*cards[k]];
        c.RunKeep = true;
        c.InRun = true;
        if (length == 3) c.InRunOf3 = true;
    }
}

// The run finders that record four natural cards (slots 1, 2, 3).
void FindRunOfFour(Game& g, int seat, int slot) {
    if (!ValidSeat(seat) || !ValidRunSlot(slot)) return;
    g.SortHandCardsByValue();
    const int start = FirstChainStart(g, seat, slot, 4, true);
    if (start == 0) return;
    RecordRun(g, seat, slot, start, 4);
    g.RunFound[seat][slot] = true;
}

// The highest-numbered free Joker the seat holds, 0 when it has none.
int LastFreeJoker(Game& g, int seat) {
    int joker = 0;
    for (int card = kFirstJoker; card <= kCardCount; ++card) {
        const CardRecord& c = g.CardTable[card];
        if (c.Location == seat && !c.InRun && !c.InSet) joker = card;
    }
    return joker;
}

}  // namespace

bool CheckFor2Same(Game& g, int value) { return MarkSameValue(g, value, 2); }

bool CheckFor3Same(Game& g, int value) { return MarkSameValue(g, value, 3); }

int CheckNextInRun(const Game& g, int position, int suit) {
    if (Stopped(g)) return 0;
    const int n = g.HandCount();
    if (position < 1 || position > n) return 0;
    const int wanted = CardAt(g, position).Value + 1;
    for (int j = 1; j <= n; ++j) {
        const CardRecord& c = CardAt(g, j);
        if (!c.InRun && c.Value == wanted && c.Suit == suit) return j;
    }
    return 0;
}

bool BlnCheckNextInRun(const Game& g, int position, int suit) {
    return CheckNextInRun(g, position, suit) != 0;
}

void CheckForRunOne(Game& g, int seat) { FindRunOfFour(g, seat, 1); }
void CheckForRunTwo(Game& g, int seat) { FindRunOfFour(g, seat, 2); }
void CheckForRunThree(Game& g, int seat) { FindRunOfFour(g, seat, 3); }

bool CheckForRunof3(Game& g, int seat, int slot) {
    if (!ValidSeat(seat) || !ValidRunSlot(slot)) return false;
    g.CollectHand(seat);
    g.SortHandCardsByValue();
    // A chain of four or more is passed over like a failed one.
    const int start = FirstChainStart(g, seat, slot, 3, false);
    if (start == 0) return false;
    RecordRun(g, seat, slot, start, 3);
    return true;
}

bool CheckInBetweenCard(const Game& g) {
    if (Stopped(g) || g.DiscardCount < 1) return false;
    const CardRecord& top = g.CardTable[g.TopDiscard()];
    for (int p = 2; p <= g.HandCount(); ++p) {
        const CardRecord& below = CardAt(g, p - 1);
        const CardRecord& above = CardAt(g, p);
        if (below.Suit == above.Suit && above.Value == below.Value + 2 &&
            top.Suit == above.Suit && top.Value == above.Value - 1) {
            return true;
        }
    }
    return false;
}

bool CheckInBetweenCardPlusJoker(Game& g, int seat, int slot, int suit) {
    if (Stopped(g) || !ValidSeat(seat) || !ValidRunSlot(slot)) return false;
    g.SortHandCardsByValue();
    const int n = g.HandCount();

    int p1 = 0, p2 = 0;
    for (int p = 1; p <= n - 1; ++p) {
        const CardRecord& a = CardAt(g, p);
        const CardRecord& b = CardAt(g, p + 1);
        if (a.Suit == suit && b.Suit == suit && b.Value == a.Value + 1) {
            p1 = HandAt(g, p);
            p2 = HandAt(g, p + 1);
            break;
        }
    }
    if (p1 == 0 || CountFreeJokers(g, seat) < 1) return false;

    const int low = g.CardTable[p1].Value;
    const int high = g.CardTable[p2].Value;
    const int runSuit = g.CardTable[p1].Suit;
    int run[4] = {};

    // Gap below the pair: X, Joker, P1, P2.
    if (low >= 3) {
        for (int q = 1; q <= n; ++q) {
            const CardRecord& x = CardAt(g, q);
            if (x.Suit == suit && x.Value == low - 2) {
                const int joker = LastFreeJoker(g, seat);
                g.CardTable[joker].Value = low - 1;
                g.CardTable[joker].Suit = runSuit;
                run[0] = HandAt(g, q); run[1] = joker; run[2] = p1; run[3] = p2;
                break;
            }
        }
    }
    // Gap above the pair: P1, P2, Joker, X.
    if (run[0] == 0 && low < 11) {
        for (int q = 1; q <= n; ++q) {
            const CardRecord& x = CardAt(g, q);
            if (x.Suit == suit && x.Value == high + 2) {
                const int joker = LastFreeJoker(g, seat);
                g.CardTable[joker].Value = high + 1;
                g.CardTable[joker].Suit = runSuit;
                run[0] = p1; run[1] = p2; run[2] = joker; run[3] = HandAt(g, q);
                break;
            }
        }
    }
    if (run[0] == 0) return false;

    g.RunCard1[seat][slot] = run[0];
    g.RunCard2[seat][slot] = run[1];
    g.RunCard3[seat][slot] = run[2];
    g.RunCard4[seat][slot] = run[3];
    for (int card : run) {
        g.CardTable[card].RunKeep = true;
        g.CardTable[card].InRun = true;
    }
    g.RunFound[seat][slot] = true;
    return true;
}

bool CheckForAceHighRun(Game& g, int seat, int slot) {
    if (!ValidSeat(seat) || !ValidRunSlot(slot)) return false;
    const int n = g.HandCount();
    int aceOfSuit[SuitClubs + 1] = {};
    for (int p = 1; p <= n; ++p) {
        const CardRecord& c = CardAt(g, p);
        if (c.Value == 1 && c.Suit >= SuitDiamonds && c.Suit <= SuitClubs) {
            aceOfSuit[c.Suit] = HandAt(g, p);
        }
    }
    for (int suit : kSuitBlocks) {
        const int ace = aceOfSuit[suit];
        if (ace == 0) continue;
        // The three court cards may be the last three of the list.
        for (int p = 1; p <= n - 2; ++p) {
            const CardRecord& jack = CardAt(g, p);
            const CardRecord& queen = CardAt(g, p + 1);
            const CardRecord& king = CardAt(g, p + 2);
            if (jack.Suit == suit && queen.Suit == suit && king.Suit == suit &&
                jack.Value == 11 && queen.Value == 12 && king.Value == 13) {
                g.RunCard1[seat][slot] = HandAt(g, p);
                g.RunCard2[seat][slot] = HandAt(g, p + 1);
                g.RunCard3[seat][slot] = HandAt(g, p + 2);
                g.RunCard4[seat][slot] = ace;
                // The Ace now stands above the King. The value stays with
                // the card while it is in this hand: the run finders then
                // see Jack, Queen, King, Ace as an ordinary sequence.
                g.CardTable[ace].Value = kValueJoker;
                for (int card : {g.RunCard1[seat][slot], g.RunCard2[seat][slot],
                                 g.RunCard3[seat][slot], ace}) {
                    g.CardTable[card].RunKeep = true;
                    g.CardTable[card].InRun = true;
                }
                g.RunFound[seat][slot] = true;
                return true;
            }
        }
    }
    return false;
}

int CountFreeJokers(const Game& g, int seat) {
    int count = 0;
    for (int card = kFirstJoker; card <= kCardCount; ++card) {
        const CardRecord& c = g.CardTable[card];
        if (!c.InRun && !c.InSet && c.Location == seat) ++count;
    }
    return count;
}

void ClearInSetInRun(Game& g, int seat) {
    for (int card = 1; card <= kCardCount; ++card) {
        g.CardTable[card].InRun = false;
        g.CardTable[card].InSet = false;
    }
    if (ValidSeat(seat)) {
        for (int slot = 1; slot <= 4; ++slot) g.RunFound[seat][slot] = false;
    }
    for (int card = kFirstJoker; card <= kCardCount; ++card) {
        CardRecord& c = g.CardTable[card];
        if (c.Location != seat) continue;
        c.Suit = SuitNone;
        c.Value = kValueJoker;
    }
}

void SetRobotMeldSlots(Game& g, int seat) {
    const int first = FirstMeldSlot(seat, g.Round);
    if (first == 0) return;
    g.MeldSlotA = first;
    g.MeldSlotB = first + 1;
    if (g.Round >= 4) g.MeldSlotC = first + 2;
}

}  // namespace meldora
