#include "headless/HeadlessHost.h"

namespace meldora {

void HeadlessHost::Pause(int ms) {
    if (ms > 0) clock += ms;
    ++pauseCount;
    if (onPause) onPause();
}

void HeadlessHost::PlaySound(const std::string& file) { sounds.push_back(file); }

int HeadlessHost::ShowMessage(const std::string& prompt, const std::string& button0,
                              const std::string& button1, const std::string& button2,
                              const std::string& title, int focus) {
    messages.push_back({prompt, button0, button1, button2, title, focus});
    if (messageAnswers.empty()) return 0;
    const int answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

void HeadlessHost::SystemMessage(const std::string& text, const std::string&, bool) {
    systemMessages.push_back(text);
}

bool HeadlessHost::SystemQuestion(const std::string& text, const std::string& title) {
    questions.push_back(title + ": " + text);
    if (questionAnswers.empty()) return false;
    const bool yes = questionAnswers.front();
    questionAnswers.pop_front();
    return yes;
}

bool HeadlessHost::InputBox(const std::string&, const std::string&, std::string& text) {
    if (inputAnswers.empty()) return false;
    text = inputAnswers.front();
    inputAnswers.pop_front();
    return true;
}

void HeadlessHost::WaitForMayIAnswer(const std::function<bool()>& answered) {
    ++mayIQuestions;
    if (onMayI && !answered()) onMayI();
}

}  // namespace meldora
