#include "robots/ExpertView.h"

#include "game/Game.h"
#include "game/Rules.h"

namespace meldora {

void CardCounts::Add(int card, int by) {
    if (IsJoker(card)) {
        jokers += by;
        return;
    }
    if (card >= 1 && card < kFirstJoker) n[SuitIndex(NaturalSuit(card))][NaturalValue(card)] += by;
}

SeatView ViewFor(const Game& g, int seat) {
    SeatView v;
    v.seat = seat;
    v.round = g.Round;
    for (int c = 1; c <= kCardCount; ++c)
        if (g.CardTable[c].Location == seat) v.hand.push_back(c);
    for (int s = 0; s < 4; ++s) {
        v.handCount[s] = g.CardsInHand[s];
        v.hasContract[s] = g.HasContract[s];
    }
    v.contractThisTurn = g.ContractThisTurn && g.IsTurn[seat];
    v.top = g.TopDiscard();
    v.pile.assign(g.DiscardPile + 1, g.DiscardPile + 1 + g.DiscardCount);
    for (int m = 1; m <= kMeldSlots; ++m) v.melds[m] = g.MeldTable[m];
    v.events = g.PileRecord.Events();
    for (int j = kFirstJoker; j <= kCardCount; ++j) {
        RunJoker r;
        r.joker = j;
        r.slot = RunJokerStandsFor(g, j, r.value, r.suit);
        if (r.slot != 0) v.runJokers.push_back(r);
    }

    // Every card starts unseen; what lies in the hand, on the table or on
    // the pile is seen.
    for (int s = 0; s < 4; ++s)
        for (int value = 1; value <= 13; ++value) v.unseen.n[s][value] = 2;
    v.unseen.jokers = 3;
    std::vector<bool> seen(kCardCount + 1, false);
    for (int c : v.hand) seen[c] = true;
    for (int c : v.pile) seen[c] = true;
    for (int c = 1; c <= kCardCount; ++c)
        if (g.CardTable[c].Location == LocMeld) seen[c] = true;
    for (int c = 1; c <= kCardCount; ++c)
        if (seen[c]) v.unseen.Add(c, -1);
    for (int c : v.hand) v.own.Add(c);

    // A card another seat took from the pile is in its hand until it throws
    // one like it, or until every copy of it is in sight.
    for (const PileEvent& e : v.events) {
        if (e.seat < 0 || e.seat == seat || e.card == 0) continue;
        CardCounts& h = v.held[e.seat];
        int& n = IsJoker(e.card) ? h.jokers : h.n[SuitIndex(NaturalSuit(e.card))][NaturalValue(e.card)];
        if (e.kind == PileEvent::Taken) ++n;
        if (e.kind == PileEvent::Discarded && n > 0) --n;
    }
    for (CardCounts& h : v.held) {
        for (int s = 0; s < 4; ++s)
            for (int value = 1; value <= 13; ++value)
                if (h.n[s][value] > v.unseen.n[s][value]) h.n[s][value] = v.unseen.n[s][value];
        if (h.jokers > v.unseen.jokers) h.jokers = v.unseen.jokers;
    }
    return v;
}

}  // namespace meldora
