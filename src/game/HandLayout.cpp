// Laying hands out on the table: the player's face up along the bottom in
// the chosen order, the robots' face down along the other three edges.

#include "game/Game.h"

namespace meldora {

void Game::SortHandSame() {
    const int n = HandCount();
    for (int pass = 1; pass < n; ++pass)
        for (int i = 1; i < n; ++i)
            if (CardTable[HandCards[i]].Value > CardTable[HandCards[i + 1]].Value)
                std::swap(HandCards[i], HandCards[i + 1]);
}

void Game::SortHandP() {
    CollectHand(0);
    std::vector<int> order{0};
    if (!SortBySuits) {
        SortHandSame();
        order = HandCards;
    } else {
        // Card-number order is suit order with values ascending, Jokers last.
        for (int c = 1; c <= kCardCount; ++c)
            for (int i = 1; i <= HandCount(); ++i)
                if (HandCards[i] == c) order.push_back(c);
    }
    int k = 0;
    for (std::size_t i = 1; i < order.size(); ++i) {
        const int c = order[i];
        if (CardTable[c].Location != 0) continue;  // an empty hand keeps an old list
        CardImage& img = ui.Cds[c];
        const layout::Point spot = layout::HandSpot(0, k++, RoundOver);
        img.Picture = c;
        img.Enabled = true;
        img.Visible = true;
        img.Left = spot.left;
        img.Top = spot.top;
        ui.BringToFront(img);
    }
    MarkJokers();
}

void Game::SortHandAll(int seat) {
    if (seat < 1 || seat > 3) return;
    int k = 0;
    for (int c = 1; c <= kCardCount; ++c) {
        if (CardTable[c].Location != seat) continue;
        CardImage& img = ui.Cds[c];
        const layout::Point spot = layout::HandSpot(seat, k, RoundOver);
        img.Picture = seat == 2 ? kPicBack : kPicBackSideways;
        img.Left = spot.left;
        img.Top = spot.top;
        img.Visible = true;
        img.Enabled = false;
        ui.BringToFront(img);
        ++k;
    }
}

// The sort buttons act only while they are shown: pressed in the middle of
// a robot's turn they would overwrite the hand list the robot works on.
void Game::CmdSortSame_Click() {
    RunControl("CmdSortSame_Click", ui.CmdSortSame, [this] {
        SortBySuits = false;
        SortHandP();
    });
}

void Game::CmdSortSuits_Click() {
    RunControl("CmdSortSuits_Click", ui.CmdSortSuits, [this] {
        SortBySuits = true;
        SortHandP();
    });
}

}  // namespace meldora
