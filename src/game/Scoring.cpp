// Penalty points, the end of a round and of the game, and the score board.

#include <ctime>
#include <string>

#include "game/Commands.h"
#include "game/Game.h"

namespace meldora {

void Game::GetPoints(int seat) {
    CollectHand(seat);
    int points = 0;
    if (CardsInHand[seat] >= 1)
        for (int i = 1; i <= HandCount(); ++i)
            if (HandCards[i] > 0) points += CardTable[HandCards[i]].Points;
    RoundPoints[seat][Round] = points;
    if (seat == 0) SetStatus(3, "Points in Hand:- " + std::to_string(points));
}

void Game::AnyWinner(int seat) {
    if (seat < 0 || seat > 3) return;
    if (RoundOver || GameOver) return;  // already scored
    if (CardsInHand[seat] != 0 && StockRenewals != 3) return;
    bool everyHandHolds = true;
    for (int s = 0; s < 4; ++s)
        if (CardsInHand[s] == 0) everyHandHolds = false;

    // The round is over before anything pauses, so nothing played during
    // the pauses below can act on it; the board's button waits until the
    // round's result is on the board.
    RoundOver = true;
    SetStatus(5, TableModel::kStatusCaptions[5]);  // nobody is playing now
    ui.CmdStock.Visible = false;
    ui.CmdDiscard.Visible = false;
    ui.CmdMayI.Visible = false;
    ui.CmdPass.Visible = false;
    ui.CmdTakeBack.Visible = false;
    ui.CmdFinished.Visible = false;

    if (Round < 7) {
        ShowGameText("");
        ui.LblP.Caption.clear();
        GetTheScores();
        ui.LblToRnd.Caption = "To round number " + std::to_string(Round);
        PrintStats(*this);
        ui.CmdFinished.Caption = "Round " + std::to_string(Round + 1);
        ui.CmdSave.Caption = "Save  and E&xit";  // whatever the last game's end named it
        ShowRoundResult();
        PlayFile("\\ringout.wav");
        ui.FramScore.Visible = true;
        ui.CmdSve.Visible = true;
        ui.CmdSave.Visible = true;
        ui.CmdShut.Visible = false;
        ui.BringToFront(ui.FramScore);
        ui.LblBots.Caption = "Use mouse at top or bottom of score board to move it round the screen";
        SetNamedText(ui.LblWhoWon.Caption, StockRenewals == 3 && everyHandHolds
                                               ? "No outright winner on this round. See above for details."
                                               : NameMark(seat) + " won this round. See above for details.");
        SayScores("Round " + std::to_string(Round) + " over. " +
                  (StockRenewals == 3 && everyHandHolds ? std::string("No outright winner on this round.")
                                                        : SeatName(seat) + " won this round."));
        ui.CmdFinished.Visible = true;
        ui.SetFocus("CmdFinished");
        return;
    }

    ui.LblP.Caption.clear();
    GameOver = true;
    GameInProgress = false;
    GetTheScores();
    ShowRoundResult();
    // The game is credited before anything can pause: whatever the player
    // chooses while it ends, the winner counts once.
    CreditGame();
    PrintStats(*this);
    ShowSeatText(seat, "");
    ui.CmdFinished.Caption = "&New Game";
    ui.CmdSave.Caption = "E&xit Game";  // the key of its other caption: R&eset has the E
    ShowGameText("");
    PlayFile("\\ringout.wav");
    ui.FramScore.Visible = true;
    ui.CmdSve.Visible = true;
    ui.CmdSave.Visible = true;
    ui.CmdShut.Visible = false;
    ui.BringToFront(ui.FramScore);
    const int winner = GameWinner();
    SayScores(winner < 0    ? std::string("Game over. Points tied on this game.")
              : winner == 0 ? std::string("Game over. You are the winner of the game. Congratulations.")
                            : "Game over. " + SeatName(winner) + " is the winner of the game.");
    ui.CmdFinished.Visible = true;
    ui.SetFocus("CmdFinished");
}

// The result as a listener hears it: the news, then each seat's points
// this round and in all.
void Game::SayScores(const std::string& news) {
    std::string text = news + " This round:";
    for (int s = 0; s < 4; ++s) text += " " + SeatName(s) + " " + std::to_string(RoundPoints[s][Round]) + (s < 3 ? "," : ".");
    text += " In all:";
    for (int s = 0; s < 4; ++s) text += " " + SeatName(s) + " " + std::to_string(Totals[s]) + (s < 3 ? "," : ".");
    Say(text, SpeechKind::Player);
}

// The seat with the unique lowest total, or -1.
int Game::GameWinner() const { return UniqueLowest(Totals); }

// The finished game as the history keeps it.
GameRecord Game::FinishedGame() const {
    GameRecord game;
    const std::time_t now = std::time(nullptr);
    char date[32] = "";
    if (const std::tm* local = std::localtime(&now)) std::strftime(date, sizeof date, "%Y-%m-%d %H:%M", local);
    game.Date = date;
    game.DealNumber = DealNumber;
    game.ExpertRobots = Robots().Expert();
    for (int s = 0; s < 4; ++s) {
        game.Names[s] = SeatName(s);
        for (int r = 1; r <= 7; ++r) game.Points[s][r] = RoundPoints[s][r];
    }
    game.Winner = GameWinner();
    return game;
}

// Ties on the board; a unique lowest total wins the game. Either way the
// game goes into the history.
void Game::CreditGame() {
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b)
            if (Totals[a] == Totals[b])
                ui.LblWhoWon.Caption = "Points tied on this game. See above. No statistics kept";
    if (const int s = GameWinner(); s >= 0) {
        settings.GamesWon[s] += 1;
        SaveStats(*this);
        SetNamedText(ui.LblWhoWon.Caption, s == 0 ? "You are the winner of the game. Congratulations"
                                                  : NameMark(s) + " is the winner of the game.");
    }
    if (store) ReportStore(store->AddHistory(FinishedGame()));
}

void Game::GetTheScores() {
    for (int s = 0; s < 4; ++s) GetPoints(s);
    for (int s = 0; s < 4; ++s)
        if (Round >= 1 && Round <= 7) ui.LblRnd[Round][s].Caption = std::to_string(RoundPoints[s][Round]);
    for (int s = 0; s < 4; ++s) {
        Totals[s] = 0;
        for (int r = 1; r <= 7; ++r) Totals[s] += RoundPoints[s][r];
        ui.LblTotal[s].Caption = std::to_string(Totals[s]);
        SetNamedText(ui.ScoreNames[s].Caption, NameMark(s));
    }
    ui.FramScore.Visible = true;
    ui.BringToFront(ui.FramScore);
}

void Game::ShowLatestPoints() {
    for (int s = 0; s < 4; ++s)
        SetNamedText(ui.LblLatestPoints[s + 1].Caption, NameMark(s) + " " + std::to_string(Totals[s]));
}

void Game::ShowRoundResult() {
    ShowLatestPoints();
    ui.LblToRnd.Caption = "To round number " + std::to_string(Round);
    for (int seat = 1; seat <= 3; ++seat) {
        if (CardsInHand[seat] <= 0) continue;
        CollectHand(seat);
        for (int i = 1; i <= HandCount(); ++i) {
            const int c = HandCards[i];
            CardImage& img = ui.Cds[c];
            img.Picture = c;
            const layout::Point spot = layout::RevealedSpot(seat, i - 1, HandCount());
            img.Left = spot.left;
            if (seat != 2) img.Top = spot.top;  // North's cards keep their row
            img.Visible = true;
            ui.BringToFront(img);
        }
    }
}

// The board's button deals the next round or, after round 7, a new game;
// either replaces what is left of the chain that ended the round.
void Game::CmdFinished_Click() {
    RunControl("CmdFinished", ui.CmdFinished, [this] {
        if (!RoundOver && !GameOver) return;
        RequestRestart([this] {
            RoundOver = true;
            ui.FramScore.Visible = false;
            ui.LblBots.Caption.clear();
            ui.LblP.Caption.clear();
            if (Round != 7) {
                SetUpNewHand();
                return;
            }
            RoundOver = GameOver = GameInProgress = false;
            for (int s = 0; s < 4; ++s) {
                for (int r = 1; r <= 7; ++r) {
                    RoundPoints[s][r] = 0;
                    ui.LblRnd[r][s].Caption.clear();
                }
                ui.LblTotal[s].Caption.clear();
            }
            ResetGame();
        });
    }, &ui.FramScore);
}

}  // namespace meldora
