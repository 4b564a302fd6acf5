#pragma once
// A host without a window: pauses return at once, sounds, speech and
// messages are recorded, and questions are answered from a script the
// caller sets up.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "game/Host.h"

namespace meldora {

class HeadlessHost : public Host {
public:
    struct Message {
        std::string prompt, button0, button1, button2, title;
        int focus = 0;
    };

    void Pause(int ms) override;
    void PlaySound(const std::string& file) override;
    void Speak(const std::string& text, SpeechKind kind) override {
        spoken.push_back(text);
        spokenKinds.push_back(kind);
    }
    void Announce(const std::string& text) override { announced.push_back(text); }
    void Silence() override { ++silences; }
    int ShowMessage(const std::string& prompt, const std::string& button0,
                    const std::string& button1, const std::string& button2,
                    const std::string& title, int focus) override;
    void SystemMessage(const std::string& text, const std::string& title, bool critical) override;
    bool SystemQuestion(const std::string& text, const std::string& title) override;
    bool InputBox(const std::string& prompt, const std::string& title, std::string& text) override;
    void WaitForMayIAnswer(const std::function<bool()>& answered) override;
    void EndMayIWait() override {}
    void Interrupt() override { ++interrupts; }
    void Quit() override { quitRequested = true; }
    long long TickCount() override { return clock; }

    // Answers for ShowMessage, taken from the front; when empty, button 0.
    std::deque<int> messageAnswers;
    // Answers for SystemQuestion, from the front; when empty, No.
    std::deque<bool> questionAnswers;
    // Answers for InputBox; when empty the box is cancelled.
    std::deque<std::string> inputAnswers;
    // Called when the player is asked "May I?"; it should call the game's
    // LblMayI() or CmdPass_Click(). Unset, the player passes.
    std::function<void()> onMayI;
    // Called inside every pause (after the clock moves), for tests that
    // press buttons or menus in the middle of a robot's turn.
    std::function<void()> onPause;

    std::vector<Message> messages;
    std::vector<std::string> systemMessages;
    std::vector<std::string> questions;  // title + ": " + text of each system question
    std::vector<std::string> sounds;
    std::vector<std::string> spoken;
    std::vector<SpeechKind> spokenKinds;  // the kind of each text in `spoken`
    std::vector<std::string> announced;  // told to a screen reader
    int silences = 0;
    long long clock = 0;        // advanced by every pause
    long long pauseCount = 0;
    int interrupts = 0;
    int mayIQuestions = 0;
    bool quitRequested = false;
};

}  // namespace meldora
