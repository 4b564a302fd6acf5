#include "ui/QtHost.h"

#include <QAccessible>
#include <QApplication>
#include <QEventLoop>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>

#include "ui/MFormDeluxe.h"
#include "ui/ModelText.h"
#include "ui/SoundPlayer.h"
#include "ui/TableAccessible.h"
#include "ui/Speech.h"

namespace meldora::ui {

QtHost::QtHost(QWidget* window)
    : window_(window), sounds_(std::make_unique<SoundPlayer>()), speech_(std::make_unique<Speech>()) {
    clock_.start();
    speech_->onUnavailable = [this] {
        if (onSpeechUnavailable) onSpeechUnavailable(kNoSpeech);
    };
}

QtHost::~QtHost() {
    delete message_.data();
}

void QtHost::refresh(int comingWait) {
    comingWait_ = comingWait;
    if (beforeWait) beforeWait();
    comingWait_ = 0;
}

void QtHost::modal() {
    if (beforeModal) beforeModal();
    refresh();
}

void QtHost::runLoop(QEventLoop& loop) {
    loops_.push_back(&loop);
    loop.exec();
    loops_.pop_back();
}

void QtHost::Pause(int ms) {
    if (ms <= 0 || shuttingDown_) return;
    ms = static_cast<int>(ms * paceScale_);
    refresh(std::max(ms, 0));
    if (ms <= 0) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(ms);
    runLoop(loop);
    if (afterWait && !shuttingDown_) afterWait();
}

// The answer arrives through the buttons' handlers, which run inside this
// loop and end it with EndMayIWait; nothing is polled.
void QtHost::WaitForMayIAnswer(const std::function<bool()>& answered) {
    if (shuttingDown_ || answered()) return;
    refresh();
    QEventLoop loop;
    QEventLoop* outer = mayILoop_;
    mayILoop_ = &loop;
    runLoop(loop);
    mayILoop_ = outer;
}

void QtHost::EndMayIWait() {
    if (mayILoop_) mayILoop_->quit();
}

void QtHost::Interrupt() {
    for (QEventLoop* loop : loops_) loop->quit();
    // What the old chain had to say is no longer news.
    Silence();
    announceTimer_.stop();
    pendingAnnouncement_.clear();
}

void QtHost::Shutdown() {
    shuttingDown_ = true;
    if (message_ && message_->isVisible()) message_->reject();
    Interrupt();
    speech_->finish();
}

void QtHost::Quit() {
    Shutdown();
    if (onQuit) onQuit();
    else QCoreApplication::quit();
}

long long QtHost::TickCount() { return clock_.elapsed(); }

void QtHost::PlaySound(const std::string& file) { sounds_->play(Q(file)); }

void QtHost::Speak(const std::string& text, SpeechKind kind) {
    if (!shuttingDown_) speech_->say(text, kind);
}

void QtHost::Silence() { speech_->silence(); }

// Texts told within a moment of each other (a robot's move and its line)
// reach the screen reader as one notification, since each new one cuts
// the reader short.
void QtHost::Announce(const std::string& text) {
    if (shuttingDown_ || text.empty() || !window_ || !QAccessible::isActive()) return;
    if (!announcer_) {
        announcer_ = new Announcer(window_);
        QObject::connect(&announceTimer_, &QTimer::timeout, announcer_, [this] {
            announcer_->announce(pendingAnnouncement_);
            pendingAnnouncement_.clear();
        });
        announceTimer_.setSingleShot(true);
    }
    if (!pendingAnnouncement_.isEmpty()) {
        const QChar last = pendingAnnouncement_.back();
        pendingAnnouncement_ += last == QLatin1Char('.') || last == QLatin1Char('?') || last == QLatin1Char('!')
                                    ? QStringLiteral(" ")
                                    : QStringLiteral(". ");
    }
    pendingAnnouncement_ += Q(text);
    announceTimer_.start(kAnnounceGatherMs);
}

void QtHost::setSpeechEngine(const QString& name) { speech_->setEngineName(name); }
void QtHost::setSpeechRate(double rate) { speech_->setRate(rate); }
double QtHost::speechRate() const { return speech_->rate(); }
int QtHost::speechQueued() const { return speech_->waiting(); }
int QtHost::speechSaid() const { return speech_->said(); }

int QtHost::ShowMessage(const std::string& prompt, const std::string& button0,
                        const std::string& button1, const std::string& button2,
                        const std::string& title, int focus) {
    if (shuttingDown_) return -1;
    modal();
    if (!message_) message_ = new MFormDeluxe(window_);
    message_->prepare(Q(prompt), Q(button0), Q(button1), Q(button2), Q(title), focus);
    PlaySound("\\ringout.wav");
    return message_->run();
}

void QtHost::SystemMessage(const std::string& text, const std::string& title, bool critical) {
    if (shuttingDown_) return;
    modal();
    QMessageBox box(critical ? QMessageBox::Critical : QMessageBox::Information, Q(title), Q(text),
                    QMessageBox::Ok, window_);
    box.exec();
}

bool QtHost::SystemQuestion(const std::string& text, const std::string& title) {
    if (shuttingDown_) return false;
    modal();
    QMessageBox box(QMessageBox::Question, Q(title), Q(text), QMessageBox::Yes | QMessageBox::No, window_);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool QtHost::InputBox(const std::string& prompt, const std::string& title, std::string& text) {
    if (shuttingDown_) return false;
    modal();
    bool ok = false;
    const QString answer =
        QInputDialog::getText(window_, Q(title), Q(prompt), QLineEdit::Normal, Q(text), &ok);
    if (ok) text = answer.toStdString();
    return ok;
}

}  // namespace meldora::ui
