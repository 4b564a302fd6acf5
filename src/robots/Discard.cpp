// The card a robot throws at the end of its turn. With its contract it
// throws the highest-scoring card it does not keep for laying off; without,
// it protects the pairs, runs and long suits it is building, by rules that
// depend on the round's contract.

#include "game/Describe.h"
#include "game/Game.h"
#include "robots/RobotSupport.h"
#include "robots/Robots.h"

namespace meldora {

using namespace robots;

namespace {

// Highest penalty first: Ace, then King down to Two.
const int kValuesByPenalty[13] = {1, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2};
const CardRecord& At(const Game& g, int p) { return g.CardTable[HandAt(g, p)]; }

void ClearKeepMarks(Game& g) {
    for (int c = 1; c <= kCardCount; ++c) g.CardTable[c].InRunOf3 = false;
}

// First position whose card satisfies pred, 0 when none.
template <typename Pred>
int FirstPosition(const Game& g, Pred pred) {
    for (int p = 1; p <= g.HandCount(); ++p)
        if (pred(At(g, p), HandAt(g, p))) return p;
    return 0;
}

void MarkPairsAndTriples(Game& g) {
    for (int v = 1; v <= 13; ++v) {
        CheckFor2Same(g, v);
        CheckFor3Same(g, v);
    }
}

// The rules of DiscardBotsNoContract from the lone suit card on. Answers
// the position to discard, or 0 when FailSafeDiscard must choose.
int ChooseWithoutContract(Game& g, int seat) {
    const int last = g.LastDiscardTaken;
    auto isLast = [&](int p) { return HandAt(g, p) == last; };

    // A card that is the only one of its suit helps nothing.
    for (int suit : kSuitBlocks) {
        const int p = DiscardOneInSuitCheck(g, suit);
        if (p > 0 && !isLast(p)) return p;
    }

    // The candidate test: never the card just taken, and a card of a kept
    // three-card run only when no run relies on it.
    auto candidate = [&](int p) {
        if (p == 0 || isLast(p)) return 0;
        const CardRecord& c = At(g, p);
        if (!c.InRunOf3) return p;
        return c.RunKeep ? 0 : p;
    };
    auto twin = [&]() {
        const int p = DiscardTwoSameCheck(g);
        return (p > 0 && !isLast(p)) ? p : 0;
    };

    switch (g.Round) {
        case 1:
        case 4: {
            const int p = DiscardWhatSet(g);
            if (p == 0) return 0;
            const CardRecord& c = At(g, p);
            if (c.InRunOf3 && c.RunKeep) return 0;
            if (last != 0 && c.Value == g.CardTable[last].Value) return 0;
            return p;
        }
        case 2:
        case 5:
        case 6: {
            if (CheckHasRunsContract(g, seat)) return candidate(DiscardWhatSet(g));
            if (const int p = twin()) return p;
            return candidate(DiscardWhatRun(g, seat));
        }
        case 3:
        case 7: {
            if (const int p = twin()) return p;
            // Six or more of one suit: thin it from the top, sparing cards a
            // finder took for a run it does not mean to keep.
            for (int suit = SuitDiamonds; suit <= SuitClubs; ++suit) {
                if (!DiscardMoreFiveSuitCheck(g, suit)) continue;
                for (int p = g.HandCount(); p >= 1; --p) {
                    const CardRecord& c = At(g, p);
                    if (c.Suit == suit && !isLast(p) && (!c.InRun || c.RunKeep)) return p;
                }
            }
            return candidate(DiscardWhatRun(g, seat));
        }
        default:
            return 0;
    }
}

}  // namespace

void DiscardBotsWithContract(Game& g, int seat) {
    Guarded(g, "DiscardBotsWithContract", [&] {
        if (g.CardsInHand[seat] == 0) return;
        g.CollectHand(seat);
        if (g.CardsInHand[seat] == 1) {
            DiscardItBots(g, seat, 1);  // going out
            return;
        }
        ClearKeepMarks(g);
        // Laid this very turn, the robot may not lay off until its next turn:
        // keep the Jokers and whatever fits the table now.
        if (g.ContractThisTurn) MarkLayOffCards(g, seat);

        for (int v : kValuesByPenalty) {
            const int p = FirstPosition(g, [v](const CardRecord& c, int) {
                return c.Value == v && !c.InRunOf3;
            });
            if (p > 0) return DiscardItBots(g, seat, p);
        }
        int p = FirstPosition(g, [](const CardRecord& c, int) { return !c.InRunOf3; });
        if (p == 0) p = FirstPosition(g, [](const CardRecord& c, int) { return c.Value != kValueJoker; });
        if (p == 0 && g.HandCount() > 0) p = 1;
        if (p > 0) DiscardItBots(g, seat, p);
    });
}

void MarkLayOffCards(Game& g, int seat) {
    for (int j = kFirstJoker; j <= kCardCount; ++j) g.CardTable[j].InRunOf3 = true;
    auto markSeatCards = [&](auto fits) {
        for (int m = 1; m <= kMeldSlots; ++m) {
            const MeldRecord& meld = g.MeldTable[m];
            if (!meld.Complete) continue;
            for (int c = 1; c < kFirstJoker; ++c) {
                CardRecord& card = g.CardTable[c];
                if (card.Location == seat && fits(meld, card)) card.InRunOf3 = true;
            }
        }
    };
    markSeatCards([](const MeldRecord& m, const CardRecord& c) {
        return m.Kind == kKindSet && c.Value == m.SetValue;
    });
    // The two run ends are compared by value only, whatever the suit.
    markSeatCards([](const MeldRecord& m, const CardRecord& c) {
        return m.Kind == kKindRun && c.Value == m.Low - 1;
    });
    markSeatCards([](const MeldRecord& m, const CardRecord& c) {
        return m.Kind == kKindRun && c.Value == m.High + 1;
    });
    markSeatCards([](const MeldRecord& m, const CardRecord& c) {
        return m.Kind == kKindRun && m.High == 13 && c.Suit == m.RunSuit;
    });
}

void DiscardBotsNoContract(Game& g, int seat) {
    Guarded(g, "DiscardBotsNoContract", [&] {
        if (g.HasDiscarded[seat] || g.CardsInHand[seat] == 0) return;
        g.CollectHand(seat);
        ClearKeepMarks(g);
        CheckSwapJoker(g, seat);
        if (RoundHalted(g)) return;

        // Whatever the finders made of the Jokers, they are free again.
        for (int p = 1; p <= g.HandCount(); ++p) {
            const int h = HandAt(g, p);
            if (!IsJoker(h)) continue;
            CardRecord& j = g.CardTable[h];
            j.Value = kValueJoker;
            j.Suit = SuitNone;
            j.InRun = false;
            j.InSet = false;
        }

        // Blocking: the next seat has its contract and one card left, so
        // hand it nothing it could lay off.
        const int next = (seat + 1) % 4;
        if (g.HasContract[next] && g.CardsInHand[next] == 1) {
            MarkLayOffCards(g, seat);
            const int p = FirstPosition(g, [](const CardRecord& c, int) { return !c.InRunOf3; });
            if (p > 0) return DiscardItBots(g, seat, p);
        }

        const int p = ChooseWithoutContract(g, seat);
        if (p > 0)
            DiscardItBots(g, seat, p);
        else
            FailSafeDiscard(g, seat);
    });
}

void FailSafeDiscard(Game& g, int seat) {
    Guarded(g, "FailSafeDiscard", [&] {
        switch (g.Round) {
            case 1:
            case 4:
                MarkPairsAndTriples(g);
                break;
            case 2:
            case 5:
            case 6:
                if (CheckHasRunsContract(g, seat)) {
                    MarkPairsAndTriples(g);
                } else {
                    for (int slot = 1; slot <= 3; ++slot) {
                        CheckForRunOne(g, seat);
                        CheckForRunof3(g, seat, slot);
                    }
                }
                break;
            case 3:
            case 7:
                for (int slot = 1; slot <= 3; ++slot) {
                    CheckForRunOne(g, seat);
                    CheckForRunTwo(g, seat);
                    CheckForRunThree(g, seat);
                    CheckForRunof3(g, seat, slot);
                }
                break;
            default:
                break;
        }

        const int last = g.LastDiscardTaken;
        for (int v : kValuesByPenalty) {
            const int p = FirstPosition(g, [v, last](const CardRecord& c, int card) {
                return c.Value == v && !c.InRun && !c.InSet && card != last && !c.RunKeep;
            });
            if (p > 0) return DiscardItBots(g, seat, p);
        }
        int p = FirstPosition(g, [](const CardRecord&, int card) { return !IsJoker(card); });
        if (p == 0 && g.HandCount() > 0) p = 1;
        if (p > 0) DiscardItBots(g, seat, p);
    });
}

void DiscardItBots(Game& g, int seat, int position) {
    const int card = HandAt(g, position);
    g.Say(g.SeatName(seat) + " discards the " + CardName(card), SpeechKind::Robot);
    g.ShowSeatText(seat, "is now Discarding " + g.CardTable[card].FullName);
    g.LastDiscardTaken = 0;
    g.HasDiscarded[seat] = true;
    AnimateDiscardBots(g, seat, card);
    RestoreNaturalValue(g, card);
    g.DiscardCard(card);
    g.RemoveCard(seat, 1);
    g.AnyWinner(seat);
    g.ContractThisTurn = false;
}

int DiscardOneInSuitCheck(const Game& g, int suit) {
    int found = 0;
    for (int p = 1; p <= g.HandCount(); ++p) {
        if (At(g, p).Suit != suit) continue;
        if (found != 0) return 0;
        found = p;
    }
    return found;
}

int DiscardTwoSameCheck(const Game& g) {
    for (int suit : kSuitBlocks) {
        for (int v = 1; v <= 13; ++v) {
            int count = 0;
            for (int p = 1; p <= g.HandCount(); ++p) {
                const CardRecord& c = At(g, p);
                if (c.Value == v && c.Suit == suit && ++count == 2) return p;
            }
        }
    }
    return 0;
}

bool DiscardMoreFiveSuitCheck(const Game& g, int suit) {
    int count = 0;
    for (int p = 1; p <= g.HandCount(); ++p)
        if (At(g, p).Suit == suit && ++count == 6) return true;
    return false;
}

int DiscardWhatSet(Game& g) {
    return Guarded(g, "DiscardWhatSet", 0, [&] {
        if (RoundHalted(g)) return 0;
        g.SortHandCardsByValue();
        MarkPairsAndTriples(g);
        for (int p = g.HandCount(); p >= 1; --p) {
            const CardRecord& c = At(g, p);
            if (!IsJoker(HandAt(g, p)) && c.InSet && !c.InRun) return p;
        }
        return 0;
    });
}

int DiscardWhatRun(Game& g, int seat) {
    return Guarded(g, "DiscardWhatRun", 0, [&] {
        if (RoundHalted(g)) return 0;
        g.SortHandCardsByValue();
        int lastSlot;
        switch (g.Round) {
            case 2:
            case 5: lastSlot = 1; break;
            case 3:
            case 6:
            case 7: lastSlot = 3; break;
            default: return 0;
        }
        for (int k = 1; k <= lastSlot; ++k) {
            const int run[4] = {g.RunCard1[seat][k], g.RunCard2[seat][k], g.RunCard3[seat][k],
                                g.RunCard4[seat][k]};
            const bool counts = g.RunFound[seat][k] && run[0] > 0 && run[1] > 0 && run[2] > 0 &&
                                run[3] > 0;
            if (!counts) continue;
            const int suit = g.CardTable[run[0]].Suit;
            // A card of the run's suit that the run does not use.
            const int p = FirstPosition(g, [&](const CardRecord& c, int) {
                if (c.Suit != suit || c.RunKeep) return false;
                for (int r : run)
                    if (c.Value == g.CardTable[r].Value) return false;
                return true;
            });
            if (p > 0) return p;
        }
        return 0;
    });
}

void AnimateDiscardBots(Game& g, int seat, int card) {
    PaceScope pace(g, kRobotDiscardMs);
    ClearInSetInRun(g, seat);
    g.ShowFace(card);
    const layout::Path path = layout::DiscardPath(seat);
    CardImage& image = g.ui.Cds[card];
    if (path.count > 0) g.ui.BringToFront(image);
    for (int i = 0; i < path.count; ++i) {
        image.Left = path.spots[i].left;
        image.Top = path.spots[i].top;
        g.Pause();
    }
}

}  // namespace meldora
