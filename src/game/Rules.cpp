#include "game/Rules.h"

#include "game/Game.h"

namespace meldora {

namespace {

// What the player is told when a card does not fit a started contract
// meld, by slot; slot 8's set sends the card back without a word.
std::string MeldRefusal(int slot, bool run) {
    const std::string name = Game::NameMark(0);
    switch (slot) {
        case 7: return name + (run ? " card right value or not same suit. " : " card not of right value for this meld. ");
        case 8: return run ? name + " card not of right value for this meld. " : std::string();
        default: return name + (run ? " card right value or not same suit. " : " card right value for this Meld. ");
    }
}

Verdict Refused(const std::string& text = {}) {
    Verdict v;
    v.text = text;
    return v;
}

Verdict Accepted(int value) {
    Verdict v;
    v.accepted = true;
    v.value = value;
    return v;
}

bool Unfinished(const Game& g, int slot) {
    return slot <= LastContractSlot(g.Round) && g.MeldTable[slot].Started && !g.MeldTable[slot].Complete;
}

}  // namespace

bool MayLetGo(const Game& g, int card) {
    return card >= 1 && card <= kCardCount && g.CardTable[card].Location == LocPlayer && g.IsTurn[0] &&
           g.PlayerHasDrawn && !g.RoundOver && !g.ui.FramJoker.Visible;
}

std::vector<std::string> Verdict::Texts() const {
    std::vector<std::string> texts;
    if (!early.empty()) texts.push_back(early);
    if (!text.empty()) texts.push_back(text);
    return texts;
}

int MeldSize(int kind) { return kind == kKindRun ? 4 : 3; }

int LastContractSlot(int round) { return round >= 4 ? 9 : 8; }

bool ContractMeldsPartial(const Game& g) {
    bool anyStarted = false, allStarted = true, anyUnfinished = false;
    for (int slot = 7; slot <= LastContractSlot(g.Round); ++slot) {
        const MeldRecord& m = g.MeldTable[slot];
        anyStarted = anyStarted || m.Started;
        allStarted = allStarted && m.Started;
        anyUnfinished = anyUnfinished || (m.Started && !m.Complete);
    }
    return anyUnfinished || (anyStarted && !allStarted);
}

// ---- single facts of a meld ---------------------------------------------------------

bool ExtendsRunBelow(const MeldRecord& r, int value, int suit) { return suit == r.RunSuit && value == r.Low - 1; }
bool ExtendsRunAbove(const MeldRecord& r, int value, int suit) { return suit == r.RunSuit && value == r.High + 1; }
bool GoesAboveKing(const MeldRecord& r, int value, int suit) {
    return suit == r.RunSuit && r.High == 13 && value == 1;
}
bool JoinsSet(const MeldRecord& s, int value) { return value == s.SetValue; }

Verdict RunEndCheck(const MeldRecord& run, int value, int suit) {
    if (suit != run.RunSuit) return Refused("Run Meld must follow suit.");
    if (GoesAboveKing(run, value, suit)) return Accepted(kValueHighAce);
    if (ExtendsRunAbove(run, value, suit) || ExtendsRunBelow(run, value, suit)) return Accepted(value);
    return Refused("Card cannot be Melded. Try again");
}

int LayOffValue(const MeldRecord& m, int value, int suit) {
    if (!m.Complete) return 0;
    if (m.Kind == kKindSet) return JoinsSet(m, value) ? value : 0;
    if (m.Kind != kKindRun) return 0;
    if (ExtendsRunAbove(m, value, suit)) return value;
    if (GoesAboveKing(m, value, suit)) return kValueHighAce;
    return ExtendsRunBelow(m, value, suit) ? value : 0;
}

bool MayLayOff(const MeldRecord& m, int value, int suit) { return LayOffValue(m, value, suit) != 0; }

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

// ---- Jokers lying in runs -------------------------------------------------------------

int JokerRunSlot(const Game& g, int joker) {
    if (!IsJoker(joker) || g.CardTable[joker].Location != LocMeld) return 0;
    for (int m = 1; m <= kMeldSlots; ++m)
        if (g.CardTable[joker].InMeld[m] && g.MeldTable[m].Kind == kKindRun) return m;
    return 0;
}

int RunJokerStandsFor(const Game& g, int joker, int& value, int& suit) {
    const int m = JokerRunSlot(g, joker);
    if (m == 0) return 0;
    const int v = g.CardTable[joker].Value;
    value = v == kValueHighAce ? 1 : v;
    suit = g.MeldTable[m].RunSuit;
    return m;
}

bool TakesJokersPlace(const CardRecord& card, const CardRecord& joker, int runSuit, bool aceForHighAce) {
    if (IsJoker(card.CardNo) || card.Suit != runSuit) return false;
    return card.Value == joker.Value || (aceForHighAce && joker.Value == kValueHighAce && card.Value == 1);
}

int JokerSwapCard(const Game& g, int seat, int joker, int& slot) {
    slot = JokerRunSlot(g, joker);
    if (slot == 0) return 0;
    for (int c = 1; c < kFirstJoker; ++c)
        if (g.CardTable[c].Location == seat &&
            TakesJokersPlace(g.CardTable[c], g.CardTable[joker], g.MeldTable[slot].RunSuit, true))
            return c;
    return 0;
}

// ---- the player's card let go on the table ------------------------------------------

Verdict ContractMeldCheck(const Game& g, int card, int slot, int value, int suit) {
    if (!g.IsTurn[0]) return Refused();
    const MeldRecord& m = g.MeldTable[slot];
    if (IsJoker(card) && g.JokerInMeld[slot]) return Refused("Only 1 Joker in contract Meld allowed");
    if (m.Complete) return Refused("You cannot Lay Off until next turn.");
    if (m.Count == 0) return Accepted(value);
    const bool run = m.Kind == kKindRun;
    if (!run) return JoinsSet(m, value) ? Accepted(value) : Refused(MeldRefusal(slot, false));
    Verdict v = RunEndCheck(m, value, suit);
    if (v) return v;
    v.early = v.text;
    v.text = MeldRefusal(slot, true);
    return v;
}

Verdict ContractMeldCheck(const Game& g, int card, int slot) {
    return ContractMeldCheck(g, card, slot, g.CardTable[card].Value, g.CardTable[card].Suit);
}

Verdict LayOffCheck(const Game& g, int slot, int value, int suit) {
    const int takes = LayOffValue(g.MeldTable[slot], value, suit);
    return takes ? Accepted(takes) : Refused("Card returned to hand. Not playable");
}

Verdict LayOffCheck(const Game& g, int card, int slot) {
    return LayOffCheck(g, slot, g.CardTable[card].Value, g.CardTable[card].Suit);
}

Verdict ReleaseCheck(const Game& g, int card, const layout::Drop& target) {
    if (!MayLetGo(g, card)) return Refused();
    if (target.area == layout::DropArea::Discard) {
        if (!ContractMeldsPartial(g)) return Accepted(g.CardTable[card].Value);
        Verdict v;
        v.early = "Incomplete Melds.Try again or Discard a card.";
        return v;
    }
    if (target.area != layout::DropArea::Board) return Refused("Cards can  only be placed in Meld or Discard area");
    if (g.ContractThisTurn) return Refused("You cannot Lay Off until next turn. Discard now");
    if (g.HasContract[0]) return Accepted(g.CardTable[card].Value);
    const int c = target.column;
    if (c < 7 || c > LastContractSlot(g.Round)) return Refused("Card in wrong location.");
    if (c == 7 && (Unfinished(g, 8) || Unfinished(g, 9))) return Refused("Card in wrong location.");
    if ((c == 8 && (Unfinished(g, 7) || Unfinished(g, 9))) || (c == 9 && (Unfinished(g, 7) || Unfinished(g, 8))))
        return Refused("Finish other Meld first.");
    if (g.MeldTable[c].Complete) return Refused("Card in wrong location.");
    return Accepted(g.CardTable[card].Value);
}

Verdict DropCheck(const Game& g, int card, const layout::Drop& target, int value, int suit) {
    const Verdict release = ReleaseCheck(g, card, target);
    if (!release || target.area != layout::DropArea::Board) return release;
    if (g.HasContract[0]) return LayOffCheck(g, target.column, value, suit);
    return ContractMeldCheck(g, card, target.column, value, suit);
}

Verdict DropCheck(const Game& g, int card, const layout::Drop& target) {
    if (card < 1 || card > kCardCount) return Refused();
    return DropCheck(g, card, target, g.CardTable[card].Value, g.CardTable[card].Suit);
}

std::vector<layout::Drop> AcceptingTargets(const Game& g, int card) {
    std::vector<layout::Drop> targets;
    for (int k = 1; k <= layout::kMeldColumns; ++k) {
        const layout::Drop column{layout::DropArea::Board, k};
        if (DropCheck(g, card, column)) targets.push_back(column);
    }
    const layout::Drop discard{layout::DropArea::Discard, 0};
    if (DropCheck(g, card, discard)) targets.push_back(discard);
    return targets;
}

}  // namespace meldora
