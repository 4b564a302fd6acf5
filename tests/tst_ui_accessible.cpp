// The table as a screen reader sees it: every painted card and label has a
// name that reads sensibly and never gives a hidden face away, and the
// keyboard's frame is the focused child.

#include <QAccessible>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "QuickWindow.h"
#include "QuietPlatform.h"
#include "game/Describe.h"
#include "ui/MainWindow.h"
#include "ui/TableWidget.h"

using namespace meldora;
using namespace meldora::ui;

namespace {

QStringList Names(QAccessibleInterface* table) {
    QStringList names;
    for (int i = 0; i < table->childCount(); ++i)
        if (QAccessibleInterface* c = table->child(i)) names << c->text(QAccessible::Name);
    return names;
}

}  // namespace

class TestAccessible : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { meldora::test::SilencePlatformNoise(); }

    void tableReadsAsItGoes() {
        MainWindow w(9);
        meldora::test::QuickWindow(w);
        Game& g = w.game();
        w.show();
        QTimer passer;
        connect(&passer, &QTimer::timeout, &w, [&] {
            if (QPushButton* pass = w.table()->button(QStringLiteral("CmdPass")); pass->isVisible()) pass->click();
        });
        passer.start(5);
        w.command(QStringLiteral("MnuNew"))->trigger();
        QVERIFY(g.IsTurn[0]);

        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(w.table());
        QVERIFY(table);
        const QStringList names = Names(table);
        // The player's cards by place; the robots' cards never by face.
        int first = 0;
        for (int c = 1; c <= kCardCount; ++c)
            if (g.CardTable[c].Location == LocPlayer && (!first || g.ui.Cds[c].Left < g.ui.Cds[first].Left)) first = c;
        const QString firstName =
            QString("%1, your hand, card 1 of %2").arg(QString::fromStdString(CardName(first))).arg(g.CardsInHand[0]);
        QVERIFY2(names.contains(firstName), qPrintable(names.join('\n')));
        int robotCards = 0;
        for (const QString& n : names) {
            if (!n.contains(QLatin1String("Bot's hand"))) continue;
            ++robotCards;
            QVERIFY2(n.startsWith(QLatin1String("Face-down card, ")), qPrintable(n));
        }
        QCOMPARE(robotCards, g.CardsInHand[1] + g.CardsInHand[2] + g.CardsInHand[3]);
        QVERIFY(names.contains(QString::fromStdString(DiscardPileName(g))));
        QCOMPARE(names.filter(QRegularExpression("^Stock: \\d+ cards$")).size(), 1);
        QVERIFY2(names.contains(QString::fromStdString(g.ui.LblP.Caption).simplified()), "the instruction line");
        // Buttons read without their access key marks.
        QVERIFY(names.contains(QStringLiteral("Take Stock Card")));

        // The keyboard's frame is the focused child.
        QTest::keyClick(&w, Qt::Key_K, Qt::AltModifier);
        QVERIFY(QTest::qWaitFor([&] { return g.PlayerHasDrawn && !g.ChainActive(); }, 5000));
        w.table()->setFocus();
        QTest::keyClick(w.table(), Qt::Key_End);
        const QString focused = QString::fromStdString(CardAccessibleName(g, g.ui.Keys.FocusCard));
        QStringList focusedNames;
        for (int i = 0; i < table->childCount(); ++i)
            if (QAccessibleInterface* c = table->child(i); c && c->state().focused) focusedNames << c->text(QAccessible::Name);
        QCOMPARE(focusedNames, QStringList{focused});
    }
};

QTEST_MAIN(TestAccessible)
#include "tst_ui_accessible.moc"
