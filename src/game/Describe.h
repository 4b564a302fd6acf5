#pragma once
// Words for what lies on the table: the names a screen reader reads and the
// speech switch says. Only what the player may see is ever named: a card
// face down is "a face-down card", never its face.

#include <string>

namespace meldora {

class Game;

// "Seven of Hearts", "Ace of Spades", "Joker".
std::string CardName(int card);

// The card as it lies: a Joker in a meld, or given a value in the player's
// hand, names what it stands for ("Joker standing for the Ace of Spades",
// "Joker standing for a Seven").
std::string CardNameInPlay(const Game& g, int card);

// The mark on the face of a Joker that stands for a card where the player
// sees it ("Q♥", "7♣", "7" for a Joker in a set): the value and
// suit its accessible name reads. Empty for any other card.
std::string JokerMark(const Game& g, int card);

// "your hand", "West's hand", "North's run", "your set", "the discard
// pile", "the stock". Empty for a card not on the table.
std::string CardPlaceName(const Game& g, int card);

// The whole accessible name of a card image:
// "Seven of Hearts, your hand, card 3 of 11",
// "Joker standing for the Ace of Spades, North's run",
// "Face-down card, West's hand, card 2 of 10".
std::string CardAccessibleName(const Game& g, int card);

// What a screen reader lists for a card image: a pile is read once, by its
// top card ("Discard pile: ...", "Stock: ..."), and the cards under it are
// not listed (empty); every other card by its accessible name.
std::string CardReaderName(const Game& g, int card);

// "Discard pile: Queen of Clubs, 14 cards" / "Discard pile: empty".
std::string DiscardPileName(const Game& g);
// "Stock: 52 cards".
std::string StockName(const Game& g);

// A seat's name in the possessive as the table speaks of it: "your" for
// the player, "WestBot's" for a robot.
std::string SeatPossessive(const Game& g, int seat);

// Which seat owns meld slot `slot` in `round` (-1 for none).
int MeldSlotOwner(int round, int slot);

// A meld column as the table speaks of it: "your first set", "NorthBot's
// run of Hearts", "WestBot's set of Sevens". Empty for a column nobody
// owns this round.
std::string MeldColumnTitle(const Game& g, int slot);
// The column with its cards, top first: "NorthBot's run of Hearts: Four
// of Hearts, Five of Hearts, Joker standing for the Six of Hearts";
// "your first set: empty".
std::string MeldColumnName(const Game& g, int slot);

// Where a carried card would go now: "over your first set column", "over
// the discard pile", "over no place to put it".
std::string CarriedOverName(const Game& g);

}  // namespace meldora
