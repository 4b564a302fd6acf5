#include "headless/Invariants.h"

#include "game/Game.h"

namespace meldora {

std::string CheckTableInvariants(const Game& g) {
    int inHand[4] = {}, stock = 0, discard = 0, meld = 0;
    int meldCards[kMeldSlots + 1] = {};
    for (int c = 1; c <= kCardCount; ++c) {
        const CardRecord& card = g.CardTable[c];
        int slots = 0;
        for (int m = 1; m <= kMeldSlots; ++m)
            if (card.InMeld[m]) {
                ++slots;
                ++meldCards[m];
            }
        switch (card.Location) {
            case 0: case 1: case 2: case 3: ++inHand[card.Location]; break;
            case LocStock: ++stock; break;
            case LocDiscard: ++discard; break;
            case LocMeld: ++meld; break;
            default: return "card " + std::to_string(c) + " has location " + std::to_string(card.Location);
        }
        if (card.Location == LocMeld && slots != 1)
            return "meld card " + std::to_string(c) + " lies in " + std::to_string(slots) + " slots";
        if (card.Location != LocMeld && slots != 0)
            return "card " + std::to_string(c) + " off the table is marked in a meld";
        // Cards on the piles show their own value (a Joker stands for nothing).
        if ((card.Location == LocStock || card.Location == LocDiscard) &&
            card.Value != NaturalValue(c))
            return "card " + std::to_string(c) + " on a pile has value " + std::to_string(card.Value);
    }
    for (int s = 0; s < 4; ++s)
        if (inHand[s] != g.CardsInHand[s])
            return "seat " + std::to_string(s) + " holds " + std::to_string(inHand[s]) +
                   " cards but counts " + std::to_string(g.CardsInHand[s]);
    if (discard != g.DiscardCount)
        return "discard pile counts " + std::to_string(g.DiscardCount) + " but " +
               std::to_string(discard) + " cards lie there";
    for (int k = 1; k <= g.DiscardCount; ++k)
        if (g.CardTable[g.DiscardPile[k]].Location != LocDiscard)
            return "discard pile entry " + std::to_string(k) + " is not on the pile";
    for (int k = 1; k <= g.DiscardCount; ++k)
        for (int j = k + 1; j <= g.DiscardCount; ++j)
            if (g.DiscardPile[k] == g.DiscardPile[j]) return "a card is twice on the discard pile";
    for (int m = 1; m <= kMeldSlots; ++m)
        if (meldCards[m] != g.MeldTable[m].Count)
            return "meld slot " + std::to_string(m) + " counts " + std::to_string(g.MeldTable[m].Count) +
                   " but holds " + std::to_string(meldCards[m]);
    if (inHand[0] + inHand[1] + inHand[2] + inHand[3] + stock + discard + meld != kCardCount)
        return "cards do not add up to 107";
    if (!g.RoundOver && !g.GameOver) {
        int turns = 0;
        for (bool t : g.IsTurn) turns += t ? 1 : 0;
        if (turns != 1) return std::to_string(turns) + " seats have the turn";
    }
    return {};
}

}  // namespace meldora
