#include "headless/SelfPlay.h"

#include <algorithm>

#include "game/Rules.h"
#include "game/TableChecks.h"
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
    for (int r = 1; r <= 7; ++r) player.contractsByRound[r] += o.player.contractsByRound[r];
    for (int s = 0; s < 4; ++s) {
        points[s] += o.points[s];
        wins[s] += o.wins[s];
        for (int r = 1; r <= 7; ++r) contractsBySeat[s][r] += o.contractsBySeat[s][r];
    }
    player.layOffs += o.player.layOffs;
    player.jokerSwaps += o.player.jokerSwaps;
    player.discardsTaken += o.player.discardsTaken;
    player.mayIClaims += o.player.mayIClaims;
    player.refusedMoves += o.player.refusedMoves;
    player.directPresses += o.player.directPresses;
    player.pointerActs += o.player.pointerActs;
    player.keysPressed += o.player.keysPressed;
    faults.insert(faults.end(), o.faults.begin(), o.faults.end());
}

SelfPlay::SelfPlay(std::uint64_t seed, bool check) : SelfPlay(seed, check, TheRobots()) {}

SelfPlay::SelfPlay(std::uint64_t seed, bool check, RobotSeats& robots)
    : rng_(seed), g_(host_, rng_, settings_, robots), check_(check) {
    settings_.NoAnimation = true;
    settings_.NoSound = true;
    g_.onTurnDone = [this](int seat) { Observe(seat); };
    g_.CheckTurns = check_;
    g_.onTableFault = [this](int seat, const std::string& fault) { Fault(seat, fault); };
    host_.onMayI = [this] { pilot_.AnswerMayI(); };
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
    // Jokers that went from the table back into a robot's hand were stolen.
    for (int j = 0; j < 3; ++j) {
        const int loc = g_.CardTable[kFirstJoker + j].Location;
        if (jokerLoc_[j] == LocMeld && loc >= 1 && loc <= 3) ++counts_.jokerSteals;
        jokerLoc_[j] = loc;
    }
    // Cards a robot put on the table beyond its contract were laid off. A
    // round that ends inside a turn is seen once more with that seat's turn
    // still set.
    int actor = seat;
    if (seat < 0)
        for (int s = 0; s < 4; ++s)
            if (g_.IsTurn[s]) actor = s;
    int onTable = 0;
    for (int c = 1; c <= kCardCount; ++c)
        if (g_.CardTable[c].Location == LocMeld) ++onTable;
    if (actor >= 1 && actor <= 3) {
        int laidOff = onTable - onTable_;
        if (g_.HasContract[actor] && !hadContract_[actor]) {
            const Contract& contract = ContractForRound(g_.Round);
            for (int i = 0; i < contract.meldCount; ++i) laidOff -= MeldSize(contract.kinds[i]);
        }
        if (laidOff > 0) counts_.layOffs += laidOff;
    }
    onTable_ = onTable;
    for (int s = 0; s < 4; ++s) hadContract_[s] = g_.HasContract[s];
}

void SelfPlay::EndOfRound() {
    Observe(-1);
    const std::string scores = check_ ? CheckRoundScores(g_) : std::string();
    if (!scores.empty()) Fault(-1, "on the board: " + scores);
    ++counts_.rounds;
    for (int s = 1; s <= 3; ++s)
        if (g_.HasContract[s]) ++counts_.contractsByRound[g_.Round];
    for (int s = 0; s < 4; ++s)
        if (g_.HasContract[s]) ++counts_.contractsBySeat[s][g_.Round];
    counts_.renewals += g_.StockRenewals;
    bool emptyHand = false;
    for (int s = 0; s < 4; ++s)
        if (g_.CardsInHand[s] == 0) emptyHand = true;
    if (emptyHand)
        ++counts_.goOuts;
    else
        ++counts_.exhaustedRounds;
    NewRound();
}

void SelfPlay::NewRound() {
    onTable_ = 0;
    for (bool& had : hadContract_) had = false;
    for (int& loc : jokerLoc_) loc = LocStock;
}

void SelfPlay::PlayGame(int deal) {
    host_.sounds.clear();
    NewRound();
    // Starts round 1 and plays up to the player's turn.
    if (deal > 0)
        g_.ReplayDeal(deal);
    else
        g_.MnuNew_Click();
    int guard = 0;
    while (guard++ < 100000) {
        if (g_.RoundOver || g_.GameOver) {
            EndOfRound();
            if (g_.GameOver) break;
            g_.CmdFinished_Click();
            continue;
        }
        if (!g_.IsTurn[0]) {
            counts_.faults.push_back("round " + std::to_string(g_.Round) +
                                     ": the chain stopped with no turn for the player");
            break;
        }
        if (!pilot_.PlayTurn()) {
            Fault(0, "the autopilot found no move the rules accept to end its turn");
            break;
        }
    }
    counts_.player = pilot_.counts();
    if (g_.GameOver) {
        int lowest = g_.Totals[0], sharing = 0;
        for (int s = 0; s < 4; ++s) lowest = std::min(lowest, g_.Totals[s]);
        for (int s = 0; s < 4; ++s) sharing += g_.Totals[s] == lowest ? 1 : 0;
        for (int s = 0; s < 4; ++s) {
            counts_.points[s] += g_.Totals[s];
            if (g_.Totals[s] == lowest) counts_.wins[s] += 1.0 / sharing;
        }
    }
    for (const std::string& s : host_.sounds)
        if (s == "\\MayID.wav" || s == "\\MayIC.wav" || s == "\\MayIJ.wav") ++counts_.robotClaims;
    for (const std::string& m : host_.systemMessages) counts_.faults.push_back("error: " + m);
    host_.systemMessages.clear();
    ++counts_.games;
}

}  // namespace meldora
