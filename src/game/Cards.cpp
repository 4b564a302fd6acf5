#include "game/Cards.h"

namespace meldora {

namespace {
const Contract kContracts[8] = {
    {0, {0, 0, 0}, ""},
    {2, {kKindSet, kKindSet, 0}, "Contract is:- 2 Sets of 3 cards same."},
    {2, {kKindRun, kKindSet, 0}, "Contract:- 1 Run of 4 cards 1 Set of 3 cards same."},
    {2, {kKindRun, kKindRun, 0}, "Contract:- 2 Runs of 4 cards."},
    {3, {kKindSet, kKindSet, kKindSet}, "Contract is:- 3 Sets of 3 cards same."},
    {3, {kKindRun, kKindSet, kKindSet}, "Contract:-  1 Run of 4 cards- 2 Sets 3 cards same."},
    {3, {kKindRun, kKindRun, kKindSet}, "Contract:- 2 Runs of 4 cards - 1 Set 3 cards same."},
    {3, {kKindRun, kKindRun, kKindRun}, "Contract:- 3 Runs of 4 cards each."},
};
}  // namespace

const Contract& ContractForRound(int round) {
    if (round < 1 || round > 7) return kContracts[0];
    return kContracts[round];
}

int CardsDealt(int round) { return round <= 3 ? 10 : 12; }

int FirstMeldSlot(int seat, int round) {
    const bool three = round >= 4;
    switch (seat) {
        case 1: return 1;
        case 2: return three ? 4 : 3;
        case 3: return three ? 10 : 5;
        case 0: return 7;
        default: return 0;
    }
}

char SeatLetter(int seat) {
    static const char letters[4] = {'P', 'W', 'N', 'E'};
    return (seat >= 0 && seat < 4) ? letters[seat] : '?';
}

}  // namespace meldora
