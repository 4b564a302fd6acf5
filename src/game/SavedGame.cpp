// Saving at the end of a round, loading a saved game to carry on with the
// next round, and leaving the program.

#include <string>

#include "game/Commands.h"
#include "game/Game.h"

namespace meldora {

namespace {

SavedGame Snapshot(const Game& g) {
    SavedGame s;
    for (int seat = 0; seat < 4; ++seat)
        for (int r = 1; r <= 7; ++r) s.RoundPoints[seat][r] = g.RoundPoints[seat][r];
    s.GameSaved = g.GameSaved;
    s.Round = g.Round;
    for (int seat = 0; seat < 4; ++seat) s.IsDealer[seat] = g.IsDealer[seat];
    s.DealNumber = g.DealNumber;
    return s;
}

// Writes the saved game; true when it was written whole. A failure is
// told to the player instead of any word of success.
bool Write(Game& g) {
    if (!g.store) return true;
    const std::string failure = g.store->SaveGame(Snapshot(g));
    g.ReportStore(failure);
    return failure.empty();
}

// The program ends once whatever chain is waiting has unwound.
void Leave(Game& g) {
    g.RequestRestart([&g] { g.host.Quit(); });
}

}  // namespace

void CmdSave_Click(Game& g) {
    g.RunControl("CmdSave", g.ui.CmdSave, [&] {
        const std::string& name = g.PlayerName();
        if (g.Round >= 7) {
            g.GameSaved = false;
            for (auto& seat : g.RoundPoints)
                for (int r = 1; r <= 7; ++r) seat[r] = 0;
            g.Round = 0;
            if (!Write(g)) return;
            g.ShowMessage(name + " no game has been saved as you have just finished one and you will now exit the game.",
                          "Right", "", "", "No ongoing round to save.");
        } else {
            g.GameSaved = true;
            if (!Write(g)) return;  // stay, so the game is not lost
            g.ShowMessage(name + " your game has been saved up to round number " + std::to_string(g.Round) +
                              " and if you choose 'Load Game' next session, you will carry on from round " +
                              std::to_string(g.Round + 1),
                          "Right", "", "", "Game Saved.");
        }
        Leave(g);
    }, &g.ui.FramScore);
}

void CmdSve_Click(Game& g) {
    g.RunControl("CmdSve", g.ui.CmdSve, [&] {
        const std::string& name = g.PlayerName();
        if (g.Round < 7) {
            g.GameSaved = true;
            if (!Write(g)) return;  // still offered, to try again
            g.ShowMessage(name + " your game has been saved up to round number " + std::to_string(g.Round), "Right",
                          "", "", "Game Saved.");
        } else {
            g.ShowMessage(name + " there is no Round to save as  you have  finished the game. Click 'New Game' or "
                                 "'Save and Exit' to finish playing.",
                          "Right", "", "", "Game Over.");
        }
        g.ui.CmdSve.Visible = false;
    }, &g.ui.FramScore);
}

void LoadSavedGame(Game& g) {
    g.RunHandler("LoadSavedGame", [&] {
        if (g.GameInProgress) {
            g.ShowMessage(g.PlayerName() + " you are in the middle of a game and cannot load one. Finish the round "
                                           "you are on then save and exit and come back here.",
                          "Right", "", "", "Cannot load in middle of another game.");
            return;
        }
        SavedGame saved;
        const LoadGameResult result = g.store ? g.store->LoadGame(saved) : LoadGameResult{};
        if (result.Status == LoadStatus::Refused) {
            g.ShowMessage(result.Message, "O.K.", "", "", "Load Game");
            return;
        }
        if (result.Status == LoadStatus::NoGameSaved) {
            g.ShowMessage("You do not have a saved game to load. Please go to menu and start a new game", "O.K.", "",
                          "", "No game saved");
            return;
        }
        // A new game starts from the saved scores, once whatever chain is
        // waiting underneath has unwound.
        g.RequestRestart([&g, saved] {
            g.GameSaved = false;  // the file keeps it: it can be loaded again later
            for (int s = 0; s < 4; ++s) {
                g.Totals[s] = 0;
                for (int r = 1; r <= 7; ++r) {
                    g.RoundPoints[s][r] = saved.RoundPoints[s][r];
                    g.ui.LblRnd[r][s].Caption = std::to_string(saved.RoundPoints[s][r]);
                    g.Totals[s] += saved.RoundPoints[s][r];
                }
                g.ui.LblTotal[s].Caption = std::to_string(g.Totals[s]);
                g.SetNamedText(g.ui.ScoreNames[s].Caption, g.NameMark(s));
                g.IsDealer[s] = saved.IsDealer[s];
            }
            g.Round = saved.Round;
            g.DealNumber = saved.DealNumber > 0 ? saved.DealNumber : g.NewDealNumber();
            g.ui.LblWhoWon.Caption.clear();  // a finished game's winner is not this game's
            g.ui.LblToRnd.Caption = "To round number " + std::to_string(g.Round);
            g.MoveOpeningString();
            g.GameInProgress = true;
            g.GameOver = false;
            g.RoundOver = false;
            g.SetCardFaces();
            g.SetUpNewHand();
        });
    });
}

void MnuExit_Click(Game& g) {
    g.RunHandler("MnuExit", [&] {
        if (g.GameInProgress) {
            g.ShowMessage("Do you really wish to stop playing and exit the game without saving?", "Yes Exit",
                          "No Cancel", "", "Really Leave?", 1);
            if (g.MsgButton != 0) return;
        }
        Leave(g);
    });
}

bool Form_QueryUnload(Game& g) {
    g.PlayFile("\\ringout.wav");
    return g.host.SystemQuestion("Do you really wish to leave the game?. Any rounds played will not be saved!  ",
                                 "Really leave game?");
}

}  // namespace meldora
