#pragma once
// The host of the real program: pauses and waits run nested event loops
// (never a busy loop), sounds play through Qt Multimedia, speech through Qt
// TextToSpeech, questions use the message window and the standard dialogs.

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "game/Host.h"

class QEventLoop;
class QWidget;

namespace meldora::ui {

class Announcer;
class MFormDeluxe;
class SoundPlayer;
class Speech;

class QtHost : public Host {
public:
    explicit QtHost(QWidget* window = nullptr);
    ~QtHost() override;

    void setWindow(QWidget* window) { window_ = window; }

    // Pushes the model to the screen; called before every wait and dialog.
    // Before a timed wait comingWait() tells how long it will be.
    std::function<void()> beforeWait;
    // Called when a timed wait is over, before the game goes on.
    std::function<void()> afterWait;
    // The length in ms of the wait beforeWait is called for (after the pace
    // scale); 0 when it is not a timed wait (a dialog, a question) or none.
    int comingWait() const { return comingWait_; }
    // Called before a message window or box opens over the table.
    std::function<void()> beforeModal;
    // Closes the program (Quit); without it the application quits.
    std::function<void()> onQuit;
    // Called once, with the text for the status line, when there is no
    // speech engine or it keeps failing.
    std::function<void(const std::string&)> onSpeechUnavailable;
    static constexpr const char* kNoSpeech = "Speech is not available on this computer.";

    void Pause(int ms) override;
    void PlaySound(const std::string& file) override;
    void Speak(const std::string& text, SpeechKind kind) override;
    void Announce(const std::string& text) override;
    void Silence() override;
    int ShowMessage(const std::string& prompt, const std::string& button0,
                    const std::string& button1, const std::string& button2,
                    const std::string& title, int focus) override;
    void SystemMessage(const std::string& text, const std::string& title, bool critical) override;
    bool SystemQuestion(const std::string& text, const std::string& title) override;
    bool InputBox(const std::string& prompt, const std::string& title, std::string& text) override;
    void WaitForMayIAnswer(const std::function<bool()>& answered) override;
    void EndMayIWait() override;
    void Interrupt() override;
    void Quit() override;
    long long TickCount() override;

    // The window is going away: every wait ends now and later ones return
    // at once; questions are answered with -1 / cancel; speech falls silent
    // (waiting a moment for the engine to be quiet).
    void Shutdown();
    bool shuttingDown() const { return shuttingDown_; }

    // Scales every pause (tests and tools play at 0: a pause then only lets
    // the window handle what is waiting, and returns).
    void setPaceScale(double scale) { paceScale_ = scale; }
    bool paced() const { return paceScale_ > 0; }

    // The speech engine to use instead of the default one (tests); takes
    // effect when the first text is spoken.
    void setSpeechEngine(const QString& name);
    // The speech engine's rate, from -1 (slowest) to 1 (fastest); 0 is normal.
    void setSpeechRate(double rate);
    double speechRate() const;
    // Texts waiting for the one being spoken to end, and texts said to the end.
    int speechQueued() const;
    int speechSaid() const;
    // The speech engine itself, for measuring it.
    Speech& speech() { return *speech_; }

    // Number of waits running now (nested event loops).
    int waitDepth() const { return static_cast<int>(loops_.size()); }

private:
    void refresh(int comingWait = 0);
    void modal();
    void runLoop(QEventLoop& loop);

    QWidget* window_;
    std::vector<QEventLoop*> loops_;
    QEventLoop* mayILoop_ = nullptr;  // the wait for the player's answer
    bool shuttingDown_ = false;
    double paceScale_ = 1.0;
    int comingWait_ = 0;
    QElapsedTimer clock_;
    std::unique_ptr<SoundPlayer> sounds_;
    QPointer<MFormDeluxe> message_;
    std::unique_ptr<Speech> speech_;
    static constexpr int kAnnounceGatherMs = 150;
    QPointer<Announcer> announcer_;
    QTimer announceTimer_;
    QString pendingAnnouncement_;
};

}  // namespace meldora::ui
