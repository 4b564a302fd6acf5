#include "game/TableChecks.h"

#include <algorithm>
#include <set>
#include <vector>

#include "game/Game.h"
#include "game/Rules.h"

namespace meldora {

std::string CheckTableInvariants(const Game& g) {
    int inHand[4] = {}, stock = 0, discard = 0, meld = 0;
    int meldCards[kMeldSlots + 1] = {};
    for (int c = 1; c <= kCardCount; ++c) {
        const CardRecord& card = g.CardTable[c];
        int slots = 0;
        for (int m = 1; m <= kMeldSlots; ++m)
            if (card.InMeld[m]) {
                ++slots;
                ++meldCards[m];
            }
        switch (card.Location) {
            case 0: case 1: case 2: case 3: ++inHand[card.Location]; break;
            case LocStock: ++stock; break;
            case LocDiscard: ++discard; break;
            case LocMeld: ++meld; break;
            default: return "card " + std::to_string(c) + " has location " + std::to_string(card.Location);
        }
        if (card.Location == LocMeld && slots != 1)
            return "meld card " + std::to_string(c) + " lies in " + std::to_string(slots) + " slots";
        if (card.Location != LocMeld && slots != 0)
            return "card " + std::to_string(c) + " off the table is marked in a meld";
        // Cards on the piles show their own value (a Joker stands for nothing).
        if ((card.Location == LocStock || card.Location == LocDiscard) &&
            card.Value != NaturalValue(c))
            return "card " + std::to_string(c) + " on a pile has value " + std::to_string(card.Value);
    }
    for (int s = 0; s < 4; ++s)
        if (inHand[s] != g.CardsInHand[s])
            return "seat " + std::to_string(s) + " holds " + std::to_string(inHand[s]) +
                   " cards but counts " + std::to_string(g.CardsInHand[s]);
    if (discard != g.DiscardCount)
        return "discard pile counts " + std::to_string(g.DiscardCount) + " but " +
               std::to_string(discard) + " cards lie there";
    for (int k = 1; k <= g.DiscardCount; ++k)
        if (g.CardTable[g.DiscardPile[k]].Location != LocDiscard)
            return "discard pile entry " + std::to_string(k) + " is not on the pile";
    for (int k = 1; k <= g.DiscardCount; ++k)
        for (int j = k + 1; j <= g.DiscardCount; ++j)
            if (g.DiscardPile[k] == g.DiscardPile[j]) return "a card is twice on the discard pile";
    for (int m = 1; m <= kMeldSlots; ++m)
        if (meldCards[m] != g.MeldTable[m].Count)
            return "meld slot " + std::to_string(m) + " counts " + std::to_string(g.MeldTable[m].Count) +
                   " but holds " + std::to_string(meldCards[m]);
    if (inHand[0] + inHand[1] + inHand[2] + inHand[3] + stock + discard + meld != kCardCount)
        return "cards do not add up to 107";
    if (!g.RoundOver && !g.GameOver) {
        int turns = 0;
        for (bool t : g.IsTurn) turns += t ? 1 : 0;
        if (turns != 1) return std::to_string(turns) + " seats have the turn";
    }
    return {};
}

std::string CheckMelds(const Game& g) {
    for (int c = 1; c <= kCardCount; ++c) {
        const CardRecord& card = g.CardTable[c];
        // A Joker may carry the value chosen for it in the Joker panel.
        if (card.Location == LocPlayer && !IsJoker(c) && (card.Value != NaturalValue(c) || card.Suit != NaturalSuit(c)))
            return "player's card " + std::to_string(c) + " stands for value " + std::to_string(card.Value) +
                   " suit " + std::to_string(card.Suit);
    }
    for (int m = 1; m <= kMeldSlots; ++m) {
        const MeldRecord& meld = g.MeldTable[m];
        if (meld.Count == 0) continue;
        const std::string name = "meld slot " + std::to_string(m);
        std::vector<int> values;
        for (int c = 1; c <= kCardCount; ++c) {
            const CardRecord& card = g.CardTable[c];
            if (!card.InMeld[m]) continue;
            values.push_back(card.Value);
            if (meld.Kind == kKindSet && card.Value != meld.SetValue)
                return name + ": card " + std::to_string(c) + " is not of the set's value";
            if (meld.Kind != kKindRun) continue;
            if (card.Suit != meld.RunSuit) return name + ": card " + std::to_string(c) + " is off the run's suit";
            if (!IsJoker(c) && card.Value != NaturalValue(c) && !(card.Value == kValueHighAce && NaturalValue(c) == 1))
                return name + ": card " + std::to_string(c) + " stands for another card";
        }
        if (meld.Complete != (meld.Count >= MeldSize(meld.Kind)))
            return name + (meld.Complete ? " is complete with " : " is not complete with ") + std::to_string(meld.Count) + " cards";
        if (meld.Kind != kKindRun) continue;
        std::sort(values.begin(), values.end());
        for (std::size_t i = 1; i < values.size(); ++i)
            if (values[i] != values[i - 1] + 1 && !(values[i] == kValueHighAce && values[i - 1] == 13))
                return name + ": the run has a gap or a card twice";
        if (values.front() != meld.Low || values.back() != meld.High)
            return name + ": the run's ends read " + std::to_string(meld.Low) + ".." + std::to_string(meld.High);
    }
    return {};
}

namespace {

std::string Where(int card, const CardImage& img) {
    return "card " + std::to_string(card) + " (picture " + std::to_string(img.Picture) + " at " +
           std::to_string(img.Left) + "," + std::to_string(img.Top) + (img.Visible ? "" : ", hidden") +
           (img.Enabled ? ", enabled" : ", disabled") + ")";
}

bool At(const CardImage& img, layout::Point p) { return img.Left == p.left && img.Top == p.top; }

}  // namespace

std::string CheckTable(const Game& g) {
    std::string fault = CheckTableInvariants(g);
    if (fault.empty()) fault = CheckMelds(g);
    if (fault.empty()) fault = CheckTableLayout(g);
    return fault;
}

std::string CheckTableLayout(const Game& g) {
    using namespace layout;
    const TableModel& m = g.ui;
    int stockIndex = 0;
    int handIndex[4] = {};
    std::set<int> playerLefts;
    std::set<int> meldTops[kMeldSlots + 1];
    for (int c = 1; c <= kCardCount; ++c) {
        const CardRecord& card = g.CardTable[c];
        const CardImage& img = m.Cds[c];
        const int loc = card.Location;
        if (!img.Visible) return Where(c, img) + " is not shown";
        if (loc == LocStock) {
            const Point spot{kStock.left + kPileStep * stockIndex, kStock.top - kPileStep * stockIndex};
            ++stockIndex;
            if (img.Picture != kPicBack || img.Enabled || !At(img, spot))
                return "stock " + Where(c, img) + " out of its stack";
        } else if (loc == LocDiscard) {
            int k = 0;
            for (int i = 1; i <= g.DiscardCount; ++i)
                if (g.DiscardPile[i] == c) k = i;
            const Point spot{kDiscardPile.left + kPileStep * (k - 1), kDiscardPile.top};
            if (img.Picture != c || img.Enabled || !At(img, spot))
                return "discard " + Where(c, img) + " out of the pile";
        } else if (loc == LocMeld) {
            int slot = 0;
            for (int s = 1; s <= kMeldSlots; ++s)
                if (card.InMeld[s]) slot = s;
            const MeldRecord& meld = g.MeldTable[slot];
            const int row = (img.Top - kMeldCardTop) / kMeldCardStep;
            const bool inColumn = img.Left == MeldColumnLeft(slot) && img.Top >= kMeldCardTop &&
                                  (img.Top - kMeldCardTop) % kMeldCardStep == 0 && row < meld.Count &&
                                  meldTops[slot].insert(img.Top).second;
            if (img.Picture != c || !inColumn) return "meld " + Where(c, img) + " out of column " + std::to_string(slot);
            if (img.Enabled != (IsJoker(c) && meld.Kind == kKindRun))
                return "meld " + Where(c, img) + (img.Enabled ? " takes the mouse" : " cannot be clicked");
        } else if (loc >= 1 && loc <= 3) {
            const int k = handIndex[loc]++;
            if (img.Enabled) return "robot " + Where(c, img) + " takes the mouse";
            if (g.RoundOver) {
                if (img.Picture != c) return "robot " + Where(c, img) + " not revealed";
                const Point spot = RevealedSpot(loc, k, g.CardsInHand[loc]);
                if (img.Left != spot.left || (loc != 2 && img.Top != spot.top))
                    return "revealed " + Where(c, img) + " out of place";
            } else {
                const int back = loc == 2 ? kPicBack : kPicBackSideways;
                if (img.Picture != back || !At(img, HandSpot(loc, k, false)))
                    return "robot " + Where(c, img) + " out of its hand";
            }
        } else if (loc == LocPlayer) {
            const int k = (img.Left - kPlayerHand.first.left) / kPlayerHand.stepLeft;
            const bool inRow = img.Top == kPlayerHand.first.top && img.Left >= kPlayerHand.first.left &&
                               (img.Left - kPlayerHand.first.left) % kPlayerHand.stepLeft == 0 &&
                               k < g.CardsInHand[0] && playerLefts.insert(img.Left).second;
            if (img.Picture != c || !inRow) return "player's " + Where(c, img) + " out of the hand";
            if (!img.Enabled && !g.RoundOver) return "player's " + Where(c, img) + " cannot be pushed";
        }
    }
    return {};
}

namespace {
// The "Penalty Points" panel's line of a seat, against its total.
std::string LatestPointsFault(const Game& g, int s, int total) {
    const std::string& shown = g.ui.LblLatestPoints[s + 1].Caption;
    if (shown == g.SeatName(s) + " " + std::to_string(total)) return {};
    return "latest points of seat " + std::to_string(s) + " show '" + shown + "'";
}
}  // namespace

std::string CheckFreshRound(const Game& g) {
    const int dealt = CardsDealt(g.Round);
    for (int s = 0; s < 4; ++s) {
        if (g.CardsInHand[s] != dealt) return "seat " + std::to_string(s) + " was dealt " + std::to_string(g.CardsInHand[s]);
        if (g.HasContract[s]) return "seat " + std::to_string(s) + " starts with a contract";
        if (g.HasDiscarded[s]) return "seat " + std::to_string(s) + " starts having discarded";
    }
    if (g.StockRenewals != 0) return "the round starts with " + std::to_string(g.StockRenewals) + " renewals";
    if (g.ContractThisTurn || g.PlayerHasDrawn || g.MayIAnswered || g.LastDiscardTaken != 0)
        return "a flag of the last turn is still set";
    if (g.DiscardCount != 1) return "the discard pile starts with " + std::to_string(g.DiscardCount) + " cards";
    for (int m = 1; m <= kMeldSlots; ++m) {
        const MeldRecord& meld = g.MeldTable[m];
        if (meld.Count || meld.Started || meld.Complete || meld.Low || meld.High || g.JokerInMeld[m])
            return "meld slot " + std::to_string(m) + " is not empty";
        const bool used = m <= (g.Round <= 3 ? 8 : 12);
        if ((meld.Kind != 0) != used) return "meld slot " + std::to_string(m) + " has kind " + std::to_string(meld.Kind);
    }
    if (g.ui.FramScore.Visible) return "the last round's board is still up";
    for (int s = 0; s < 4; ++s) {
        int sum = 0;
        // The current round's cell holds the player's points in hand as
        // they go; the totals hold the rounds before it.
        for (int r = 1; r <= 7; ++r) {
            if (r > g.Round && g.RoundPoints[s][r] != 0)
                return "seat " + std::to_string(s) + " has points in round " + std::to_string(r) + " already";
            if (r < g.Round) sum += g.RoundPoints[s][r];
        }
        if (g.Totals[s] != sum) return "seat " + std::to_string(s) + " starts with total " + std::to_string(g.Totals[s]) + ", not " + std::to_string(sum);
        if (std::string fault = LatestPointsFault(g, s, sum); !fault.empty()) return fault;
    }
    int turns = 0;
    for (bool t : g.IsTurn) turns += t ? 1 : 0;
    if (turns != 1) return std::to_string(turns) + " seats have the turn at the deal";
    return {};
}

std::string CheckRoundScores(const Game& g) {
    for (int s = 0; s < 4; ++s) {
        int sum = 0;
        for (int r = 1; r <= 7; ++r) {
            const int points = g.RoundPoints[s][r];
            sum += points;
            const std::string cell = r <= g.Round ? std::to_string(points) : std::string();
            if (r > g.Round && points != 0) return "seat " + std::to_string(s) + " has points in round " + std::to_string(r);
            if (g.ui.LblRnd[r][s].Caption != cell)
                return "round " + std::to_string(r) + " of seat " + std::to_string(s) + " shows '" + g.ui.LblRnd[r][s].Caption + "'";
        }
        if (g.Totals[s] != sum || g.ui.LblTotal[s].Caption != std::to_string(sum))
            return "seat " + std::to_string(s) + " totals " + std::to_string(g.Totals[s]) + " (shown '" + g.ui.LblTotal[s].Caption + "'), not " + std::to_string(sum);
        if (std::string fault = LatestPointsFault(g, s, sum); !fault.empty()) return fault;
    }
    if (!g.ui.FramScore.Visible || !g.ui.CmdFinished.Visible) return "the board or its button is not up";
    return {};
}

}  // namespace meldora
