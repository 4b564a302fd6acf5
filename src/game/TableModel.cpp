#include "game/TableModel.h"

namespace meldora {

namespace {
void Place(Control& c, int left, int top, int width, int height) {
    c.Left = left;
    c.Top = top;
    c.Width = width;
    c.Height = height;
}

void Make(Control& c, const char* caption, const char* tip, bool visible) {
    c.Caption = caption;
    c.ToolTip = tip;
    c.Visible = visible;
}
}  // namespace

// Design-time state of the table: captions, tool tips and where everything
// sits. Controls on a panel (score board, statistics, Joker panel, latest
// points) are placed relative to the panel's top-left corner.
TableModel::TableModel() {
    for (int i = 1; i <= 107; ++i) {
        Cds[i].Picture = 108;
        Cds[i].Visible = false;
        Cds[i].Enabled = false;
    }

    // Buttons under the player's hand.
    Make(CmdStock, "Take Stoc&k Card", " Click to take the Stock card", false);
    Make(CmdDiscard, "Take &Discard Card", "Click to take the Discard card", false);
    Make(CmdMayI, "&MayI", "Click to take Discard and Stock card", false);
    Make(CmdPass, "&Pass", "Click here to Pass on MayI?", false);
    Make(CmdSortSuits, "Sor&t Suits", "Click to sort in Suits", false);
    Make(CmdSortSame, "&Sort Sets", "Click to sort in Sets", false);
    Make(CmdTakeBack, "Take &Back", "Click to take back cards Melded", false);
    Place(CmdStock, 2120, 9780, 1900, 420);
    Place(CmdDiscard, 4100, 9780, 1900, 420);
    Place(CmdMayI, 6080, 9780, 1300, 420);
    Place(CmdPass, 7460, 9780, 1300, 420);
    Place(CmdTakeBack, 8840, 9780, 1500, 420);
    Place(CmdSortSuits, 10420, 9780, 1400, 420);
    Place(CmdSortSame, 11900, 9780, 1400, 420);

    // Score board and its buttons.
    Make(FramScore, "Penalty Points - move around with mouse here",
         "Move around with mouse to see cards underneath", false);
    Place(FramScore, 2100, 1500, 11400, 4600);
    Make(CmdFinished, "Next &Round", "Click to play next round or new game", true);
    // The save buttons show once a round can be saved; "C&lose Me" only
    // when the board is looked at between rounds.
    Make(CmdSave, "Save  and E&xit", "Click to save and exit the game", false);
    Make(CmdSve, "Sa&ve Only", "Click to save and then carry on", false);
    Make(CmdShut, "C&lose Me", "Click to close", false);
    Place(CmdFinished, 240, 3900, 1900, 450);
    Place(CmdSve, 2300, 3900, 1900, 450);
    Place(CmdSave, 4360, 3900, 1900, 450);
    Place(CmdShut, 9100, 3900, 1900, 450);
    for (int s = 0; s < 4; ++s) {
        const int top = 840 + 480 * s;
        Place(ScoreNames[s], 120, top, 2100, 360);
        for (int r = 1; r <= 7; ++r) Place(LblRnd[r][s], 2280 + 1020 * (r - 1), top, 960, 360);
        Place(LblTotal[s], 9420, top, 1500, 360);
    }
    Make(LblWhoWon, "", "", true);
    Place(LblWhoWon, 120, 3000, 11100, 720);

    // Statistics panel.
    Make(Framstats, "Games Played Statistics", "", false);
    Place(Framstats, 3600, 1800, 8400, 4200);
    Make(CmdReset, "R&eset", "Click here to reset all statistics", true);
    Make(CmdSet, "&Finished", " Click when finished reasing", true);
    Place(CmdReset, 1200, 3500, 1800, 450);
    Place(CmdSet, 5400, 3500, 1800, 450);

    // Joker panel.
    Make(FramJoker, "", "Here you change your Joker's suit and value", false);
    Place(FramJoker, 4200, 2400, 7200, 3600);
    Make(CmdJoker, "&O.K", "Click when two labels highlighted", true);
    Make(CmdCancel, "&Cancel", "Click to cacel Joker changes", true);
    Place(CmdJoker, 1200, 3000, 1500, 420);
    Place(CmdCancel, 4500, 3000, 1500, 420);

    // The meld table across the middle of the board.
    Make(FramMelds, "The Melds Table", "", false);
    Place(FramMelds, 1140, 2070, 13040, 5640);
    for (int m = 1; m <= 12; ++m) {
        Make(LblMelds[m], "", "", false);
        Place(LblMelds[m], 1200 + 1080 * (m - 1), 2400, 1065, 300);
    }

    // Latest points, top right.
    Make(FramLatestPoints, "Penalty Points", "Up-to-Date penalty points", false);
    Place(FramLatestPoints, 11400, 60, 4080, 1980);
    for (int i = 1; i <= 4; ++i) Place(LblLatestPoints[i], 120, 60 + 330 * i, 3840, 300);
    Place(LblToRnd, 120, 1680, 3840, 270);

    // Seat names.
    Make(LblNames[0], "Player", "", true);
    Make(LblNames[1], "EastBot", "", true);
    Make(LblNames[2], "NorthBot", "", true);
    Make(LblNames[3], "WestBot", "", true);
    Place(LblNames[0], 2120, 7800, 6000, 330);
    Place(LblNames[1], 60, 2250, 3000, 330);
    Place(LblNames[2], 4080, 60, 6000, 330);
    Place(LblNames[3], 12600, 2250, 2940, 330);

    // Piles.
    Make(ShpStock, "", "", false);
    Place(ShpStock, 420, 480, 1200, 1620);
    Make(ShapeDiscard, "", "", false);
    Place(ShapeDiscard, 13260, 8220, 1300, 1560);
    Make(LblStock, "In Stock", "Number of cards left in stock", false);
    Place(LblStock, 1740, 1620, 1800, 300);
    Make(LblDiscard, "Discard", "Number of cards in Discard pile", false);
    Place(LblDiscard, 13260, 7860, 2200, 300);

    // Status lines and the pop-up info label.
    Make(LblBots, "", "Quick view of what happening", true);
    Make(LblP, "", "Instruction on what to do next", true);
    Make(LblInfo, "", "General Information here", false);
    Place(LblBots, 120, 10290, 15360, 360);
    Place(LblP, 120, 10680, 15360, 360);
    Place(LblInfo, 4200, 6600, 7200, 480);

    Make(lblTitle, "Welcome to Meldora", "", false);
    Place(lblTitle, 2400, 3600, 10800, 1200);
}

}  // namespace meldora
