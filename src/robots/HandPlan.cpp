#include "robots/HandPlan.h"

#include <algorithm>

#include "game/Rules.h"
#include "robots/CardPicker.h"

namespace meldora {

namespace {

constexpr int kHighAce = 14;   // a run position above the King
constexpr int kFirstStart = 1; // A 2 3 4
constexpr int kLastStart = 11; // J Q K A
// Melds tried per slot besides the complete ones: enough to find a good
// plan, few enough to plan every turn of many games.
constexpr int kTriedPerSlot = 4;

int NaturalAt(int position) { return position == kHighAce ? 1 : position; }

// The hand's natural cards counted by suit and value, and its Jokers.
struct Pool {
    int count[4][14] = {};
    int jokers = 0;
};

// A meld the search may choose for a slot. `key` is the set's value, or the
// run's suit index * 16 + its lowest position.
struct Candidate {
    int kind = 0;
    int key = 0;
    bool joker = false;
    int missing = 0;
};

void Generate(const Pool& p, int kind, std::vector<Candidate>& out) {
    out.clear();
    auto add = [&](int key, int naturals) {
        if (naturals == 0) return;
        const int size = MeldSize(kind);
        out.push_back({kind, key, false, size - naturals});
        if (naturals < size && p.jokers > 0) out.push_back({kind, key, true, size - naturals - 1});
    };
    if (kind == kKindSet) {
        for (int v = 1; v <= 13; ++v) {
            int n = 0;
            for (int s = 0; s < 4; ++s) n += p.count[s][v];
            add(v, std::min(n, 3));
        }
        return;
    }
    for (int s = 0; s < 4; ++s)
        for (int start = kFirstStart; start <= kLastStart; ++start) {
            int n = 0;
            for (int pos = start; pos < start + 4; ++pos) n += p.count[s][NaturalAt(pos)] > 0 ? 1 : 0;
            add(s * 16 + start, n);
        }
}

void Take(Pool& p, const Candidate& c) {
    if (c.joker) --p.jokers;
    if (c.kind == kKindSet) {
        int left = 3 - (c.joker ? 1 : 0);
        for (int s = 0; s < 4 && left > 0; ++s) {
            const int n = std::min(left, p.count[s][c.key]);
            p.count[s][c.key] -= n;
            left -= n;
        }
        return;
    }
    const int s = c.key / 16, start = c.key % 16;
    for (int pos = start; pos < start + 4; ++pos)
        if (p.count[s][NaturalAt(pos)] > 0) --p.count[s][NaturalAt(pos)];
}

struct Search {
    const Contract& contract;
    std::vector<Candidate> chosen, best;
    int bestScore = -1;

    void Run(const Pool& pool, int slot, int score) {
        const int left = contract.meldCount - slot;
        if (score + left * MeldScore(0) <= bestScore) return;
        if (left == 0) {
            bestScore = score;
            best = chosen;
            return;
        }
        std::vector<Candidate> options;
        Generate(pool, contract.kinds[slot], options);
        std::stable_sort(options.begin(), options.end(), [](const Candidate& a, const Candidate& b) {
            return a.missing != b.missing ? a.missing < b.missing : a.joker < b.joker;
        });
        int others = 0;
        for (const Candidate& c : options) {
            if (c.missing > 0 && ++others > kTriedPerSlot) break;
            Pool next = pool;
            Take(next, c);
            chosen.push_back(c);
            Run(next, slot + 1, score + MeldScore(c.missing));
            chosen.pop_back();
        }
        if (options.empty()) {
            chosen.push_back({contract.kinds[slot], 0, false, MeldSize(contract.kinds[slot])});
            Run(pool, slot + 1, score);
            chosen.pop_back();
        }
    }
};

// The cards of the chosen melds, taken from the hand in card-number order.
std::vector<PlannedMeld> Materialise(const std::vector<int>& hand, const std::vector<Candidate>& melds) {
    std::vector<int> sorted(hand);
    std::sort(sorted.begin(), sorted.end());
    CardPicker pick(sorted);
    std::vector<PlannedMeld> out;
    for (const Candidate& m : melds) {
        PlannedMeld pm{m.kind, m.missing, {}};
        if (m.key == 0) {  // nothing to build this slot from
            out.push_back(pm);
            continue;
        }
        if (m.kind == kKindSet) {
            for (int i = 0; i < 3 - (m.joker ? 1 : 0); ++i)
                if (const int c = pick.TakeNatural(m.key, SuitNone)) pm.cards.push_back({c, m.key, NaturalSuit(c)});
            if (m.joker) pm.cards.push_back({pick.TakeJoker(), m.key, SuitNone});
        } else {
            const int suit = SuitCode(m.key / 16), start = m.key % 16;
            bool jokerLeft = m.joker;
            for (int pos = start; pos < start + 4; ++pos) {
                if (const int c = pick.TakeNatural(NaturalAt(pos), suit)) {
                    pm.cards.push_back({c, NaturalAt(pos), suit});
                } else if (jokerLeft) {  // the Joker fills the first gap
                    pm.cards.push_back({pick.TakeJoker(), NaturalAt(pos), suit});
                    jokerLeft = false;
                }
            }
        }
        out.push_back(pm);
    }
    return out;
}

}  // namespace

int MeldScore(int missing) {
    static const int kScores[5] = {30, 12, 4, 1, 0};
    return missing >= 0 && missing <= 4 ? kScores[missing] : 0;
}

bool HandPlan::Complete() const {
    if (melds.empty()) return false;
    for (const PlannedMeld& m : melds)
        if (m.missing != 0) return false;
    return true;
}

bool HandPlan::Holds(int card, int minCards) const {
    for (const PlannedMeld& m : melds) {
        if (static_cast<int>(m.cards.size()) < minCards) continue;
        for (const PlannedCard& c : m.cards)
            if (c.card == card) return true;
    }
    return false;
}

HandPlan PlanContract(const std::vector<int>& hand, int round) {
    const Contract& contract = ContractForRound(round);
    Pool pool;
    for (int c : hand) {
        if (IsJoker(c)) {
            ++pool.jokers;
            continue;
        }
        const int s = SuitIndex(NaturalSuit(c));
        if (s >= 0) ++pool.count[s][NaturalValue(c)];
    }
    Search search{contract, {}, {}, -1};
    search.Run(pool, 0, 0);
    HandPlan plan;
    plan.score = std::max(search.bestScore, 0);
    plan.melds = Materialise(hand, search.best);
    return plan;
}

}  // namespace meldora
