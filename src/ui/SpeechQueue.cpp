#include "ui/SpeechQueue.h"

#include <algorithm>
#include <utility>

namespace meldora::ui {

using State = SpeechEngine::State;

int SpeechQueue::waiting() const {
    return static_cast<int>(player_.size()) + (focus_ ? 1 : 0) + (robot_ ? 1 : 0);
}

void SpeechQueue::add(const std::string& text, SpeechKind kind) {
    if (unavailable_ || text.empty()) return;
    const bool focusInHand = phase_ != Phase::Quiet && inHand_.kind == SpeechKind::Focus;
    switch (kind) {
    case SpeechKind::Focus:
        focus_ = Text{text, kind};
        if (focusInHand) stopInHand();
        break;
    case SpeechKind::Player: {
        // The same refusal again (a key pressed twice) says nothing new.
        const auto same = [&text](const Text& t) { return t.text == text; };
        const bool inHand = phase_ != Phase::Quiet && inHand_.kind == kind && !inHand_.dropped && same(inHand_);
        if (inHand || std::any_of(player_.begin(), player_.end(), same)) return;
        player_.push_back(Text{text, kind});
        // Where the frame or a carried card was is out of date once the
        // player acts: a waiting place is dropped, one being said stopped.
        focus_.reset();
        if (focusInHand) stopInHand();
        break;
    }
    case SpeechKind::Robot:
        robot_ = Text{text, kind};
        break;
    }
    next();
}

void SpeechQueue::silence() {
    player_.clear();
    focus_.reset();
    robot_.reset();
    stopInHand();
}

// Reports that do not fit the phase come late from an earlier text (a
// Ready after stop(), the Ready that follows an error) and are ignored.
void SpeechQueue::engineState(State state) {
    switch (phase_) {
    case Phase::Quiet:
        break;
    case Phase::Starting:
        if (state == State::Speaking) {
            phase_ = Phase::Sounding;
            engine_.setDeadline(kStopGuardMs);
            if (onSounding) onSounding(inHand_.text, inHand_.kind);
        } else if (state == State::Error) {
            phase_ = Phase::Failing;
            engine_.setDeadline(kSettleMs);
        }
        break;
    case Phase::Sounding:
    case Phase::Speaking:
        if (state == State::Ready) {
            end(Outcome::Said);
        } else if (state == State::Error) {
            phase_ = Phase::Failing;
            engine_.setDeadline(kSettleMs);
        }
        break;
    case Phase::Failing:
        if (state == State::Ready) end(Outcome::Failed);
        break;
    case Phase::Stopping:
        if (state == State::Ready) end(inHand_.failed ? Outcome::Failed : Outcome::Stopped);
        break;
    }
}

void SpeechQueue::deadlinePassed() {
    switch (phase_) {
    case Phase::Quiet:
        break;
    case Phase::Sounding:
        // The engine has been making sound for a while: it works.
        failedTexts_.clear();
        if (inHand_.stopWanted) {
            stopNow();
        } else {
            phase_ = Phase::Speaking;
            engine_.setDeadline(kSpeakMs);
        }
        break;
    case Phase::Starting:
    case Phase::Speaking:
        // The engine neither started nor finished in time: stop it and count
        // the text as failed once it is quiet.
        inHand_.failed = true;
        inHand_.dropped = true;
        stopNow();
        break;
    case Phase::Failing:
        end(Outcome::Failed);
        break;
    case Phase::Stopping:
        end(inHand_.failed ? Outcome::Failed : Outcome::Stopped);
        break;
    }
}

// The text in hand is not said to the end (nor tried again). The engine is
// stopped at once when it has settled; before that, once it has (a text
// that fails or ends meanwhile needs no stop).
void SpeechQueue::stopInHand() {
    if (phase_ == Phase::Quiet) return;
    inHand_.dropped = true;
    if (phase_ == Phase::Speaking) stopNow();
    else if (phase_ == Phase::Starting || phase_ == Phase::Sounding) inHand_.stopWanted = true;
}

void SpeechQueue::stopNow() {
    phase_ = Phase::Stopping;
    engine_.setDeadline(kSettleMs);
    engine_.stop();
}

void SpeechQueue::end(Outcome outcome) {
    Text text = std::move(inHand_);
    phase_ = Phase::Quiet;
    engine_.setDeadline(0);
    if (outcome == Outcome::Said) {
        failedTexts_.clear();
        ++said_;
    }
    const bool failed = outcome == Outcome::Failed;
    if (failed && (text.dropped || text.attempt + 1 >= kTries || !retry(text))) {
        // Given up on this text.
        if (std::find(failedTexts_.begin(), failedTexts_.end(), text.text) == failedTexts_.end())
            failedTexts_.push_back(text.text);
        if (static_cast<int>(failedTexts_.size()) >= kFailedTextLimit) {
            unavailable_ = true;
            player_.clear();
            focus_.reset();
            robot_.reset();
            if (onUnavailable) onUnavailable();
            return;
        }
    }
    next();
}

// A text the engine dropped goes back to its place, unless a newer text of
// its kind has taken that place meanwhile; says whether it went back.
bool SpeechQueue::retry(Text text) {
    ++text.attempt;
    text.failed = false;
    switch (text.kind) {
    case SpeechKind::Player:
        player_.push_front(std::move(text));
        return true;
    case SpeechKind::Focus:
        if (focus_) return false;
        focus_ = std::move(text);
        return true;
    case SpeechKind::Robot:
        if (robot_) return false;
        robot_ = std::move(text);
        return true;
    }
    return false;
}

void SpeechQueue::next() {
    if (unavailable_ || phase_ != Phase::Quiet) return;
    std::optional<Text> text;
    if (!player_.empty()) {
        text = std::move(player_.front());
        player_.pop_front();
    } else if (focus_) {
        text = std::move(focus_);
        focus_.reset();
    } else if (robot_) {
        text = std::move(robot_);
        robot_.reset();
    }
    if (!text) {
        if (onQuiet) onQuiet();
        return;
    }
    inHand_ = std::move(*text);
    phase_ = Phase::Starting;
    engine_.setDeadline(kStartMs);
    engine_.say(inHand_.text, inHand_.attempt);
}

}  // namespace meldora::ui
