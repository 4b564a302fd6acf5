// The speech switch: what a robot's turn says aloud with it on and off,
// what silences it, its file, the order in which texts are said (on a
// stand-in engine) and a window without a speech engine.

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include "Fixture.h"
#include "player/Player.h"
#include "QuietPlatform.h"
#include "game/Commands.h"
#include "robots/Robots.h"
#include "storage/DataFiles.h"
#include "storage/FileStore.h"
#include "ui/MainWindow.h"
#include "ui/SpeechQueue.h"

using namespace meldora;
using namespace meldora::test;

namespace {
// Plays one robot's turn and stops the chain when the turn passes on.
std::vector<std::string> OneTurn(Table& t, int seat) {
    t.host.onPause = [&t, seat] {
        if (t.g.IsTurn[(seat + 1) % 4]) throw ChainAborted{};
    };
    try {
        PlayBots(t.g, seat);
    } catch (const ChainAborted&) {
    }
    t.host.onPause = nullptr;
    return t.host.spoken;
}

QStringList List(const std::vector<std::string>& lines) {
    QStringList list;
    for (const std::string& l : lines) list << QString::fromStdString(l);
    return list;
}

// The kind of each spoken text, one letter each: Focus, Player, Robot.
QString Kinds(const HeadlessHost& host) {
    QString kinds;
    for (SpeechKind kind : host.spokenKinds) kinds += QLatin1Char("FPR"[static_cast<int>(kind)]);
    return kinds;
}

// A stand-in speech engine: it logs what it is asked ("r1" said, "r1+2"
// said a third time, "stop"); the test plays its reports.
struct FakeEngine : ui::SpeechEngine {
    QStringList log;
    int deadline = 0;
    void say(const std::string& text, int attempt) override {
        log << QString::fromStdString(text) + (attempt ? QStringLiteral("+%1").arg(attempt) : QString());
    }

    void stop() override { log << QStringLiteral("stop"); }
    void setDeadline(int ms) override { deadline = ms; }
};

// Runs a script of steps on a queue driving the stand-in engine: "F:x",
// "P:x", "R:x" add a focus name, a player's text, a robot's move; the
// engine reports "speaking", "ready", "error", "ok" (said to the end),
// "err" (Qt 6.4's flite: an error and Ready at once); "deadline" lets the
// deadline pass if one is set; "silence". "step*n" repeats a step.
QString Play(const QString& script) {
    using State = ui::SpeechEngine::State;
    FakeEngine engine;
    ui::SpeechQueue queue(engine);
    bool gaveUp = false;
    queue.onUnavailable = [&] { gaveUp = true; };
    const QHash<QString, QList<State>> reports = {{"speaking", {State::Speaking}},
                                                  {"ready", {State::Ready}},
                                                  {"error", {State::Error}},
                                                  {"ok", {State::Speaking, State::Ready}},
                                                  {"err", {State::Speaking, State::Error, State::Ready}}};
    const QHash<QChar, SpeechKind> kinds = {{'F', SpeechKind::Focus}, {'P', SpeechKind::Player}, {'R', SpeechKind::Robot}};
    for (const QString& step : script.split(' ', Qt::SkipEmptyParts)) {
        const QString what = step.section('*', 0, 0);
        for (int i = 0, n = step.contains('*') ? step.section('*', 1).toInt() : 1; i < n; ++i) {
            if (what.size() > 2 && what[1] == ':') queue.add(what.mid(2).toStdString(), kinds.value(what[0]));
            else if (reports.contains(what)) for (State state : reports[what]) queue.engineState(state);
            else if (what == "deadline") { if (engine.deadline > 0) queue.deadlinePassed(); }
            else if (what == "silence") queue.silence();
            else return "bad step " + what;
        }
    }
    return engine.log.join(' ') + (gaveUp ? " | unavailable" : "");
}
}  // namespace

class TestSpeech : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SilencePlatformNoise(); }
    void robotTurnIsSpoken() {
        // West pairs the Seven on the pile, lays two sets and throws the King.
        const char* west = "W: 7D 7C 9C 9H 9S KH | N: 2D 9D QC | E: 3C 4S 8H | P: 5H 6C JD | D: 7S";
        for (bool on : {true, false}) {
            Table t;
            t.Set(1, west);
            t.settings.Speech = on;
            const QStringList said = List(OneTurn(t, 1));
            QVERIFY(t.g.HasContract[1]);
            // A screen reader hears the turn whether or not the game speaks.
            const QStringList turn{"WestBot takes the Seven of Spades from the discard pile", "WestBot lays the contract",
                                   "WestBot discards the King of Hearts",
                                   "Round 1 over. WestBot won this round. This round: Player 21, WestBot 0, NorthBot 21, "
                                   "EastBot 15. In all: Player 21, WestBot 0, NorthBot 21, EastBot 15."};
            QCOMPARE(said, on ? turn : QStringList());
            QCOMPARE(List(t.host.announced), turn);
        }
        // North draws from the stock; East claims the Seven first.
        Table t;
        t.Set(1, "N: 2D 9C KH | E: 7D 7C 3S | W: 4H 5C 8D | P: 5H 6C JD | D: 7S");
        t.settings.Speech = true;
        const QStringList said = List(OneTurn(t, 2));
        QCOMPARE(said.mid(0, 4), (QStringList{"EastBot says May I?", "EastBot takes the Seven of Spades from the discard pile",
                                              "EastBot takes a card from the stock", "NorthBot takes a card from the stock"}));
        QCOMPARE(said.size(), 5);
        QVERIFY2(said[4].startsWith("NorthBot discards the "), qPrintable(said[4]));
        QCOMPARE(Kinds(t.host), QStringLiteral("RRRRR"));

        // The card under the keyboard's frame is read out as it moves.
        Table keys;
        keys.Set(1, "P: 5H 6C JD | D: 7S");
        keys.PlayersTurn();
        keys.settings.Speech = true;
        KeyPressed(keys.g, Key::End);
        KeyPressed(keys.g, Key::Home);
        QCOMPARE(List(keys.host.spoken), (QStringList{"Jack of Diamonds, your hand, card 3 of 3",
                                                      "Five of Hearts, your hand, card 1 of 3"}));
        QCOMPARE(Kinds(keys.host), QStringLiteral("FF"));
    }

    // What a listener learns of the player's own moves: the card picked up,
    // where it would go, the result, a refusal; told to a screen reader and,
    // with speech on, said.
    void playerMovesAreTold() {
        Table t(1, IdleRobots());
        t.Set(1, "P: 7H 7C 7D 9S 4H | D: KS");
        t.PlayersTurn();
        t.settings.Speech = true;
        t.DragToColumn(t.Find(0, "7H"), 7);
        t.DragToColumn(t.Find(0, "7C"), 9);
        t.DragToDiscard(t.Find(0, "9S"));
        const QStringList told = List(t.host.announced);
        QCOMPARE(told, (QStringList{"Picked up the Seven of Hearts", "over your first set column", "Seven of Hearts on your first set of Sevens",
                                   "Picked up the Seven of Clubs", "over an empty column", "Card in wrong location.",
                                   "Picked up the Nine of Spades", "over the discard pile",
                                   "Incomplete Melds.Try again or Discard a card."}));
        QCOMPARE(List(t.host.spoken), told);
    }

    // A new game (like a load or leaving) and switching speech off silence what
    // is being said; switching it on does not.
    void silencedBy_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("silenced");
        QTest::newRow("new game") << 0 << true;
        QTest::newRow("speech switched off") << 1 << true;
        QTest::newRow("speech switched on") << 2 << false;
    }

    void silencedBy() {
        QFETCH(int, command);
        QFETCH(bool, silenced);
        Table t(1, IdleRobots());
        t.settings.Speech = command == 1;
        if (command == 0) t.g.MnuNew_Click();
        else MnuSpeech_Click(t.g);
        QCOMPARE(t.host.silences > 0, silenced);
    }

    void queue_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("engineAsked");
        QTest::newRow("a robot move replaces the one waiting") << "R:r1 R:r2 R:r3 ok R:r4 ok ok" << "r1 r3 r4";
        QTest::newRow("the player's texts first, then the focus")
            << "R:r1 R:r2 P:p1 P:p2 F:f1 ok ok ok ok" << "r1 p1 p2 f1 r2";
        QTest::newRow("a player's text drops a waiting focus name") << "R:r1 F:f1 P:p1 ok ok" << "r1 p1";
        QTest::newRow("a player's text said or waiting: not again") << "P:p1 speaking P:p1 P:p2 P:p2 ok ok ok" << "p1 p2";
        QTest::newRow("a new focus name stops the one said") << "F:f1 speaking F:f2 F:f3 deadline ready ok" << "f1 stop f3";
        QTest::newRow("no stop while the sound is being made") << "F:f1 F:f2 err speaking F:f3" << "f1 f2";
        QTest::newRow("a player's text stops a focus name") << "F:f1 speaking deadline P:p1 ready ok" << "f1 stop p1";
        QTest::newRow("a robot move waits for a focus name") << "F:f1 speaking deadline R:r1 ready" << "f1 r1";
        QTest::newRow("error and Ready at once: tried again") << "R:r1 err ok R:r2 ok" << "r1 r1+1 r2";
        QTest::newRow("failing every try: dropped, the next said") << "P:p1 P:p2 err*4 ok" << "p1 p1+1 p1+2 p1+3 p2";
        QTest::newRow("a newer robot move instead of a retry") << "R:r1 speaking R:r2 error ready ok" << "r1 r2";
        QTest::newRow("a turn cut short: nothing waiting is said") << "P:p1 P:p2 R:r1 F:f1 speaking silence ready" << "p1";
        QTest::newRow("silence drops everything") << "P:p1 R:r1 F:f1 speaking deadline silence ready R:r2 ok" << "p1 stop r2";
        QTest::newRow("silenced while failing: not tried again") << "R:r1 speaking error silence ready R:r2" << "r1 r2";
        QTest::newRow("an engine that never answers") << "R:r1 deadline deadline R:r2" << "r1 stop r2";
        QTest::newRow("unavailable: four texts failing in a row")
            << "P:a P:b P:c P:d P:e err*16 P:f" << "a a+1 a+2 a+3 b b+1 b+2 b+3 c c+1 c+2 c+3 d d+1 d+2 d+3 | unavailable";
        QTest::newRow("a text said between failing ones")
            << "P:a P:b P:c P:d P:e err*15 ok err*4" << "a a+1 a+2 a+3 b b+1 b+2 b+3 c c+1 c+2 c+3 d d+1 d+2 d+3 e e+1 e+2 e+3";
    }

    void queue() {
        QFETCH(QString, script);
        QFETCH(QString, engineAsked);
        QCOMPARE(Play(script), engineAsked);
    }

    void speechFile() {
        QTemporaryDir dir;
        FileStore store(dir.path().toStdString());
        QVERIFY(!store.LoadSpeech());  // no file yet: off

        // The menu command flips the switch, says so and keeps it.
        Table t;
        t.g.store = &store;
        MnuSpeech_Click(t.g);
        QVERIFY(store.LoadSpeech());
        QCOMPARE(t.host.messages.back().title, std::string("Speech On."));
        MnuSpeech_Click(t.g);
        QVERIFY(!store.LoadSpeech());
        QVERIFY(t.host.spoken.empty());
        // The start-up reads it back; a corrupt file is off and not reported.
        QStringList read;  // the switch, then any message naming the file
        for (const QByteArray& contents : {QByteArray("#TRUE#,#TRUE#\r\n"), QByteArray("\xff\xfe"), QByteArray("#TRUE#\r\n")}) {
            QFile f(dir.filePath(kSpeechFile));
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(contents);
            f.close();
            Table start;
            start.g.store = &store;
            Form_Load(start.g);
            read << (start.settings.Speech ? "on" : "off");
            for (const auto& m : start.host.messages)
                if (m.prompt.find(kSpeechFile) != std::string::npos) read.last() += " " + QString::fromStdString(m.prompt);
        }
        QCOMPARE(read, (QStringList{"off", "off", "on"}));
    }

    void missingEngineIsSilent() {
        QTemporaryDir data;
        ui::MainWindow w(1, data.path());
        // Without an engine speech is silent: one note in the status line, kept
        // there while the game writes the panel, no message box, and nothing
        // more however often it is asked.
        w.host().setSpeechEngine(QStringLiteral("no such engine"));
        w.host().Speak("WestBot lays the contract", SpeechKind::Robot);
        const QString note = QStringLiteral("Speech is not available on this computer.");
        QCOMPARE(w.statusPanel(5)->accessibleName(), note);
        w.game().SetStatus(5, "EastBot playing now.");
        w.host().Speak("WestBot discards the King of Hearts", SpeechKind::Robot);
        w.syncView();
        QCOMPARE(w.statusPanel(5)->accessibleName(), note);
        QCOMPARE(w.game().ui.StatusPanel[5], std::string("EastBot playing now."));
        QCOMPARE(w.host().speechQueued(), 0);
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(TestSpeech)
#include "tst_speech.moc"
