#pragma once
// The whole state of a game of Meldora and the routines of the table and
// the round flow. Fields keep the names the rules are written in; routines
// of the player end in P and robot routines live in src/robots.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "game/Cards.h"
#include "game/DataStore.h"
#include "game/Host.h"
#include "game/Random.h"
#include "game/RobotSeats.h"
#include "game/Settings.h"
#include "game/TableModel.h"
#include "game/TableRecord.h"

namespace meldora {

// Thrown by Pause when a new game, a load or leaving the program was asked
// for while a chain of turns was waiting: the chain unwinds to the handler
// that started it, and the command then runs on a clean stack.
struct ChainAborted {};

class Game {
public:
    Game(Host& host, Random& random, Settings& settings, RobotSeats& robots);

    Host& host;
    Random& rng;
    Settings& settings;
    DataStore* store = nullptr;  // the data files; none: nothing is kept
    TableModel ui;  // the table's controls

    // ---- card table and meld table --------------------------------------
    CardRecord CardTable[kCardCount + 1];   // 1..107
    MeldRecord MeldTable[kMeldSlots + 1];   // 1..12

    // ---- game state --------------------------------------------------------
    int Round = 0;
    // The deal being played: it fixes the dealer and every round's hands and
    // stock order, so a game can be replayed from it.
    int DealNumber = 0;
    int NextDealNumber = 0;  // chosen for the next new game; 0: a new one is drawn
    bool IsDealer[4] = {};
    bool IsTurn[4] = {};
    int CardsInHand[4] = {};
    std::vector<int> HandCards{0};          // 1..n; element 0 unused
    int DiscardPile[kCardCount + 1] = {};   // 1..DiscardCount
    int DiscardCount = 0;
    int StockCount = 0;
    int StockRenewals = 0;
    int RoundPoints[4][8] = {};             // (seat, round 1..7)
    int Totals[4] = {};
    bool GameInProgress = false;
    bool RoundOver = false;
    bool GameOver = false;
    bool HasContract[4] = {};
    bool HasDiscarded[4] = {};
    bool PlayerHasDrawn = false;
    bool MayIClaimed = false;
    bool MayIAnswered = false;
    int LastDiscardTaken = 0;
    int DiscardLeft = layout::kDiscardPile.left;
    bool SortBySuits = false;
    bool ContractThisTurn = false;
    bool JokerInMeld[kMeldSlots + 1] = {};
    int SavedLeft = 0, SavedTop = 0;
    bool GameSaved = false;  // the saved-game file holds a game that may be loaded
    // The free Joker being given a value in the Joker panel, and the
    // value (1..13) and suit code chosen there; 0 = none chosen.
    int JokerBeingSet = 0;
    int JokerValue = 0;
    int JokerSuit = 0;
    // The discard pile's story this round, as every seat saw it.
    TableRecord PileRecord;

    // Robots' run slots and meld slots (cleared each round).
    int RunCard1[4][4] = {}, RunCard2[4][4] = {}, RunCard3[4][4] = {}, RunCard4[4][4] = {};
    bool RunFound[5][5] = {};
    int MeldSlotA = 0, MeldSlotB = 0, MeldSlotC = 0;

    // ---- pace -------------------------------------------------------------
    int PauseLength = kSpeedMedium;
    long long PauseStart = 0;
    int MsgButton = 0;

    // ---- names -------------------------------------------------------------
    const std::string& SeatName(int seat) const;
    const std::string& PlayerName() const { return SeatName(0); }

    // A seat's name inside a text given to SetNamedText (or to the status
    // lines and the status bar): the text shows the name as it is, and the
    // new one at once after a rename.
    static std::string NameMark(int seat);
    // Sets a text field of the table, with the seats' names put in for
    // their marks.
    void SetNamedText(std::string& field, const std::string& text);
    // After a rename: each text set through SetNamedText that still shows
    // shows the new name.
    void ShowNewNames();

    // ---- the robots ------------------------------------------------------------
    // The robots playing this deal.
    RobotSeats& Robots() const { return *robots_; }
    // The robots that play from the next deal on; the deal in play keeps its own.
    void ChooseRobots(RobotSeats& robots) { nextRobots_ = &robots; }

    // Number of cards in HandCards (its upper index).
    int HandCount() const { return static_cast<int>(HandCards.size()) - 1; }

    // ---- shared services ----------------------------------------------------
    // `focus` is the button that answers Return: the cancelling one in a
    // question that would throw something away.
    void ShowMessage(const std::string& prompt, const std::string& button0,
                     const std::string& button1, const std::string& button2,
                     const std::string& title, int focus = 0);
    void ShowPlayerText(const std::string& text);
    void ShowSeatText(int seat, const std::string& text);
    void ShowGameText(const std::string& text);
    void ShowInfo(const std::string& text);
    void Pause();
    void PlayDealSound();
    void PlayCardDownSound();
    void PlayMayISound(int kind);
    void PlayFile(const std::string& file);  // whatever NoSound says
    // Aloud while Speech is on, and to a screen reader (all but Focus texts).
    void Say(const std::string& text, SpeechKind kind);
    void SetCardFaces();
    void ReportError(const std::string& procedure, const std::string& description,
                     int number = 0);
    void SetStatus(int panel, const std::string& text) { SetNamedText(ui.StatusPanel[panel], text); }

    // ---- card table primitives ---------------------------------------------
    void CollectHand(int seat);
    void SortHandCardsByValue();
    void GiveCardToSeat(int seat, int card);
    void DiscardCard(int card);
    void RemoveCard(int seat, int count);
    void PlaceInMeld(int seat, int slot, int card);
    // A card from a hand into a meld slot; the hand's count follows with RemoveCard.
    void PutInMeld(int slot, int card);
    // A Joker lying in a run changes places with the natural card from the
    // seat's hand that it stands for: the hand and the run keep their counts.
    void SwapWithMeld(int seat, int slot, int joker, int natural);
    // A card laid this turn goes back to the seat's hand.
    void ReturnFromMeld(int seat, int slot, int card);
    // The top discard into the seat's hand; returns it, or 0 when the pile is empty.
    int TakeTopDiscard(int seat);
    // The stock's order for this round, drawn from the deal number; a
    // renewed stock is shuffled on from the same generator.
    void ShuffleStock();
    int NewDealNumber() { return 1 + rng.Below(kMaxDealNumber); }
    // A prepared table: a card from the stock to a hand, the discard pile or a meld.
    void SetUpCard(int card, int place, int slot = 0);
    void SortMeldsRun(int slot);
    void SortMeldsSet(int slot);
    void ShowFace(int card) { ui.Cds[card].Picture = card; }
    // Each Joker's face shows what it stands for now (JokerMark); called
    // wherever a Joker is laid out, given a value or freed of it.
    void MarkJokers();
    // A robot's card travelling between its hand and the meld area.
    void MoveCardToMeld(int seat, int slot, int card);
    void MoveCardToHand(int seat, int card);

    // ---- hand layout ----------------------------------------------------------
    void SortHandP();
    void SortHandSame();
    void SortHandAll(int seat);

    // ---- new game, new round and the deal --------------------------------------
    void StartNewGame(int deal = 0);  // deal 0: a new deal number
    void NewGameOn(int deal);    // a new game on the given deal, or on a new one for 0
    void NewGameBody(int deal);  // the same, inside a handler already running
    void ResetGame();
    void MoveOpeningString();
    void SetUpNewHand();
    void ClearNextRound();
    void AdvanceRound();
    void ChooseDealer();
    void DealCards();
    void PlacePackDeal();
    void DealRound();
    void DealCardBots(int seat);
    void DealDiscard();
    int Dealer() const;

    // ---- turn loop and drawing -------------------------------------------------
    void MainLoop();
    void PlayP();
    void TakeDeckCard(int seat);
    void TakeDiscard(int seat);
    int GetSingleCard();
    void RenewStock();
    void RedrawStock();
    void RedrawDiscard();
    void AnimateStockCard(int seat, int card);
    void MoveDiscardTo(int seat);
    void WhoPlaysNext(int seat);
    void BackYouGo(int card);
    void ShowDiscardCount();

    // ---- May I ---------------------------------------------------------------
    void MayIFrom(int drawer);
    std::string MayIQuestion() const;
    void SayScores(const std::string& news);
    void TellLaid(int card, int slot);
    int GameWinner() const;
    void TakeMayI(int seat);
    void MayIRoutineP();
    bool CheckForSameValue();
    int TopDiscard() const { return DiscardCount > 0 ? DiscardPile[DiscardCount] : 0; }

    // ---- scoring ---------------------------------------------------------------
    void GetPoints(int seat);
    void AnyWinner(int seat);
    void GetTheScores();
    void ShowRoundResult();
    // The "Penalty Points" panel: each seat's name and total so far.
    void ShowLatestPoints();
    void CreditGame();  // ties and the winner of a finished game
    GameRecord FinishedGame() const;  // the game just ended, for the history

    // ---- start-up -----------------------------------------------------------------
    // The welcome title, the seat names with their greetings, and no card
    // taking the mouse: the table as the window first shows it.
    void ShowOpeningTable();
    // Shows what the data store could not do (one message window), if anything.
    void ReportStore(const std::string& message);

    // ---- handlers: what buttons and menus call -----------------------------------
    void MnuNew_Click();
    // A new game on the given deal number (1 to kMaxDealNumber), after the
    // same question as New Game when one is being played.
    void ReplayDeal(int deal);
    void CmdFinished_Click();
    void CmdSortSame_Click();
    void CmdSortSuits_Click();
    void LblMayI();          // the May I button
    void CmdPass_Click();    // the Pass button

    // Runs a handler: catches its unexpected errors, lets an aborted chain
    // unwind, and runs a pending command once the outermost handler is done.
    void RunHandler(const char* name, const std::function<void()>& body);

    // Runs the handler of a control the player pressed, only while the
    // control is offered (shown and enabled, on a shown panel when it lies
    // on one) and once per offer: the control is out of play until its
    // handler is done, so a second press during the handler's own pauses
    // does nothing.
    void RunControl(const char* name, Control& control, const std::function<void()>& body,
                    const Control* panel = nullptr);

    // Asks that the interrupted chain stop and `command` run once it has unwound.
    void RequestRestart(std::function<void()> command);
    bool ChainActive() const { return handlerDepth_ > 0; }

    // Called after each finished robot turn and player discard; tools and
    // tests use it to look at the table between turns.
    std::function<void(int seat)> onTurnDone;
    // The end of a seat's turn: the table is checked (when CheckTurns is
    // on), then onTurnDone is called.
    void TurnDone(int seat);
#ifdef NDEBUG
    bool CheckTurns = false;
#else
    bool CheckTurns = true;
#endif
    // Told of a turn that left the table broken; unset, the program stops
    // there with the fault on its error output.
    std::function<void(int seat, const std::string& fault)> onTableFault;
    // Told when a round has been dealt, before the first turn (tools, tests).
    std::function<void()> onDealt;
    // The cards still in the stock, in the order they will be drawn.
    std::vector<int> StockToCome() const;

private:
    void Wait(int ms);  // pause through the host, then unwind if aborted
    void UnwindIfAborted();
    void AnimateTo(int card, layout::Point to, int steps);
    void ShuffleRest();

    Random dealRandom_{0};         // the round's generator, seeded by the deal
    std::vector<int> stockOrder_;  // the order the stock's cards are drawn in
    std::size_t stockNext_ = 0;

    // The texts set with names in them: the field, the text with its name
    // marks, and what the field was given.
    struct NamedText {
        std::string* field;
        std::string marked;
        std::string shown;
    };
    std::vector<NamedText> namedTexts_;
    std::string PutNames(const std::string& marked) const;


    RobotSeats* robots_;
    RobotSeats* nextRobots_;
    int handlerDepth_ = 0;
    bool abortChain_ = false;
    std::function<void()> pending_;
};

// The seed of a deal's generator for one round (0: the first dealer).
std::uint64_t DealSeed(int deal, int round);

// The rhythms of the table, in milliseconds per step.
constexpr int kDealStepMs = 5;          // each card of the deal
constexpr int kOpeningStepMs = 100;     // the opening show
constexpr int kCardTravelMs = 150;      // a stock card, or a robot's card going to a meld
constexpr int kRobotDiscardMs = 250;    // a robot's discard on its way to the pile
constexpr int kSlowTravelMs = 500;      // the top discard, or a Joker going back to a hand
constexpr int kInfoShowMs = 1500;       // the yellow pop-up

// A stretch of animation at its own rhythm: sets the pause length and puts
// it back to the chosen speed when the stretch ends, also when the chain is
// unwound in the middle of it.
class PaceScope {
public:
    PaceScope(Game& g, int ms) : g_(g) { g_.PauseLength = ms; }
    ~PaceScope() { g_.PauseLength = g_.settings.Speed; }
    PaceScope(const PaceScope&) = delete;
    PaceScope& operator=(const PaceScope&) = delete;

private:
    Game& g_;
};

}  // namespace meldora
