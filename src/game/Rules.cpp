#include "game/Rules.h"

#include "game/Game.h"

namespace meldora {

int MeldSize(int kind) { return kind == kKindRun ? 4 : 3; }

bool MayLayOff(const MeldRecord& m, int value, int suit) {
    if (!m.Complete) return false;
    if (m.Kind == kKindSet) return value == m.SetValue;
    if (m.Kind != kKindRun || suit != m.RunSuit) return false;
    return value == m.High + 1 || (m.High == 13 && value == 1) || value == m.Low - 1;
}

bool JokerLayOffValue(const MeldRecord& m, int& value, int& suit) {
    if (!m.Complete) return false;
    if (m.Kind == kKindSet) {
        value = m.SetValue;
        suit = SuitNone;
        return value >= 1 && value <= 13;
    }
    if (m.Kind != kKindRun) return false;
    suit = m.RunSuit;
    if (m.High >= 1 && m.High <= 12) {
        value = m.High + 1;
    } else if (m.High == 13) {
        value = 1;  // the high Ace
    } else if (m.Low >= 2) {
        value = m.Low - 1;
    } else {
        return false;
    }
    return true;
}

int RunJokerStandsFor(const Game& g, int joker, int& value, int& suit) {
    if (!IsJoker(joker)) return 0;
    const CardRecord& j = g.CardTable[joker];
    if (j.Location != LocMeld) return 0;
    for (int m = 1; m <= kMeldSlots; ++m) {
        if (!j.InMeld[m] || g.MeldTable[m].Kind != kKindRun) continue;
        value = j.Value == kValueHighAce ? 1 : j.Value;
        suit = g.MeldTable[m].RunSuit;
        return m;
    }
    return 0;
}

}  // namespace meldora
