#pragma once
// Drops the two notes the offscreen test platform always prints (no sound
// server, no window manager to take size hints), so that a real warning
// stands out in a test's output. Call it from initTestCase(), once Qt Test's
// own message handler is in place; everything else goes on to that handler.

class QString;

namespace meldora::test {
void SilencePlatformNoise();

// Gives the offscreen platform one screen of the given size in device
// pixels and the scale factor; call before the application is made. The
// screen's description is written to `configFile`, which must outlive the
// application's start. False when the file cannot be written.
bool UseOffscreenScreen(const QString& configFile, int width, int height, const QString& scale);
}
