#pragma once
// Cards taken one by one out of a hand for the melds a plan chose: each
// time the first card left that is wanted.

#include <vector>

#include "game/Cards.h"

namespace meldora {

class CardPicker {
public:
    explicit CardPicker(std::vector<int> hand) : left_(std::move(hand)) {}

    // The first card left that `wanted` accepts, taken out; 0 when none.
    template <typename Wanted>
    int Take(Wanted wanted) {
        for (int& c : left_)
            if (c != 0 && wanted(c)) {
                const int card = c;
                c = 0;
                return card;
            }
        return 0;
    }

    // A natural card of the value, of the suit unless `suit` is SuitNone.
    int TakeNatural(int value, int suit) {
        return Take([&](int c) {
            return !IsJoker(c) && NaturalValue(c) == value && (suit == SuitNone || NaturalSuit(c) == suit);
        });
    }

    int TakeJoker() { return Take(IsJoker); }

private:
    std::vector<int> left_;
};

}  // namespace meldora
