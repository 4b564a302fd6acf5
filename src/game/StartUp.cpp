// The start of the program: the settings read, the statistics filled, the
// opening show, the seats greeted and the welcome question; and the table
// as it looks before the first deal.

#include "game/Commands.h"
#include "game/Game.h"

namespace meldora {

namespace {

// Fifteen faces for the opening show: the court cards and Aces of each
// suit and a Joker, down the left side of the table and then the right.
const int kOpeningFaces[15] = {1, 26, 24, 27, 52, 50, 53, 78, 76, 79, 104, 102, 22, 48, 105};
constexpr int kOpeningLeftCount = 8;

void OpeningShow(Game& g) {
    PaceScope pace(g, kOpeningStepMs);
    for (int i = 0; i < 15; ++i) {
        const bool left = i < kOpeningLeftCount;
        const layout::Point column = left ? layout::kOpeningLeftColumn : layout::kOpeningRightColumn;
        const int row = left ? i : i - kOpeningLeftCount;
        CardImage& img = g.ui.Cds[kOpeningFaces[i]];
        img.Picture = kOpeningFaces[i];
        img.Left = column.left;
        img.Top = column.top + layout::kOpeningStep * row;
        img.Visible = true;
        g.ui.BringToFront(img);
        g.PlayDealSound();
    }
}

}  // namespace

void Game::ShowOpeningTable() {
    ui.lblTitle.Visible = true;
    SetNamedText(ui.LblNames[0].Caption, NameMark(0));
    SetNamedText(ui.LblNames[1].Caption, NameMark(1));
    SetNamedText(ui.LblNames[2].Caption, NameMark(2) + " says Hello " + NameMark(0));
    SetNamedText(ui.LblNames[3].Caption, NameMark(3) + " Hi ");
    // No card reacts to the mouse before a deal.
    for (int c = 1; c <= kCardCount; ++c) ui.Cds[c].Enabled = false;
}

void Game::ReportStore(const std::string& message) {
    if (!message.empty()) ShowMessage(message, "Right", "", "", "Meldora");
}

void Form_Load(Game& g) {
    g.RunHandler("Form_Load", [&] {
        std::string problems;
        if (g.store) {
            for (const std::string& m : g.store->LoadSettings(g.settings)) problems += (problems.empty() ? "" : "\n") + m;
            g.settings.Speech = g.store->LoadSpeech();
        }
        PrintStats(g);
        g.ui.lblTitle.Visible = true;
        if (!g.settings.NoAnimation) OpeningShow(g);
        g.PauseLength = g.settings.Speed;
        g.ShowOpeningTable();
        // What could not be read is told once; the rest of the start goes on.
        g.ReportStore(problems);
        g.ShowMessage(
            "Click on 'DealEm' to play now or 'Load Game' to load a previously saved game. Click 'Use Menu' to use "
            "Menus above. If this is your first time playing you may wish to look at the Help file, enter your Name, "
            "change names of robots, or adjust the speed of play. You can also turn of the cards animation and sound "
            "if you wish. Your Name and Speed will be saved for future games.You can also see current scores and "
            "statistics from the Menu.",
            "Deal 'Em Now", "Use Menu", "Load Game", "Hello and Welcome");
        for (int c = 1; c <= kCardCount; ++c) g.ui.Cds[c].Enabled = false;
        if (g.MsgButton == 0) {
            g.RequestRestart([&g] {
                g.MoveOpeningString();
                g.StartNewGame();
            });
        } else if (g.MsgButton == 2) {
            LoadSavedGame(g);
        }
    });
}

}  // namespace meldora
