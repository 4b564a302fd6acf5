#pragma once
// The Expert robots: a second kind of robot beside the designed ones. They
// play by the same rules through the same table routines, texts and
// animations, and decide every step from what their seat sees (ExpertView):
// the contract planned from the whole hand, the discard taken and "May I?"
// said when it helps the plan, lay-offs and Joker exchanges, and a discard
// that keeps from the other seats what they collect and sheds points when a
// seat is close to going out.

#include <vector>

#include "game/RobotSeats.h"
#include "robots/ExpertPlan.h"
#include "robots/ExpertView.h"

namespace meldora {

// The Expert robots as the turn loop reaches them (beside TheRobots()).
RobotSeats& ExpertRobots();

// ---- the decisions, each from the seat's view alone -----------------------
// At the draw: take the top discard rather than a stock card.
bool ExpertTakesDiscard(const SeatView& v);
// Another seat draws from the stock: claim its offered discard.
bool ExpertSaysMayI(const SeatView& v);
// The contract melds to lay now, in slot order; empty when the hand cannot.
std::vector<std::vector<LaidCard>> ExpertContract(const SeatView& v);

// One step on the table after the draw: a Joker taken from a run for the
// card it stands for, or a card laid off onto a complete meld.
struct TableMove {
    enum Kind { None, Exchange, LayOff };
    Kind kind = None;
    int card = 0;             // the hand's card given or laid off
    int slot = 0;             // the meld it goes to
    int joker = 0;            // an exchange: the Joker taken
    int value = 0;            // a lay-off: what the card stands for there
    int suit = SuitNone;
};
TableMove ExpertTableMove(const SeatView& v);

// The card to throw at the end of the turn.
int ExpertDiscard(const SeatView& v);

}  // namespace meldora
