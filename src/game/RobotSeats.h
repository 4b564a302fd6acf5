#pragma once
// What the turn loop asks of the robots. The robots implement it; the
// program, the tools and the tests hand them to the game, so the table and
// the round flow know nothing of how a robot thinks.

namespace meldora {

class Game;

class RobotSeats {
public:
    virtual ~RobotSeats() = default;

    // A robot's whole turn: draw, meld or lay off, discard, and pass the
    // turn on (Game::WhoPlaysNext).
    virtual void PlayBots(Game& g, int seat) = 0;

    // A robot is offered the top discard while another seat draws from the
    // stock; if it wants the card it claims it (Game::TakeMayI).
    virtual void MayIWho(Game& g, int seat) = 0;

    // The level a finished game's history names: the Expert robots or not.
    virtual bool Expert() const { return false; }
};

}  // namespace meldora
