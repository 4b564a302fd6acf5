#pragma once
// The card table's invariants, checked between turns by tests and tools.

#include <string>

namespace meldora {

class Game;

// Empty when every invariant holds; otherwise a description of the first
// one broken.
std::string CheckTableInvariants(const Game& g);

}  // namespace meldora
