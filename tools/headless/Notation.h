#pragma once
// A table as one line of text, to set a test's table up and to print one:
//
//   "P: AD 2D JK | W: 4C 5C 6C | D: 9H KS | M7: 4C 5C 6C JK=7C"
//
// A card is its rank (A 2 3 ... 9 T J Q K) and suit (D C H S); JK is a
// Joker, and JK=7C a Joker standing for the Seven of Clubs. The first time a
// card is named it is the first of the two packs' copies, the next time the
// second; * stands for every card not named so far. In a run an Ace named
// right after a King is the high Ace. Sections: P, W, N, E
// the hands; D the discard pile, bottom card first; M1 .. M12 the meld
// slots. Every card not named is in the stock.

#include <string>

namespace meldora {

class Game;

// Lays the table out on a round prepared with every card in the stock
// (as the test fixture's StartRound leaves it): cards go to their places,
// counts and melds follow, the hands and piles are laid out. Throws
// std::invalid_argument on a card or section it does not know.
void SetUpTable(Game& g, const std::string& text);

// The table in the same notation: hands in card-number order, the discard
// pile, every meld slot that holds cards, and the stock's size ("S: 61").
std::string DescribeTable(const Game& g);

// "7C", "JK", or "JK=7C" for a Joker that stands for a card.
std::string CardText(const Game& g, int card);

}  // namespace meldora
