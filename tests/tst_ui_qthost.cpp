// The window's host: pauses and waits run event loops without using the
// processor, end when interrupted, and sounds never hold the game up.

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <sys/resource.h>

#include "QuietPlatform.h"
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

    void pausesWaitWithoutUsingTheProcessor() {
        QtHost host;
        int refreshes = 0;
        host.beforeWait = [&] { ++refreshes; };
        QElapsedTimer wall;
        wall.start();
        host.Pause(0);
        host.Pause(-250);
        QCOMPARE_LT(wall.elapsed(), 20);
        QCOMPARE(refreshes, 0);
        host.Pause(5);  // the first event loop sets itself up
        // The model is pushed to the screen before the wait begins.
        bool refreshedBeforeWaiting = false;
        QTimer::singleShot(0, [&, before = refreshes] { refreshedBeforeWaiting = refreshes == before + 1; });
        const double cpu0 = CpuMs();
        const long long tick0 = host.TickCount();
        wall.restart();
        host.Pause(300);
        QCOMPARE_GE(wall.elapsed(), 300);
        QCOMPARE_LT(wall.elapsed(), 1000);
        QCOMPARE_LT(CpuMs() - cpu0, 30.0);
        QCOMPARE_GE(host.TickCount() - tick0, 300);
        QVERIFY(refreshedBeforeWaiting);

        // A "May I?" wait ends when answered, and nothing polls meanwhile.
        bool answered = false;
        QTimer::singleShot(80, [&] {
            answered = true;
            host.EndMayIWait();
        });
        const double cpu1 = CpuMs();
        wall.restart();
        host.WaitForMayIAnswer([&] { return answered; });
        QVERIFY(answered);
        QCOMPARE_GE(wall.elapsed(), 80);
        QCOMPARE_LT(wall.elapsed(), 300);
        QCOMPARE_LT(CpuMs() - cpu1, 20.0);
        wall.restart();
        host.WaitForMayIAnswer([] { return true; });  // already answered: no wait
        QCOMPARE_LT(wall.elapsed(), 20);
        QCOMPARE(host.waitDepth(), 0);
    }

    void interruptEndsEveryRunningWait() {
        QtHost host;
        QElapsedTimer wall;
        wall.start();
        QStringList order;
        int depthSeen = 0;
        // Inside the outer pause a click starts another one; then a new game
        // is asked for, which must end both.
        QTimer::singleShot(30, [&] {
            QTimer::singleShot(30, [&] {
                depthSeen = host.waitDepth();
                host.Interrupt();
            });
            host.Pause(5000);
            order << "inner";
        });
        host.Pause(5000);
        order << "outer";
        QCOMPARE(depthSeen, 2);
        QCOMPARE(order, (QStringList{"inner", "outer"}));
        QCOMPARE(host.waitDepth(), 0);
        // Interrupting also ends a "May I?" wait that has no answer.
        QTimer::singleShot(30, [&] { host.Interrupt(); });
        host.WaitForMayIAnswer([] { return false; });
        QCOMPARE_LT(wall.elapsed(), 1000);
    }

    void shutdownAnswersEverythingAtOnce() {
        QtHost host;
        bool quitCalled = false;
        host.onQuit = [&] { quitCalled = true; };
        host.Quit();
        QVERIFY(quitCalled && host.shuttingDown());
        QElapsedTimer wall;
        wall.start();
        host.Pause(5000);
        host.WaitForMayIAnswer([] { return false; });
        QCOMPARE(host.ShowMessage("Really?", "New Game", "No Cancel", "", "Question", 1), -1);
        std::string name = "Player";
        QVERIFY(!host.InputBox("Your name", "Name", name));
        QCOMPARE(name, std::string("Player"));
        host.PlaySound("\\NoSuchSound.wav");  // a missing sound is silent and returns at once
        QCOMPARE_LT(wall.elapsed(), 50);

        QTemporaryDir dir;
        SoundPlayer player(dir.path());
        QCOMPARE(player.resolve(QStringLiteral("\\CardDown.wav")), dir.filePath(QStringLiteral("CardDown.wav")));
        QVERIFY(!player.play(QStringLiteral("\\CardDown.wav")));
    }
};

QTEST_MAIN(TestQtHost)
#include "tst_ui_qthost.moc"
