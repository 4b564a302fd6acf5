// The speech switch: what a robot's turn says aloud with it on and off,
// its file, and a window without a speech engine.

#include <QFile>
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
}  // namespace

class TestSpeech : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SilencePlatformNoise(); }
    void robotTurnIsSpoken();
    void speechFile();
    void missingEngineIsSilent();
};

void TestSpeech::robotTurnIsSpoken() {
    // West pairs the Seven on the pile, lays two sets and throws the King.
    const char* west = "W: 7D 7C 9C 9H 9S KH | N: 2D 9D QC | E: 3C 4S 8H | P: 5H 6C JD | D: 7S";
    for (bool on : {true, false}) {
        Table t;
        t.Set(1, west);
        t.settings.Speech = on;
        const QStringList said = List(OneTurn(t, 1));
        QVERIFY(t.g.HasContract[1]);
        QCOMPARE(said, on ? (QStringList{"WestBot takes the Seven of Spades from the discard pile",
                                         "WestBot lays the contract", "WestBot discards the King of Hearts"})
                          : QStringList());
    }
    // North draws from the stock; East claims the Seven first.
    Table t;
    t.Set(1, "N: 2D 9C KH | E: 7D 7C 3S | W: 4H 5C 8D | P: 5H 6C JD | D: 7S");
    t.settings.Speech = true;
    const QStringList said = List(OneTurn(t, 2));
    QCOMPARE(said.mid(0, 4), (QStringList{"EastBot says May I?", "EastBot takes the Seven of Spades from the discard pile",
                                          "EastBot takes a card from the stock", "NorthBot takes a card from the stock"}));
    QVERIFY2(said.size() == 5 && said[4].startsWith("NorthBot discards the "), qPrintable(said.join(" / ")));

    // The card under the keyboard's frame is read out as it moves.
    Table keys;
    keys.Set(1, "P: 5H 6C JD | D: 7S");
    keys.PlayersTurn();
    keys.settings.Speech = true;
    KeyPressed(keys.g, Key::End);
    KeyPressed(keys.g, Key::Home);
    QCOMPARE(List(keys.host.spoken), (QStringList{"Jack of Diamonds, your hand, card 3 of 3",
                                                  "Five of Hearts, your hand, card 1 of 3"}));
}

void TestSpeech::speechFile() {
    QTemporaryDir dir;
    FileStore store(dir.path().toStdString());
    QVERIFY(!store.LoadSpeech());  // no file yet: off

    // The menu command flips the switch, says so and keeps it.
    Table t;
    t.g.store = &store;
    MnuSpeech_Click(t.g);
    QVERIFY(t.settings.Speech && store.LoadSpeech());
    QCOMPARE(t.host.messages.back().title, std::string("Speech On."));
    MnuSpeech_Click(t.g);
    QVERIFY(!t.settings.Speech && !store.LoadSpeech());
    QVERIFY(t.host.spoken.empty());
    // The start-up reads it back; a corrupt file is off and not reported.
    for (const QByteArray& contents : {QByteArray("#TRUE#,#TRUE#\r\n"), QByteArray("\xff\xfe"), QByteArray("#TRUE#\r\n")}) {
        QFile f(dir.filePath(kSpeechFile));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(contents);
        f.close();
        Table start;
        start.g.store = &store;
        Form_Load(start.g);
        QCOMPARE(start.settings.Speech, contents == "#TRUE#\r\n");
        for (const auto& m : start.host.messages) QVERIFY2(m.prompt.find(kSpeechFile) == std::string::npos, m.prompt.c_str());
    }
}

void TestSpeech::missingEngineIsSilent() {
    QTemporaryDir data;
    ui::MainWindow w(1, data.path());
    // Without an engine speech is silent: one note in the status line,
    // no message box, and nothing more however often it is asked.
    w.host().setSpeechEngine(QStringLiteral("no such engine"));
    w.host().Speak("WestBot lays the contract");
    QCOMPARE(w.game().ui.StatusPanel[5], std::string("Speech is not available on this computer."));
    w.game().ui.StatusPanel[5] = "EastBot playing now.";
    w.host().Speak("WestBot discards the King of Hearts");
    QCOMPARE(w.game().ui.StatusPanel[5], std::string("EastBot playing now."));
    QVERIFY(w.host().speechQueued() == 0 && !QApplication::activeModalWidget());
}

QTEST_MAIN(TestSpeech)
#include "tst_speech.moc"
