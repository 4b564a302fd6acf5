// "May I?": a seat that draws from the stock first offers the top discard
// to the other seats in a fixed order; a claimer takes it and a penalty
// card from the stock.

#include "game/Describe.h"
#include "game/Game.h"

namespace meldora {

namespace {
// Seats asked when the given seat draws from the stock, in order. The
// discarding seat is never asked about its own discard: West faces the
// player's, so West's row leaves the player out.
const std::vector<int>& AskedAfter(int drawer) {
    static const std::vector<int> rows[4] = {{1, 2}, {2, 3}, {3, 0}, {0, 1}};
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
            Robots().MayIWho(*this, seat);
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

// A robot's claim (the player claims with the May I button).
void Game::TakeMayI(int seat) {
    Say(SeatName(seat) + " says May I?", SpeechKind::Robot);
    ShowGameText(NameMark(seat) + " says May I? and takes the Discard and Stock card.");
    PlayMayISound(seat);
    Pause();
    TakeDiscard(seat);
    TakeDeckCard(seat);
    MayIClaimed = true;
}

// The question as a listener hears it: the card on offer and who threw it.
std::string Game::MayIQuestion() const {
    const int top = TopDiscard();
    if (top == 0) return "";
    int thrower = -1;
    const std::vector<PileEvent>& events = PileRecord.Events();
    for (auto e = events.rbegin(); e != events.rend() && thrower < 0; ++e)
        if (e->kind == PileEvent::Discarded && e->card == top) thrower = e->seat;
    const std::string offer = thrower > 0 ? SeatName(thrower) + " threw the " + CardName(top)
                                          : "The " + CardName(top) + " is on offer";
    return "May I? " + offer + ". Say May I to take it with a stock card, or Pass.";
}

void Game::MayIRoutineP() {
    if (RoundOver || GameOver) return;
    ShowSeatText(0, " deciding if wants to say MayI?");
    SetNamedText(ui.LblP.Caption,
                 NameMark(0) + "  if you wish to say MayI? and take two cards click 'MayI' else click 'Pass'.");
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
    Say(MayIQuestion(), SpeechKind::Player);
    host.WaitForMayIAnswer([this] { return MayIAnswered; });
    if (!MayIAnswered) {
        // The wait ended without an answer (a new game, or the window going
        // away): the question is withdrawn, which counts as a pass.
        ui.CmdPass.Visible = false;
        ui.CmdMayI.Visible = false;
        UnwindIfAborted();
    }
    ui.LblP.Caption.clear();
    ui.CmdSortSame.Visible = false;
    ui.CmdSortSuits.Visible = false;
    MayIAnswered = false;
}

// Either answer closes the question: both buttons go at once, so a second
// press (a double click, the access key twice) finds nothing to act on.
void Game::LblMayI() {
    RunControl("LblMayI", ui.CmdMayI, [this] {
        if (MayIAnswered) return;
        ui.CmdPass.Visible = false;
        ui.CmdMayI.Visible = false;
        ui.LblP.Caption.clear();  // the question is answered while the cards travel
        ShowGameText(NameMark(0) + " has said 'May I?' and is taking Stock and Discard card.");
        ui.CmdPass.Caption = "Pass";
        ui.CmdMayI.Caption = "MayI?";
        TakeDiscard(0);
        TakeDeckCard(0);
        MayIClaimed = true;
        MayIAnswered = true;
        host.EndMayIWait();
    });
}

void Game::CmdPass_Click() {
    RunControl("CmdPass", ui.CmdPass, [this] {
        if (MayIAnswered) return;
        ui.CmdMayI.Visible = false;
        ui.CmdPass.Visible = false;
        MayIAnswered = true;
        host.EndMayIWait();
    });
}

}  // namespace meldora
