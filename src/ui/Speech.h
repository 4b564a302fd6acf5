#pragma once
// Speech through Qt TextToSpeech: the engine, made on the first text and
// kept for the whole session, driven by a SpeechQueue.
//
// The engine object is never destroyed on an error or when speech is
// switched off (Qt 6.4's flite engine crashes when it is destroyed while
// its worker thread is still dealing with a failed text); it is destroyed
// with this object, once it has fallen quiet.

#include <QElapsedTimer>
#include <QString>
#include <map>
#include <functional>
#include <memory>
#include <string>

#include "game/Host.h"

namespace meldora::ui {

class QtSpeechEngine;
class SpeechQueue;

class Speech {
public:
    Speech();
    ~Speech();

    // The engine to use instead of the default one (tests); takes effect
    // when the first text is said.
    void setEngineName(const QString& name) { engineName_ = name; }
    // The engine's rate, from -1 (slowest) to 1 (fastest); 0 is normal.
    void setRate(double rate);
    double rate() const { return rate_; }

    void say(const std::string& text, SpeechKind kind);
    void silence();
    // Silences the engine and waits (handling no input) until it is quiet,
    // at most three seconds: called before the window goes.
    void finish();

    bool unavailable() const { return unavailable_; }
    int waiting() const;
    int said() const;  // texts said to the end

    // Called once, when there is no engine or it has failed for good.
    std::function<void()> onUnavailable;
    // Called when a text starts to sound, with the milliseconds since it
    // was last given to say() (for measuring how far speech lags).
    std::function<void(const std::string& text, SpeechKind kind, qint64 lagMs)> onSounding;

private:
    bool start();
    void giveUp();

    QString engineName_;
    double rate_ = 0.0;
    bool unavailable_ = false;
    std::unique_ptr<QtSpeechEngine> engine_;
    std::unique_ptr<SpeechQueue> queue_;
    QElapsedTimer clock_;
    std::map<std::string, qint64> givenAt_;  // texts waiting or sounding, with when they were given
};

}  // namespace meldora::ui
