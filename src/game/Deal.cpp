// Starting games and rounds: the new-game question, the score reset, the
// round preparation, the dealer, the gathered pack, the deal and the first
// discard with the meld labels of the round's contract.

#include <string>

#include "game/Commands.h"
#include "game/Game.h"

namespace meldora {

// A new game replaces whatever chain of turns is waiting underneath: that
// chain unwinds first, then the opening and the deal run on a clean stack.
void Game::MnuNew_Click() { NewGameOn(0); }

void Game::ReplayDeal(int deal) {
    if (deal >= 1 && deal <= kMaxDealNumber) NewGameOn(deal);
}

void Game::NewGameOn(int deal) {
    RunHandler("MnuNew_Click", [this, deal] { NewGameBody(deal); });
}

void Game::NewGameBody(int deal) {
    if (!GameInProgress) {
        RequestRestart([this, deal] {
            MoveOpeningString();
            StartNewGame(deal);
        });
        return;
    }
    StartNewGame(deal);
}

int ParseDealNumber(const std::string& typed) {
    std::size_t first = typed.find_first_not_of(" \t");
    std::size_t last = typed.find_last_not_of(" \t");
    if (first == std::string::npos) return 0;
    const std::string digits = typed.substr(first, last - first + 1);
    if (digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
    const int deal = std::stoi(digits);
    return deal <= kMaxDealNumber ? deal : 0;
}

void MnuReplay_Click(Game& g) {
    if (g.DealNumber == 0) {
        g.RunHandler("MnuReplay", [&] {
            g.ShowMessage("No deal has been played yet. Please start a new game.", "O.K.", "", "", "Replay This Deal");
        });
        return;
    }
    g.ReplayDeal(g.DealNumber);
}

void MnuSelectDeal_Click(Game& g) {
    g.RunHandler("MnuSelectDeal", [&] {
        const std::string range = "from 1 to " + std::to_string(kMaxDealNumber);
        std::string typed;
        if (!g.host.InputBox("Enter the number of the deal you wish to play, " + range + ".", "Select Deal", typed))
            return;
        const int deal = ParseDealNumber(typed);
        if (deal == 0) {
            g.host.SystemMessage("\"" + typed + "\" is not a deal number. A deal number is a whole number " + range + ".",
                                 "Select Deal", false);
            return;
        }
        g.NewGameBody(deal);
    });
}

void Game::StartNewGame(int deal) {
    if (!GameInProgress) {
        RequestRestart([this, deal] {
            NextDealNumber = deal;
            ResetGame();
        });
        return;
    }
    // Return answers "No Cancel": a stray key press never throws a game away.
    ShowMessage(
        "You are in the middle of a game, are you sure you really wish to start a new game?.",
        "New Game", "No Cancel", "", "Really start new game?", 1);
    if (MsgButton != 0) return;
    RequestRestart([this, deal] {
        NextDealNumber = deal;
        GameInProgress = false;
        RoundOver = false;
        // The abandoned game counts against every seat, but a count never
        // goes below nothing.
        for (int& won : settings.GamesWon)
            if (won > 0) --won;
        SaveStats(*this);
        ResetGame();
    });
}

void Game::ResetGame() {
    ui.CmdPass.Visible = false;
    ui.CmdMayI.Visible = false;
    ui.CmdDiscard.Visible = false;
    ui.CmdStock.Visible = false;
    for (auto& seat : RoundPoints)
        for (int& points : seat) points = 0;
    for (int& total : Totals) total = 0;
    ui.LblP.Caption.clear();
    ui.LblBots.Caption.clear();
    ui.LblWhoWon.Caption.clear();
    for (int s = 0; s < 4; ++s) {
        for (int r = 1; r <= 7; ++r) ui.LblRnd[r][s].Caption.clear();
        ui.LblTotal[s].Caption.clear();
    }
    ui.LblToRnd.Caption.clear();
    SetCardFaces();
    ui.CmdSortSame.Visible = false;
    ui.CmdSortSuits.Visible = false;
    Round = 0;
    SetUpNewHand();
}

void Game::MoveOpeningString() {
    // The Game menu stays off from the opening to the end of the deal.
    ui.MnuGameEnabled = false;
    ui.lblTitle.Visible = false;
    PlayFile("\\Shuffle.wav");
    Pause();
    ui.LblDiscard.Visible = false;
    ui.ShapeDiscard.Visible = false;
    ui.LblStock.Visible = false;
    for (int s = 0; s < 4; ++s) SetNamedText(ui.LblNames[s].Caption, NameMark(s));
    if (!settings.NoAnimation)
        for (int c = 1; c <= kCardCount; ++c) ui.Cds[c].Visible = false;
    ui.LblBots.Visible = true;
    ui.LblP.Visible = true;
    ShowGameText(" The pack is being shuffled for Deal");
}

void Game::SetUpNewHand() {
    ClearNextRound();
    SetCardFaces();
    rng.Randomize();
    AdvanceRound();
    const int dealt = CardsDealt(Round);
    for (int& n : CardsInHand) n = dealt;
    SetStatus(1, "Round:-  " + std::to_string(Round));
    SetStatus(4, "Cards in Hand:-  " + std::to_string(CardsInHand[0]));
    ui.FramLatestPoints.Visible = true;
    ShowLatestPoints();  // 0 each in the first round
    ui.MnuGameEnabled = false;
    ui.LblP.Visible = true;
    ui.LblBots.Visible = true;
    ChooseDealer();
    DealCards();
}

void Game::ClearNextRound() {
    robots_ = nextRobots_;
    PileRecord.Clear();
    ContractThisTurn = false;
    LastDiscardTaken = 0;
    // The robots' working marks go with the cards below; their run slots here.
    for (int s = 0; s < 4; ++s)
        for (int k = 0; k < 4; ++k)
            RunCard1[s][k] = RunCard2[s][k] = RunCard3[s][k] = RunCard4[s][k] = 0;
    for (auto& row : RunFound)
        for (bool& found : row) found = false;
    ui.ShowStatusCaptions();
    ui.LblP.Caption.clear();
    ui.LblP.Visible = true;
    // The last round's board gives way to the new deal.
    ui.FramScore.Visible = false;
    if (GameOver)
        for (int& total : Totals) total = 0;
    RoundOver = false;
    GameOver = false;
    ui.LblStock.Caption.clear();
    ui.LblDiscard.Caption.clear();
    ui.LblBots.Caption.clear();
    StockRenewals = 0;
    for (int m = 1; m <= kMeldSlots; ++m) {
        MeldTable[m] = MeldRecord{};
        JokerInMeld[m] = false;
    }
    for (int c = 1; c <= kCardCount; ++c) {
        CardRecord& card = CardTable[c];
        card.Location = LocStock;
        card.InRun = card.InSet = card.InRunOf3 = card.RunKeep = false;
        card.Suit = SuitNone;
        ui.Cds[c].Enabled = false;
        ui.Cds[c].Visible = false;
    }
    StockCount = kCardCount;
    for (int c = 1; c <= kCardCount; ++c) CardTable[c].InMeld.fill(false);
    for (int s = 0; s < 4; ++s) {
        CardsInHand[s] = 0;
        IsTurn[s] = false;
        HasContract[s] = false;
        HasDiscarded[s] = false;
    }
    PlayerHasDrawn = false;
    DiscardCount = 0;
    SavedLeft = SavedTop = 0;
    MayIAnswered = false;
    for (int& c : DiscardPile) c = 0;
}

void Game::AdvanceRound() {
    if (!GameInProgress) {
        Round = 1;
    } else {
        Round += 1;
        if (Round > 7) Round = 1;
    }
}

int Game::Dealer() const {
    for (int s = 0; s < 4; ++s)
        if (IsDealer[s]) return s;
    return -1;
}

void Game::ChooseDealer() {
    rng.Randomize();
    if (Round == 1) {
        // A new game: its deal number fixes the first dealer and every hand.
        DealNumber = NextDealNumber > 0 ? NextDealNumber : NewDealNumber();
        NextDealNumber = 0;
        for (bool& d : IsDealer) d = false;
        Random dealer(DealSeed(DealNumber, 0));
        IsDealer[dealer.Below(3)] = true;
    }
    // Pass the deal one seat clockwise.
    const int k = Dealer() < 0 ? 3 : Dealer();
    IsDealer[k] = false;
    IsDealer[(k + 1) % 4] = true;
    const int dealer = (k + 1) % 4;
    const int first = (dealer + 1) % 4;
    IsTurn[first] = true;
    ShowGameText(NameMark(dealer) + " is Dealing and " + NameMark(first) + " will play first");
}

void Game::DealCards() {
    PlacePackDeal();
    ShuffleStock();
    DealRound();
    SortBySuits = !(Round == 1 || Round == 4);
    SortHandP();
    for (int s = 1; s <= 3; ++s) SortHandAll(s);
    DealDiscard();
    if (onDealt) onDealt();
    ui.MnuGameEnabled = true;
    GameInProgress = true;
    MainLoop();
}

void Game::PlacePackDeal() {
    ui.FramMelds.Visible = false;
    for (int i = 1; i <= kCardCount; ++i) {
        CardImage& img = ui.Cds[i];
        img.Picture = kPicBack;
        img.Visible = true;
        img.Left = layout::kPack.left + layout::kPackStep * (i - 1);
        img.Top = layout::kPack.top - layout::kPackStep * (i - 1);
        ui.BringToFront(img);
        CardTable[i].Location = LocStock;
    }
}

// A prepared table (tests and tools): the card goes from the stock straight
// to a hand, the top of the discard pile or a meld slot, with none of the
// moves of play.
void Game::SetUpCard(int card, int place, int slot) {
    if (card < 1 || card > kCardCount || CardTable[card].Location != LocStock) return;
    if (place >= 0 && place <= 3) {
        CardTable[card].Location = place;
        CardsInHand[place] += 1;
    } else if (place == LocDiscard && DiscardCount < kCardCount) {
        CardTable[card].Location = LocDiscard;
        ShowFace(card);
        DiscardPile[++DiscardCount] = card;
    } else if (place == LocMeld) {
        PutInMeld(slot, card);
    }
}

void Game::DealRound() {
    const int n = CardsDealt(Round);
    const int dealer = Dealer() < 0 ? 3 : Dealer();
    for (int pass = 0; pass < n; ++pass)
        for (int i = 1; i <= 4; ++i) DealCardBots((dealer + i) % 4);
}

void Game::DealCardBots(int seat) {
    PaceScope pace(*this, kDealStepMs);
    const int c = GetSingleCard();
    if (c == 0) return;
    CardTable[c].Location = seat;
    CardImage& img = ui.Cds[c];
    img.Picture = (seat == 1 || seat == 3) ? kPicBackSideways : kPicBack;
    // The landing spot is drawn whether or not the deal is animated, so a
    // seeded game deals the same cards either way.
    const layout::Point spot = layout::DealLanding(seat, rng.Next());
    const int left = spot.left, top = spot.top;
    if (!settings.NoAnimation) {
        const int fromLeft = img.Left, fromTop = img.Top;
        for (int step = 1; step <= 4; ++step) {
            img.Left = fromLeft + (left - fromLeft) * step / 5;
            img.Top = fromTop + (top - fromTop) * step / 5;
            ui.BringToFront(img);
            Pause();
        }
        img.Left = left;
        img.Top = top;
        PlayDealSound();
    }
}

void Game::DealDiscard() {
    const int c = GetSingleCard();
    if (c > 0) {
        DiscardCard(c);
        ShowGameText("Top card turned over as Discard Card which is " + CardTable[c].FullName);
    }
    RedrawStock();
    ui.LblStock.Visible = true;
    ui.LblDiscard.Visible = true;
    ui.LblDiscard.Caption = "In Discard:- " + std::to_string(DiscardCount);
    ui.ShpStock.Visible = true;
    ui.ShapeDiscard.Visible = true;
    ui.FramMelds.Visible = true;
    GetPoints(0);
    SetStatus(3, "Points in Hand:- " + std::to_string(RoundPoints[0][Round]));

    const Contract& contract = ContractForRound(Round);
    for (int m = 1; m <= kMeldSlots; ++m) {
        ui.LblMelds[m].Visible = Round >= 4 || m <= 8;
        ui.LblMelds[m].Caption.clear();
        ui.LblMelds[m].ToolTip.clear();
    }
    for (int seat = 0; seat < 4; ++seat) {
        const int first = FirstMeldSlot(seat, Round);
        for (int i = 0; i < contract.meldCount; ++i) {
            const int slot = first + i;
            const int kind = contract.kinds[i];
            MeldTable[slot].Kind = kind;
            const std::string word = kind == kKindRun ? "Run" : "Set";
            ui.LblMelds[slot].Caption = word + "-" + SeatLetter(seat);
            if (seat == 0) ui.LblMelds[slot].ToolTip = "Place your " + word + " here";
        }
    }
    SetStatus(2, contract.text);
    ui.FramMelds.Visible = true;
    ShowGameText(
        "Below is where you will push cards to be Melded. Make contracts in Melds marked P in green");
    PauseLength = settings.Speed;
}

}  // namespace meldora
