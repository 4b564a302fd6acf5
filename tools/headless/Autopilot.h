#pragma once
// South played the way a person at the window plays it: the draw buttons,
// card images pressed, dragged and let go with the pointer (or, in keyboard
// mode, focused, picked up, carried and let go with the keys), the Joker
// panel and the "May I?" buttons. It reads the table to decide, and changes it only
// through those controls. It asks the rules before each move, so the rules
// refuse none; a move that still comes back is counted as refused.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "game/TableLayout.h"

namespace meldora {

class Game;
enum class Key;
struct PlannedCard;

struct AutopilotCounts {
    int contractsByRound[8] = {};  // contracts laid, by round 1..7
    int layOffs = 0;               // cards laid off onto complete melds
    int jokerSwaps = 0;            // Jokers taken from runs for the card they stand for
    int discardsTaken = 0;         // turns begun with the top discard
    int mayIClaims = 0;            // "May I?" said
    int refusedMoves = 0;          // moves the rules sent back (none when the queries hold)
    int directPresses = 0;         // cards pressed by number: no point of them showed
    int pointerActs = 0;           // presses, moves and releases of the pointer
    int keysPressed = 0;           // keys pressed in keyboard mode
};

// Where the autopilot's moves go instead of straight to the game's
// handlers: a window's real mouse and keys. Pointer spots are in twips; a
// control is named as the table names it (CmdStock, CmdPass, ..., and
// LblValue0..17 for the Joker panel's choices). Either all set or none.
struct AutopilotHands {
    std::function<void(layout::Point)> press, move, release;
    std::function<void(const std::string& control)> click;
};

class Autopilot {
public:
    explicit Autopilot(Game& g) : g_(g) {}

    // Plays the player's turn from the draw to the discard. The discard
    // hands the turn on, so the robots play before this returns; a round
    // that ends on the way (or a game dealt afresh under it) ends the turn
    // too. False when the turn could not be finished: nothing was left that
    // the rules accept.
    bool PlayTurn();

    // Answers the "May I?" question the table is asking the player: claims
    // the discard when it completes a meld of the contract and the hand has
    // not grown much yet, else passes.
    void AnswerMayI();

    const AutopilotCounts& counts() const { return counts_; }

    // From now on the moves are made with these hands.
    void setHands(AutopilotHands hands) { hands_ = std::move(hands); }

    // From now on every card is moved with the keys alone: the focus frame
    // walked to it, Space to pick it up, the arrows to its target, Space to
    // let it go (Escape to put a valued Joker back free), and the Joker
    // panel's choices with its arrows and Space. `key` delivers a key, for
    // a window's real key events; empty, keys go straight to KeyPressed.
    // Buttons are still pressed through the hands' click, or their handlers,
    // as their access keys would press them.
    void useKeys(std::function<void(Key)> key = {});

    // From now on each turn does exactly what the Hint command says, step
    // by step.
    void useHints() { byHints_ = true; }

private:
    bool Halted() const;
    bool Playing() const;  // the player's turn, after the draw
    std::vector<int> Hand() const;

    // ---- the parts of a turn -----------------------------------------------------
    void Draw();
    void LayContract();
    void LayOffAndSwap();
    bool SwapOneJoker();
    bool LayOffOne();
    bool Discard();
    bool DiscardCard(int card);
    bool PlayTurnByHints();
    void TakeBack();

    // ---- the hand on the table ------------------------------------------------------
    // A point where the card lies on top and takes the mouse.
    bool GrabPoint(int card, layout::Point& at) const;
    // Press and let go where the card lies.
    void Click(int card);
    // Press the card, carry it so its corner comes to `to`, let go.
    void DragTo(int card, layout::Point to);
    // Carry the card onto meld column `target`, the discard area (0), or
    // back to the hand (kHandTarget), by pointer or keys.
    void Carry(int card, int target);
    // Give a free Joker its value and suit through the Joker panel.
    bool ValueJoker(int joker, int value, int suit);
    // Lay one card (a Joker valued first) onto meld column `slot`.
    bool LayOnColumn(const PlannedCard& card, int slot);

    // ---- the moves, by hand or straight to the handlers --------------------------------
    void Press(layout::Point at);
    void Move(layout::Point at);
    void Release(layout::Point at);
    void ClickControl(const std::string& name);
    // ---- keyboard mode ------------------------------------------------------------
    void PressKey(Key key);
    // Walks the focus frame to the card; false when it never gets there.
    bool FocusOn(int card);
    // Moves the Joker panel's choice to label `label` and chooses it.
    void ChooseLabel(int label);

    Game& g_;
    AutopilotCounts counts_;
    bool contractGivenUp_ = false;
    bool byHints_ = false;
    AutopilotHands hands_;
    bool keys_ = false;
    std::function<void(Key)> keyHand_;
};

}  // namespace meldora
