// The empty table the window shows before the first deal.

#include "game/Game.h"

namespace meldora {

void Game::ShowOpeningTable() {
    ui.lblTitle.Visible = true;
    ui.LblNames[0].Caption = SeatName(0);
    ui.LblNames[1].Caption = SeatName(1);
    ui.LblNames[2].Caption = SeatName(2) + " says Hello " + PlayerName();
    ui.LblNames[3].Caption = SeatName(3) + " Hi ";
    // No card reacts to the mouse before a deal.
    for (int c = 1; c <= kCardCount; ++c) ui.Cds[c].Enabled = false;
}

}  // namespace meldora
