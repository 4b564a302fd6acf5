// The rest of a robot's turn once it has chosen how to draw: drawing (with
// the "May I?" offer before a stock draw), stealing Jokers, laying the
// contract or laying off, discarding and passing the turn on; and a robot's
// answer when another seat's discard is offered to it.

#include "game/Game.h"
#include "game/Guard.h"
#include "robots/Robots.h"

namespace meldora {

namespace {

class Robots : public RobotSeats {
public:
    void PlayBots(Game& g, int seat) override { meldora::PlayBots(g, seat); }
    void MayIWho(Game& g, int seat) override { meldora::MayIWho(g, seat); }
};

bool Halted(const Game& g) { return g.RoundOver || g.GameOver; }

void MakeContract(Game& g, int seat) {
    switch (g.Round) {
        case 1: MakeContract1(g, seat); break;
        case 2: MakeContract2(g, seat); break;
        case 3: MakeContract3(g, seat); break;
        case 4: MakeContract4(g, seat); break;
        case 5: MakeContract5(g, seat); break;
        case 6: MakeContract6(g, seat); break;
        case 7: MakeContract7(g, seat); break;
        default: break;
    }
}

}  // namespace

void AnnounceDiscard(Game& g, int seat) { g.ShowSeatText(seat, "will now discard a card."); }

RobotSeats& TheRobots() {
    static Robots robots;
    return robots;
}

void AnnounceDraw(Game& g, int seat) {
    g.ui.LblInfo.Visible = false;
    g.CollectHand(seat);
    g.ShowSeatText(seat, "will now take Discard or Stock card. If Stock then Discard will be offered.");
}

bool DrawFromStock(Game& g, int seat) {
    g.ShowSeatText(seat, "wants Stock card so Discard card on offer to others.");
    g.MayIFrom(seat);
    if (Halted(g)) return false;
    g.CollectHand(seat);
    g.ui.LblP.Caption = " ";
    g.TakeDeckCard(seat);
    return true;
}

void DrawDiscard(Game& g, int seat) {
    g.ShowSeatText(seat, " is taking the Discard card so not on offer to other players.");
    g.TakeDiscard(seat);
}

void TakingDeck(Game& g, int seat) {
    if (DrawFromStock(g, seat)) CardTakenBotsAction(g, seat);
}

void TakingDiscard(Game& g, int seat) {
    DrawDiscard(g, seat);
    CardTakenBotsAction(g, seat);
}

void CardTakenBotsAction(Game& g, int seat) {
    Guarded(g, "CardTakenBotsAction", [&] {
        if (Halted(g)) return;
        g.CollectHand(seat);
        if (g.Round <= 5 || (g.Round == 6 && g.HasContract[seat]) || g.Round == 7) {
            CheckSwapJoker(g, seat);
            CheckSwapJoker(g, seat);
        }
        if (Halted(g)) return;
        if (g.HasContract[seat])
            LayOffCardBots(g, seat);
        else
            MakeContract(g, seat);
        if (Halted(g)) return;
        AnnounceDiscard(g, seat);
        if (!g.HasContract[seat]) {
            DiscardBotsNoContract(g, seat);
            g.WhoPlaysNext(seat);
        } else {
            DiscardBotsWithContract(g, seat);
            if (!Halted(g)) g.WhoPlaysNext(seat);
        }
    });
}

void MayIWho(Game& g, int seat) {
    Guarded(g, "MayIWho", [&] {
        g.CollectHand(seat);
        const int top = g.TopDiscard();
        if (top == 0) return;
        const int v = g.CardTable[top].Value;
        auto wantsForRuns = [&] {
            return CheckWantDCRun(g, seat) || WantDiscardRun2Check(g, seat) || CheckInBetweenCard(g);
        };
        bool claim = false;
        switch (g.Round) {
            case 1:
            case 4:
                claim = !CheckFor3Same(g, v) && (CheckFor2Same(g, v) || g.CheckForSameValue());
                break;
            case 2:
            case 5:
                if (CheckHasRunsContract(g, seat))
                    claim = (!CheckFor3Same(g, v) && CheckFor2Same(g, v)) || g.CheckForSameValue();
                else
                    claim = wantsForRuns();
                break;
            case 6:
                CheckHasRunsContract(g, seat);
                if (CheckHasRunsContract(g, seat))
                    claim = !CheckFor3Same(g, v) && CheckFor2Same(g, v);
                else
                    claim = wantsForRuns();
                break;
            default:  // rounds 3 and 7: runs only
                CheckHasRunsContract(g, seat);
                claim = wantsForRuns();
                break;
        }
        if (claim) g.TakeMayI(seat);
    });
}

}  // namespace meldora
