#include "Fixture.h"

#include <QStringList>
#include <algorithm>
#include <utility>
#include <vector>

#include "game/TableChecks.h"
#include "headless/Notation.h"
#include "player/Player.h"

namespace meldora::test {

RobotSeats& IdleRobots() {
    struct Idle : RobotSeats {
        void PlayBots(Game&, int) override {}
        void MayIWho(Game&, int) override {}
    };
    static Idle idle;
    return idle;
}

void Table::StartRound(int round) {
    g.ClearNextRound();
    g.SetCardFaces();
    g.Round = round;
    g.GameInProgress = true;
    g.IsTurn[0] = true;
    const Contract& contract = ContractForRound(round);
    for (int seat = 0; seat < 4; ++seat)
        for (int i = 0; i < contract.meldCount; ++i)
            g.MeldTable[FirstMeldSlot(seat, round) + i].Kind = contract.kinds[i];
}

void Table::Set(int round, const char* table) {
    StartRound(round);
    SetUpTable(g, table);
}

QString Table::Describe() const { return QString::fromStdString(DescribeTable(g)); }

QString Table::Column(int slot) const {
    std::vector<std::pair<int, int>> byTop;
    for (int c = 1; c <= kCardCount; ++c)
        if (g.CardTable[c].InMeld[slot]) byTop.push_back({g.ui.Cds[c].Top, c});
    std::sort(byTop.begin(), byTop.end());
    QStringList cards;
    for (const auto& [top, c] : byTop) cards << QString::fromStdString(CardText(g, c));
    return cards.join(' ');
}

int Table::Find(int where, const char* text) const {
    const std::string want = text;
    for (int c = 1; c <= kCardCount; ++c) {
        const CardRecord& card = g.CardTable[c];
        const bool there = where >= 0 ? card.Location == where : card.InMeld[-where];
        if (!there) continue;
        const std::string name = CardText(g, c);
        if (name == want || (want == "JK" && IsJoker(c))) return c;
    }
    return 0;
}

void Table::Drag(int card, int left, int top) {
    const CardImage& img = g.ui.Cds[card];
    // Grabbed off its corner, as a hand would.
    const layout::Point grab{img.Left + 300, img.Top + 200};
    PointerPressed(g, grab, MouseButton::Left);
    const layout::Point to{grab.left + (left - img.Left), grab.top + (top - img.Top)};
    PointerMoved(g, to);
    PointerReleased(g, to);
}

void Table::DragToColumn(int card, int column) {
    Drag(card, layout::MeldColumnLeft(column) + 100, layout::kMeldCardTop + 400);
}

void Table::DragToDiscard(int card) { Drag(card, layout::kDiscardArea.left + 300, layout::kDiscardArea.top + 100); }

void Table::PlayersTurn() {
    for (bool& turn : g.IsTurn) turn = false;
    g.IsTurn[0] = true;
    g.PlayerHasDrawn = true;
}

void Table::Give(int seat, std::initializer_list<int> cards) {
    for (int c : cards) {
        CardRecord& card = g.CardTable[c];
        if (card.Location >= 0 && card.Location <= 3) g.CardsInHand[card.Location] -= 1;
        card.Location = seat;
        g.CardsInHand[seat] += 1;
    }
    g.CollectHand(seat);
}

int Table::Card(int value, int suit, int copy) { return CardNumber(value, suit, copy); }

QString Table::CheckInvariants() const {
    std::string fault = CheckTableInvariants(g);
    if (!fault.empty()) fault += "\n  table: " + DescribeTable(g);
    return QString::fromStdString(fault);
}

}  // namespace meldora::test
