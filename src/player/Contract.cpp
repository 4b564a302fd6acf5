// The player lays the round's contract card by card: each card dropped on a
// contract column is tested against the meld that column builds.

#include <string>

#include "game/Game.h"
#include "game/Guard.h"
#include "game/Rules.h"
#include "player/Player.h"

namespace meldora {

namespace {

bool AllContractSlotsComplete(const Game& g) {
    for (int slot = 7; slot <= LastContractSlot(g.Round); ++slot)
        if (!g.MeldTable[slot].Complete) return false;
    return true;
}

}  // namespace

bool NotSameSuitRightVal(Game& g, int card, int slot) {
    CardRecord& c = g.CardTable[card];
    const Verdict v = RunEndCheck(g.MeldTable[slot], c.Value, c.Suit);
    if (!v) {
        g.ShowInfo(v.text);
        return true;
    }
    c.Value = v.value;
    return false;
}

void RefuseCard(Game& g, int card, const Verdict& v) {
    if (!v.early.empty()) g.ShowInfo(v.early);
    g.BackYouGo(card);
    if (!v.text.empty()) g.ShowInfo(v.text);
}

void GeneralContractRoutineP(Game& g, int slot, int card) {
    Guarded(g, "GeneralContractRoutineP", [&] {
        if (!g.IsTurn[0]) return;
        MeldRecord& m = g.MeldTable[slot];
        const bool run = m.Kind == kKindRun;
        g.ui.CmdTakeBack.Visible = true;
        const Verdict v = ContractMeldCheck(g, card, slot);
        if (!v) return RefuseCard(g, card, v);
        CardRecord& c = g.CardTable[card];
        c.Value = v.value;
        if (!m.Started) m.Start(c.Value, c.Suit);
        if (IsJoker(card)) g.JokerInMeld[slot] = true;
        g.PutInMeld(slot, card);
        if (m.Count == MeldSize(m.Kind)) m.Complete = true;
        if (AllContractSlotsComplete(g)) g.ContractThisTurn = true;
        g.ui.Cds[card].Enabled = false;
        g.ui.FollowMouse.Enabled(false);
        g.TellLaid(card, slot);
        g.RemoveCard(0, 1);
        if (run)
            g.SortMeldsRun(slot);
        else
            g.SortMeldsSet(slot);
        // The hand closes up behind the card.
        g.SortHandP();
        if (g.Round == 7) {
            g.AnyWinner(0);
            if (g.RoundOver || g.GameOver) return;
        }
        g.PlayCardDownSound();
    });
}

void CmdTakeBack_Click(Game& g) {
    g.RunControl("CmdTakeBack_Click", g.ui.CmdTakeBack, [&] {
        ScrubMeldMadeP(g);
        g.ui.CmdTakeBack.Visible = false;
    });
}

}  // namespace meldora
