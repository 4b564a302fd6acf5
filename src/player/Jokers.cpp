// The player's Jokers: a free Joker is given the value and suit it stands
// for in the Joker panel before it can be laid; a Joker lying in a run is
// taken by the player who holds the card it stands for.

#include "game/Game.h"
#include "game/Guard.h"
#include "player/Player.h"

namespace meldora {

namespace {

constexpr int kNoSuitLabel = 17;

void ClearMarks(Game& g) {
    for (Label& l : g.ui.LblValue) l.Marked = false;
}

}  // namespace

void LblValueClick(Game& g, int index) {
    if (index < 0 || index > kNoSuitLabel || !g.ui.FramJoker.Visible) return;
    Label& label = g.ui.LblValue[index];
    if (!label.Enabled) return;
    if (index <= 12) {
        g.JokerValue = index + 1;
    } else if (index <= 16) {
        g.JokerSuit = SuitCode(index - 13);  // the suits in block order
        g.ui.LblValue[kNoSuitLabel].Enabled = false;
    } else {
        g.JokerSuit = SuitNone;
    }
    label.Marked = true;
}

void JokerClick(Game& g) {
    g.RunControl("JokerClick", g.ui.CmdJoker, [&] {
        if (g.JokerValue != 0 && g.JokerSuit != 0) {
            CardRecord& joker = g.CardTable[g.JokerBeingSet];
            if (IsJoker(g.JokerBeingSet)) {
                joker.Value = g.JokerValue;
                joker.Suit = g.JokerSuit;
                g.MarkJokers();
            }
            ClearMarks(g);
            g.ui.FramJoker.Visible = false;
            g.ui.LblValue[kNoSuitLabel].Enabled = true;
            return;
        }
        g.ShowMessage(" You must click on both value and suit including No Suit if applicable - please try again", "O.K",
                      "", "", "Please click value and suit");
        g.JokerValue = 0;
        g.JokerSuit = 0;
        ClearMarks(g);
    }, &g.ui.FramJoker);
}

void CmdCancel_Click(Game& g) {
    g.RunControl("CmdCancel_Click", g.ui.CmdCancel, [&] {
        g.ui.FramJoker.Visible = false;
        if (IsJoker(g.JokerBeingSet)) {
            g.CardTable[g.JokerBeingSet].Value = kValueJoker;
            g.CardTable[g.JokerBeingSet].Suit = SuitNone;
            g.MarkJokers();
        }
        g.JokerValue = 0;
        g.JokerSuit = SuitNone;
        ClearMarks(g);
        g.ui.LblValue[kNoSuitLabel].Enabled = true;
    }, &g.ui.FramJoker);
}

void JokerSwap(Game& g, int joker) {
    Guarded(g, "JokerSwap", [&] {
        const std::string name = Game::NameMark(0);
        if (!g.IsTurn[0]) {
            g.ShowInfo(name + " it must be your turn and card taken before you can swap Joker.");
            return;
        }
        int slot = 0;
        const int natural = JokerSwapCard(g, 0, joker, slot);
        if (natural == 0) {
            g.ShowInfo(name + " you do not have a card that you can swap with this joker");
            return;
        }
        g.SwapWithMeld(0, slot, joker, natural);
        g.ui.Cds[natural].Enabled = false;
        g.PlayDealSound();
        g.SortMeldsRun(slot);
        g.SortHandP();
        g.GetPoints(0);  // a Joker weighs more than the card it stood for
        g.ShowInfo(name + " the Joker is now in your hand and can be Layed Off.");
    });
}

}  // namespace meldora
