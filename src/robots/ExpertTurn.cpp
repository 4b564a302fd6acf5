// An Expert robot's turn and its answer to "May I?": each step decided from
// the seat's view, then played with the designed robots' own routines, so
// the table shows and says the same kind of turn.

#include "game/Game.h"
#include "game/Guard.h"
#include "robots/Expert.h"
#include "robots/Robots.h"

namespace meldora {

namespace {

// A turn never makes more table moves than this, whatever the table does.
constexpr int kMovesPerTurn = 40;

bool Halted(const Game& g) { return g.RoundOver || g.GameOver; }

// The card takes what it stands for in the meld: a Joker its value and
// suit, an Ace above a King the high Ace's value.
void StandFor(Game& g, const LaidCard& laid) {
    CardRecord& c = g.CardTable[laid.card];
    if (IsJoker(laid.card)) {
        c.Value = laid.value;
        c.Suit = laid.suit;
    } else if (laid.value == kValueHighAce) {
        c.Value = kValueHighAce;
    }
}

void LayContract(Game& g, int seat, const std::vector<std::vector<LaidCard>>& melds) {
    AnnounceContract(g, seat, g.Round);
    const int first = FirstMeldSlot(seat, g.Round);
    for (std::size_t i = 0; i < melds.size(); ++i) {
        const int slot = first + static_cast<int>(i);
        const int kind = g.MeldTable[slot].Kind;
        std::vector<int> cards;
        for (std::size_t k = 0; k < melds[i].size(); ++k) {
            LaidCard laid = melds[i][k];
            // An Ace after a King lies above it.
            if (kind == kKindRun && laid.value == 1 && k > 0 && melds[i][k - 1].value == 13)
                laid.value = kValueHighAce;
            StandFor(g, laid);
            cards.push_back(laid.card);
        }
        LayContractMeld(g, seat, slot, cards);
    }
    g.ContractThisTurn = true;
}

// Joker exchanges and lay-offs until none is left; false when the round
// ended on the way.
bool PlayTableMoves(Game& g, int seat) {
    for (int step = 0; step < kMovesPerTurn; ++step) {
        const TableMove move = ExpertTableMove(ViewFor(g, seat));
        if (move.kind == TableMove::None) break;
        if (move.kind == TableMove::Exchange) {
            ExchangeJoker(g, seat, move.joker, move.slot, move.card);
        } else if (LayOffCard(g, seat, move.slot, move.card, move.value, move.suit)) {
            return false;
        }
        if (Halted(g)) return false;
    }
    return true;
}

void Discard(Game& g, int seat) {
    const int card = ExpertDiscard(ViewFor(g, seat));
    if (card == 0) return;
    g.CollectHand(seat);
    for (int p = 1; p <= g.HandCount(); ++p)
        if (g.HandCards[p] == card) return DiscardItBots(g, seat, p);
}

void PlayTurn(Game& g, int seat) {
    if (g.CardsInHand[seat] == 0) return;
    AnnounceDraw(g, seat);
    if (ExpertTakesDiscard(ViewFor(g, seat)))
        DrawDiscard(g, seat);
    else if (!DrawFromStock(g, seat))
        return;
    if (Halted(g) || !PlayTableMoves(g, seat)) return;
    if (!g.HasContract[seat]) {
        const auto melds = ExpertContract(ViewFor(g, seat));
        if (!melds.empty()) LayContract(g, seat, melds);
    }
    if (Halted(g)) return;
    AnnounceDiscard(g, seat);
    Discard(g, seat);
    if (!Halted(g)) g.WhoPlaysNext(seat);
}

class Experts : public RobotSeats {
public:
    void PlayBots(Game& g, int seat) override {
        Guarded(g, "PlayBots", [&] { PlayTurn(g, seat); });
    }
    void MayIWho(Game& g, int seat) override {
        Guarded(g, "MayIWho", [&] {
            if (ExpertSaysMayI(ViewFor(g, seat))) g.TakeMayI(seat);
        });
    }
    bool Expert() const override { return true; }
};

}  // namespace

RobotSeats& ExpertRobots() {
    static Experts experts;
    return experts;
}

}  // namespace meldora
