#pragma once
// Everything the game does that waits or leaves the process goes through
// this interface: the window implements it with Qt, tests with a script.

#include <functional>
#include <string>

namespace meldora {

// What a spoken text tells, which decides when it is said: what is said is
// never more than one move behind the table.
enum class SpeechKind {
    // Where the keyboard's frame (or a carried card) is: a newer one
    // replaces it, whether it is being said or still waiting.
    Focus,
    // The player's own moves, refusals and what is put to the player: said
    // ahead of everything waiting, never dropped for a newer text.
    Player,
    // A robot's move: a newer robot move replaces one still waiting.
    Robot,
};

class Host {
public:
    virtual ~Host() = default;

    // Waits ms milliseconds while the window keeps handling its events.
    // Returns early when Interrupt() was called.
    virtual void Pause(int ms) = 0;

    // Starts playing a sound file from the program's folder ("\\CardDown.wav")
    // and returns at once. A missing file or device is silent.
    virtual void PlaySound(const std::string& file) = 0;

    // Says `text` aloud and returns at once; texts said while one is still
    // being spoken wait their turn as `kind` says. Without a speech engine
    // it is silent.
    virtual void Speak(const std::string& text, SpeechKind kind) = 0;
    // Tells a screen reader, when one listens, what has just happened away
    // from the keyboard's focus (a move, a refusal, a question); returns at
    // once. Texts told together are read as one.
    virtual void Announce(const std::string& text) = 0;
    // Stops what is being said and drops what waits (a new game, a load,
    // leaving, speech switched off).
    virtual void Silence() = 0;

    // The program's own message window. Returns the index (0, 1, 2) of the
    // button clicked, or -1 when the window was closed another way. Empty
    // button1/button2 captions hide those buttons; button `focus` has the
    // keyboard focus, so Return answers with it.
    virtual int ShowMessage(const std::string& prompt, const std::string& button0,
                            const std::string& button1, const std::string& button2,
                            const std::string& title, int focus) = 0;

    // The system's standard message box (critical icon when asked).
    virtual void SystemMessage(const std::string& text, const std::string& title,
                               bool critical) = 0;

    // The system's standard question box (question icon, Yes and No).
    // Returns true for Yes; closing the box is No.
    virtual bool SystemQuestion(const std::string& text, const std::string& title) = 0;

    // The system's single-line input box. Returns false when cancelled.
    virtual bool InputBox(const std::string& prompt, const std::string& title,
                          std::string& text) = 0;

    // Waits, handling events, until the player answers a "May I?" offer
    // (EndMayIWait), the wait is interrupted, or the window goes away.
    // Returns at once when answered() already holds.
    virtual void WaitForMayIAnswer(const std::function<bool()>& answered) = 0;
    // The player has answered: ends the wait of WaitForMayIAnswer.
    virtual void EndMayIWait() = 0;

    // A new game, a load or leaving has been asked for inside a waiting
    // chain: end every wait now so the chain can unwind, and fall silent.
    virtual void Interrupt() = 0;

    // Closes the program.
    virtual void Quit() = 0;

    // Milliseconds since some fixed start.
    virtual long long TickCount() = 0;
};

}  // namespace meldora
