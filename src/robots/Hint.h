#pragma once
// The player's best next step, as the Hint command tells it: whether to
// take the discard, the contract melds to lay, a Joker to take from a run,
// the lay-offs, or the card to discard. It is found by the contract planner
// and the rule queries and changes nothing on the table; the autopilot
// plays by the same choices.

#include <string>
#include <vector>

#include "robots/HandPlan.h"

namespace meldora {

class Game;

enum class HintStep { None, SayMayI, PassMayI, TakeDiscard, TakeStock, LayContract, TakeBack, SwapJoker, LayOff, Discard };

// A card that may be laid off now: onto meld slot `slot`, standing there
// for `value` and `suit` (a Joker is given them first).
struct LayOffMove {
    int card = 0;
    int slot = 0;
    int value = 0;
    int suit = SuitNone;
};

struct Hint {
    HintStep step = HintStep::None;
    // The card to take, to discard or to lay off first; the Joker to take.
    int card = 0;
    // The Joker's run; the lay-off's meld.
    int slot = 0;
    std::vector<PlannedMeld> melds;    // the contract to lay, meld by meld
    std::vector<LayOffMove> layOffs;   // every lay-off open now, the one to make first
    std::string text;                  // what the player is told
};

// The hint for the table as it stands: while the player is asked "May I?",
// whether to claim the discard; HintStep::None when it is not the player's
// turn or the round is over.
Hint FindHint(const Game& g);

// ---- the choices the hint is made of -----------------------------------------------
// How much the card would bring the player's hand nearer the contract.
int ContractGain(const Game& g, int card);
// The top discard is worth taking: it brings a contract meld a card
// nearer (in a contract of sets only, any card that makes a pair or a set
// with the hand), or, with the contract made, it can be laid off.
bool WorthTaking(const Game& g, int card);
// The discard on offer is worth saying "May I?" for, with its penalty card:
// the contract is not made, the hand has not grown by more than one claim,
// and the card completes a meld (in a contract of sets only, any card worth
// taking).
bool WorthClaiming(const Game& g, int card);
// A meld on the table takes the card (a Joker: any meld that takes one).
bool FitsTable(const Game& g, int card);
// The lay-offs open to the player now, costliest card first, Jokers last.
std::vector<LayOffMove> LayOffsNow(const Game& g);
// The Joker lying in a run that the player may take now, 0 when none.
int JokerToTake(const Game& g);
// The card the player can best spare.
int ChooseDiscard(const Game& g);

// The Hint command: tells the player the hint in the player's line and
// aloud, and marks the cards it names. Changes nothing else.
void MnuHint_Click(Game& g);

}  // namespace meldora
