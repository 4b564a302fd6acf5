#pragma once
// The one way a routine guards itself: an unexpected error inside it is
// reported under the routine's name (the program's error box) and the
// routine answers `fallback`; its caller then carries on. A chain of turns
// that is being unwound (ChainAborted) is no error and passes through.

#include <exception>
#include <utility>

namespace meldora {

class Game;
void ReportGuardedError(Game& g, const char* routine, const std::exception& e);

template <typename R, typename F>
R Guarded(Game& g, const char* routine, R fallback, F&& body) {
    try {
        return std::forward<F>(body)();
    } catch (const std::exception& e) {
        ReportGuardedError(g, routine, e);
        return fallback;
    }
}

template <typename F>
void Guarded(Game& g, const char* routine, F&& body) {
    try {
        std::forward<F>(body)();
    } catch (const std::exception& e) {
        ReportGuardedError(g, routine, e);
    }
}

}  // namespace meldora
