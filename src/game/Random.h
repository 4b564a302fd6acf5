#pragma once
// The one source of chance in the game. The program seeds it from the
// clock; tests and tools give it a fixed seed so a deal can be replayed.
// The draws are the program's own arithmetic on the engine's raw output
// (the engine's sequence is fixed by the language; its distributions are
// not), so a seed deals the same cards with every compiler.

#include <cstdint>
#include <random>

namespace meldora {

class Random {
public:
    // Clock-seeded: Randomize() reseeds from the clock.
    Random();
    // Fixed seed: Randomize() does nothing, so a whole game replays.
    explicit Random(std::uint64_t seed);

    // Uniform in [0, 1).
    double Next();

    // Uniform whole number in [0, n).
    int Below(int n);

    // Reseeds from the clock unless the seed is fixed.
    void Randomize();

    bool fixed() const { return fixed_; }

private:
    std::mt19937_64 engine_;
    bool fixed_;
};

}  // namespace meldora
