#pragma once
// Shorthands for building a robot's hand card by card in the robot tests.

#include <QList>

#include "Fixture.h"

namespace meldora::test {

using Cards = QList<int>;

constexpr int D = SuitDiamonds, C = SuitClubs, H = SuitHearts, S = SuitSpades;

inline int Cd(int value, int suit, int copy = 0) { return Table::Card(value, suit, copy); }

// Gives the cards to a robot seat and hands it the turn.
inline void Hand(Table& t, int seat, const Cards& cards) {
    for (int c : cards) t.Give(seat, {c});
    for (bool& turn : t.g.IsTurn) turn = false;
    t.g.IsTurn[seat] = true;
}

}  // namespace meldora::test
