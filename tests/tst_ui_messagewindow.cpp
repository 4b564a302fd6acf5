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

class TestMessageWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { meldora::test::SilencePlatformNoise(); }
    void buttonPlaces_data();
    void buttonPlaces();
    void windowSizeAndPlace();
    void windowFollowsLayout();
    void clickAnswersWithIndex();
    void keyboardAnswers();
    void closingAnswersMinusOne();
    void questionOverTheTableWithCancelFocused();
    void pressedButtonLooksSunken();

private:
    // Runs f once the modal window is up, then asks.
    int askWith(MFormDeluxe& form, const std::function<void()>& f, const QString& b0 = QStringLiteral("O.K."),
                const QString& b1 = QString(), const QString& b2 = QString()) {
        QTimer::singleShot(0, &form, [&form, f] {
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            f();
        });
        // A failed step must not leave the modal window waiting for ever.
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, &form, &QDialog::reject);
        guard.start(5000);
        return form.ask(QStringLiteral("Which one?"), b0, b1, b2, QStringLiteral("Question"));
    }
};

void TestMessageWindow::buttonPlaces_data() {
    QTest::addColumn<bool>("button1");
    QTest::addColumn<bool>("button2");
    QTest::addColumn<QList<int>>("lefts");     // panels 0, 1, 2; -1 hidden
    QTest::newRow("one button, centred") << false << false << QList<int>{1545, -1, -1};
    // Panel 0's right edge 23 twips left of the centre line (2250), panel 1's
    // left edge 23 twips right of it.
    QTest::newRow("two buttons about the centre") << true << false << QList<int>{817, 2273, -1};
    // Panel 1 centred, the others 45 twips either side of it.
    QTest::newRow("three buttons") << true << true << QList<int>{90, 1545, 3000};
    // Only the third caption: it stays where it was drawn, panel 0 centred.
    QTest::newRow("button 2 without button 1") << false << true << QList<int>{1545, -1, 3000};
}

void TestMessageWindow::buttonPlaces() {
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
        // Tops: window height (600 + 1140) less the panel height less 90.
        QCOMPARE(out.panel[i].top, 1740 - kMessagePanelHeight - 90);
        QCOMPARE(out.panel[i].width, kMessagePanelWidth);
    }
}

void TestMessageWindow::windowSizeAndPlace() {
    MessageLayoutIn in;
    in.promptHeight = 885;
    in.screen = {300, 0, 38400, 21600};
    in.over = {6000, 3000, 15600, 11100};  // the main window, off the screen's centre
    MessageLayout out = LayoutMessage(in);
    QCOMPARE(out.width, 4500);
    QCOMPARE(out.height, 885 + 1140);
    // Centred over the main window with its new size.
    QCOMPARE(out.left, 6000 + (15600 - 4500) / 2);
    QCOMPARE(out.top, 3000 + (11100 - 2025) / 2);
    // A main window half off the screen: the message stays on it.
    in.over = {-12000, 18000, 15600, 11100};
    out = LayoutMessage(in);
    QCOMPARE(out.left, 300);
    QCOMPARE(out.top, 21600 - 2025);
    QCOMPARE(out.title.left, 45);
    QCOMPARE(out.title.top, 60);
    QCOMPARE(out.title.width, 4500 - 90);
    QCOMPARE(out.title.height, 300);
    QCOMPARE(out.prompt.height, 885);
    QCOMPARE(out.icon.top, (2025 - kMessageIconSize) / 2);
}

void TestMessageWindow::windowFollowsLayout() {
    MFormDeluxe form;
    form.prepare(QStringLiteral("A question that is long enough to need more than one line in the window, "
                                "so that the prompt label grows downwards."),
                 QStringLiteral("New Game"), QStringLiteral("No Cancel"), QString(), QStringLiteral("Really?"));
    const MessageLayout& l = form.layout();
    QCOMPARE(form.titleLabel()->text(), QStringLiteral("   Really?"));
    QCOMPARE(form.width(), 4500 / 15);
    QCOMPARE(l.height, l.prompt.height + 1140);
    QVERIFY(l.prompt.height >= 2 * 15 * form.promptLabel()->fontMetrics().height());
    // 817 twips round to 54 pixels; the prompt's height is whole pixels.
    QCOMPARE(form.Pic1(0)->geometry(), QRect(54, l.panel[0].top / 15, 94, 25));
    QCOMPARE(form.Label1(1)->text(), QStringLiteral("No Cancel"));
    QVERIFY(!form.Pic1(2)->isVisibleTo(&form));
    QVERIFY(form.Pic1(1)->isVisibleTo(&form));
}

void TestMessageWindow::clickAnswersWithIndex() {
    MFormDeluxe form;
    const int answer = askWith(form, [&] { QTest::mouseClick(form.Pic1(2), Qt::LeftButton); },
                               QStringLiteral("Deal 'Em Now"), QStringLiteral("Use Menu"), QStringLiteral("Load Game"));
    QCOMPARE(answer, 2);
    QVERIFY(!form.isVisible());

    // Pressing on a button and letting go elsewhere is no answer.
    const int second = askWith(form, [&] {
        QTest::mousePress(form.Pic1(0), Qt::LeftButton);
        QTest::mouseRelease(form.Pic1(0), Qt::LeftButton, {}, QPoint(-20, -20));
        QVERIFY(form.isVisible());
        QTest::mouseClick(form.Pic1(1), Qt::LeftButton);
    }, QStringLiteral("Yes"), QStringLiteral("No"));
    QCOMPARE(second, 1);
}

void TestMessageWindow::keyboardAnswers() {
    MFormDeluxe form;
    // Return answers with the button that has the focus: button 0 at first.
    QCOMPARE(askWith(form, [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); },
                     QStringLiteral("Right"), QStringLiteral("Wrong")),
             0);
    QCOMPARE(askWith(form, [&] {
                 form.Pic1(1)->setFocus();
                 QTest::keyClick(form.Pic1(1), Qt::Key_Return);
             }, QStringLiteral("Right"), QStringLiteral("Wrong")),
             1);
    // An access key in a caption clicks that button.
    QCOMPARE(askWith(form, [&] {
                 form.activateWindow();
                 QVERIFY(QTest::qWaitForWindowActive(&form));
                 QTest::keyClick(&form, Qt::Key_L, Qt::AltModifier);
             }, QStringLiteral("&Deal"), QStringLiteral("&Use Menu"), QStringLiteral("&Load Game")),
             2);
}

void TestMessageWindow::closingAnswersMinusOne() {
    MFormDeluxe form;
    QCOMPARE(askWith(form, [&] { QTest::keyClick(&form, Qt::Key_Escape); }), -1);
    QCOMPARE(askWith(form, [&] { form.close(); }), -1);
}

// A destructive question asked through the host: it comes up centred over
// the main window at its own size, and Return answers "No Cancel".
void TestMessageWindow::questionOverTheTableWithCancelFocused() {
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
    const int answer = host.ShowMessage("You are in the middle of a game, are you sure?", "New Game",
                                        "No Cancel", "", "Really start new game?", 1);
    QCOMPARE(answer, 1);
    const QPoint centre = table.frameGeometry().center();
    QCOMPARE_LE(std::abs(shown.center().x() - centre.x()), 2);
    QCOMPARE_LE(std::abs(shown.center().y() - centre.y()), 2);
}

void TestMessageWindow::pressedButtonLooksSunken() {
    MFormDeluxe form;
    form.prepare(QStringLiteral("Prompt"), QStringLiteral("O.K."), QString(), QString(), QStringLiteral("Title"));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    BevelPanel* panel = form.Pic1(0);
    QCOMPARE(form.Label1(0)->geometry(), QRect(1, 1, panel->width() - 2, panel->height() - 2));
    QTest::mousePress(panel, Qt::LeftButton);
    QVERIFY(panel->sunken());
    QCOMPARE(form.Label1(0)->geometry(), QRect(2, 2, panel->width() - 3, panel->height() - 3));
    QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(-5, -5));
    QVERIFY(!panel->sunken());
    QCOMPARE(form.Label1(0)->pos(), QPoint(1, 1));
}

QTEST_MAIN(TestMessageWindow)
#include "tst_ui_messagewindow.moc"
