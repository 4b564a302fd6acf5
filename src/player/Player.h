#pragma once
// The player's moves: what the mouse does on the table and the buttons of
// the player's turn. Each routine works on the shared game state; the
// window calls them as a card, a button or a panel is pressed.

#include "game/Rules.h"
#include "game/TableLayout.h"

namespace meldora {

class Game;

enum class MouseButton { Left, Right };

// ---- the pointer on the table, as the window reports it (twips) -----------------
// A press on whatever lies on top there; a move drags what follows the
// pointer, or shows a card's hover feedback; a release ends the drag by
// the release rules.
void PointerPressed(Game& g, layout::Point at, MouseButton button);
void PointerMoved(Game& g, layout::Point at);
void PointerReleased(Game& g, layout::Point at);
// The window lost the pointer in the middle of a drag (it lost the focus,
// or a message window opened): the card goes back where it came from.
void CancelDrag(Game& g);
// The cards the last hint named are no longer marked.
void ClearHintMarks(Game& g);

// ---- keyboard play on the table ------------------------------------------------------
enum class Key { Left, Right, Up, Down, Home, End, Space, Return, Escape };
// A key pressed while the table has the keyboard's focus.
void KeyPressed(Game& g, Key key);

// ---- card dragging --------------------------------------------------------------------
void PicP_MouseDown(Game& g, int card, MouseButton button);
void Cds_MouseMove(Game& g, int card);
void PicP_MouseUp(Game& g, int card);

// ---- the contract ----------------------------------------------------------------------
void GeneralContractRoutineP(Game& g, int slot, int card);
// The run check; true when the card is refused.
bool NotSameSuitRightVal(Game& g, int card, int slot);
void CmdTakeBack_Click(Game& g);
// A refused card: the early text while it hangs, back to the hand, then
// the rest of the refusal.
void RefuseCard(Game& g, int card, const Verdict& v);

// ---- drawing, laying off and discarding ----------------------------------------------
void CmdStock_Click(Game& g);
void CmdDiscard_Click(Game& g);
void LayOffCardP(Game& g, int card, int slot);
void DealDiscardP(Game& g, int card);
void DiscardItP(Game& g, int card);
void ScrubMeldMadeP(Game& g);
void RemoveCardsMeldedP(Game& g, int slot);

// ---- Jokers -------------------------------------------------------------------------------
void LblValueClick(Game& g, int index);  // a choice in the Joker panel, 0..17
void JokerClick(Game& g);                 // the panel's "&O.K"
void CmdCancel_Click(Game& g);            // the panel's "&Cancel"
// A press on a Joker lying in a run: exchanged for the card it stands for.
void JokerSwap(Game& g, int joker);

// ---- the panels that can be pushed aside, and their close buttons ----------------
void FramScore_MouseDown(Game& g);
void FramJoker_MouseDown(Game& g);
void Panel_MouseUp(Game& g);
void CmdShut_Click(Game& g);   // the score board's "C&lose Me"
void CmdSet_Click(Game& g);    // the statistics panel's "&Finished"

}  // namespace meldora
