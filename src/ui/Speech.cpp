#include "ui/Speech.h"

#include <QEventLoop>
#include <QTextToSpeech>
#include <QTimer>
#include <algorithm>

#include "ui/SpeechQueue.h"

namespace meldora::ui {

// SpeechEngine on a QTextToSpeech. Its state changes reach the queue
// through the event loop (queued), so the queue is never entered again from
// inside its own call of say() or stop().
class QtSpeechEngine : public SpeechEngine {
public:
    explicit QtSpeechEngine(QTextToSpeech* tts) : tts_(tts) { deadline_.setSingleShot(true); }

    void attach(SpeechQueue& queue) {
        // The timer is the connections' context: they end with this object,
        // whatever becomes of the engine.
        QObject::connect(
            tts_.get(), &QTextToSpeech::stateChanged, &deadline_,
            [&queue](QTextToSpeech::State state) {
                if (state == QTextToSpeech::Ready) queue.engineState(State::Ready);
                else if (state == QTextToSpeech::Speaking) queue.engineState(State::Speaking);
                else if (state == QTextToSpeech::Error) queue.engineState(State::Error);
            },
            Qt::QueuedConnection);
        QObject::connect(&deadline_, &QTimer::timeout, [&queue] { queue.deadlinePassed(); });
    }

    void say(const std::string& text, int attempt) override {
        tts_->setRate(rateFor(attempt));
        tts_->say(QString::fromStdString(text));
    }
    void stop() override { tts_->stop(); }
    void setDeadline(int ms) override {
        if (ms > 0) deadline_.start(ms);
        else deadline_.stop();
    }

    void setRate(double rate) { rate_ = rate; }
    bool failedAtStart() const { return tts_->state() == QTextToSpeech::Error; }

    // Leaves the engine object alive for the rest of the process: it is
    // not quiet, and destroying it now could crash in its worker thread.
    void abandon() { static_cast<void>(tts_.release()); }

private:
    // Qt 6.4's flite engine fails on some texts at a given rate, every time
    // (its audio sink's buffer runs full); the same text at a slightly
    // different rate usually goes through (30 game texts, a third failing
    // at the normal rate: all said by the third try).
    double rateFor(int attempt) const {
        static const double kNudge[SpeechQueue::kTries] = {0.0, 0.1, -0.1, 0.2};
        const double nudge = kNudge[std::clamp(attempt, 0, SpeechQueue::kTries - 1)];
        const double rate = rate_ + nudge;
        return rate > 1.0 || rate < -1.0 ? rate_ - nudge : rate;
    }

    std::unique_ptr<QTextToSpeech> tts_;
    QTimer deadline_;
    double rate_ = 0.0;
};

Speech::Speech() = default;

Speech::~Speech() {
    if (!engine_) return;
    if (!queue_->quiet()) finish();
    if (!queue_->quiet()) engine_->abandon();
    engine_.reset();
    queue_.reset();
}

void Speech::setRate(double rate) {
    rate_ = std::clamp(rate, -1.0, 1.0);
    if (engine_) engine_->setRate(rate_);
}

int Speech::waiting() const { return queue_ ? queue_->waiting() : 0; }
int Speech::said() const { return queue_ ? queue_->said() : 0; }

bool Speech::start() {
    const QStringList engines = QTextToSpeech::availableEngines();
    if (engineName_.isEmpty() ? engines.isEmpty() : !engines.contains(engineName_)) return false;
    auto* tts = engineName_.isEmpty() ? new QTextToSpeech() : new QTextToSpeech(engineName_);
    engine_ = std::make_unique<QtSpeechEngine>(tts);
    engine_->setRate(rate_);
    queue_ = std::make_unique<SpeechQueue>(*engine_);
    engine_->attach(*queue_);
    queue_->onUnavailable = [this] { giveUp(); };
    queue_->onSounding = [this](const std::string& text, SpeechKind kind) {
        const auto given = givenAt_.find(text);
        const qint64 lag = given == givenAt_.end() ? 0 : clock_.elapsed() - given->second;
        if (given != givenAt_.end()) givenAt_.erase(given);
        if (onSounding) onSounding(text, kind, lag);
    };
    clock_.start();
    return !engine_->failedAtStart();
}

void Speech::giveUp() {
    if (unavailable_) return;
    unavailable_ = true;
    if (onUnavailable) onUnavailable();
}

void Speech::say(const std::string& text, SpeechKind kind) {
    if (unavailable_ || text.empty()) return;
    if (!engine_ && !start()) {
        giveUp();
        return;
    }
    if (onSounding) {
        if (givenAt_.size() > 64) givenAt_.clear();  // texts replaced before they sounded
        givenAt_[text] = clock_.elapsed();
    }
    queue_->add(text, kind);
}

void Speech::silence() {
    if (queue_) queue_->silence();
}

void Speech::finish() {
    if (!queue_) return;
    queue_->silence();
    if (queue_->quiet()) return;
    // The queue's own deadlines end every wait on the engine; the timer here
    // only guards against a queue that never reports.
    QEventLoop loop;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    guard.start(SpeechQueue::kStopGuardMs + 2 * SpeechQueue::kSettleMs);
    queue_->onQuiet = [&loop] { loop.quit(); };
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    queue_->onQuiet = nullptr;
}

}  // namespace meldora::ui
