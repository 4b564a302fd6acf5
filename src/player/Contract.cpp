// The player lays the round's contract card by card: each card dropped on a
// contract column is tested against the meld that column builds.

#include <string>

#include "game/Game.h"
#include "game/Guard.h"
#include "player/Player.h"

namespace meldora {

namespace {

int LastContractSlot(const Game& g) { return g.Round >= 4 ? 9 : 8; }

bool AllContractSlotsComplete(const Game& g) {
    for (int slot = 7; slot <= LastContractSlot(g); ++slot)
        if (!g.MeldTable[slot].Complete) return false;
    return true;
}

// What the player hears when a card does not fit a started meld, by slot.
std::string Refusal(int slot, bool run) {
    const std::string name = Game::NameMark(0);
    switch (slot) {
        case 7: return name + (run ? " card right value or not same suit. " : " card not of right value for this meld. ");
        case 8: return run ? name + " card not of right value for this meld. " : std::string();
        default: return name + (run ? " card right value or not same suit. " : " card right value for this Meld. ");
    }
}

}  // namespace

bool NotSameSuitRightVal(Game& g, int card, int slot) {
    CardRecord& c = g.CardTable[card];
    const MeldRecord& m = g.MeldTable[slot];
    if (c.Suit != m.RunSuit) {
        g.ShowInfo("Run Meld must follow suit.");
        return true;
    }
    if (m.High == 13 && c.Value == 1) {
        c.Value = kValueHighAce;
        return false;
    }
    if (c.Value == m.High + 1 || c.Value == m.Low - 1) return false;
    g.ShowInfo("Card cannot be Melded. Try again");
    return true;
}

void GeneralContractRoutineP(Game& g, int slot, int card) {
    Guarded(g, "GeneralContractRoutineP", [&] {
        if (!g.IsTurn[0]) return;
        MeldRecord& m = g.MeldTable[slot];
        const bool run = m.Kind == kKindRun;
        g.ui.CmdTakeBack.Visible = true;
        if (IsJoker(card) && g.JokerInMeld[slot]) {
            g.BackYouGo(card);
            g.ShowInfo("Only 1 Joker in contract Meld allowed");
            return;
        }
        if (m.Complete) {
            g.BackYouGo(card);
            g.ShowInfo("You cannot Lay Off until next turn.");
            return;
        }
        CardRecord& c = g.CardTable[card];
        if (m.Count > 0) {
            const bool refused = run ? NotSameSuitRightVal(g, card, slot) : c.Value != m.SetValue;
            if (refused) {
                g.BackYouGo(card);
                const std::string text = Refusal(slot, run);
                if (!text.empty()) g.ShowInfo(text);
                return;
            }
        }
        if (!m.Started) {
            m.Started = true;
            if (run)
                m.RunSuit = c.Suit;
            else
                m.SetValue = c.Value;
        }
        if (IsJoker(card)) g.JokerInMeld[slot] = true;
        m.Count += 1;
        c.Location = LocMeld;
        c.InMeld[slot] = true;
        if (m.Count == (run ? 4 : 3)) m.Complete = true;
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
