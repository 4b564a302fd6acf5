// The window's host: pauses and waits run event loops without using the
// processor, end when interrupted, and sounds never hold the game up.

#include <QElapsedTimer>
#include <ctime>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "QuietPlatform.h"
#include <sys/resource.h>

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

}  // namespace

class TestQtHost : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { meldora::test::SilencePlatformNoise(); }
    void pauseWaitsWithoutUsingTheProcessor();
    void shortPausesReturnAtOnce();
    void interruptEndsEveryRunningWait();
    void mayIWaitEndsWhenAnswered();
    void shutdownAnswersEverythingAtOnce();
    void soundsNeverHoldTheGameUp();
};

void TestQtHost::pauseWaitsWithoutUsingTheProcessor() {
    QtHost host;
    host.Pause(5);  // the first event loop sets itself up
    // The model is pushed to the screen before the wait begins.
    int refreshes = 0;
    bool refreshedBeforeWaiting = false;
    host.beforeWait = [&] { ++refreshes; };
    QTimer::singleShot(0, [&] { refreshedBeforeWaiting = refreshes == 1; });
    const double cpu0 = CpuMs();
    QElapsedTimer wall;
    wall.start();
    const long long tick0 = host.TickCount();
    host.Pause(300);
    const double cpu = CpuMs() - cpu0;
    QCOMPARE_GE(wall.elapsed(), 300);
    QCOMPARE_LT(wall.elapsed(), 1000);
    QCOMPARE_LT(cpu, 30.0);
    QCOMPARE_GE(host.TickCount() - tick0, 300);
    QVERIFY(refreshedBeforeWaiting);
}

void TestQtHost::shortPausesReturnAtOnce() {
    QtHost host;
    int refreshes = 0;
    host.beforeWait = [&] { ++refreshes; };
    QElapsedTimer wall;
    wall.start();
    host.Pause(0);
    host.Pause(-250);
    QCOMPARE_LT(wall.elapsed(), 20);
    QCOMPARE(refreshes, 0);
    QCOMPARE(host.waitDepth(), 0);
}

void TestQtHost::interruptEndsEveryRunningWait() {
    QtHost host;
    QElapsedTimer wall;
    wall.start();
    QList<QString> order;
    int depthSeen = 0;
    // Inside the outer pause a click starts another one; then a new game
    // is asked for, which must end both.
    QTimer::singleShot(30, [&] {
        QTimer::singleShot(30, [&] {
            depthSeen = host.waitDepth();
            host.Interrupt();
        });
        host.Pause(5000);
        order << QStringLiteral("inner");
    });
    host.Pause(5000);
    order << QStringLiteral("outer");
    QCOMPARE(depthSeen, 2);
    QCOMPARE(order, (QList<QString>{QStringLiteral("inner"), QStringLiteral("outer")}));
    QCOMPARE_LT(wall.elapsed(), 1000);
    QCOMPARE(host.waitDepth(), 0);

    // Interrupting also ends a "May I?" wait that has no answer.
    QTimer::singleShot(30, [&] { host.Interrupt(); });
    wall.restart();
    host.WaitForMayIAnswer([] { return false; });
    QCOMPARE_LT(wall.elapsed(), 1000);
}

void TestQtHost::mayIWaitEndsWhenAnswered() {
    QtHost host;
    bool answered = false;
    QTimer::singleShot(80, [&] {
        answered = true;
        host.EndMayIWait();
    });
    QElapsedTimer wall;
    wall.start();
    const std::clock_t before = std::clock();
    host.WaitForMayIAnswer([&] { return answered; });
    QVERIFY(answered);
    QCOMPARE_GE(wall.elapsed(), 80);
    QCOMPARE_LT(wall.elapsed(), 300);
    // Waiting costs nothing: the answer wakes the wait, nothing polls.
    QCOMPARE_LT(double(std::clock() - before) / CLOCKS_PER_SEC, 0.02);

    // Already answered: no wait at all.
    wall.restart();
    host.WaitForMayIAnswer([] { return true; });
    QCOMPARE_LT(wall.elapsed(), 20);
}

void TestQtHost::shutdownAnswersEverythingAtOnce() {
    QtHost host;
    bool quitCalled = false;
    host.onQuit = [&] { quitCalled = true; };
    host.Quit();
    QVERIFY(quitCalled);
    QVERIFY(host.shuttingDown());
    QElapsedTimer wall;
    wall.start();
    host.Pause(5000);
    host.WaitForMayIAnswer([] { return false; });
    QCOMPARE(host.ShowMessage("Really?", "New Game", "No Cancel", "", "Question", 1), -1);
    std::string name = "Player";
    QVERIFY(!host.InputBox("Your name", "Name", name));
    QCOMPARE(name, std::string("Player"));
    QCOMPARE_LT(wall.elapsed(), 50);
}

void TestQtHost::soundsNeverHoldTheGameUp() {
    // A missing file is silent and returns at once.
    QtHost host;
    QElapsedTimer wall;
    wall.start();
    host.PlaySound("\\NoSuchSound.wav");
    QCOMPARE_LT(wall.elapsed(), 50);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    SoundPlayer player(dir.path());
    QCOMPARE(player.resolve(QStringLiteral("\\CardDown.wav")), dir.filePath(QStringLiteral("CardDown.wav")));
    QVERIFY(!player.play(QStringLiteral("\\CardDown.wav")));
}

QTEST_MAIN(TestQtHost)
#include "tst_ui_qthost.moc"
