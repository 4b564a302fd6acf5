#pragma once
// Where everything lies on the table, in twips (1/1440 inch; 15 twips to a
// pixel at 100%), measured from the table's top-left corner. Every area and
// spot of the table is named here once: the rules, the animations and the
// window all read it from here.

namespace meldora::layout {

struct Point {
    int left = 0, top = 0;
};

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
    // Lower bounds belong to the area, upper bounds do not.
    constexpr bool contains(int x, int y) const {
        return x >= left && x < right() && y >= top && y < bottom();
    }
};

constexpr Rect Span(int left, int right, int top, int bottom) {
    return {left, top, right - left, bottom - top};
}

// ---- the table and a card ---------------------------------------------------
constexpr int kTableWidth = 15600;
constexpr int kTableHeight = 11100;
constexpr int kCardWidth = 1065;   // an upright card; a sideways back lies across
constexpr int kCardHeight = 1440;

// ---- piles -------------------------------------------------------------------
// The gathered pack before the deal: card i lies kPackStep further right and
// kPackStep higher than card i - 1.
constexpr Point kPack{7500, 4550};
constexpr int kPackStep = 2;
// The stock: the k-th stock card lies kPileStep right of and above the one before.
constexpr Point kStock{480, 600};
// The discard pile: the k-th card from the bottom lies kPileStep right of the one before.
constexpr Point kDiscardPile{13320, 8280};
constexpr int kPileStep = 2;
// Where the player's discarded card is put down before the pile is re-laid.
constexpr int kDiscardDropTop = 8400;

// ---- the discard area and the board, by a released card's top-left corner ------
constexpr Rect kDiscardArea = Span(12840, 15000, 8160, 9840);
constexpr Rect kBoard = Span(1200, 14160, 2140, 6480);
constexpr int kMeldColumnWidth = 1080;
constexpr int MeldColumnLeft(int slot) { return kBoard.left + kMeldColumnWidth * (slot - 1); }
// Meld cards lie down their column, each in front of the one above.
constexpr int kMeldCardTop = 2760;
constexpr int kMeldCardStep = 250;

constexpr int kMeldColumns = kBoard.width / kMeldColumnWidth;

// ---- hands -------------------------------------------------------------------
// First card of a hand and the step to each next card.
struct HandPlace {
    Point first;
    int stepLeft = 0, stepTop = 0;
};
constexpr int kSideHandTop = 2640;  // West's and East's first card
constexpr HandPlace kPlayerHand{{2120, 8160}, 400, 0};
constexpr HandPlace kWestHand{{-240, kSideHandTop}, 0, 150};
constexpr HandPlace kNorthHand{{4080, 450}, 150, 0};
constexpr HandPlace kEastHand{{14200, kSideHandTop}, 0, 150};
// A robot's face-down hand spreads wider once the round is over.
constexpr int kRobotStepRoundOver = 300;

constexpr const HandPlace& HandOf(int seat) {
    return seat == 1 ? kWestHand : seat == 2 ? kNorthHand : seat == 3 ? kEastHand : kPlayerHand;
}

constexpr Point Step(const HandPlace& p, int index, int stepLeft, int stepTop) {
    return {p.first.left + stepLeft * index, p.first.top + stepTop * index};
}

// Spot of card `index` (0 = first) of a seat's hand.
constexpr Point HandSpot(int seat, int index, bool roundOver) {
    const HandPlace& p = HandOf(seat);
    if (seat >= 1 && seat <= 3 && roundOver)
        return Step(p, index, p.stepLeft ? kRobotStepRoundOver : 0, p.stepTop ? kRobotStepRoundOver : 0);
    return Step(p, index, p.stepLeft, p.stepTop);
}

// At the end of a round the robots' cards are turned face up, upright, in
// their own side of the table: West's and East's down the sides, above the
// discard pile's label, North's along the top, left of the latest points.
constexpr HandPlace kWestRevealed{{120, kSideHandTop}, 0, 400};
constexpr HandPlace kNorthRevealed{{kNorthHand.first.left, kNorthHand.first.top}, 400, 0};
constexpr HandPlace kEastRevealed{{14280, kSideHandTop}, 0, 400};
constexpr int kSideRevealedBottom = 7800;
constexpr int kNorthRevealedRight = 11340;

// Spot of card `index` of `count` revealed cards of a robot seat: the usual
// step, tightened so that the last card stays inside the seat's side.
constexpr Point RevealedSpot(int seat, int index, int count) {
    const int gaps = count > 1 ? count - 1 : 1;
    if (seat == 2) {
        const int room = (kNorthRevealedRight - kCardWidth - kNorthRevealed.first.left) / gaps;
        return Step(kNorthRevealed, index, room < kNorthRevealed.stepLeft ? room : kNorthRevealed.stepLeft, 0);
    }
    const HandPlace& p = seat == 1 ? kWestRevealed : kEastRevealed;
    const int room = (kSideRevealedBottom - kCardHeight - p.first.top) / gaps;
    return Step(p, index, 0, room < p.stepTop ? room : p.stepTop);
}

// ---- the deal and cards on their way ---------------------------------------------
// A dealt card lands in a loose heap in its seat's area; `r` in [0, 1)
// chooses the spot along the seat's edge.
constexpr int kDealSideLeftWest = 240;
constexpr int kDealSideLeftEast = 14000;
constexpr int kDealSideSpread = 2000;
constexpr int kDealRowLeft = 3000;
constexpr int kDealRowSpread = 5000;
inline Point DealLanding(int seat, double r) {
    const int along = static_cast<int>(r * ((seat == 1 || seat == 3) ? kDealSideSpread : kDealRowSpread));
    switch (seat) {
        case 1: return {kDealSideLeftWest, kSideHandTop + along};
        case 3: return {kDealSideLeftEast, kSideHandTop + along};
        case 2: return {kDealRowLeft + along, kNorthHand.first.top};
        default: return {kDealRowLeft + along, kPlayerHand.first.top};
    }
}

// Where a card drawn by a seat travels before the hand is re-laid.
constexpr int kTravelSideTop = 3400;
constexpr Point TravelTarget(int seat) {
    return seat == 1   ? Point{kDealSideLeftWest, kTravelSideTop}
           : seat == 2 ? Point{5400, kNorthHand.first.top}
           : seat == 3 ? Point{kDealSideLeftEast, kTravelSideTop}
                       : Point{5000, kPlayerHand.first.top};
}

// The steps of a card a robot lays into the meld area (three spots, then
// its column) and of a robot's discard on its way to the pile.
struct Path {
    const Point* spots = nullptr;
    int count = 0;
};
inline constexpr Point kWestMeldPath[] = {{1667, 3900}, {3640, 4500}, {5000, 4350}};
inline constexpr Point kNorthMeldPath[] = {{6360, 1350}, {6970, 2550}, {6500, 4050}};
inline constexpr Point kEastMeldPath[] = {{11000, 3900}, {9500, 4500}, {8500, 4050}};
inline constexpr Point kWestDiscardPath[] = {{3360, 4080}, {6720, 5160}, {9720, 6360}, {11280, 7280}};
inline constexpr Point kNorthDiscardPath[] = {{6240, 2400}, {9000, 4920}, {11280, 7280}};
inline constexpr Point kEastDiscardPath[] = {{12840, 4680}, {11280, 7280}};

constexpr Path MeldPath(int seat) {
    return seat == 1 ? Path{kWestMeldPath, 3} : seat == 2 ? Path{kNorthMeldPath, 3}
         : seat == 3 ? Path{kEastMeldPath, 3} : Path{};
}
constexpr Path DiscardPath(int seat) {
    return seat == 1 ? Path{kWestDiscardPath, 4} : seat == 2 ? Path{kNorthDiscardPath, 3}
         : seat == 3 ? Path{kEastDiscardPath, 2} : Path{};
}

// ---- controls ----------------------------------------------------------------------
// Buttons under the player's hand.
constexpr Rect kCmdStock{2120, 9780, 2150, 420};
constexpr Rect kCmdDiscard{4350, 9780, 2150, 420};
constexpr Rect kCmdMayI{6580, 9780, 1300, 420};
constexpr Rect kCmdPass{7960, 9780, 1300, 420};
constexpr Rect kCmdTakeBack{9340, 9780, 1500, 420};
constexpr Rect kCmdSortSuits{10920, 9780, 1400, 420};
constexpr Rect kCmdSortSame{12400, 9780, 1400, 420};

// The score board; what lies on it is placed relative to its corner.
constexpr Rect kFramScore{1600, 1500, 12400, 4600};
constexpr Rect kScoreButtonRow{240, 3900, 1900, 450};  // CmdFinished; the others follow
constexpr int kScoreButtonGap = 160;
constexpr int kCmdShutLeft = 10100;
constexpr Rect kScoreName{120, 840, 2100, 360};   // seat 0; each next seat lower
constexpr int kScoreRowStep = 480;
constexpr Rect kScoreRound{2280, 840, 1090, 360};  // round 1 of seat 0
constexpr int kScoreRoundStep = 1150;
constexpr Rect kScoreTotal{10370, 840, 1500, 360};
constexpr int kScoreHeadingRise = 390;  // column heads above the first row
constexpr int kScoreHeadingHeight = 330;
constexpr Rect kLblWhoWon{120, 3000, 12100, 720};

// The statistics panel: a line per seat, then the games played.
constexpr Rect kFramstats{3600, 1800, 8400, 4200};
constexpr Rect kLblwon{240, 600, 4200, 360};  // seat 0; each next seat lower
constexpr Rect kLblNumWon{4560, 600, 1200, 360};
constexpr Rect kLpercent{5880, 600, 1200, 360};
constexpr int kStatsRowStep = 480;
constexpr Rect kLblTotalPlayed{240, 2640, 4200, 360};
constexpr Rect kLblNumPlayed{4560, 2640, 1200, 360};
constexpr Rect kCmdReset{1200, 3500, 1800, 450};
constexpr Rect kCmdSet{5400, 3500, 1800, 450};

// The Joker panel: a row of the thirteen values, a row of the four suits
// and "No Suit", each under its caption. A choice is wide enough for
// "Queen" in the table's smallest text with the two-pixel frame of the
// keyboard's choice round it, on the smallest table.
constexpr Rect kFramJoker{2550, 2400, 10500, 3600};
constexpr Rect kLblJoker{120, 360, 10260, 300};
constexpr Rect kJokerValue{120, 720, 750, 420};  // Ace; each next value further right
constexpr int kJokerValueStep = 780;
constexpr Rect kLblSuitRun{120, 1260, 6240, 600};
constexpr Rect kLblSuitSet{6600, 1260, 3780, 600};
constexpr Rect kJokerSuit{120, 1980, 1380, 420};  // Diamonds; each next suit further right
constexpr int kJokerSuitStep = 1500;
constexpr Rect kJokerNoSuit{6600, 1980, 1500, 420};
constexpr Rect kCmdJoker{3000, 3000, 1500, 420};
constexpr Rect kCmdCancel{6000, 3000, 1500, 420};

// The meld table behind the board, with a label at the head of each column.
constexpr Rect kFramMelds{1140, 2070, 13040, 5640};
constexpr int kMeldLabelTop = 2400;
constexpr int kMeldLabelHeight = 300;
constexpr int kMeldDividerInset = 60;  // dividing lines stop short of the frame's foot
// The frame's caption: this far right of and below the frame's corner.
constexpr Point kMeldCaption{90, 30};

// The latest points, top right; its lines relative to its corner.
constexpr Rect kFramLatestPoints{11400, 60, 4080, 1980};
constexpr Rect kLatestPointsLine{120, 390, 3840, 300};  // seat line 1; each next lower
constexpr int kLatestPointsStep = 330;
constexpr Rect kLblToRnd{120, 1680, 3840, 270};
// The caption, from here to the frame's right edge and down to the first line.
constexpr Point kLatestPointsCaption{120, 45};

// Seat names.
constexpr Rect kLblNamePlayer{2120, 7800, 6000, 330};
constexpr Rect kLblNameWest{60, 2250, 3000, 330};
constexpr Rect kLblNameNorth{4080, 60, 6000, 330};
constexpr Rect kLblNameEast{12600, 2250, 2940, 330};

// Pile outlines and counters.
constexpr Rect kShpStock{420, 480, 1200, 1620};
constexpr Rect kShapeDiscard{13260, 8220, 1300, 1560};
constexpr Rect kLblStock{1740, 1620, 1800, 300};
constexpr Rect kLblDiscard{13260, 7860, 2200, 300};
constexpr int kPileCornerRadius = 90;  // of the outlines' rounded corners

// Status lines and the pop-up info label.
constexpr Rect kLblBots{120, 10290, 15360, 360};
constexpr Rect kLblP{120, 10680, 15360, 360};
constexpr Rect kLblInfo{4200, 6600, 7200, 480};
constexpr Rect kLblTitle{2400, 3600, 10800, 1200};

// The opening show before the welcome: two columns of card faces, below
// the West and East names so that both stay readable.
constexpr Point kOpeningLeftColumn{1000, 2700};
constexpr Point kOpeningRightColumn{12450, 2850};
constexpr int kOpeningStep = 450;

// ---- where a released card goes ------------------------------------------------
// A target of a released card: the discard pile, meld column k of the
// board, or nowhere.
enum class DropArea { Discard, Board, Elsewhere };
struct Drop {
    DropArea area = DropArea::Elsewhere;
    int column = 0;  // 1..12 on the board
    constexpr bool operator==(const Drop& o) const { return area == o.area && column == o.column; }
};

// The targets as the table draws them: a meld column runs down the meld
// table from its top edge to its foot; the discard pile has its frame.
constexpr Rect TargetArea(const Drop& d) {
    if (d.area == DropArea::Discard) return kShapeDiscard;
    if (d.area == DropArea::Board) return {MeldColumnLeft(d.column), kFramMelds.top, kMeldColumnWidth, kFramMelds.height};
    return {};
}

// The corner rule: the area the card's top-left corner lies in.
constexpr Drop ClassifyDrop(int left, int top) {
    if (kDiscardArea.contains(left, top)) return {DropArea::Discard, 0};
    if (kBoard.contains(left, top)) return {DropArea::Board, (left - kBoard.left) / kMeldColumnWidth + 1};
    return {};
}

constexpr int OverlapArea(const Rect& a, const Rect& b) {
    const int w = (a.right() < b.right() ? a.right() : b.right()) - (a.left > b.left ? a.left : b.left);
    const int h = (a.bottom() < b.bottom() ? a.bottom() : b.bottom()) - (a.top > b.top ? a.top : b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// Where a card lying over `card` goes when it is let go: the target it
// covers most (on a tie the discard pile, then the column further left);
// a card covering none goes by the corner rule.
constexpr Drop DropTarget(const Rect& card) {
    Drop best = {DropArea::Discard, 0};
    int most = OverlapArea(card, TargetArea(best));
    for (int k = 1; k <= kMeldColumns; ++k) {
        const Drop column{DropArea::Board, k};
        const int covered = OverlapArea(card, TargetArea(column));
        if (covered > most) {
            most = covered;
            best = column;
        }
    }
    return most > 0 ? best : ClassifyDrop(card.left, card.top);
}

}  // namespace meldora::layout
