#pragma once
// The robots: pattern finders, contract building, the take decision, laying
// off, Joker stealing and the discard choice. Every routine works on the
// shared game state; seats 1..3 are robots.

#include <vector>

#include "game/RobotSeats.h"

namespace meldora {

class Game;

// ---- hand pattern finders ------------------------------------------------
bool CheckFor2Same(Game& g, int value);
bool CheckFor3Same(Game& g, int value);
int CheckNextInRun(const Game& g, int position, int suit);
bool BlnCheckNextInRun(const Game& g, int position, int suit);
void CheckForRunOne(Game& g, int seat);
void CheckForRunTwo(Game& g, int seat);
void CheckForRunThree(Game& g, int seat);
bool CheckForRunof3(Game& g, int seat, int slot);
bool CheckInBetweenCard(const Game& g);
bool CheckInBetweenCardPlusJoker(Game& g, int seat, int slot, int suit);
bool CheckForAceHighRun(Game& g, int seat, int slot);
int CountFreeJokers(const Game& g, int seat);
void ClearInSetInRun(Game& g, int seat);
void SetRobotMeldSlots(Game& g, int seat);

// ---- contract building -----------------------------------------------------
void MakeContract1(Game& g, int seat);
void MakeContract2(Game& g, int seat);
void MakeContract3(Game& g, int seat);
void MakeContract4(Game& g, int seat);
void MakeContract5(Game& g, int seat);
void MakeContract6(Game& g, int seat);
void MakeContract7(Game& g, int seat);
void AddJokertoSet(Game& g, int value);
void AddJokertoRun(Game& g, int seat, int slot);
bool FinalCheckRuns(Game& g, int seat, int slot);
bool CheckSetNotInRuns(Game& g, int value, int seat);
// Lays a set of `value`, leaving `naturalsToLeave` natural cards of the
// value for a later set of the same value in the contract.
void MakeContractSet(Game& g, int seat, int meldSlot, int value, int naturalsToLeave = 0);
void MakeContractRun(Game& g, int seat, int meldSlot, int runSlot);
// What a robot says as it lays the contract of the round.
void AnnounceContract(Game& g, int seat, int round);
// Lays the cards from the seat's hand as contract meld `meldSlot`, in the
// order given (a set's value and a run's suit from the first card), each
// card with its value for the meld already set; the meld is then complete.
void LayContractMeld(Game& g, int seat, int meldSlot, const std::vector<int>& cards);

// ---- a robot's turn -------------------------------------------------------------
// The robots as the turn loop reaches them.
RobotSeats& TheRobots();
void PlayBots(Game& g, int seat);
void TakingDeck(Game& g, int seat);
void TakingDiscard(Game& g, int seat);
void CardTakenBotsAction(Game& g, int seat);
void MayIWho(Game& g, int seat);
// The parts of a turn every robot plays the same way: the words before the
// draw; the stock draw after the discard was offered to the others (false
// when the round ended during the offer); the discard draw; the words
// before the discard.
void AnnounceDraw(Game& g, int seat);
bool DrawFromStock(Game& g, int seat);
void DrawDiscard(Game& g, int seat);
void AnnounceDiscard(Game& g, int seat);

// ---- the take decision -------------------------------------------------------
bool CheckWantDCRun(Game& g, int seat);
bool WantDiscardRun2Check(Game& g, int seat);
bool CheckIfCardInHand(Game& g, int value, int suit);
bool CheckHasRunsContract(Game& g, int seat);

// ---- laying off and Joker stealing ---------------------------------------------
void LayOffCardBots(Game& g, int seat);
void CheckSwapJoker(Game& g, int seat);
// Lays one card off onto a complete meld, standing for `value` (1..13, an
// Ace above a King as 1) and `suit` there. True when that ended the round.
bool LayOffCard(Game& g, int seat, int slot, int card, int value, int suit);
// The seat gives `card` from its hand for the Joker lying in run `slot`.
void ExchangeJoker(Game& g, int seat, int joker, int slot, int card);

// ---- the discard choice -------------------------------------------------------------
void DiscardBotsWithContract(Game& g, int seat);
void DiscardBotsNoContract(Game& g, int seat);
void FailSafeDiscard(Game& g, int seat);
void DiscardItBots(Game& g, int seat, int position);
void MarkLayOffCards(Game& g, int seat);
int DiscardWhatSet(Game& g);
int DiscardWhatRun(Game& g, int seat);
int DiscardTwoSameCheck(const Game& g);
bool DiscardMoreFiveSuitCheck(const Game& g, int suit);
int DiscardOneInSuitCheck(const Game& g, int suit);
void AnimateDiscardBots(Game& g, int seat, int card);

}  // namespace meldora
