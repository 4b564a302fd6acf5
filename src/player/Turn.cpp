// The rest of the player's turn around the contract: the two ways to draw,
// laying off onto complete melds, the discard that ends the turn, and the
// refused discard that gives half-laid contract melds back to the hand.

#include "game/Game.h"
#include "game/Guard.h"
#include "player/Player.h"

namespace meldora {

namespace {

bool Halted(const Game& g) { return g.RoundOver || g.GameOver; }

void ShowWhatNext(Game& g, const char* withoutContract, const char* withContract) {
    if (Halted(g)) return;
    g.ShowPlayerText(g.HasContract[0] ? withContract : withoutContract);
}

// A Joker leaving the player's hand for the pile stands for nothing again.
void FreeJoker(Game& g, int card) {
    if (!IsJoker(card)) return;
    g.CardTable[card].Value = kValueJoker;
    g.CardTable[card].Suit = SuitNone;
}

}  // namespace

void CmdStock_Click(Game& g) {
    g.RunControl("CmdStock_Click", g.ui.CmdStock, [&] {
        if (!g.IsTurn[0] || g.PlayerHasDrawn) return;
        g.PlayerHasDrawn = true;
        g.ui.CmdStock.Visible = false;
        g.ui.CmdDiscard.Visible = false;
        g.ui.LblP.Caption.clear();  // the buttons it asked for are gone
        g.ShowGameText(Game::NameMark(0) + " is taking Stock Card. Discard Card on offer other players.");
        g.MayIFrom(0);
        if (Halted(g)) return;
        g.TakeDeckCard(0);
        g.ui.SetFocus("Table");  // the hand takes the keyboard
        ShowWhatNext(g, " make Contract if you can and wish to or discard a card.",
                     " Lay Off cards if you can and wish to or discard a card.");
    });
}

void CmdDiscard_Click(Game& g) {
    g.RunControl("CmdDiscard_Click", g.ui.CmdDiscard, [&] {
        if (!g.IsTurn[0] || g.PlayerHasDrawn) return;
        // The draw is taken before the text's pause: a quick press of the
        // stock button meanwhile must not draw a second card.
        g.ui.CmdDiscard.Visible = false;
        g.ui.CmdStock.Visible = false;
        g.PlayerHasDrawn = true;
        g.ui.LblP.Caption.clear();
        g.ShowGameText(Game::NameMark(0) + " is taking Discard Card - no offer to other players..");
        g.TakeDiscard(0);
        g.ui.SetFocus("Table");
        ShowWhatNext(g, "Make contract if you can and wish or discard a card.",
                     "Lay Off cards if you can and wish or discard a card.");
    });
}

void LayOffCardP(Game& g, int card, int slot) {
    Guarded(g, "LayOffCardP", [&] {
        // Only a complete meld takes a lay-off, as for the robots.
        const Verdict v = LayOffCheck(g, card, slot);
        if (!v) return RefuseCard(g, card, v);
        g.CardTable[card].Value = v.value;
        g.ui.FollowMouse.Enabled(false);
        g.PlaceInMeld(0, slot, card);
        g.AnyWinner(0);
        if (!Halted(g)) g.SortHandP();  // the hand closes up behind the card
    });
}

void DealDiscardP(Game& g, int card) {
    Guarded(g, "DealDiscardP", [&] {
        g.ui.FollowMouse.Enabled(false);
        CardImage& img = g.ui.Cds[card];
        img.Left = g.DiscardLeft;
        img.Top = layout::kDiscardDropTop;
        FreeJoker(g, card);
        g.DiscardCard(card);
        g.RemoveCard(0, 1);
        img.Enabled = false;
        for (bool& laid : g.JokerInMeld) laid = false;
        g.ui.CmdTakeBack.Visible = false;
        g.ui.CmdSortSame.Visible = false;
        g.ui.CmdSortSuits.Visible = false;
        g.ContractThisTurn = false;
        g.AnyWinner(0);
        if (Halted(g)) {
            g.TurnDone(0);
            return;
        }
        bool contract = true;
        for (int slot = 7; slot <= LastContractSlot(g.Round); ++slot) contract = contract && g.MeldTable[slot].Complete;
        if (contract) g.HasContract[0] = true;
        g.IsTurn[0] = false;
        g.IsTurn[1] = true;
        g.PlayerHasDrawn = false;
        g.ui.LblP.Caption = " ";
        g.SortHandP();
        g.TurnDone(0);
        g.MainLoop();
    });
}

void DiscardItP(Game& g, int card) {
    Guarded(g, "DiscardItP", [&] {
        g.ui.FollowMouse.Enabled(false);
        g.ShowInfo("Incomplete Melds.Try again or Discard a card.");
        g.ui.Cds[card].Top = g.SavedTop;
        g.ui.Cds[card].Left = g.SavedLeft;
        ScrubMeldMadeP(g);
        g.ui.CmdTakeBack.Visible = false;
        g.SortHandP();
    });
}

void ScrubMeldMadeP(Game& g) {
    for (int slot = 7; slot <= 9; ++slot) {
        if (!g.MeldTable[slot].Started) continue;
        RemoveCardsMeldedP(g, slot);
        // The Joker taken back may be laid in this slot again.
        g.JokerInMeld[slot] = false;
    }
    g.HasContract[0] = false;
    g.ContractThisTurn = false;
    g.ui.CmdTakeBack.Visible = false;
}

void RemoveCardsMeldedP(Game& g, int slot) {
    for (int card = 1; card <= kCardCount; ++card) {
        if (!g.CardTable[card].InMeld[slot]) continue;
        g.ui.Cds[card].Enabled = true;
        g.ReturnFromMeld(0, slot, card);
    }
    MeldRecord& m = g.MeldTable[slot];
    const int kind = m.Kind;
    m = MeldRecord{};
    m.Kind = kind;
}

}  // namespace meldora
