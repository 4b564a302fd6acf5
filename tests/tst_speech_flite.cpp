// Speech with the real flite engine, on a PulseAudio server of the test's
// own with a null sink: switched off and on with the focus moved
// mid-sentence, the window closed mid-sentence, and speech never given up.
// Under the sanitizer build this is where a fault between the engine's
// threads and the window would show. Skipped where flite or PulseAudio is
// missing.

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextToSpeech>
#include <QTimer>
#include <QtTest>

#include "QuickWindow.h"
#include "QuietPlatform.h"
#include "game/Commands.h"
#include "player/Player.h"
#include "ui/MFormDeluxe.h"
#include "ui/MainWindow.h"

using namespace meldora;
using namespace meldora::ui;

namespace {

// Answers every message window of the program ("Speech On.") with its first
// button as soon as it is shown.
class FirstButton : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (auto* form = qobject_cast<MFormDeluxe*>(watched); form && e->type() == QEvent::Show)
            QTimer::singleShot(0, form, [form] { QTest::mouseClick(form->Pic1(0), Qt::LeftButton); });
        return false;
    }
};

}  // namespace

class TestSpeechFlite : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void onOffMidSentence();

private:
    bool pulse(const QStringList& args) { return QProcess::execute(QStringLiteral("pulseaudio"), args) == 0; }

    QTemporaryDir home_;
    QString skip_;
    bool serverStarted_ = false;
};

void TestSpeechFlite::initTestCase() {
    test::SilencePlatformNoise();
    if (!QTextToSpeech::availableEngines().contains(QStringLiteral("flite"))) {
        skip_ = "the flite speech engine is not installed (qt6-speech-flite-plugin)";
        return;
    }
    if (QStandardPaths::findExecutable(QStringLiteral("pulseaudio")).isEmpty()) {
        skip_ = "no PulseAudio server to start (package pulseaudio)";
        return;
    }
    // A private server: its socket and cookie live in this test's folder,
    // and it has nothing but a null sink.
    qputenv("HOME", home_.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home_.path().toLocal8Bit());
    qunsetenv("PULSE_SERVER");
    serverStarted_ = pulse({"--daemonize=yes", "-n", "--exit-idle-time=-1", "--log-target=stderr",
                            "--load=module-native-protocol-unix", "--load=module-null-sink sink_name=cap"});
    if (!serverStarted_) skip_ = "a PulseAudio server with a null sink could not be started here";
}

void TestSpeechFlite::cleanupTestCase() {
    if (serverStarted_) pulse({"--kill"});
}

void TestSpeechFlite::onOffMidSentence() {
    if (!skip_.isEmpty()) QSKIP(qPrintable(skip_));
    FirstButton answer;
    qApp->installEventFilter(&answer);
    bool gaveUp = false;
    {
        MainWindow w(5);
        test::QuickWindow(w);
        Game& g = w.game();
        QtHost& host = w.host();
        host.setSpeechEngine(QStringLiteral("flite"));
        host.onSpeechUnavailable = [&](const std::string&) { gaveUp = true; };
        g.settings.Speech = true;
        // Every "May I?" offer is passed as soon as the game waits for it.
        const auto show = host.beforeWait;
        host.beforeWait = [&, show] {
            show();
            if (g.ui.CmdPass.Visible) QTimer::singleShot(0, &w, [&g] { g.CmdPass_Click(); });
        };
        QRandomGenerator pace(3);
        w.command(QStringLiteral("MnuNew"))->trigger();
        for (int i = 1; i <= 6; ++i) {
            KeyPressed(g, i % 2 ? Key::Right : Key::Left);
            // Now early in a text, now well into it.
            QTest::qWait(pace.bounded(50, 800));
            w.command(QStringLiteral("MnuSpeech"))->trigger();  // off
            QCOMPARE(g.settings.Speech, false);
            QTest::qWait(pace.bounded(0, 100));
            w.command(QStringLiteral("MnuSpeech"))->trigger();  // on again
        }
        // Speech goes on: a text is said to the end, even one that the engine
        // drops at the normal rate (this one, on a null sink here) and says
        // at a slightly different one.
        const int said = host.speechSaid();
        host.Speak("WestBot lays the contract", SpeechKind::Player);
        QTRY_VERIFY_WITH_TIMEOUT(host.speechSaid() > said, 10000);
        // The window goes while a text is being said.
        host.Speak("WestBot takes the Seven of Spades from the discard pile", SpeechKind::Player);
        QTest::qWait(400);
    }
    qApp->removeEventFilter(&answer);
    QVERIFY(!gaveUp);
}

QTEST_MAIN(TestSpeechFlite)
#include "tst_speech_flite.moc"
