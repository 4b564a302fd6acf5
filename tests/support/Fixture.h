#pragma once
// A game on a headless host with a fixed seed, and helpers to build a table
// card by card.

#include <QString>
#include <initializer_list>

#include "game/Game.h"
#include "robots/Robots.h"
#include "headless/HeadlessHost.h"

namespace meldora::test {

// Robots that never move: a round can be dealt and looked at before anyone plays.
RobotSeats& IdleRobots();

struct Table {
    explicit Table(unsigned seed = 1, RobotSeats& robots = TheRobots())
        : rng(seed), g(host, rng, settings, robots) {
        settings.NoAnimation = true;
        g.CheckTurns = true;  // a turn that breaks the table stops the test there
        g.PauseLength = settings.Speed;
    }

    // An empty table in the given round: every card in the stock with its
    // face fields set, meld kinds of the round's contract, no hands dealt,
    // the player to play.
    void StartRound(int round);

    // StartRound, then the table of a line of the notation (see
    // headless/Notation.h), e.g. "P: 7H 7C | W: 4C 5C 6C | D: 9H".
    void Set(int round, const char* table);
    // The table in that notation, for comparing and for failure messages.
    QString Describe() const;

    // Meld slot k's cards as the notation names them, top of the column
    // first ("JK=5D 5C").
    QString Column(int slot) const;

    // The first card of a seat's hand, or of meld slot -slot, named as in
    // the notation ("7H", "JK"; a Joker matches whatever it stands for).
    int Find(int where, const char* text) const;

    // The player's mouse: presses the card where it lies, moves the
    // pointer so the card's corner comes to (left, top), lets go.
    void Drag(int card, int left, int top);
    // Drops onto meld column k, or onto the discard area.
    void DragToColumn(int card, int column);
    void DragToDiscard(int card);
    // The player's turn after the draw: the player to play, a card drawn.
    void PlayersTurn();

    // Moves the cards into a seat's hand (from wherever they are) and fixes
    // the counts; HandCards is left holding that hand.
    void Give(int seat, std::initializer_list<int> cards);

    // First card number of a value (1..13) in a suit code (4,5,6,7); copy 0 or 1.
    static int Card(int value, int suit, int copy = 0);

    // Checks the card table's invariants; returns an empty string when they
    // hold, else a description of the first one broken.
    QString CheckInvariants() const;

    HeadlessHost host;
    Settings settings;
    Random rng;
    Game g;
};

}  // namespace meldora::test
