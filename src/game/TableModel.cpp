#include "game/TableModel.h"

#include "game/Cards.h"

namespace meldora {

namespace {
void Place(Control& c, const layout::Rect& r) {
    c.Left = r.left;
    c.Top = r.top;
    c.Width = r.width;
    c.Height = r.height;
}

void Make(Control& c, const char* caption, const char* tip, bool visible) {
    c.Caption = caption;
    c.ToolTip = tip;
    c.Visible = visible;
}

layout::Rect Below(layout::Rect r, int rows, int step) {
    r.top += rows * step;
    return r;
}

layout::Rect Across(layout::Rect r, int columns, int step) {
    r.left += columns * step;
    return r;
}

bool Inside(const Control& c, int x, int y) {
    return c.Visible && layout::Rect{c.Left, c.Top, c.Width, c.Height}.contains(x, y);
}
}  // namespace

// Design-time state of the table: captions, tool tips and where everything
// sits. Controls on a panel (score board, statistics, Joker panel, latest
// points) are placed relative to the panel's top-left corner.
TableModel::TableModel() {
    using namespace layout;
    for (int i = 1; i <= kCardCount; ++i) {
        Cds[i].Picture = kPicBack;
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
    Place(CmdStock, kCmdStock);
    Place(CmdDiscard, kCmdDiscard);
    Place(CmdMayI, kCmdMayI);
    Place(CmdPass, kCmdPass);
    Place(CmdTakeBack, kCmdTakeBack);
    Place(CmdSortSuits, kCmdSortSuits);
    Place(CmdSortSame, kCmdSortSame);

    // Score board and its buttons.
    Make(FramScore, "Penalty Points - move around with mouse here",
         "Move around with mouse to see cards underneath", false);
    Place(FramScore, kFramScore);
    Make(CmdFinished, "Next &Round", "Click to play next round or new game", true);
    // The save buttons show once a round can be saved; "C&lose Me" only
    // when the board is looked at between rounds.
    Make(CmdSave, "Save  and E&xit", "Click to save and exit the game", false);
    Make(CmdSve, "Sa&ve Only", "Click to save and then carry on", false);
    Make(CmdShut, "C&lose Me", "Click to close", false);
    const int buttonStep = kScoreButtonRow.width + kScoreButtonGap;
    Place(CmdFinished, kScoreButtonRow);
    Place(CmdSve, Across(kScoreButtonRow, 1, buttonStep));
    Place(CmdSave, Across(kScoreButtonRow, 2, buttonStep));
    Place(CmdShut, {kCmdShutLeft, kScoreButtonRow.top, kScoreButtonRow.width, kScoreButtonRow.height});
    for (int s = 0; s < 4; ++s) {
        Place(ScoreNames[s], Below(kScoreName, s, kScoreRowStep));
        for (int r = 1; r <= 7; ++r)
            Place(LblRnd[r][s], Below(Across(kScoreRound, r - 1, kScoreRoundStep), s, kScoreRowStep));
        Place(LblTotal[s], Below(kScoreTotal, s, kScoreRowStep));
    }
    Make(LblWhoWon, "", "", true);
    Place(LblWhoWon, kLblWhoWon);

    // Statistics panel.
    Make(Framstats, "Games Played Statistics", "", false);
    Place(Framstats, kFramstats);
    for (int s = 0; s < 4; ++s) {
        Place(Lblwon[s], Below(kLblwon, s, kStatsRowStep));
        Place(LblNumWon[s], Below(kLblNumWon, s, kStatsRowStep));
        Place(Lpercent[s], Below(kLpercent, s, kStatsRowStep));
    }
    Make(LblTotalPlayed, "Total games played", "", true);
    Place(LblTotalPlayed, kLblTotalPlayed);
    Place(LblNumPlayed, kLblNumPlayed);
    Make(CmdReset, "R&eset", "Click here to reset all statistics", true);
    Make(CmdSet, "&Finished", " Click when finished reasing", true);
    Place(CmdReset, kCmdReset);
    Place(CmdSet, kCmdSet);

    // Joker panel.
    Make(FramJoker, "Use mouse here to push this form around", "Here you change your Joker's suit and value",
         false);
    Place(FramJoker, kFramJoker);
    Make(LblJoker, "Click below the value you wish the Joker to be", "", true);
    Place(LblJoker, kLblJoker);
    Make(LblSuit[0], "Click below the Suit which you wish the Joker to be if adding to a Run", "", true);
    Place(LblSuit[0], kLblSuitRun);
    Make(LblSuit[1], "Click below if you are just adding the Joker to a Set", "", true);
    Place(LblSuit[1], kLblSuitSet);
    static const char* const kValues[13][2] = {
        {"Ace", "an Ace"},  {"2", "a Two"},    {"3", "a Three"}, {"4", "a Four"}, {"5", "a Five"},
        {"6", "a Six"},     {"7", "a Seven"},  {"8", "an Eight"}, {"9", "a Nine"}, {"10", "a Ten"},
        {"Jack", "a Jack"}, {"Queen", "a Queen"}, {"King", "a King"}};
    for (int i = 0; i < 13; ++i) {
        Make(LblValue[i], kValues[i][0], "", true);
        LblValue[i].ToolTip = std::string("Click to make Joker ") + kValues[i][1];
        Place(LblValue[i], Across(kJokerValue, i, kJokerValueStep));
    }
    static const char* const kSuitWords[4] = {"Diamonds", "Clubs", "Hearts", "Spades"};
    for (int k = 0; k < 4; ++k) {
        Make(LblValue[13 + k], kSuitWords[k], "", true);
        LblValue[13 + k].ToolTip = std::string("Click to make Joker suit ") + kSuitWords[k];
        Place(LblValue[13 + k], Across(kJokerSuit, k, kJokerSuitStep));
    }
    Make(LblValue[17], "No Suit", "Click here if Joker to be added to Set - No suit", true);
    Place(LblValue[17], kJokerNoSuit);
    Make(CmdJoker, "&O.K", "Click when two labels highlighted", true);
    Make(CmdCancel, "&Cancel", "Click to cacel Joker changes", true);
    Place(CmdJoker, kCmdJoker);
    Place(CmdCancel, kCmdCancel);

    // The meld table across the middle of the board.
    Make(FramMelds, "The Melds Table", "", false);
    Place(FramMelds, kFramMelds);
    for (int m = 1; m <= kMeldSlots; ++m) {
        Make(LblMelds[m], "", "", false);
        Place(LblMelds[m], {MeldColumnLeft(m), kMeldLabelTop, kCardWidth, kMeldLabelHeight});
    }

    // Latest points, top right.
    Make(FramLatestPoints, "Penalty Points", "Up-to-Date penalty points", false);
    Place(FramLatestPoints, kFramLatestPoints);
    for (int i = 1; i <= 4; ++i) Place(LblLatestPoints[i], Below(kLatestPointsLine, i - 1, kLatestPointsStep));
    Place(LblToRnd, kLblToRnd);

    // Seat names.
    Make(LblNames[0], "Player", "", true);
    Make(LblNames[1], "EastBot", "", true);
    Make(LblNames[2], "NorthBot", "", true);
    Make(LblNames[3], "WestBot", "", true);
    Place(LblNames[0], kLblNamePlayer);
    Place(LblNames[1], kLblNameWest);
    Place(LblNames[2], kLblNameNorth);
    Place(LblNames[3], kLblNameEast);

    // Piles.
    Make(ShpStock, "", "", false);
    Place(ShpStock, kShpStock);
    Make(ShapeDiscard, "", "", false);
    Place(ShapeDiscard, kShapeDiscard);
    Make(LblStock, "In Stock", "Number of cards left in stock", false);
    Place(LblStock, kLblStock);
    Make(LblDiscard, "Discard", "Number of cards in Discard pile", false);
    Place(LblDiscard, kLblDiscard);

    // Status lines and the pop-up info label.
    Make(LblBots, "", "Quick view of what happening", true);
    Make(LblP, "", "Instruction on what to do next", true);
    Make(LblInfo, "", "General Information here", false);
    Place(LblBots, kLblBots);
    Place(LblP, kLblP);
    Place(LblInfo, kLblInfo);

    Make(lblTitle, "Welcome to Meldora", "", false);
    Place(lblTitle, kLblTitle);

    ShowStatusCaptions();
}

layout::Rect TableModel::CardArea(const CardImage& c) {
    const bool sideways = c.Picture == kPicBackSideways;
    return {c.Left, c.Top, sideways ? kCardHeight : kCardWidth, sideways ? kCardWidth : kCardHeight};
}

layout::Drop TableModel::CarriedTarget() const {
    const CardImage* card = FollowMouse.Enabled() ? FollowMouse.Card() : nullptr;
    return card ? layout::DropTarget(CardArea(*card)) : layout::Drop{};
}

int TableModel::TopCardAt(int x, int y) const {
    int top = 0;
    for (int n = 1; n <= kCardCount; ++n) {
        const CardImage& c = Cds[n];
        if (!c.Visible || !CardArea(c).contains(x, y)) continue;
        if (top == 0 || c.ZOrder >= Cds[top].ZOrder) top = n;
    }
    return top;
}

int TableModel::CardAt(int x, int y) const {
    const int top = TopCardAt(x, y);
    return top != 0 && Cds[top].Enabled ? top : 0;
}

bool TableModel::GrabPoint(int card, layout::Point& at) const {
    const CardImage& img = Cds[card];
    // Near the corner first, where a hand grabs a card lying in a fan.
    static const int kAcross[] = {300, 100, 200, 50, 600, 900};
    static const int kDown[] = {200, 100, 600, 1200};
    for (int down : kDown)
        for (int across : kAcross)
            if (CardAt(img.Left + across, img.Top + down) == card) {
                at = {img.Left + across, img.Top + down};
                return true;
            }
    return false;
}

std::vector<TableLabel> TableModel::TableLabels() const {
    return {{"lblTitle", &lblTitle},     {"LblNames0", &LblNames[0]}, {"LblNames1", &LblNames[1]},
            {"LblNames2", &LblNames[2]}, {"LblNames3", &LblNames[3]}, {"LblStock", &LblStock},
            {"LblDiscard", &LblDiscard}, {"LblBots", &LblBots},       {"LblP", &LblP}};
}

std::string TableModel::ToolTipAt(int x, int y) const {
    // Cards lie on top of what they cover.
    if (const int card = TopCardAt(x, y)) return Cds[card].ToolTip;
    for (const TableLabel& l : TableLabels())
        if (Inside(*l.control, x, y) && !l.control->ToolTip.empty()) return l.control->ToolTip;
    if (FramMelds.Visible)
        for (int k = 1; k <= kMeldSlots; ++k)
            if (Inside(LblMelds[k], x, y)) return LblMelds[k].ToolTip;
    if (Inside(FramLatestPoints, x, y)) return FramLatestPoints.ToolTip;
    return {};
}

}  // namespace meldora
