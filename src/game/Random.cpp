#include "game/Random.h"

#include <chrono>

namespace meldora {

namespace {
std::uint64_t ClockSeed() {
    return static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
}
}  // namespace

Random::Random() : engine_(ClockSeed()), fixed_(false) {}

Random::Random(std::uint64_t seed) : engine_(seed), fixed_(true) {}

double Random::Next() {
    // The top 53 bits make an exact double in [0, 1).
    return static_cast<double>(engine_() >> 11) * (1.0 / 9007199254740992.0);
}

int Random::Below(int n) {
    if (n <= 1) return 0;
    // Draws past the last whole multiple of n are drawn again, so every
    // result is equally likely.
    const std::uint64_t range = static_cast<std::uint64_t>(n);
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % range;
    std::uint64_t x = engine_();
    while (x >= limit) x = engine_();
    return static_cast<int>(x % range);
}

void Random::Randomize() {
    if (!fixed_) engine_.seed(ClockSeed());
}

}  // namespace meldora
