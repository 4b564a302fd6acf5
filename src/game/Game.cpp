#include "game/Game.h"

#include <exception>
#include <utility>

#include "game/Guard.h"

namespace meldora {

void ReportGuardedError(Game& g, const char* routine, const std::exception& e) {
    g.ReportError(routine, e.what());
}

Game::Game(Host& h, Random& r, Settings& s, RobotSeats& robotSeats)
    : host(h), rng(r), settings(s), robots_(&robotSeats), nextRobots_(&robotSeats) {
    PauseLength = settings.Speed;
    SetCardFaces();
}

const std::string& Game::SeatName(int seat) const {
    static const std::string none;
    if (seat < 0 || seat > 3) return none;
    return settings.SeatNames[seat];
}

// ---- names inside texts -----------------------------------------------------

namespace {
constexpr char kNameMark = '\x01';  // a byte the game's own texts never hold
}  // namespace

std::string Game::NameMark(int seat) { return {kNameMark, static_cast<char>('0' + seat)}; }

std::string Game::PutNames(const std::string& marked) const {
    std::string text;
    for (std::size_t i = 0; i < marked.size(); ++i) {
        if (marked[i] == kNameMark && i + 1 < marked.size()) {
            text += SeatName(marked[++i] - '0');
            continue;
        }
        text += marked[i];
    }
    return text;
}

void Game::SetNamedText(std::string& field, const std::string& text) {
    field = PutNames(text);
    for (NamedText& t : namedTexts_)
        if (t.field == &field) {
            t = {&field, text, field};
            return;
        }
    namedTexts_.push_back({&field, text, field});
}

void Game::ShowNewNames() {
    for (NamedText& t : namedTexts_) {
        // A field set some other way since keeps what it was given.
        if (*t.field != t.shown) continue;
        *t.field = PutNames(t.marked);
        t.shown = *t.field;
    }
}

// ---- handlers and interrupted chains -------------------------------------

void Game::RunHandler(const char* name, const std::function<void()>& body) {
    ++handlerDepth_;
    try {
        Guarded(*this, name, body);
    } catch (const ChainAborted&) {
        // The chain stops here; a pending command runs once the outermost
        // handler has returned.
    }
    --handlerDepth_;
    if (handlerDepth_ == 0 && pending_) {
        auto command = std::move(pending_);
        pending_ = nullptr;
        abortChain_ = false;
        RunHandler(name, command);
    }
}

void Game::RunControl(const char* name, Control& control, const std::function<void()>& body,
                      const Control* panel) {
    if (!control.Visible || !control.Enabled) return;
    if (panel && !panel->Visible) return;
    control.Enabled = false;
    struct PutBack {
        Control& c;
        ~PutBack() { c.Enabled = true; }
    } putBack{control};
    RunHandler(name, body);
}

void Game::RequestRestart(std::function<void()> command) {
    // What the old game had to say is no longer news.
    host.Silence();
    if (handlerDepth_ <= 1) {
        // Nothing is waiting underneath this handler: run it now.
        command();
        return;
    }
    pending_ = std::move(command);
    abortChain_ = true;
    host.Interrupt();
}

void Game::UnwindIfAborted() {
    if (abortChain_ && handlerDepth_ > 0) throw ChainAborted{};
}

void Game::Wait(int ms) {
    host.Pause(ms);
    UnwindIfAborted();
}

// ---- status lines, messages, pacing and sounds -------------------------------

void Game::ShowMessage(const std::string& prompt, const std::string& button0,
                       const std::string& button1, const std::string& button2,
                       const std::string& title, int focus) {
    const int answer = host.ShowMessage(prompt, button0, button1, button2, title, focus);
    if (answer >= 0) {
        MsgButton = answer;
    } else {
        // Closed without a button: take the cautious choice (the second
        // button when there is one) rather than a stale earlier answer.
        MsgButton = button1.empty() ? 0 : 1;
    }
    UnwindIfAborted();
}

void Game::ShowPlayerText(const std::string& text) {
    SetNamedText(ui.LblP.Caption, NameMark(0) + " " + text);
    Pause();
}

void Game::ShowSeatText(int seat, const std::string& text) {
    SetNamedText(ui.LblBots.Caption, (seat >= 0 && seat <= 3 ? NameMark(seat) : std::string()) + " " + text);
    Pause();
}

void Game::ShowGameText(const std::string& text) {
    SetNamedText(ui.LblBots.Caption, text);
    Pause();
}

// A screen reader hears every text but the focused card's name, which it
// reads itself as the focus moves.
void Game::Say(const std::string& text, SpeechKind kind) {
    if (kind != SpeechKind::Focus) host.Announce(text);
    if (settings.Speech) host.Speak(text, kind);
}

void Game::ShowInfo(const std::string& text) {
    SetNamedText(ui.LblInfo.Caption, text);
    Say(ui.LblInfo.Caption, SpeechKind::Player);
    ui.LblInfo.Visible = true;
    ui.BringToFront(ui.LblInfo);
    struct Hide {
        Label& info;
        ~Hide() { info.Visible = false; }
    } hide{ui.LblInfo};
    PaceScope pace(*this, kInfoShowMs);
    Pause();
}

void Game::Pause() {
    PauseStart = host.TickCount();
    Wait(PauseLength);
}

void Game::PlayDealSound() {
    if (settings.NoSound) return;
    host.PlaySound("\\CardDeal1.wav");
    Pause();
}

void Game::PlayCardDownSound() {
    if (settings.NoSound) return;
    host.PlaySound("\\CardDown.wav");
    Pause();
}

void Game::PlayMayISound(int kind) {
    static const char* files[4] = {nullptr, "\\MayID.wav", "\\MayIC.wav", "\\MayIJ.wav"};
    if (kind < 1 || kind > 3) return;
    host.PlaySound(files[kind]);
    Pause();
}

void Game::PlayFile(const std::string& file) { host.PlaySound(file); }

void Game::SetCardFaces() {
    static const char* valueNames[14] = {"",        "Ace of  ",   "Two of  ",   "Three of  ",
                                         "Four of  ", "Five of  ", "Six of  ",   "Seven of  ",
                                         "Eight of  ", "Nine of  ", "Ten of  ",  "Jack of  ",
                                         "Queen of  ", "King of  "};
    static const char* suitNames[4] = {"Diamonds", "Clubs", "Hearts", "Spades"};
    for (int n = 1; n <= kCardCount; ++n) {
        CardRecord& c = CardTable[n];
        c.CardNo = n;
        if (IsJoker(n)) {
            c.ValueName = "Joker  ";
            c.Value = kValueJoker;
            c.Points = NaturalPoints(n);
        } else {
            const int v = NaturalValue(n);
            c.ValueName = valueNames[v];
            c.Value = v;
            c.Points = NaturalPoints(n);
            c.SuitName = suitNames[SuitIndex(NaturalSuit(n))];
            c.Suit = NaturalSuit(n);
        }
        c.FullName = c.ValueName + c.SuitName;
    }
    MarkJokers();
    PauseLength = settings.Speed;
}

void Game::ReportError(const std::string& procedure, const std::string& description, int number) {
    host.SystemMessage("Unexpected error in " + procedure + "\r\n" + "Error #" +
                           std::to_string(number) + ": " + description,
                       "Meldora", true);
}

}  // namespace meldora
