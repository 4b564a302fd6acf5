// The window's host: pauses and waits run event loops without using the
// processor, end when interrupted, and sounds never hold the game up; the
// sounds are found beside the program in the build tree, under
// ../share/meldora/sounds once installed. And the program's own message
// window: where it and its buttons go, and how a button click, the keyboard
// and closing answer.

#include <QAbstractEventDispatcher>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <sys/resource.h>

#include "QuietPlatform.h"
#include "ui/MFormDeluxe.h"
#include "ui/MessageLayout.h"
#include "ui/QtHost.h"
#include "ui/SoundPlayer.h"

using namespace meldora::ui;

namespace {
// Processor time used by this process so far, in milliseconds.
double CpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000.0 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000.0;
}
// Counts the times the event loop wakes up to look at its events.
struct WakeUps {
    int count = 0;
    QMetaObject::Connection c = QObject::connect(QAbstractEventDispatcher::instance(),
                                                 &QAbstractEventDispatcher::awake, [this] { ++count; });
    ~WakeUps() { QObject::disconnect(c); }
};
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

class TestQtHost : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { meldora::test::SilencePlatformNoise(); }

    void pausesWaitWithoutUsingTheProcessor() {
        QtHost host;
        int refreshes = 0;
        host.beforeWait = [&] { ++refreshes; };
        WakeUps wakeUps;
        host.Pause(0);
        host.Pause(-250);
        QCOMPARE(wakeUps.count, 0);  // no event loop ran
        QCOMPARE(refreshes, 0);
        host.Pause(5);  // the first event loop sets itself up
        // The model is pushed to the screen before the wait begins.
        bool refreshedBeforeWaiting = false;
        QTimer::singleShot(0, [&, before = refreshes] { refreshedBeforeWaiting = refreshes == before + 1; });
        bool halfway = false;  // a timer due halfway through fires inside the pause
        QTimer::singleShot(150, [&] { halfway = true; });
        const double cpu0 = CpuMs();
        wakeUps.count = 0;
        host.Pause(300);
        QVERIFY(halfway);
        // One timer ends the wait: a loop that looked again and again would
        // wake up hundreds of times and burn the processor.
        QCOMPARE_LT(wakeUps.count, 20);
        QCOMPARE_LT(CpuMs() - cpu0, 150.0);
        QVERIFY(refreshedBeforeWaiting);

        // A "May I?" wait ends when answered, and nothing polls meanwhile.
        bool answered = false;
        int asked = 0;
        QTimer::singleShot(300, [&] { answered = true, host.EndMayIWait(); });
        const double cpu1 = CpuMs();
        wakeUps.count = 0;
        host.WaitForMayIAnswer([&] { return ++asked, answered; });
        QVERIFY(answered);
        QCOMPARE(asked, 1);
        QCOMPARE_LT(wakeUps.count, 20);
        QCOMPARE_LT(CpuMs() - cpu1, 150.0);
        wakeUps.count = 0;
        host.WaitForMayIAnswer([] { return true; });  // already answered: no wait
        QCOMPARE(wakeUps.count, 0);
        QCOMPARE(host.waitDepth(), 0);
    }

    void interruptEndsEveryRunningWait() {
        QtHost host;
        // Fires only if the pauses below ran on to their end.
        bool late = false;
        QTimer lateness;
        lateness.setSingleShot(true);
        QObject::connect(&lateness, &QTimer::timeout, [&] { late = true; });
        lateness.start(20000);
        QStringList order;
        int depthSeen = 0;
        // Inside the outer pause a click starts another one; then a new game
        // is asked for, which must end both.
        QTimer::singleShot(30, [&] {
            QTimer::singleShot(30, [&] {
                depthSeen = host.waitDepth();
                host.Interrupt();
            });
            host.Pause(30000);
            order << "inner";
        });
        host.Pause(30000);
        order << "outer";
        QCOMPARE(depthSeen, 2);
        QCOMPARE(order, (QStringList{"inner", "outer"}));
        QCOMPARE(host.waitDepth(), 0);
        // Interrupting also ends a "May I?" wait that has no answer.
        QTimer::singleShot(30, [&] { host.Interrupt(); });
        host.WaitForMayIAnswer([] { return false; });
        QVERIFY(!late);
    }

    void shutdownAnswersEverythingAtOnce() {
        QtHost host;
        bool quitCalled = false;
        host.onQuit = [&] { quitCalled = true; };
        host.Quit();
        QVERIFY(quitCalled);
        QVERIFY(host.shuttingDown());
        // Every wait and question returns without running an event loop.
        WakeUps wakeUps;
        host.Pause(5000);
        host.WaitForMayIAnswer([] { return false; });
        QCOMPARE(host.ShowMessage("Really?", "New Game", "No Cancel", "", "Question", 1), -1);
        std::string name = "Player";
        QVERIFY(!host.InputBox("Your name", "Name", name));
        QCOMPARE(name, "Player");
        host.PlaySound("\\NoSuchSound.wav");  // a missing sound is silent and returns at once
        QCOMPARE(wakeUps.count, 0);

        QTemporaryDir dir;
        SoundPlayer player(dir.path());
        QCOMPARE(player.resolve(QStringLiteral("\\CardDown.wav")), dir.filePath(QStringLiteral("CardDown.wav")));
        QVERIFY(!player.play(QStringLiteral("\\CardDown.wav")));
    }

    // A sound beside the program, an installed folder: the program's own folder wins.
    void soundFolder_data() {
        QTest::addColumn<bool>("waveBeside");
        QTest::addColumn<bool>("installedFolder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("beside") << true << false << "bin";
        QTest::newRow("installed") << false << true << "share/meldora/sounds";
        QTest::newRow("both") << true << true << "bin";
        QTest::newRow("neither") << false << false << "bin";
    }
    void soundFolder() {
        QFETCH(bool, waveBeside);
        QFETCH(bool, installedFolder);
        QFETCH(QString, expected);
        QTemporaryDir root;
        QDir tree(root.path());
        QVERIFY(tree.mkpath(QStringLiteral("bin")));
        if (waveBeside) QVERIFY(QFile(tree.filePath(QStringLiteral("bin/CardDown.wav"))).open(QIODevice::WriteOnly));
        if (installedFolder) QVERIFY(tree.mkpath(QStringLiteral("share/meldora/sounds")));
        QCOMPARE(SoundPlayer::folderFor(tree.filePath(QStringLiteral("bin"))), tree.filePath(expected));
    }

    void windowSizeAndPlace() {
        MessageLayoutIn in;
        in.promptHeight = 885;
        in.screen = {300, 0, 38400, 21600};
        in.over = {6000, 3000, 15600, 11100};  // the main window, off the screen's centre
        MessageLayout out = LayoutMessage(in);
        QCOMPARE(QPoint(out.left, out.top), QPoint(6000 + (15600 - 4500) / 2, 3000 + (11100 - 2025) / 2));
        // A main window half off the screen: the message stays on it.
        in.over = {-12000, 18000, 15600, 11100};
        out = LayoutMessage(in);
        QCOMPARE(QPoint(out.left, out.top), QPoint(300, 21600 - 2025));

        // A long prompt grows the real window downwards.
        MFormDeluxe form;
        form.prepare(QStringLiteral("A question that is long enough to need more than one line in the window, "
                                    "so that the prompt label grows downwards."),
                     QStringLiteral("New Game"), QStringLiteral("No Cancel"), QString(), QStringLiteral("Really?"));
        const MessageLayout& l = form.layout();
        QCOMPARE(l.height, l.prompt.height + 1140);  // grown with the prompt, the panels under it
        QVERIFY(l.prompt.height >= 2 * 15 * form.promptLabel()->fontMetrics().height());
        // Two buttons either side of the centre line, 23 twips off it: 787 and 2273 twips.
        QCOMPARE(form.Pic1(0)->geometry(), QRect(52, l.panel[0].top / 15, 96, 25));
        QCOMPARE(form.Pic1(1)->x(), qRound(2273 / 15.0));
        QVERIFY(form.Pic1(1)->isVisibleTo(&form));
        QVERIFY(!form.Pic1(2)->isVisibleTo(&form));
    }

    void answers() {
        MFormDeluxe form;
        QCOMPARE(AskWith(form, [&] { QTest::mouseClick(form.Pic1(2), Qt::LeftButton); }, "Deal", "Use Menu", "Load"), 2);
        QVERIFY(!form.isVisible());
        // Pressing on a button and letting go elsewhere is no answer.
        QCOMPARE(AskWith(form, [&] {
                     QTest::mousePress(form.Pic1(0), Qt::LeftButton);
                     QVERIFY(form.Pic1(0)->sunken());
                     QTest::mouseRelease(form.Pic1(0), Qt::LeftButton, {}, QPoint(-20, -20));
                     QVERIFY(!form.Pic1(0)->sunken());
                     QTest::mouseClick(form.Pic1(1), Qt::LeftButton);
                 }, "Yes", "No"),
                 1);
        // Return answers with the focused button, at first button 0 (the host's question focuses 1).
        QCOMPARE(AskWith(form, [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }, "Right", "Wrong"), 0);
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
};

QTEST_MAIN(TestQtHost)
#include "tst_ui_qthost.moc"
