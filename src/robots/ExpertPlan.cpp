#include "robots/ExpertPlan.h"

#include <algorithm>
#include <cmath>

#include "game/Rules.h"
#include "robots/CardPicker.h"

namespace meldora {

namespace {

// A missing card of which no copy can still come.
constexpr double kDeadCard = 40.0;
// A contract slot with nothing in the hand to build it from.
constexpr double kEmptyCardCost = 3.0;
// Melds tried per slot, the cheapest first.
constexpr int kTriedPerSlot = 6;
// The plans near the best count too: a hand with several ways to its
// contract is nearer it than one with a single way. Plans within
// kNearMargin of the best are weighed in, each by exp(-extra / kSpread).
constexpr double kSpread = 0.5;
constexpr double kNearMargin = 3 * kSpread;

// The cheapest melds offered for a slot, cheapest first; of equal costs the
// one offered first.
struct Options {
    PlanMeld best[kTriedPerSlot];
    int count = 0;

    void Offer(const PlanMeld& m) {
        int i = count < kTriedPerSlot ? count++ : kTriedPerSlot;
        if (i == kTriedPerSlot && !(m.cost < best[kTriedPerSlot - 1].cost)) return;
        if (i == kTriedPerSlot) i = kTriedPerSlot - 1;
        while (i > 0 && m.cost < best[i - 1].cost) {
            best[i] = best[i - 1];
            --i;
        }
        best[i] = m;
    }
};

double CardCost(int copies) { return copies <= 0 ? kDeadCard : 2.0 / copies; }

double SetCost(const PlanInputs& in, int value, int missing) {
    const int copies = in.live.OfValue(value);
    double cost = 0;
    for (int i = 0; i < missing; ++i) cost += CardCost(copies - i);
    return cost;
}

void AddSets(const CardCounts& pool, const PlanInputs& in, int fromValue, Options& out) {
    for (int v = std::max(1, fromValue); v <= 13; ++v) {
        const int naturals = std::min(pool.OfValue(v), 3);
        if (naturals == 0) continue;
        PlanMeld m;
        m.kind = kKindSet;
        m.value = v;
        m.missing = 3 - naturals;
        m.cost = SetCost(in, v, m.missing);
        out.Offer(m);
        if (m.missing > 0 && pool.jokers > 0) {
            m.jokerAt = 1;
            m.missing -= 1;
            m.cost = SetCost(in, v, m.missing);
            out.Offer(m);
        }
    }
}

void AddRuns(const CardCounts& pool, const PlanInputs& in, int fromKey, Options& out) {
    for (int s = 0; s < 4; ++s)
        for (int low = 1; low <= 11; ++low) {
            if (s * 16 + low < fromKey) continue;
            int present = 0, worstGap = 0;
            double cost = 0, worst = -1;
            for (int p = low; p < low + 4; ++p) {
                const int v = ValueAt(p);
                if (pool.n[s][v] > 0) {
                    ++present;
                    continue;
                }
                const double c = CardCost(in.live.n[s][v]);
                cost += c;
                if (c > worst) {
                    worst = c;
                    worstGap = p;
                }
            }
            if (present == 0) continue;
            PlanMeld m;
            m.kind = kKindRun;
            m.suit = s;
            m.low = low;
            m.missing = 4 - present;
            m.cost = cost;
            out.Offer(m);
            if (m.missing > 0 && pool.jokers > 0) {
                m.jokerAt = worstGap;
                m.missing -= 1;
                m.cost = cost - worst;
                out.Offer(m);
            }
        }
}

void Take(CardCounts& pool, const PlanMeld& m) {
    if (m.jokerAt != 0) --pool.jokers;
    if (m.kind == kKindSet) {
        int left = 3 - m.missing - (m.jokerAt != 0 ? 1 : 0);
        for (int s = 0; s < 4 && left > 0; ++s) {
            const int k = std::min(left, pool.n[s][m.value]);
            pool.n[s][m.value] -= k;
            left -= k;
        }
        return;
    }
    for (int p = m.low; p < m.low + 4; ++p)
        if (pool.n[m.suit][ValueAt(p)] > 0) --pool.n[m.suit][ValueAt(p)];
}

int Key(const PlanMeld& m) { return m.kind == kKindSet ? m.value : m.suit * 16 + m.low; }

// What the points of the cards left over weigh.
double LeftOver(const CardCounts& pool, const PlanInputs& in) {
    int points = 15 * pool.jokers;
    for (int s = 0; s < 4; ++s)
        for (int v = 1; v <= 13; ++v) points += pool.n[s][v] * ValuePoints(v);
    return points * in.pointWeight;
}

struct Search {
    const PlanInputs& in;
    const Contract& contract;
    std::vector<PlanMeld> chosen;
    Plan best;
    bool found = false;
    std::vector<double> near;  // the costs of the plans found near the best

    void Run(const CardCounts& pool, int slot, double cost) {
        if (slot == contract.meldCount) {
            const double total = cost + LeftOver(pool, in);
            if (!found || total < best.cost + kNearMargin) near.push_back(total);
            if (found && total >= best.cost) return;
            found = true;
            best.melds = chosen;
            best.cost = total;
            best.missing = 0;
            for (const PlanMeld& m : chosen) best.missing += m.missing;
            return;
        }
        const int kind = contract.kinds[slot];
        // Two slots of one kind take their melds in key order, so a pair
        // of melds is tried once.
        int fromKey = 0;
        if (slot > 0 && contract.kinds[slot - 1] == kind && chosen[slot - 1].missing < MeldSize(kind))
            fromKey = Key(chosen[slot - 1]);
        Options options;
        if (kind == kKindSet)
            AddSets(pool, in, fromKey, options);
        else
            AddRuns(pool, in, fromKey, options);
        for (int k = 0; k < options.count; ++k) {
            const PlanMeld& m = options.best[k];
            if (found && cost + m.cost >= best.cost + kNearMargin) break;
            CardCounts next = pool;
            Take(next, m);
            chosen.push_back(m);
            Run(next, slot + 1, cost + m.cost);
            chosen.pop_back();
        }
        // Nothing to build the slot from: every card of it is missing.
        PlanMeld empty;
        empty.kind = kind;
        empty.missing = MeldSize(kind);
        empty.cost = MeldSize(kind) * kEmptyCardCost;
        if (found && cost + empty.cost >= best.cost + kNearMargin) return;
        chosen.push_back(empty);
        Run(pool, slot + 1, cost + empty.cost);
        chosen.pop_back();
    }
};

}  // namespace

int ValuePoints(int value) { return value == 1 ? 15 : (value >= 10 ? 10 : value); }

Plan BestPlan(const CardCounts& hand, const PlanInputs& in) {
    Search search{in, ContractForRound(in.round), {}, {}, false, {}};
    search.Run(hand, 0, 0);
    double weight = 0;
    for (double c : search.near)
        if (c < search.best.cost + kNearMargin) weight += std::exp(-(c - search.best.cost) / kSpread);
    if (weight > 0) search.best.cost -= kSpread * std::log(weight);
    return search.best;
}

std::vector<std::vector<LaidCard>> CardsForPlan(const std::vector<int>& hand, const Plan& plan) {
    CardPicker pick(hand);
    std::vector<std::vector<LaidCard>> out;
    for (const PlanMeld& m : plan.melds) {
        std::vector<LaidCard> cards;
        if (m.kind == kKindSet) {
            for (int i = 0; i < 3 - (m.jokerAt != 0 ? 1 : 0); ++i)
                if (const int c = pick.TakeNatural(m.value, SuitNone)) cards.push_back({c, m.value, SuitNone});
            if (m.jokerAt != 0) cards.push_back({pick.TakeJoker(), m.value, SuitNone});
        } else {
            const int suit = SuitCode(m.suit);
            for (int p = m.low; p < m.low + 4; ++p) {
                const int c = p == m.jokerAt ? pick.TakeJoker() : pick.TakeNatural(ValueAt(p), suit);
                if (c != 0) cards.push_back({c, ValueAt(p), suit});
            }
        }
        out.push_back(cards);
    }
    return out;
}

}  // namespace meldora
