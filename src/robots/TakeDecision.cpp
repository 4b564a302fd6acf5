// A robot's first decision of its turn: take the top discard or draw from
// the stock (and offer the discard to the others). The hand tests here also
// decide whether a robot says "May I?".

#include "game/Game.h"
#include "robots/RobotSupport.h"
#include "robots/Robots.h"

namespace meldora {

using namespace robots;

namespace {

// After its contract a robot only wants a discard it can lay off: one that
// extends a complete Run of its suit at either end, or matches a complete
// Set. The comparison is plain arithmetic, so an Ace never goes above a King
// here and nothing goes below a Run that starts with an Ace.
bool FitsTableMeld(const Game& g, const CardRecord& t) {
    for (int m = 1; m <= kMeldSlots; ++m) {
        const MeldRecord& meld = g.MeldTable[m];
        if (meld.Complete && meld.Kind == kKindRun && meld.RunSuit == t.Suit &&
            (t.Value == meld.Low - 1 || t.Value == meld.High + 1))
            return true;
    }
    for (int m = 1; m <= kMeldSlots; ++m) {
        const MeldRecord& meld = g.MeldTable[m];
        if (meld.Complete && meld.Kind == kKindSet && t.Value == meld.SetValue) return true;
    }
    return false;
}

// The Set tests: a robot that already holds three of the discard's value
// leaves it; one that holds two takes it.
bool WantsForSet(Game& g, int value) {
    if (CheckFor3Same(g, value)) return false;
    return CheckFor2Same(g, value);
}

// The Run tests. A robot never takes a card it already holds (the same value
// and suit); otherwise it takes a card that extends a run, fills the gap of
// a four-card run, or (when `inBetween`) fills a one-card gap.
bool WantsForRun(Game& g, int seat, const CardRecord& t, bool inBetween) {
    if (CheckIfCardInHand(g, t.Value, t.Suit)) return false;
    if (CheckWantDCRun(g, seat)) return true;
    if (WantDiscardRun2Check(g, seat)) return true;
    return inBetween && CheckInBetweenCard(g);
}

bool WantsWithoutContract(Game& g, int seat, const CardRecord& t) {
    switch (g.Round) {
        case 1:
        case 4: {
            if (CheckFor3Same(g, t.Value)) return false;
            if (CheckFor2Same(g, t.Value)) return true;
            if (CountFreeJokers(g, seat) < 1) return false;
            // One card of the value and a free Joker make a pair worth keeping.
            for (int p = 1; p <= g.HandCount(); ++p)
                if (g.CardTable[HandAt(g, p)].Value == t.Value) return true;
            return false;
        }
        case 2:
        case 5:
            if (CheckHasRunsContract(g, seat)) return WantsForSet(g, t.Value);
            return WantsForRun(g, seat, t, true);
        case 3:
        case 7:
            return WantsForRun(g, seat, t, false);
        case 6:
            if (CheckHasRunsContract(g, seat)) return WantsForSet(g, t.Value);
            return WantsForRun(g, seat, t, false);
        default:
            return false;
    }
}

// Walks a chain of successive cards of one suit from position i. Answers the
// number of links; `first` is the chain's start (0 without links) and `last`
// the position where it ended.
int WalkChain(Game& g, int i, int& first, int& last) {
    int links = 0;
    first = 0;
    last = i;
    for (;;) {
        const int j = CheckNextInRun(g, last, g.CardTable[HandAt(g, last)].Suit);
        // A successor always has a higher value, so in a list sorted by
        // value it lies further on; anything else would loop for ever.
        if (j == 0 || j <= last) break;
        if (first == 0) first = last;
        last = j;
        ++links;
    }
    return links;
}

void MarkInRun(Game& g, int a, int b, int c) {
    g.CardTable[a].InRun = true;
    g.CardTable[b].InRun = true;
    g.CardTable[c].InRun = true;
}

}  // namespace

void PlayBots(Game& g, int seat) {
    Guarded(g, "PlayBots", [&] {
        if (g.CardsInHand[seat] == 0) return;
        AnnounceDraw(g, seat);

        const int top = g.TopDiscard();
        if (top == 0) {  // nothing to take: draw
            TakingDeck(g, seat);
            return;
        }
        const CardRecord& t = g.CardTable[top];
        bool take;
        if (t.Value == kValueJoker)
            take = true;  // a Joker on the pile is always taken
        else if (g.HasContract[seat])
            take = FitsTableMeld(g, t);
        else
            take = WantsWithoutContract(g, seat, t);

        if (take)
            TakingDiscard(g, seat);
        else
            TakingDeck(g, seat);
    });
}

bool CheckIfCardInHand(Game& g, int value, int suit) {
    return Guarded(g, "CheckIfCardInHand", false, [&] {
        if (RoundHalted(g)) return false;
        for (int p = 1; p <= g.HandCount(); ++p) {
            const CardRecord& c = g.CardTable[HandAt(g, p)];
            if (c.Value == value && c.Suit == suit) return true;
        }
        return false;
    });
}

bool CheckWantDCRun(Game& g, int seat) {
    return Guarded(g, "CheckWantDCRun", false, [&] {
        if (RoundHalted(g)) return false;
        g.ShowSeatText(seat, " is checking if wishes to say MayI?");
        if (g.CardsInHand[seat] >= 20) return false;
        const int top = g.TopDiscard();
        if (top == 0) return false;
        g.CollectHand(seat);
        g.SortHandCardsByValue();
        const int n = g.HandCount();
        const CardRecord& t = g.CardTable[top];
        auto card = [&](int p) -> const CardRecord& { return g.CardTable[HandAt(g, p)]; };

        // Pass 1: a three-card run the discard extends at either end. The
        // first such run also tells whether the robot holds the discard's
        // twin already, in which case it wants nothing.
        for (int i = 1; i <= n;) {
            int first, last;
            if (WalkChain(g, i, first, last) == 2) {
                if (CheckIfCardInHand(g, t.Value, t.Suit)) return false;
                const CardRecord& s = card(first);
                const CardRecord& e = card(last);
                if (t.Suit == s.Suit && (t.Value == s.Value - 1 || t.Value == e.Value + 1)) {
                    MarkInRun(g, top, s.CardNo, e.CardNo);
                    return true;
                }
            }
            i = last + 1;
        }

        // Pass 2: two cards in sequence the discard extends (never above a King).
        for (int i = 1; i <= n;) {
            int first, last;
            if (WalkChain(g, i, first, last) == 1) {
                const CardRecord& s = card(first);
                const CardRecord& e = card(last);
                if (t.Suit == s.Suit &&
                    (t.Value == s.Value - 1 || (e.Value != 13 && t.Value == e.Value + 1))) {
                    MarkInRun(g, top, s.CardNo, e.CardNo);
                    return true;
                }
            }
            i = last + 1;
        }

        // Pass 3: the discard fills a one-card gap between neighbours.
        for (int k = 2; k <= n; ++k) {
            const CardRecord& a = card(k - 1);
            const CardRecord& b = card(k);
            if (a.Suit == b.Suit && b.Value == a.Value + 2 && t.Suit == b.Suit &&
                t.Value == b.Value - 1) {
                MarkInRun(g, b.CardNo, top, a.CardNo);
                return true;
            }
        }
        return false;
    });
}

bool WantDiscardRun2Check(Game& g, int seat) {
    return Guarded(g, "WantDiscardRun2Check", false, [&] {
        g.CollectHand(seat);
        g.SortHandCardsByValue();
        const int n = g.HandCount();
        const int top = g.TopDiscard();
        if (top == 0) return false;
        const CardRecord& t = g.CardTable[top];
        auto card = [&](int p) -> const CardRecord& { return g.CardTable[HandAt(g, p)]; };

        // v, v+1 in hand, the discard as v+2, and v+3 three places further on.
        for (int i = 1; i <= n - 3; ++i) {
            const CardRecord& h = card(i);
            const CardRecord& far = card(i + 3);
            if (BlnCheckNextInRun(g, i, h.Suit) && far.Suit == h.Suit && far.Value == h.Value + 3 &&
                t.Suit == h.Suit && t.Value == h.Value + 2)
                return true;
        }
        // v-2 two places back, the discard as v-1, then v, v+1 in hand.
        for (int i = 3; i <= n; ++i) {
            const CardRecord& h = card(i);
            const CardRecord& back = card(i - 2);
            if (BlnCheckNextInRun(g, i, h.Suit) && back.Suit == h.Suit &&
                back.Value == h.Value - 2 && t.Suit == h.Suit && t.Value == h.Value - 1)
                return true;
        }
        return false;
    });
}

bool CheckHasRunsContract(Game& g, int seat) {
    return Guarded(g, "CheckHasRunsContract", false, [&] {
        if (RoundHalted(g)) return false;
        static const int kSuits[4] = {SuitDiamonds, SuitSpades, SuitHearts, SuitClubs};
        switch (g.Round) {
            case 2:
            case 5:
                CheckForRunOne(g, seat);
                if (g.RunFound[seat][1]) return true;
                for (int suit : kSuits)
                    if (CheckInBetweenCardPlusJoker(g, seat, 2, suit)) return true;
                return false;
            case 6: {
                CheckForRunOne(g, seat);
                CheckForRunTwo(g, seat);
                if (g.RunFound[seat][1] && g.RunFound[seat][2]) return true;
                for (int suit : kSuits) {
                    const bool third = CheckInBetweenCardPlusJoker(g, seat, 3, suit);
                    if (third && (g.RunFound[seat][1] || g.RunFound[seat][2])) return true;
                }
                return false;
            }
            default:
                return false;
        }
    });
}

}  // namespace meldora
