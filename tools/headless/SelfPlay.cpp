#include "headless/SelfPlay.h"

#include "headless/Invariants.h"
#include "headless/Notation.h"
#include "robots/Robots.h"

namespace meldora {

void SelfPlayCounts::Add(const SelfPlayCounts& o) {
    games += o.games;
    rounds += o.rounds;
    robotTurns += o.robotTurns;
    robotClaims += o.robotClaims;
    for (int r = 1; r <= 7; ++r) contractsByRound[r] += o.contractsByRound[r];
    layOffs += o.layOffs;
    jokerSteals += o.jokerSteals;
    goOuts += o.goOuts;
    renewals += o.renewals;
    exhaustedRounds += o.exhaustedRounds;
    faults.insert(faults.end(), o.faults.begin(), o.faults.end());
}

void ScriptedPlayerTurn(Game& g) {
    if (g.RoundOver || g.GameOver || !g.IsTurn[0]) return;
    g.ui.CmdStock.Visible = false;
    g.ui.CmdDiscard.Visible = false;
    g.MayIFrom(0);
    if (g.RoundOver || g.GameOver) return;
    g.TakeDeckCard(0);
    if (g.RoundOver || g.GameOver) return;
    g.PlayerHasDrawn = true;
    g.CollectHand(0);
    int worst = 0;
    for (int i = 1; i <= g.HandCount(); ++i) {
        const int c = g.HandCards[i];
        if (worst == 0 || g.CardTable[c].Points > g.CardTable[worst].Points) worst = c;
    }
    if (worst == 0) return;
    g.DiscardCard(worst);
    g.RemoveCard(0, 1);
    g.HasDiscarded[0] = true;
    g.AnyWinner(0);
    if (!g.RoundOver && !g.GameOver) {
        g.IsTurn[0] = false;
        g.IsTurn[1] = true;
        g.PlayerHasDrawn = false;
        g.HasDiscarded[0] = false;
        g.ui.LblP.Caption = " ";
        g.SortHandP();
    }
    if (g.onTurnDone) g.onTurnDone(0);
    if (g.RoundOver || g.GameOver) return;
    g.MainLoop();
}

SelfPlay::SelfPlay(std::uint64_t seed, bool check)
    : rng_(seed), g_(host_, rng_, settings_, TheRobots()), check_(check) {
    settings_.NoAnimation = true;
    settings_.NoSound = true;
    g_.onTurnDone = [this](int seat) { Observe(seat); };
    // The deal's last words: the round is laid out and about to be played.
    host_.onPause = [this] {
        if (!check_) return;
        if (g_.ui.LblBots.Caption.rfind("Below is where you will push cards", 0) != 0) return;
        const std::string fault = CheckFreshRound(g_);
        if (!fault.empty() && fault != lastFault_) Fault(-1, "at the deal: " + fault);
        lastFault_ = fault;
    };
}

void SelfPlay::Fault(int seat, const std::string& what) {
    counts_.faults.push_back("round " + std::to_string(g_.Round) + " after seat " + std::to_string(seat) +
                             ": " + what + "\n  table: " + DescribeTable(g_));
}

void SelfPlay::Observe(int seat) {
    if (seat >= 1 && seat <= 3) ++counts_.robotTurns;
    if (check_) {
        std::string fault = CheckTableInvariants(g_);
        if (fault.empty()) fault = CheckTableLayout(g_);
        if (!fault.empty()) Fault(seat, fault);
    }
    // Jokers that went from the table back into a robot's hand were stolen.
    for (int j = 0; j < 3; ++j) {
        const int loc = g_.CardTable[kFirstJoker + j].Location;
        if (jokerLoc_[j] == LocMeld && loc >= 1 && loc <= 3) ++counts_.jokerSteals;
        jokerLoc_[j] = loc;
    }
    // Cards on the table beyond the laid contracts were laid off.
    const Contract& contract = ContractForRound(g_.Round);
    int layable = 0;
    for (int c = 1; c <= kCardCount; ++c)
        if (g_.CardTable[c].Location == LocMeld) ++layable;
    int contractCards = 0;
    for (int s = 0; s < 4; ++s)
        if (g_.HasContract[s] || (s == 0 && g_.ContractThisTurn))
            for (int i = 0; i < contract.meldCount; ++i)
                contractCards += contract.kinds[i] == kKindRun ? 4 : 3;
    const int laidOff = layable - contractCards;
    if (laidOff > laidOff_) counts_.layOffs += laidOff - laidOff_;
    laidOff_ = laidOff;
}

void SelfPlay::EndOfRound() {
    Observe(-1);
    const std::string scores = check_ ? CheckRoundScores(g_) : std::string();
    if (!scores.empty()) Fault(-1, "on the board: " + scores);
    ++counts_.rounds;
    for (int s = 1; s <= 3; ++s)
        if (g_.HasContract[s]) ++counts_.contractsByRound[g_.Round];
    counts_.renewals += g_.StockRenewals;
    bool emptyHand = false;
    for (int s = 0; s < 4; ++s)
        if (g_.CardsInHand[s] == 0) emptyHand = true;
    if (emptyHand)
        ++counts_.goOuts;
    else
        ++counts_.exhaustedRounds;
    laidOff_ = 0;
    for (int& loc : jokerLoc_) loc = LocStock;
}

void SelfPlay::PlayGame() {
    host_.sounds.clear();
    for (int& loc : jokerLoc_) loc = LocStock;
    laidOff_ = 0;
    g_.MnuNew_Click();  // starts round 1 and plays up to the player's turn
    int guard = 0;
    while (guard++ < 100000) {
        if (g_.RoundOver || g_.GameOver) {
            EndOfRound();
            if (g_.GameOver) break;
            for (int& loc : jokerLoc_) loc = LocStock;
            g_.CmdFinished_Click();
            continue;
        }
        if (!g_.IsTurn[0]) {
            counts_.faults.push_back("round " + std::to_string(g_.Round) +
                                     ": the chain stopped with no turn for the player");
            break;
        }
        g_.RunHandler("ScriptedPlayerTurn", [this] { ScriptedPlayerTurn(g_); });
    }
    for (const std::string& s : host_.sounds)
        if (s == "\\MayID.wav" || s == "\\MayIC.wav" || s == "\\MayIJ.wav") ++counts_.robotClaims;
    for (const std::string& m : host_.systemMessages) counts_.faults.push_back("error: " + m);
    host_.systemMessages.clear();
    ++counts_.games;
}

}  // namespace meldora
