#pragma once
// Values that live for the whole run beside the game: the seat names, the
// games won per seat, the pace and the switches. Each is declared here
// once with its default.

#include <array>
#include <string>

namespace meldora {

constexpr int kSpeedVerySlow = 3000;
constexpr int kSpeedSlow = 1250;
constexpr int kSpeedMedium = 250;
constexpr int kSpeedFast = 150;

struct Settings {
    std::array<std::string, 4> SeatNames{"Player", "WestBot", "NorthBot", "EastBot"};
    std::array<int, 4> GamesWon{0, 0, 0, 0};
    int Speed = kSpeedMedium;
    bool NoAnimation = false;
    bool NoSound = false;
    bool Speech = false;  // robots' moves and the information texts said aloud
};

}  // namespace meldora
