#pragma once
// What is said next, and what a speech engine's reports mean. Plain C++
// with no engine inside: SpeechQueue drives a SpeechEngine and is told of
// its state changes, so a stand-in engine can play every fault an engine
// shows (an error and Ready at once, errors in a row, a late Ready).
//
// Order: the player's texts first (in the order given; one already in hand
// or waiting is not queued again), then the focused card's name, then the
// latest robot move. A newer focus name replaces the waiting one and stops
// one being said; a player's text drops the waiting focus name and stops
// one being said (it is out of date once the player acts); a newer robot move replaces the waiting
// one. So what is heard is never more than one move behind the table; a
// new game or speech switched off drops everything (silence()).
//
// Engine faults: a text dropped with an error is tried again (kTries in
// all) unless something newer has taken its place. The engine is given up
// for the session once kFailedTextLimit different texts in a row could not
// be said, with no text sounding for kStopGuardMs between them: a text that
// fails every time (Qt 6.4's flite has such texts) may come again and
// again, but an engine that cannot speak fails on every text. Every wait
// on the engine has a deadline, so a report that never comes never stops
// speech for good.
//
// A text is never stopped in its first kStopGuardMs of sound: Qt 6.4's
// flite engine deletes its audio sink on stop(), and doing so early crashes
// its worker thread (a stress of 40 texts, each stopped at a random moment:
// 6 runs of 10 crashed with stops 0 to 500 ms after Speaking, 2 of 10 from
// 150 ms, none of 10 from 300 ms nor from 800 ms). So silence() ends a text
// that has just begun up to that long after.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "game/Host.h"

namespace meldora::ui {

// The engine the queue drives. Its reports reach SpeechQueue::engineState
// and SpeechQueue::deadlinePassed later, never from inside these calls.
class SpeechEngine {
public:
    enum class State { Ready, Speaking, Error };
    virtual ~SpeechEngine() = default;
    // Starts saying `text`; `attempt` counts the earlier tries of it that
    // ended in an error (0 the first time).
    virtual void say(const std::string& text, int attempt) = 0;
    virtual void stop() = 0;
    // SpeechQueue::deadlinePassed is called ms from now, unless the deadline
    // is set again first; 0 clears it.
    virtual void setDeadline(int ms) = 0;
};

class SpeechQueue {
public:
    static constexpr int kTries = 4;
    static constexpr int kFailedTextLimit = 4;
    static constexpr int kStartMs = 5000;   // from say() to Speaking or Error
    static constexpr int kSpeakMs = 30000;  // from Speaking to Ready
    static constexpr int kSettleMs = 1000;  // from an error or stop() to Ready
    static constexpr int kStopGuardMs = 800;  // from Speaking to the first stop()

    explicit SpeechQueue(SpeechEngine& engine) : engine_(engine) {}

    void add(const std::string& text, SpeechKind kind);
    // Stops what is being said and drops everything waiting.
    void silence();

    void engineState(SpeechEngine::State state);
    void deadlinePassed();

    // The engine is quiet: nothing said, stopped or failing that it has
    // still to report on.
    bool quiet() const { return phase_ == Phase::Quiet; }
    bool unavailable() const { return unavailable_; }
    int waiting() const;
    // Texts the engine has said to the end.
    int said() const { return said_; }

    // Called once, when the engine is given up.
    std::function<void()> onUnavailable;
    // Called whenever the engine has fallen quiet with nothing left to say.
    std::function<void()> onQuiet;
    // Called when a text starts to sound.
    std::function<void(const std::string& text, SpeechKind kind)> onSounding;

private:
    // Sounding: Speaking reported less than kStopGuardMs ago.
    enum class Phase { Quiet, Starting, Sounding, Speaking, Failing, Stopping };
    struct Text {
        std::string text;
        SpeechKind kind = SpeechKind::Robot;
        int attempt = 0;
        bool dropped = false;     // stopped or silenced: never tried again
        bool stopWanted = false;  // to be stopped once the engine has settled
        bool failed = false;      // the engine did not end it in time
    };
    enum class Outcome { Said, Failed, Stopped };

    void next();
    void end(Outcome outcome);
    void stopInHand();
    void stopNow();
    bool retry(Text text);

    SpeechEngine& engine_;
    Phase phase_ = Phase::Quiet;
    Text inHand_;
    std::deque<Text> player_;
    std::optional<Text> focus_;
    std::optional<Text> robot_;
    std::vector<std::string> failedTexts_;  // since a text last sounded
    int said_ = 0;
    bool unavailable_ = false;
};

}  // namespace meldora::ui
