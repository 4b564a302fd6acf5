// Whole seven-round games in the real window, South played by the autopilot
// with the window's own mouse and keys: cards pressed, carried and let go on
// the table in pixels, buttons and the Joker panel's choices clicked, "May I?" answered and the message
// windows closed with their buttons; and one whole game with the keyboard
// alone. The table's invariants hold after every turn, the board adds up
// after every round, and Qt says nothing amiss.

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <map>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include "QuickWindow.h"
#include "QuietPlatform.h"
#include "headless/Autopilot.h"
#include "game/TableChecks.h"
#include "headless/Notation.h"
#include "player/Player.h"
#include "ui/MFormDeluxe.h"
#include "ui/MainWindow.h"
#include "ui/TableWidget.h"

using namespace meldora;
using namespace meldora::ui;

namespace {

// Whole games played with the mouse; one more is played with the keys alone
// (slower: an access key clicks its button a moment later, as a person's would).
constexpr int kGames = 20;

// The access key of a button's caption ("Take Stoc&k Card": K), or 0.
int AccessKey(const QPushButton* b) {
    if (!b) return 0;
    const QString text = b->text();
    const int amp = text.indexOf('&');
    if (amp < 0 || amp + 1 >= text.size() || text[amp + 1] == '&') return 0;
    return QKeySequence(text.mid(amp + 1, 1).toUpper())[0].key();
}

// Press and let go of a key where the window system delivers it: to the
// focused widget of the active window, shortcuts and access keys included.
void Type(QWidget* window, Qt::Key key, Qt::KeyboardModifiers mods = {}) {
    QTest::keyClick(window->windowHandle(), key, mods);
}

class Hands {
public:
    Hands(MainWindow& w, bool keysAlone) : w_(w), keysAlone_(keysAlone) {}

    QPoint Pixel(layout::Point p) const { return w_.table()->mapping().toPixels(QPointF(p.left, p.top)).toPoint(); }

    // The autopilot's keys in keyboard mode, as real key events; the table
    // must have the focus for them.
    std::function<void(Key)> KeyHand() {
        return [this](Key key) {
            static const std::map<Key, Qt::Key> qt = {
                {Key::Left, Qt::Key_Left}, {Key::Right, Qt::Key_Right},   {Key::Up, Qt::Key_Up},
                {Key::Down, Qt::Key_Down}, {Key::Home, Qt::Key_Home},     {Key::End, Qt::Key_End},
                {Key::Space, Qt::Key_Space}, {Key::Return, Qt::Key_Return}, {Key::Escape, Qt::Key_Escape}};
            ++keysTyped;
            if (!Active()) return;
            if (QApplication::focusWidget() != w_.table()) return Missing("a card: the table has not the focus");
            Type(&w_, qt.at(key));
        };
    }

    AutopilotHands Make() {
        AutopilotHands h;
        h.press = [this](layout::Point p) {
            ++pointerActs;
            QTest::mousePress(w_.table(), Qt::LeftButton, {}, Pixel(p));
        };
        h.move = [this](layout::Point p) {
            ++pointerActs;
            QTest::mouseMove(w_.table(), Pixel(p));
        };
        h.release = [this](layout::Point p) {
            ++pointerActs;
            QTest::mouseRelease(w_.table(), Qt::LeftButton, {}, Pixel(p));
        };
        h.click = [this](const std::string& name) { Click(QString::fromStdString(name)); };
        return h;
    }

    // Presses a button of the table, as the autopilot's click does.
    void Button(const QString& name) { Click(name); }

    // What a press found wrong: a control that was not there to press.
    QString fault;
    int keysTyped = 0;       // card keys typed in keyboard mode
    int pointerActs = 0;     // mouse presses, moves, releases and clicks

    // A message window just closed leaves no window active on the offscreen
    // platform (and under a bare X server): the window system gives the
    // focus back, as a desktop's window manager does.
    bool Active() {
        if (w_.isActiveWindow()) return true;
        w_.activateWindow();
        if (QTest::qWaitFor([this] { return w_.isActiveWindow(); }, 2000)) return true;
        Missing(QStringLiteral("the window would not come back"));
        return false;
    }

private:
    void Click(const QString& name) {
        if (name.startsWith(QLatin1String("LblValue"))) {
            auto* label = w_.table()->panel(QStringLiteral("FramJoker"))->findChild<QLabel*>(name);
            if (!label || !label->isVisible()) return Missing(name);
            ++pointerActs;
            QTest::mouseClick(label, Qt::LeftButton);
            return;
        }
        QPushButton* b = w_.table()->button(name);
        if (!b || !b->isVisible() || !b->isEnabled()) return;  // nothing there to press
        if (!keysAlone_) {
            ++pointerActs;
            QTest::mouseClick(b, Qt::LeftButton);
            return;
        }
        if (!Active()) return;
        const int key = AccessKey(b);
        if (key == 0) {
            // The score board's button has none: it has the focus, and Space presses it.
            if (!b->hasFocus()) return Missing(name + ": it has no access key and not the focus");
            Type(&w_, Qt::Key_Space);
            return;
        }
        bool clicked = false;
        const QMetaObject::Connection c = QObject::connect(b, &QPushButton::clicked, [&] { clicked = true; });
        Type(&w_, static_cast<Qt::Key>(key), Qt::AltModifier);
        if (!QTest::qWaitFor([&] { return clicked; }, 1000)) Missing(name + ": its access key was not taken");
        QObject::disconnect(c);
    }

    void Missing(const QString& what) {
        if (fault.isEmpty()) fault = "could not press " + what;
    }

    MainWindow& w_;
    const bool keysAlone_;
};

}  // namespace

class TestSoak : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { meldora::test::SilencePlatformNoise(); }
    void wholeGamesByHand() { PlayGames(kGames, false); }
    // One whole game with the keyboard alone: the game started from the menu by
    // its keys, every card moved with the arrows, Space and Escape on the table,
    // every button pressed with its access key, the messages answered with Space.
    void wholeGameByKeysAlone() { PlayGames(1, true); }

private:
    void PlayGames(int games, bool keysAlone);
};

void TestSoak::PlayGames(int gameCount, bool keysAlone) {
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    MainWindow w(7);
    meldora::test::QuickWindow(w);
    Game& g = w.game();
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));

    Hands hands(w, keysAlone);
    Autopilot pilot(g);
    pilot.setHands(hands.Make());
    if (keysAlone) pilot.useKeys(hands.KeyHand());

    QString fault;  // the first broken invariant
    g.onTurnDone = [&](int seat) {
        std::string f = CheckTableInvariants(g);
        if (f.empty()) f = CheckMelds(g);
        if (f.empty()) f = CheckTableLayout(g);
        if (!f.empty() && fault.isEmpty())
            fault = QStringLiteral("round %1 after seat %2: %3\n  table: %4")
                        .arg(g.Round)
                        .arg(seat)
                        .arg(QString::fromStdString(f), QString::fromStdString(DescribeTable(g)));
    };

    // "May I?" is answered by the autopilot when asked; a message window
    // ("Stock empty") is closed with its first button. Both wait in nested
    // loops, so they are looked for from a timer.
    meldora::test::OnMayI(w, [&] { pilot.AnswerMayI(); });
    // A message can open under the answer ("May I?" draws from an empty
    // stock), and a timer does not fire again inside its own slot: messages
    // are answered from a second one.
    QTimer close;
    QObject::connect(&close, &QTimer::timeout, &w, [&] {
        if (auto* form = w.findChild<MFormDeluxe*>(); form && form->isVisible()) {
            if (!keysAlone) return QTest::mouseClick(form->Pic1(0), Qt::LeftButton);
            form->activateWindow();
            Type(form, Qt::Key_Space);  // its first button has the focus
        }
    });
    close.start(2);

    if (keysAlone) {
        // Alt+G opens the Game menu, Return starts its first item, "New Game".
        Type(&w, Qt::Key_G, Qt::AltModifier);
        QWidget* menu = QApplication::activePopupWidget();
        QVERIFY(menu);
        if (!qobject_cast<QMenu*>(menu)->activeAction()) Type(menu, Qt::Key_Down);
        QCOMPARE(qobject_cast<QMenu*>(menu)->activeAction(), w.command(QStringLiteral("MnuNew")));
        Type(menu, Qt::Key_Return);
    } else {
        w.command(QStringLiteral("MnuNew"))->trigger();
    }
    int games = 0, rounds = 0;
    for (int guard = 0; guard < 200000 && games < gameCount; ++guard) {
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QVERIFY2(hands.fault.isEmpty(), qPrintable(hands.fault));
        if (g.RoundOver || g.GameOver) {
            const std::string board = CheckRoundScores(g);
            QVERIFY2(board.empty(), board.c_str());
            ++rounds;
            if (g.GameOver && ++games == gameCount) break;
            QPushButton* next = w.table()->button(QStringLiteral("CmdFinished"));
            QVERIFY(next->isVisible());
            if (keysAlone) hands.Button(QStringLiteral("CmdFinished"));
            else QTest::mouseClick(next, Qt::LeftButton);
            QVERIFY2(hands.fault.isEmpty(), qPrintable(hands.fault));
            continue;
        }
        QVERIFY2(g.IsTurn[0], "the chain stopped with no turn for the player");
        QVERIFY2(pilot.PlayTurn(), qPrintable("the autopilot found no move to end its turn on " +
                                              QString::fromStdString(DescribeTable(g)) + "\n  " + hands.fault));
    }
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    QCOMPARE(games, gameCount);
    QCOMPARE(rounds, 7 * gameCount);
    const AutopilotCounts& c = pilot.counts();
    // The hands reached the cards on the table: every press found its card.
    QCOMPARE(c.directPresses, 0);
    QCOMPARE_GT(c.layOffs, 0);
    if (keysAlone) {
        QCOMPARE(hands.pointerActs, 0);
        QCOMPARE_GT(hands.keysTyped, 0);
    }
}

QTEST_MAIN(TestSoak)
#include "tst_ui_soak.moc"
