// The Expert robots' decisions: each a function of the seat's view alone.

#include <algorithm>
#include <cmath>

#include "game/Rules.h"
#include "robots/Expert.h"

namespace meldora {

namespace {

// Each figure below was measured over seeded self-play games; the log is in
// the history of this file.

// A discard is taken when it takes the hand this much nearer the contract
// (a missing card with both copies still about weighs 1). Below that the
// stock card is drawn, and the discard is offered to the others.
constexpr double kTakeGain = 0.5;
// "May I?" is said for any card that does not set the hand back by more
// than a ten-point card left over: two more cards are two more ways to
// the contract.
constexpr double kClaimGain = -0.1;
// ... as long as the hand has not grown this much beyond the deal.
constexpr int kClaimGrowth = 10;
// The weight of a point left in the hand, and how much more it weighs
// when another seat is about to go out.
constexpr double kPointWeight = 0.01;
constexpr double kThreatPointWeight = 0.1;
// A discard that another seat with its contract would lay off, and one
// another seat seems to collect (by what it took and threw), weigh this
// much against the plan.
constexpr double kFeedWeight = 0.4;
constexpr double kCollectWeight = 0.03;

bool RoundHasSets(int round) { return round != 3 && round != 7; }
bool RoundHasRuns(int round) { return round != 1 && round != 4; }

// Does a complete meld on the table take this natural card now.
bool TableTakes(const SeatView& v, int value, int suit) {
    for (int m = 1; m <= kMeldSlots; ++m)
        if (MayLayOff(v.melds[m], value, suit)) return true;
    return false;
}

bool TableTakesCard(const SeatView& v, int card) {
    if (IsJoker(card)) {
        for (int m = 1; m <= kMeldSlots; ++m) {
            int value = 0, suit = 0;
            if (JokerLayOffValue(v.melds[m], value, suit)) return true;
        }
        return false;
    }
    return TableTakes(v, NaturalValue(card), NaturalSuit(card));
}

// How near another seat is to going out: 0 far .. 1 about to.
double Threat(const SeatView& v) {
    double threat = 0;
    for (int s = 0; s < 4; ++s) {
        if (s == v.seat || !v.hasContract[s]) continue;
        const int n = v.handCount[s];
        threat = std::max(threat, n <= 1 ? 1.0 : n == 2 ? 0.7 : n <= 4 ? 0.4 : 0.2);
    }
    return threat;
}

PlanInputs InputsFor(const SeatView& v) {
    PlanInputs in;
    in.round = v.round;
    // What may still come: the unseen copies but those another seat is
    // known to hold.
    in.live = v.unseen;
    for (int s = 0; s < 4; ++s) {
        if (s == v.seat) continue;
        for (int i = 0; i < 4; ++i)
            for (int value = 1; value <= 13; ++value) in.live.n[i][value] -= v.held[s].n[i][value];
    }
    in.pointWeight = kPointWeight + kThreatPointWeight * Threat(v);
    return in;
}

double PlanCost(const CardCounts& hand, const PlanInputs& in) { return BestPlan(hand, in).cost; }

// How much the other seats would like the card: a seat with its contract
// lays it off (the more so with two cards or fewer left); one without
// collects what it took from the pile and not what it threw. The next seat
// takes the discard for nothing, the others only by "May I?".
double Danger(const SeatView& v, int card) {
    double total = 0;
    for (int o = 0; o < 4; ++o) {
        if (o == v.seat) continue;
        const double weight = o == v.Next() ? 1.0 : 0.3;
        if (v.hasContract[o]) {
            if (TableTakesCard(v, card)) total += weight * kFeedWeight * (v.handCount[o] <= 2 ? 4 : 2);
            continue;
        }
        if (IsJoker(card)) continue;  // a Joker is thrown only when nothing else is left
        const int value = NaturalValue(card), suit = NaturalSuit(card);
        double collect = 0;
        for (const PileEvent& e : v.events) {
            if (e.seat != o || e.card == 0 || IsJoker(e.card)) continue;
            const int ev = NaturalValue(e.card);
            const bool taken = e.kind == PileEvent::Taken;
            if (RoundHasSets(v.round) && ev == value) collect += taken ? 1.0 : -0.5;
            if (RoundHasRuns(v.round) && NaturalSuit(e.card) == suit) {
                int gap = std::abs(ev - value);
                if (ev == 1 || value == 1) gap = std::min(gap, 14 - std::max(ev, value));  // Ace high
                if (taken && gap >= 1 && gap <= 2) collect += 0.7;
                if (!taken && gap <= 1) collect -= 0.3;
            }
        }
        total += weight * kCollectWeight * std::max(collect, 0.0);
    }
    return total;
}

CardCounts With(CardCounts hand, int card, int by) {
    hand.Add(card, by);
    return hand;
}

// How much nearer the contract the card would take the hand.
double Gain(const SeatView& v, int card) {
    const PlanInputs in = InputsFor(v);
    return PlanCost(v.own, in) - PlanCost(With(v.own, card, 1), in);
}

// Before the contract: the hand is nearer it with a Joker for the card.
bool ExchangeHelps(const SeatView& v, int card) {
    const PlanInputs in = InputsFor(v);
    return PlanCost(With(With(v.own, card, -1), kFirstJoker, 1), in) < PlanCost(v.own, in);
}

}  // namespace

bool ExpertTakesDiscard(const SeatView& v) {
    if (v.top == 0) return false;
    if (IsJoker(v.top)) return true;
    if (v.hasContract[v.seat]) return TableTakesCard(v, v.top);
    return Gain(v, v.top) >= kTakeGain;
}

bool ExpertSaysMayI(const SeatView& v) {
    if (v.top == 0 || v.hasContract[v.seat]) return false;
    if (v.handCount[v.seat] > v.Dealt() + kClaimGrowth) return false;
    return Gain(v, v.top) >= kClaimGain;
}

std::vector<std::vector<LaidCard>> ExpertContract(const SeatView& v) {
    if (v.hasContract[v.seat]) return {};
    const Plan plan = BestPlan(v.own, InputsFor(v));
    if (!plan.Complete()) return {};
    const auto melds = CardsForPlan(v.hand, plan);
    for (std::size_t i = 0; i < melds.size(); ++i)
        if (static_cast<int>(melds[i].size()) != MeldSize(plan.melds[i].kind)) return {};
    return melds;
}

TableMove ExpertTableMove(const SeatView& v) {
    TableMove move;
    const bool layOff = v.hasContract[v.seat] && !v.contractThisTurn;
    // A Joker in a run for the card it stands for: before the contract it
    // helps the plan; after, it goes straight on to the table.
    bool jokerGoesOn = false;
    for (int m = 1; m <= kMeldSlots && !jokerGoesOn; ++m) {
        int value = 0, suit = 0;
        jokerGoesOn = JokerLayOffValue(v.melds[m], value, suit);
    }
    if (!layOff || jokerGoesOn) {
        // Which Jokers lie in runs is public: the view's melds hold the run,
        // and the Joker shows the card it stands for.
        for (const RunJoker& j : v.runJokers) {
            for (int c : v.hand) {
                if (IsJoker(c) || NaturalValue(c) != j.value || NaturalSuit(c) != j.suit) continue;
                if (!layOff && !ExchangeHelps(v, c)) continue;
                move.kind = TableMove::Exchange;
                move.card = c;
                move.slot = j.slot;
                move.joker = j.joker;
                return move;
            }
        }
    }
    if (!layOff) return move;
    // Natural cards, the costliest first.
    std::vector<int> hand = v.hand;
    std::stable_sort(hand.begin(), hand.end(), [](int a, int b) { return NaturalPoints(a) > NaturalPoints(b); });
    for (int c : hand) {
        if (IsJoker(c)) continue;
        for (int m = 1; m <= kMeldSlots; ++m) {
            if (!MayLayOff(v.melds[m], NaturalValue(c), NaturalSuit(c))) continue;
            move.kind = TableMove::LayOff;
            move.card = c;
            move.slot = m;
            move.value = NaturalValue(c);
            move.suit = NaturalSuit(c);
            return move;
        }
    }
    // A Joker goes onto a set, where nobody can take it back, else onto the
    // run end whose natural card is least likely to be in another hand.
    for (int c : hand) {
        if (!IsJoker(c)) continue;
        double best = 1e9;
        for (int m = 1; m <= kMeldSlots; ++m) {
            const MeldRecord& meld = v.melds[m];
            if (!meld.Complete) continue;
            if (meld.Kind == kKindSet) {
                move = {TableMove::LayOff, c, m, 0, meld.SetValue, SuitNone};
                return move;
            }
            const int i = SuitIndex(meld.RunSuit);
            const int ends[2] = {meld.High <= 12 ? meld.High + 1 : meld.High == 13 ? 1 : 0,
                                 meld.Low >= 2 ? meld.Low - 1 : 0};
            for (int value : ends) {
                if (value == 0 || i < 0) continue;
                const double risk = v.unseen.n[i][value];
                if (risk < best) {
                    best = risk;
                    move = {TableMove::LayOff, c, m, 0, value, meld.RunSuit};
                }
            }
        }
        if (move.kind != TableMove::None) return move;
    }
    return move;
}

int ExpertDiscard(const SeatView& v) {
    if (v.hand.empty()) return 0;
    const PlanInputs in = InputsFor(v);
    const bool building = !v.hasContract[v.seat];
    int best = 0;
    double bestScore = 0;
    bool tried[4][14] = {};
    for (int c : v.hand) {
        if (IsJoker(c)) continue;
        bool& done = tried[SuitIndex(NaturalSuit(c))][NaturalValue(c)];
        if (done) continue;  // the other copy is the same choice
        done = true;
        double score;
        if (building) {
            score = PlanCost(With(v.own, c, -1), in);
        } else {
            // With the contract down, the points count, and a card the
            // table takes is kept for the next turn's lay-off.
            score = -NaturalPoints(c) / 10.0;
            if (TableTakesCard(v, c)) score += 1.0;
        }
        score += Danger(v, c);
        if (best == 0 || score < bestScore) {
            best = c;
            bestScore = score;
        }
    }
    return best != 0 ? best : v.hand.front();
}

}  // namespace meldora
