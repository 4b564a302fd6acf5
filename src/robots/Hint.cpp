#include "robots/Hint.h"

#include <algorithm>
#include <tuple>

#include "game/Describe.h"
#include "game/Game.h"
#include "game/Rules.h"

namespace meldora {

namespace {

// The top discard is taken when it brings a meld of the plan a card nearer
// (from two cards missing to one, or better).
const int kTakeGain = MeldScore(1) - MeldScore(2);
// "May I?" is said for a card that completes a meld.
const int kClaimGain = MeldScore(0) - MeldScore(1);
// A claim brings two cards; the hand may have grown by one claim.
constexpr int kClaimGrowth = 2;

std::vector<int> PlayerHand(const Game& g) {
    std::vector<int> hand;
    for (int c = 1; c <= kCardCount; ++c)
        if (g.CardTable[c].Location == LocPlayer) hand.push_back(c);
    return hand;
}

// The contract is sets only: a pair outside the planned melds is still a
// set one card away.
bool SetsOnly(int round) {
    const Contract& contract = ContractForRound(round);
    for (int i = 0; i < contract.meldCount; ++i)
        if (contract.kinds[i] != kKindSet) return false;
    return contract.meldCount > 0;
}

// Natural cards of the card's value in the hand, the card itself not counted.
int SameValue(const std::vector<int>& hand, int card) {
    int n = 0;
    for (int o : hand)
        if (o != card && !IsJoker(o) && !IsJoker(card) && NaturalValue(o) == NaturalValue(card)) ++n;
    return n;
}

std::string The(int card) { return IsJoker(card) ? "the Joker" : "the " + CardName(card); }

// "Seven", "Sevens"; "Hearts".
std::string ValueWord(int value) {
    const std::string name = CardName(CardNumber(value, SuitDiamonds));
    return name.substr(0, name.find(" of"));
}
std::string ValuesWord(int value) { return ValueWord(value) + (value == 6 ? "es" : "s"); }
std::string SuitWord(int suit) {
    const std::string name = CardName(CardNumber(1, suit));
    return name.substr(name.find("of ") + 3);
}

std::string Ordinal(std::size_t i) {
    static const char* const kWords[] = {"first", "second", "third"};
    return i < 3 ? kWords[i] : "next";
}

std::string MeldWord(int kind) { return kind == kKindRun ? "run" : "set"; }

// "WestBot's run", "your set".
std::string MeldName(const Game& g, int slot) {
    return SeatPossessive(g, MeldSlotOwner(g.Round, slot)) + " " + MeldWord(g.MeldTable[slot].Kind);
}

std::string Describe(const PlannedMeld& m) {
    if (m.cards.empty()) return "";
    if (m.kind == kKindSet) return "a set of " + ValuesWord(m.cards.front().value);
    return "a run of " + SuitWord(m.cards.front().suit) + " from the " + ValueWord(m.cards.front().value) +
           " to the " + ValueWord(m.cards.back().value);
}

std::string LayOffText(const Game& g, const LayOffMove& move) {
    std::string text = The(move.card) + " goes on " + MeldName(g, move.slot);
    if (IsJoker(move.card) && move.suit != SuitNone)
        text += " as the " + ValueWord(move.value) + " of " + SuitWord(move.suit);
    return text;
}

// Why the top discard is worth taking, or empty when it is not.
std::string TakeReason(const Game& g, int top) {
    if (g.HasContract[0]) {
        for (int slot = 1; slot <= kMeldSlots; ++slot) {
            const MeldRecord& m = g.MeldTable[slot];
            int value = NaturalValue(top), suit = NaturalSuit(top);
            if (IsJoker(top) ? JokerLayOffValue(m, value, suit) : MayLayOff(m, value, suit))
                return "it goes on " + MeldName(g, slot);
        }
        return "";
    }
    if (!WorthTaking(g, top)) return "";
    std::vector<int> hand = PlayerHand(g);
    hand.push_back(top);
    const HandPlan plan = PlanContract(hand, g.Round);
    for (std::size_t i = 0; i < plan.melds.size(); ++i)
        for (const PlannedCard& c : plan.melds[i].cards)
            if (c.card == top)
            {
                const std::string meld = "your " + Ordinal(i) + " " + MeldWord(plan.melds[i].kind);
                return plan.melds[i].missing == 0 ? "it makes " + meld : "it brings " + meld + " nearer";
            }
    if (SetsOnly(g.Round)) return "it makes a pair of " + ValuesWord(NaturalValue(top));
    return "it brings your contract nearer";
}

bool Playing(const Game& g) { return !g.RoundOver && !g.GameOver && g.IsTurn[0] && g.PlayerHasDrawn; }

// The Joker that may be taken now from a run, for the card of the hand
// that takes its place; 0 when none.
int SwappableJoker(const Game& g, int& natural) {
    if (!Playing(g)) return 0;
    for (int joker = kFirstJoker; joker <= kCardCount; ++joker) {
        int slot = 0;
        natural = JokerSwapCard(g, 0, joker, slot);
        if (natural != 0) return joker;
    }
    return 0;
}

}  // namespace

int ContractGain(const Game& g, int card) {
    std::vector<int> hand = PlayerHand(g);
    const int before = PlanContract(hand, g.Round).score;
    hand.push_back(card);
    return PlanContract(hand, g.Round).score - before;
}

bool FitsTable(const Game& g, int card) {
    for (int slot = 1; slot <= kMeldSlots; ++slot) {
        const MeldRecord& m = g.MeldTable[slot];
        int value = 0, suit = 0;
        if (IsJoker(card) ? JokerLayOffValue(m, value, suit) : MayLayOff(m, NaturalValue(card), NaturalSuit(card)))
            return true;
    }
    return false;
}

bool WorthTaking(const Game& g, int card) {
    if (card == 0) return false;
    if (g.HasContract[0]) return FitsTable(g, card);
    if (SetsOnly(g.Round) && !IsJoker(card)) {
        const int same = SameValue(PlayerHand(g), card);
        if (same == 1 || same == 2) return true;
    }
    return ContractGain(g, card) >= kTakeGain;
}

bool WorthClaiming(const Game& g, int card) {
    if (card == 0 || g.HasContract[0] || g.CardsInHand[0] > CardsDealt(g.Round) + kClaimGrowth) return false;
    return SetsOnly(g.Round) ? WorthTaking(g, card) : ContractGain(g, card) >= kClaimGain;
}

std::vector<LayOffMove> LayOffsNow(const Game& g) {
    std::vector<LayOffMove> moves;
    if (!Playing(g) || !g.HasContract[0]) return moves;
    std::vector<int> hand = PlayerHand(g);
    std::stable_sort(hand.begin(), hand.end(), [&](int a, int b) {
        if (IsJoker(a) != IsJoker(b)) return !IsJoker(a);
        return g.CardTable[a].Points > g.CardTable[b].Points;
    });
    for (int c : hand)
        for (int slot = 1; slot <= kMeldSlots; ++slot) {
            LayOffMove move{c, slot, NaturalValue(c), NaturalSuit(c)};
            if (IsJoker(c) && !JokerLayOffValue(g.MeldTable[slot], move.value, move.suit)) continue;
            if (DropCheck(g, c, {layout::DropArea::Board, slot}, move.value, move.suit)) moves.push_back(move);
        }
    return moves;
}

int JokerToTake(const Game& g) {
    int natural = 0;
    return SwappableJoker(g, natural);
}

// The costliest card the hand can spare: without the contract, one outside
// the melds it is building (a card with fewer partners goes first; for a
// contract of sets only, a card of a pair is kept before a costlier single);
// with it, one that no meld on the table takes. A Joker goes only when
// nothing else is left.
int ChooseDiscard(const Game& g) {
    const std::vector<int> hand = PlayerHand(g);
    const bool building = !g.HasContract[0] && !g.ContractThisTurn;
    const HandPlan plan = building ? PlanContract(hand, g.Round) : HandPlan{};
    const bool pairs = building && SetsOnly(g.Round);
    int best = 0;
    std::tuple<bool, bool, int, int, int> bestKey{};
    for (int c : hand) {
        int partners = 0;
        for (int o : hand) {
            if (o == c || IsJoker(o) || IsJoker(c)) continue;
            const int gap = NaturalValue(o) - NaturalValue(c);
            if (gap == 0 || (NaturalSuit(o) == NaturalSuit(c) && gap >= -2 && gap <= 2)) ++partners;
        }
        const bool spare = building ? !plan.Holds(c, 2) : !FitsTable(g, c);
        const std::tuple<bool, bool, int, int, int> key{!IsJoker(c), spare, pairs ? -SameValue(hand, c) : 0,
                                                        g.CardTable[c].Points, -partners};
        if (best == 0 || key > bestKey) {
            best = c;
            bestKey = key;
        }
    }
    return best;
}

Hint FindHint(const Game& g) {
    Hint h;
    const int top = g.TopDiscard();
    if (g.ui.CmdMayI.Visible && g.ui.CmdPass.Visible && !g.RoundOver && !g.GameOver && top != 0) {
        h.card = top;
        if (WorthClaiming(g, top)) {
            h.step = HintStep::SayMayI;
            h.text = "Say May I: " + TakeReason(g, top) + ".";
        } else {
            h.step = HintStep::PassMayI;
            h.text = g.HasContract[0] ? "Pass: your contract is made."
                     : WorthTaking(g, top) && !WorthClaiming(g, top)
                         ? "Pass: " + The(top) + " is not worth two more cards now."
                         : "Pass: " + The(top) + " does not help you.";
        }
        return h;
    }
    if (g.RoundOver || g.GameOver || !g.IsTurn[0]) {
        h.text = "Wait for your turn.";
        return h;
    }
    if (!g.PlayerHasDrawn) {
        const int offered = g.ui.CmdDiscard.Visible ? top : 0;
        const std::string why = offered ? TakeReason(g, offered) : "";
        if (!why.empty()) {
            h.step = HintStep::TakeDiscard;
            h.card = offered;
            h.text = "Take " + The(offered) + ": " + why + ".";
        } else {
            h.step = HintStep::TakeStock;
            h.text = offered ? "Take a card from the stock: " + The(offered) + " does not help you."
                             : "Take a card from the stock.";
        }
        return h;
    }
    if (ContractMeldsPartial(g)) {
        h.step = HintStep::TakeBack;
        h.text = "Take back your melds: they are not complete, and you cannot discard while they lie.";
        return h;
    }
    if (!g.HasContract[0] && !g.ContractThisTurn) {
        const HandPlan plan = PlanContract(PlayerHand(g), g.Round);
        if (plan.Complete()) {
            h.step = HintStep::LayContract;
            h.melds = plan.melds;
            h.text = "Lay your contract:";
            for (std::size_t i = 0; i < plan.melds.size(); ++i)
                h.text += (i == 0 ? " " : i + 1 == plan.melds.size() ? " and " : ", ") + Describe(plan.melds[i]);
            h.text += ".";
            return h;
        }
    }
    if (g.HasContract[0]) {
        int natural = 0;
        if (const int joker = SwappableJoker(g, natural)) {
            h.step = HintStep::SwapJoker;
            h.card = joker;
            h.slot = JokerRunSlot(g, joker);
            h.text = "Take the Joker from " + MeldName(g, h.slot) + ": your " + CardName(natural) +
                     " takes its place.";
            return h;
        }
        h.layOffs = LayOffsNow(g);
        if (!h.layOffs.empty()) {
            h.step = HintStep::LayOff;
            h.card = h.layOffs.front().card;
            h.slot = h.layOffs.front().slot;
            h.text = "Lay off: ";
            for (std::size_t i = 0; i < h.layOffs.size() && i < 3; ++i)
                h.text += (i ? "; " : "") + LayOffText(g, h.layOffs[i]);
            h.text += h.layOffs.size() > 3 ? "; and more." : ".";
            return h;
        }
    }
    h.step = HintStep::Discard;
    h.card = ChooseDiscard(g);
    h.text = h.card ? "Discard " + The(h.card) + "." : "";
    if (h.card == 0) h.step = HintStep::None;
    return h;
}

void MnuHint_Click(Game& g) {
    const Hint h = FindHint(g);
    for (int c = 1; c <= kCardCount; ++c) g.ui.Cds[c].Hinted = false;
    if (h.step == HintStep::LayContract) {
        for (const PlannedMeld& m : h.melds)
            for (const PlannedCard& c : m.cards) g.ui.Cds[c.card].Hinted = true;
    } else if (h.step == HintStep::LayOff) {
        for (const LayOffMove& m : h.layOffs) g.ui.Cds[m.card].Hinted = true;
    } else if (h.card != 0) {
        g.ui.Cds[h.card].Hinted = true;
    }
    g.SetNamedText(g.ui.LblP.Caption, h.text);
    g.Say(h.text, SpeechKind::Player);
}

}  // namespace meldora
