#pragma once
// Drops the two notes the offscreen test platform always prints (no sound
// server, no window manager to take size hints), so that a real warning
// stands out in a test's output. Call it from initTestCase(), once Qt Test's
// own message handler is in place; everything else goes on to that handler.

namespace meldora::test {
void SilencePlatformNoise();
}
