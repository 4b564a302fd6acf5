// "May I?": a seat that draws from the stock first offers the top discard
// to the other seats in a fixed order; a claimer takes it and a penalty
// card from the stock.

#include "game/Game.h"
#include "robots/Robots.h"

namespace meldora {

namespace {
// Seats asked when the given seat draws from the stock, in order.
const std::vector<int>& AskedAfter(int drawer) {
    static const std::vector<int> rows[4] = {{1, 2}, {2, 3, 0}, {3, 0}, {0, 1}};
    static const std::vector<int> none;
    return drawer >= 0 && drawer <= 3 ? rows[drawer] : none;
}
}  // namespace

void Game::MayIFrom(int drawer) {
    MayIClaimed = false;
    for (int seat : AskedAfter(drawer)) {
        if (RoundOver || GameOver) return;
        if (seat == 0) {
            MayIRoutineP();
        } else {
            if (HasContract[seat]) continue;
            MayIWho(seat);
        }
        if (MayIClaimed) {
            CollectHand(drawer);
            return;
        }
    }
}

bool Game::CheckForSameValue() {
    const int top = TopDiscard();
    if (top == 0) return false;
    const int v = CardTable[top].Value;
    for (int i = 1; i <= HandCount(); ++i)
        if (HandCards[i] > 0 && CardTable[HandCards[i]].Value == v) return true;
    return false;
}

void Game::MayIWho(int seat) {
    CollectHand(seat);
    const int top = TopDiscard();
    if (top == 0) return;
    const int v = CardTable[top].Value;
    auto wantsForRuns = [&] {
        return CheckWantDCRun(*this, seat) || WantDiscardRun2Check(*this, seat) ||
               CheckInBetweenCard(*this);
    };
    bool claim = false;
    switch (Round) {
        case 1:
        case 4:
            if (CheckFor3Same(*this, v))
                claim = false;
            else
                claim = CheckFor2Same(*this, v) || CheckForSameValue();
            break;
        case 2:
        case 5:
            if (CheckHasRunsContract(*this, seat)) {
                if (!CheckFor3Same(*this, v) && CheckFor2Same(*this, v))
                    claim = true;
                else
                    claim = CheckForSameValue();
            } else {
                claim = wantsForRuns();
            }
            break;
        case 6:
            CheckHasRunsContract(*this, seat);
            if (CheckHasRunsContract(*this, seat))
                claim = !CheckFor3Same(*this, v) && CheckFor2Same(*this, v);
            else
                claim = wantsForRuns();
            break;
        default:  // rounds 3 and 7: runs only
            CheckHasRunsContract(*this, seat);
            claim = wantsForRuns();
            break;
    }
    if (claim) TakeMayI(seat);
}

void Game::TakeMayI(int seat) {
    ShowGameText(SeatName(seat) + " says May I? and takes the Discard and Stock card.");
    PlayMayISound(seat);
    Pause();
    TakeDiscard(seat);
    TakeDeckCard(seat);
    MayIClaimed = true;
}

void Game::MayIRoutineP() {
    if (RoundOver || GameOver) return;
    ShowSeatText(0, " deciding if wants to say MayI?");
    ui.LblP.Caption = PlayerName() +
                      "  if you wish to say MayI? and take two cards click 'MayI' else click 'Pass'.";
    ui.CmdSortSuits.Visible = true;
    ui.CmdSortSame.Visible = true;
    ui.CmdPass.Visible = true;
    ui.SetFocus("CmdPass");
    ui.CmdMayI.Visible = true;
    ui.CmdPass.FontSize = 9;
    ui.CmdMayI.FontSize = 9;
    ui.CmdPass.Caption = "&Pass";
    ui.CmdMayI.Caption = "&MayI?";
    ui.CmdMayI.ToolTip = "Click to take Discard and Stock card";
    host.WaitForMayIAnswer([this] { return MayIAnswered; });
    if (abortChain_ && handlerDepth_ > 0) {
        ui.CmdPass.Visible = false;
        ui.CmdMayI.Visible = false;
        throw ChainAborted{};
    }
    if (!MayIAnswered) {
        // The wait ended without an answer (the window went away): a pass.
        ui.CmdPass.Visible = false;
        ui.CmdMayI.Visible = false;
    }
    ui.LblP.Caption.clear();
    ui.CmdSortSame.Visible = false;
    ui.CmdSortSuits.Visible = false;
    MayIAnswered = false;
}

void Game::LblMayI() {
    RunHandler("LblMayI", [this] {
        // Only while the question is open.
        if (!ui.CmdMayI.Visible || MayIAnswered) return;
        ShowGameText(PlayerName() + " has said 'May I?' and is taking Stock and Discard card.");
        ui.CmdPass.Visible = false;
        ui.CmdMayI.Visible = false;
        ui.CmdPass.Caption = "Pass";
        ui.CmdMayI.Caption = "MayI?";
        TakeDiscard(0);
        TakeDeckCard(0);
        MayIClaimed = true;
        MayIAnswered = true;
    });
}

void Game::CmdPass_Click() {
    RunHandler("CmdPass", [this] {
        if (!ui.CmdPass.Visible || MayIAnswered) return;
        ui.CmdMayI.Visible = false;
        ui.CmdPass.Visible = false;
        MayIAnswered = true;
    });
}

}  // namespace meldora
