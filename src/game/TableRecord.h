#pragma once
// What everyone at the table has seen happen to the discard pile this
// round, in order: each card a seat threw on it and each card a seat took
// from it (the top card taken at the draw or by "May I?"). A robot that
// watches the table reads it; the rules do not depend on it.

#include <vector>

namespace meldora {

struct PileEvent {
    enum Kind { Discarded, Taken, Renewed };
    Kind kind = Discarded;
    int seat = -1;  // 0..3; -1 for the card turned up at the deal and for a renewal
    int card = 0;   // 0 for a renewal (the pile but its top went back into the stock)
};

class TableRecord {
public:
    void Clear() { events_.clear(); }
    void Discarded(int seat, int card) { events_.push_back({PileEvent::Discarded, seat, card}); }
    void Taken(int seat, int card) { events_.push_back({PileEvent::Taken, seat, card}); }
    void Renewed() { events_.push_back({PileEvent::Renewed, -1, 0}); }
    const std::vector<PileEvent>& Events() const { return events_; }

private:
    std::vector<PileEvent> events_;
};

}  // namespace meldora
