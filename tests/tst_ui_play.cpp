// The real window played with real input: the access keys pass and draw. The
// table as a screen reader sees it: names that never give a hidden face away,
// and the keyboard's frame as the focused child; the keys of keyboard play.

#include <QAccessible>
#include <QSignalSpy>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "QuickWindow.h"
#include "QuietPlatform.h"
#include "game/Describe.h"
#include "ui/MFormDeluxe.h"
#include "ui/MainWindow.h"
#include "ui/TableWidget.h"

using namespace meldora;
using namespace meldora::ui;

namespace {

// Plays a new game to the player's turn, every "May I?" offer passed with
// the Pass button's access key.
bool ToThePlayersTurn(MainWindow& w) {
    meldora::test::QuickWindow(w);
    Game& g = w.game();
    w.show();
    w.activateWindow();
    if (!QTest::qWaitForWindowActive(&w)) return false;
    meldora::test::OnMayI(w, [&w] { QTest::keyClick(&w, Qt::Key_P, Qt::AltModifier); });
    w.command(QStringLiteral("MnuNew"))->trigger();
    return g.IsTurn[0];
}

bool DrawWithAccessKey(MainWindow& w) {
    QTest::keyClick(&w, Qt::Key_K, Qt::AltModifier);  // "Take Stoc&k Card", clicked a moment later
    return QTest::qWaitFor([&] { return w.game().PlayerHasDrawn && !w.game().ChainActive(); }, 5000);
}

int LeftmostInHand(const Game& g) {
    int card = 0;
    for (int c = 1; c <= kCardCount; ++c)
        if (g.CardTable[c].Location == LocPlayer && (card == 0 || g.ui.Cds[c].Left < g.ui.Cds[card].Left)) card = c;
    return card;
}

}  // namespace

class TestPlay : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { meldora::test::SilencePlatformNoise(); }

    // The message window's buttons are push buttons a screen reader can press.
    void messageButtonsPress() {
        MFormDeluxe form;
        form.prepare("Deal now?", "Deal 'Em Now", "Use &Menu", "", "Hello");
        QAccessibleInterface* button = QAccessible::queryAccessibleInterface(form.Pic1(1));
        QCOMPARE(button->role(), QAccessible::Button);
        QCOMPARE(button->text(QAccessible::Name), QStringLiteral("Use Menu"));
        QCOMPARE(button->childCount(), 0);
        QSignalSpy clicked(form.Pic1(1), &BevelPanel::clicked);
        button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).toInt(), 1);
    }

    void tableReadsAsItGoes() {
        MainWindow w(9);
        Game& g = w.game();
        QVERIFY(ToThePlayersTurn(w));
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(w.table());
        QVERIFY(table);
        QStringList names, focused;
        QMap<QString, QList<QPair<int, int>>> places;  // each hand's cards: where on the table, "card i of n"
        for (int i = 0; i < table->childCount(); ++i) {
            QAccessibleInterface* c = table->child(i);
            const QString name = c->text(QAccessible::Name);
            names << name;
            const QString hand = name.section(QStringLiteral(", "), 1, 1);
            if (hand.endsWith(QLatin1String(" hand")))
                places[hand] << qMakePair(hand.contains("West") || hand.contains("East") ? c->rect().y() : c->rect().x(),
                                          name.section(QStringLiteral(", card "), 1).section(' ', 0, 0).toInt());
        }
        // Every seat's cards are told by their place, counted from the left
        // (from the top at the side seats); the robots' never by face.
        const QMap<QString, int> held{{"your hand", g.CardsInHand[0]}, {"WestBot's hand", g.CardsInHand[1]},
                                      {"NorthBot's hand", g.CardsInHand[2]}, {"EastBot's hand", g.CardsInHand[3]}};
        QCOMPARE(places.keys(), held.keys());
        for (const QString& hand : places.keys()) {
            std::sort(places[hand].begin(), places[hand].end());
            QList<int> order, expected;
            for (const auto& [at, index] : places[hand]) order << index;
            for (int k = 1; k <= held[hand]; ++k) expected << k;
            QCOMPARE(order, expected);
        }
        const QStringList robotCards = names.filter(QStringLiteral("Bot's hand"));
        QCOMPARE(robotCards.filter(QRegularExpression("^Face-down card, ")), robotCards);
        QVERIFY(names.contains(QString("%1, your hand, card 1 of %2")
                                   .arg(QString::fromStdString(CardName(LeftmostInHand(g))))
                                   .arg(g.CardsInHand[0])));
        QVERIFY(names.contains(QString::fromStdString(DiscardPileName(g))));
        QCOMPARE(names.filter(QRegularExpression("^Stock: \\d+ cards$")).size(), 1);
        QVERIFY2(names.contains(QString::fromStdString(g.ui.LblP.Caption).simplified()), "the instruction line");
        QVERIFY(names.contains(QStringLiteral("Take Stock Card")));  // buttons without their access key marks
        // The eight meld columns of round 1 by owner and kind, with their cards.
        const QStringList columns = names.filter(QRegularExpression("^(your|\\w+Bot's) (first|second) set(: empty| of \\w+: )"));
        QCOMPARE(columns.size(), 8);
        QVERIFY(columns.contains(QStringLiteral("your first set: empty")));
        // Only cards whose faces show can take the focus.
        for (int i = 0; i < table->childCount(); ++i)
            if (QAccessibleInterface* c = table->child(i); c && c->text(QAccessible::Name).startsWith("Face-down"))
                QVERIFY2(!c->state().focusable, qPrintable(c->text(QAccessible::Name)));

        // The keyboard's frame is the focused child.
        QVERIFY(DrawWithAccessKey(w));
        w.table()->setFocus();
        QTest::keyClick(w.table(), Qt::Key_End);
        for (int i = 0; i < table->childCount(); ++i)
            if (QAccessibleInterface* c = table->child(i); c && c->state().focused) focused << c->text(QAccessible::Name);
        QCOMPARE(focused, QStringList{QString::fromStdString(CardAccessibleName(g, g.ui.Keys.FocusCard))});

        // Each key of keyboard play reaches the game through the window.
        const auto key = [&](Qt::Key k) { QTest::keyClick(w.table(), k); };
        key(Qt::Key_Home);
        QCOMPARE(g.ui.Keys.FocusCard, LeftmostInHand(g));
        key(Qt::Key_Right);
        QVERIFY(g.ui.Keys.FocusCard != LeftmostInHand(g));
        key(Qt::Key_Left);
        QCOMPARE(g.ui.Keys.FocusCard, LeftmostInHand(g));
        key(Qt::Key_Space);
        QVERIFY(g.ui.Keys.Lifted);
        key(Qt::Key_Down);
        QCOMPARE(g.ui.Keys.Target, 0);
        key(Qt::Key_Up);
        QCOMPARE(g.ui.Keys.Target, 7);
        key(Qt::Key_Escape);
        QVERIFY(!g.ui.Keys.Lifted);
    }
};

QTEST_MAIN(TestPlay)
#include "tst_ui_play.moc"
