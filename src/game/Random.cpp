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
    return std::uniform_real_distribution<double>(0.0, 1.0)(engine_);
}

int Random::Below(int n) {
    if (n <= 1) return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(engine_);
}

void Random::Randomize() {
    if (!fixed_) engine_.seed(ClockSeed());
}

}  // namespace meldora
