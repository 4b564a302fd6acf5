#pragma once
// Helpers for the tests that build tables in the one-line notation (the
// robots' and the card table's): cards named as the notation names them,
// with a card's second copy marked "'" (3D') where it matters which copy a
// routine took, and the table, its marks and its melds' ends as text.

#include <QStringList>
#include <vector>

#include "Fixture.h"
#include "headless/Notation.h"

namespace meldora::test {

// The cards (0 entries skipped) as the notation names them.
inline QString Names(const Game& g, const std::vector<int>& cards) {
    QStringList names;
    for (int c : cards)
        if (c != 0) names << QString::fromStdString(CardText(g, c)) + (!IsJoker(c) && c % 2 == 0 ? "'" : "");
    return names.join(' ');
}

// Run slot k of a seat.
inline QString RunSlot(const Game& g, int seat, int k) {
    return Names(g, {g.RunCard1[seat][k], g.RunCard2[seat][k], g.RunCard3[seat][k], g.RunCard4[seat][k]});
}

// The cards of the whole table that carry a mark, in card-number order.
inline QString Marked(const Game& g, bool CardRecord::*mark) {
    std::vector<int> cards;
    for (int c = 1; c <= kCardCount; ++c)
        if (g.CardTable[c].*mark) cards.push_back(c);
    return Names(g, cards);
}

// The first card in a seat's hand that Names() calls `name`, 0 when none.
inline int CardNamed(const Game& g, int seat, const QString& name) {
    for (int c = 1; c <= kCardCount; ++c)
        if (g.CardTable[c].Location == seat && Names(g, {c}) == name) return c;
    return 0;
}

// The table as Describe() shows it, without its empty sections and the
// stock's size.
inline QString Shown(const Table& t) {
    QStringList kept;
    for (const QString& section : t.Describe().split(" | "))
        if (!section.endsWith(':') && !section.startsWith("S:")) kept << section;
    return kept.join(" | ");
}

// Each meld's ends: a run's Low-High, a set's value; "?" marks a meld that
// is not complete.
inline QString Ends(const Game& g) {
    QStringList ends;
    for (int m = 1; m <= kMeldSlots; ++m) {
        const MeldRecord& meld = g.MeldTable[m];
        if (meld.Count == 0) continue;
        ends << (meld.Kind == kKindRun ? QString("%1-%2").arg(meld.Low).arg(meld.High) : QString::number(meld.SetValue)) +
                    (meld.Complete ? "" : "?");
    }
    return ends.join(' ');
}

// Every Ace in the seat's hand counts 14, as an Ace-high search leaves it.
inline void AcesHigh(Game& g, int seat) {
    for (int c = 1; c < kFirstJoker; ++c)
        if (g.CardTable[c].Location == seat && NaturalValue(c) == 1) g.CardTable[c].Value = kValueJoker;
}

}  // namespace meldora::test
