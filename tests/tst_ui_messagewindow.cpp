// The program's own message window: where its parts go for one, two and
// three buttons, and how a button click, the keyboard and closing answer.

#include <QLabel>
#include <QTimer>
#include <QtTest>

#include "QuietPlatform.h"
#include "ui/MFormDeluxe.h"
#include "ui/MessageLayout.h"
#include "ui/QtHost.h"

using namespace meldora::ui;

namespace {
// Runs f once the modal window is up, then asks with the given captions.
int AskWith(MFormDeluxe& form, const std::function<void()>& f, const QString& b0 = QStringLiteral("O.K."),
            const QString& b1 = QString(), const QString& b2 = QString()) {
    QTimer::singleShot(0, &form, [&form, f] {
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        f();
    });
    QTimer guard;  // a failed step must not leave the modal window waiting for ever
    QObject::connect(&guard, &QTimer::timeout, &form, &QDialog::reject);
    guard.start(5000);
    return form.ask(QStringLiteral("Which one?"), b0, b1, b2, QStringLiteral("Question"));
}
}  // namespace

class TestMessageWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { meldora::test::SilencePlatformNoise(); }

    void buttonPlaces_data() {
        QTest::addColumn<bool>("button1");
        QTest::addColumn<bool>("button2");
        QTest::addColumn<QList<int>>("lefts");  // panels 0, 1, 2; -1 hidden
        QTest::newRow("one button, centred") << false << false << QList<int>{1545, -1, -1};
        // Either side of the centre line (2250), 23 twips off it.
        QTest::newRow("two buttons about the centre") << true << false << QList<int>{817, 2273, -1};
        QTest::newRow("three buttons") << true << true << QList<int>{90, 1545, 3000};
        // Only the third caption: it stays where it was drawn, panel 0 centred.
        QTest::newRow("button 2 without button 1") << false << true << QList<int>{1545, -1, 3000};
    }
    void buttonPlaces() {
        QFETCH(bool, button1);
        QFETCH(bool, button2);
        QFETCH(QList<int>, lefts);
        MessageLayoutIn in;
        in.promptHeight = 600;
        in.button1 = button1;
        in.button2 = button2;
        const MessageLayout out = LayoutMessage(in);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(out.panel[i].visible, lefts[i] >= 0);
            if (lefts[i] >= 0) QCOMPARE(out.panel[i].left, lefts[i]);
            QCOMPARE(out.panel[i].top, 600 + 1140 - kMessagePanelHeight - 90);
        }
    }

    void windowSizeAndPlace() {
        MessageLayoutIn in;
        in.promptHeight = 885;
        in.screen = {300, 0, 38400, 21600};
        in.over = {6000, 3000, 15600, 11100};  // the main window, off the screen's centre
        MessageLayout out = LayoutMessage(in);
        QCOMPARE(out.height, 885 + 1140);
        QCOMPARE(out.left, 6000 + (15600 - 4500) / 2);
        QCOMPARE(out.top, 3000 + (11100 - 2025) / 2);
        // A main window half off the screen: the message stays on it.
        in.over = {-12000, 18000, 15600, 11100};
        out = LayoutMessage(in);
        QCOMPARE(out.left, 300);
        QCOMPARE(out.top, 21600 - 2025);

        // A long prompt grows the real window downwards.
        MFormDeluxe form;
        form.prepare(QStringLiteral("A question that is long enough to need more than one line in the window, "
                                    "so that the prompt label grows downwards."),
                     QStringLiteral("New Game"), QStringLiteral("No Cancel"), QString(), QStringLiteral("Really?"));
        const MessageLayout& l = form.layout();
        QCOMPARE(l.height, l.prompt.height + 1140);
        QVERIFY(l.prompt.height >= 2 * 15 * form.promptLabel()->fontMetrics().height());
        QCOMPARE(form.Pic1(0)->geometry(), QRect(54, l.panel[0].top / 15, 94, 25));  // 817 twips is 54 pixels
        QVERIFY(form.Pic1(1)->isVisibleTo(&form) && !form.Pic1(2)->isVisibleTo(&form));
    }

    void answers() {
        MFormDeluxe form;
        QCOMPARE(AskWith(form, [&] { QTest::mouseClick(form.Pic1(2), Qt::LeftButton); }, "Deal 'Em Now", "Use Menu",
                         "Load Game"),
                 2);
        QVERIFY(!form.isVisible());
        // Pressing on a button and letting go elsewhere is no answer.
        QCOMPARE(AskWith(form, [&] {
                     QTest::mousePress(form.Pic1(0), Qt::LeftButton);
                     QVERIFY(form.Pic1(0)->sunken());
                     QTest::mouseRelease(form.Pic1(0), Qt::LeftButton, {}, QPoint(-20, -20));
                     QVERIFY(!form.Pic1(0)->sunken() && form.isVisible());
                     QTest::mouseClick(form.Pic1(1), Qt::LeftButton);
                 }, "Yes", "No"),
                 1);
        // Return answers with the button that has the focus: button 0 at first.
        QCOMPARE(AskWith(form, [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }, "Right", "Wrong"), 0);
        QCOMPARE(AskWith(form, [&] {
                     form.Pic1(1)->setFocus();
                     QTest::keyClick(form.Pic1(1), Qt::Key_Return);
                 }, "Right", "Wrong"),
                 1);
        // An access key in a caption clicks that button.
        QCOMPARE(AskWith(form, [&] {
                     form.activateWindow();
                     QVERIFY(QTest::qWaitForWindowActive(&form));
                     QTest::keyClick(&form, Qt::Key_L, Qt::AltModifier);
                 }, "&Deal", "&Use Menu", "&Load Game"),
                 2);
        QCOMPARE(AskWith(form, [&] { QTest::keyClick(&form, Qt::Key_Escape); }), -1);
        QCOMPARE(AskWith(form, [&] { form.close(); }), -1);
    }

    // A destructive question asked through the host: it comes up centred over
    // the main window, and Return answers "No Cancel".
    void questionOverTheTableWithCancelFocused() {
        QWidget table;
        table.setGeometry(40, 60, 600, 420);
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QtHost host(&table);
        QRect shown;
        QTimer::singleShot(0, &table, [&] {
            auto* form = table.findChild<MFormDeluxe*>();
            QVERIFY(form && QTest::qWaitForWindowExposed(form));
            shown = form->frameGeometry();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        QCOMPARE(host.ShowMessage("You are in the middle of a game, are you sure?", "New Game", "No Cancel", "",
                                  "Really start new game?", 1),
                 1);
        QCOMPARE_LE((shown.center() - table.frameGeometry().center()).manhattanLength(), 4);
    }
};

QTEST_MAIN(TestMessageWindow)
#include "tst_ui_messagewindow.moc"
