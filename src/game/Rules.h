#pragma once
// Questions about the table that change nothing and show nothing: how big
// a contract meld is, whether a card may start or extend the player's
// contract meld, be laid off onto a meld, take a Joker's place in a run,
// and which targets of the table would take a card let go there now. The
// player's handlers ask them before they act; the robots, the keyboard,
// the drag highlight, the hints and the autopilot ask the same questions.

#include <string>
#include <vector>

#include "game/Cards.h"
#include "game/TableLayout.h"

namespace meldora {

class Game;

// Cards in a contract meld of the kind: four in a run, three in a set.
int MeldSize(int kind);

// The last of the player's contract slots in the round: 7 and 8 make the
// contract of rounds 1 to 3, 7 to 9 that of rounds 4 to 7.
int LastContractSlot(int round);

// The player's contract slots hold a meld started but not complete, or
// only some of them are started: a discard now is refused.
bool ContractMeldsPartial(const Game& g);

// What a rule answers about a card let go on a target: accepted, with the
// value the card takes there (an Ace above a King 15), or refused with
// the texts the player is shown. `early` is shown while the card still
// hangs where it was let go, `text` once it is back in the hand; both
// empty: the card just comes back.
struct Verdict {
    bool accepted = false;
    int value = 0;
    std::string early;
    std::string text;
    explicit operator bool() const { return accepted; }
    // The refusal's texts in the order they are shown.
    std::vector<std::string> Texts() const;
};

// ---- single facts of a meld ---------------------------------------------------------
// A card standing for `value` and `suit` extends the run at its low end,
// at its high end, or as an Ace above its King (the run need not be complete).
bool ExtendsRunBelow(const MeldRecord& run, int value, int suit);
bool ExtendsRunAbove(const MeldRecord& run, int value, int suit);
bool GoesAboveKing(const MeldRecord& run, int value, int suit);
// A card of `value` belongs to the set.
bool JoinsSet(const MeldRecord& set, int value);

// The run check of a started contract run: the suit first, then an Ace
// above a King, then either end.
Verdict RunEndCheck(const MeldRecord& run, int value, int suit);

// The value a card standing for `value` and `suit` takes when laid off
// onto the meld (a set's value, a run's end; an Ace above a King 15),
// 0 when the meld does not take it. Only a complete meld takes a lay-off.
int LayOffValue(const MeldRecord& meld, int value, int suit);
// A card standing for `value` and `suit` may be laid off onto the meld.
bool MayLayOff(const MeldRecord& meld, int value, int suit);

// The value and suit a Joker stands for when laid off onto the meld: the
// set's value; for a run the card above it (a high Ace above a King), or
// the card below it when nothing goes above. False when the meld takes no
// Joker.
bool JokerLayOffValue(const MeldRecord& meld, int& value, int& suit);

// ---- Jokers lying in runs -------------------------------------------------------------
// The first run slot the Joker lies in, 0 when it lies in none.
int JokerRunSlot(const Game& g, int joker);
// The run slot a Joker lies in, 0 when it lies in no run; `value` and
// `suit` are then what it stands for there (value 1 for a high Ace).
int RunJokerStandsFor(const Game& g, int joker, int& value, int& suit);
// A natural card takes the place of the Joker in its run: the run's suit
// and the value the Joker carries; a Joker above a King is taken by a
// natural Ace only when `aceForHighAce`.
bool TakesJokersPlace(const CardRecord& card, const CardRecord& joker, int runSuit, bool aceForHighAce);
// The card of the seat's hand (by card number) that the Joker lying in a
// run may be swapped for; 0 when none, or the Joker lies in no run. `slot`
// is then the run.
int JokerSwapCard(const Game& g, int seat, int joker, int& slot);

// ---- the player's card let go on the table ------------------------------------------
// The player's card may be let go anywhere at all: in the hand, on the
// player's turn after the draw, the Joker panel closed. Otherwise a card
// let go just comes back.
bool MayLetGo(const Game& g, int card);
// Whether the player's card, as it stands (a Joker with the value chosen
// for it), may start or extend the contract meld of slot 7, 8 or 9 now.
// The refusals in the order the rules make them: one Joker per meld, a
// complete meld, the card against the started meld.
Verdict ContractMeldCheck(const Game& g, int card, int slot);
// The same, for the card standing for `value` and `suit` (a Joker to be
// given them in the Joker panel).
Verdict ContractMeldCheck(const Game& g, int card, int slot, int value, int suit);
// Whether the player's card may be laid off onto the meld of slot.
Verdict LayOffCheck(const Game& g, int card, int slot);
Verdict LayOffCheck(const Game& g, int slot, int value, int suit);
// The release rules before the meld's own: accepted means the card goes
// to the discard, or on to the contract or lay-off rules of its column.
Verdict ReleaseCheck(const Game& g, int card, const layout::Drop& target);
// What happens to the player's card let go on a target now, by the
// release rules: not the player's turn, before the draw, a card not in
// the hand or an open Joker panel send it back silently; the discard
// area refuses while contract melds lie half laid ("Incomplete Melds..."
// with the melds taken back); the board by the contract and lay-off rules.
Verdict DropCheck(const Game& g, int card, const layout::Drop& target);
Verdict DropCheck(const Game& g, int card, const layout::Drop& target, int value, int suit);
// The targets that accept the card now: the meld columns from left to
// right, then the discard area.
std::vector<layout::Drop> AcceptingTargets(const Game& g, int card);

}  // namespace meldora
