// Measures the program's speed and footprint with the real window:
//
//   meldora_bench startup   from process start to the welcome message shown
//   meldora_bench idle      processor time while the window waits: at the
//                           welcome message and at the player's turn
//   meldora_bench robots    processor time while the robots play at Medium
//   meldora_bench paint     one full repaint of the table at 1920x1080 and at
//                           3840x2160 with a pixel ratio of 2 (median of 50)
//   meldora_bench glide     the frames painted while cards glide, in a deal
//                           played at Medium with animation on, at 3840x2160
//                           with a pixel ratio of 2 (QT_SCALE_FACTOR=2 unless
//                           set): the longest and the median paint time
//   meldora_bench game      a whole game in a 1600x1200 window (for
//                           /usr/bin/time -v: the peak resident size)
//   meldora_bench speech SECONDS [seed]
//                           plays at the program's own pace with speech on
//                           (the autopilot in South) for about that long;
//                           prints each text as it starts to sound with its
//                           lag, then the robot moves' median and longest
//                           lag; fails when speech was given up. Needs an
//                           audio server (a PulseAudio null sink will do)
//   meldora_bench history   the Game History window on 300 games: from the
//                           menu command to its chart painted (the first
//                           opening in a fresh window, seven times)
//   meldora_bench show joker|round2 [seed]
//                           plays seeded games with the autopilot until the
//                           player's turn shows a valued Joker (or round 2),
//                           prints "ready" and leaves the window up for a
//                           screenshot
//
// Run it under the offscreen platform (QT_QPA_PLATFORM=offscreen) or a real
// display; animation and sound are off unless a command says otherwise.

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "headless/Autopilot.h"
#include "storage/History.h"
#include "ui/MFormDeluxe.h"
#include "ui/MainWindow.h"
#include "ui/Speech.h"
#include "ui/TableWidget.h"

using namespace meldora;
using namespace meldora::ui;

namespace {

double CpuSeconds() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_utime.tv_sec + r.ru_utime.tv_usec / 1e6 + r.ru_stime.tv_sec + r.ru_stime.tv_usec / 1e6;
}

// Seconds since this process started (from /proc).
double SinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string line;
    std::getline(stat, line);
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
    }
    const double started = std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return now.tv_sec + now.tv_nsec / 1e9 - started;
}

// Lets the window run for a while, as the program's own pauses do.
void Wait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Passes every "May I?" offer with the real button.
void PassEveryOffer(MainWindow& w, QTimer& passer) {
    QObject::connect(&passer, &QTimer::timeout, &w, [&w] {
        QPushButton* pass = w.table()->button(QStringLiteral("CmdPass"));
        if (pass->isVisible()) pass->click();
    });
    passer.start(50);
}

// Answers the program's message window with button i, as Return on it would.
void Answer(MainWindow& w, int i) {
    auto* form = w.findChild<MFormDeluxe*>();
    if (!form || !form->isVisible()) return;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(form->Pic1(i), &press);
}

void Quiet(MainWindow& w) {
    w.game().settings.NoAnimation = true;
    w.game().settings.NoSound = true;
}

int Startup() {
    MainWindow w(1);
    Quiet(w);
    w.show();
    // The welcome is the first message; note the moment it is up.
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        auto* form = w.findChild<MFormDeluxe*>();
        if (!form || !form->isVisible()) return;
        std::printf("startup: welcome shown %.0f ms after the process started\n", SinceProcessStart() * 1000);
        std::fflush(stdout);
        std::_Exit(0);
    });
    look.start(1);
    w.start();
    return QApplication::exec();
}

// Each step runs from a timer, since the welcome and the robots' turns wait
// in nested event loops.
int Idle() {
    MainWindow w(1);
    Quiet(w);
    w.game().settings.Speed = 1;
    w.show();
    QTimer passer;
    QTimer::singleShot(500, [&] {
        const double before = CpuSeconds();
        Wait(5000);
        const double atWelcome = CpuSeconds() - before;
        Answer(w, 1);  // "Use Menu"
        QTimer::singleShot(0, [&, atWelcome] {
            PassEveryOffer(w, passer);
            w.command(QStringLiteral("MnuNew"))->trigger();
            passer.stop();
            const double start = CpuSeconds();
            Wait(5000);
            std::printf("idle: %.1f ms of processor time in 5 s at the welcome, %.1f ms in 5 s at the player's turn\n",
                        atWelcome * 1000, (CpuSeconds() - start) * 1000);
            QCoreApplication::exit(0);
        });
    });
    w.start();
    return QApplication::exec();
}

// A new game at Medium without the deal's animation: the robots play up to
// the player's turn.
int Robots() {
    MainWindow w(5);
    Quiet(w);
    w.game().settings.Speed = kSpeedMedium;
    w.resize(1600, 1200);
    w.show();
    QTimer passer;
    PassEveryOffer(w, passer);
    // The first game, at once: every card face the table shows is drawn and
    // cached once for the program's run, which is start-up work rather than
    // play. Then a new game ("New Game" confirmed) is timed at Medium.
    w.host().setPaceScale(0);
    double cpu = CpuSeconds();
    w.command(QStringLiteral("MnuNew"))->trigger();
    const double firstGame = CpuSeconds() - cpu;
    w.host().setPaceScale(1);
    QTimer confirm;
    QObject::connect(&confirm, &QTimer::timeout, &w, [&w] { Answer(w, 0); });
    confirm.start(20);
    QElapsedTimer wall;
    wall.start();
    cpu = CpuSeconds();
    w.command(QStringLiteral("MnuNew"))->trigger();
    cpu = CpuSeconds() - cpu;
    const double seconds = wall.elapsed() / 1000.0;
    std::printf("robots: %.2f s of play at Medium used %.3f s of processor time: %.1f%% of one core "
                "(the first deal, drawing the card faces, took %.3f s)\n",
                seconds, cpu, 100 * cpu / seconds, firstGame);
    return 0;
}

// The table repainted whole, synchronously, at 1920 x 1080 (times the
// screen's pixel ratio: run with QT_SCALE_FACTOR=2 for 3840 x 2160).
int Paint() {
    MainWindow w(3);
    Quiet(w);
    w.host().setPaceScale(0);
    w.show();
    QTimer passer;
    PassEveryOffer(w, passer);
    w.command(QStringLiteral("MnuNew"))->trigger();  // a dealt table, at the player's turn
    passer.stop();
    TableWidget* table = w.table();
    w.resize(w.size() + (QSize(1920, 1080) - table->size()));
    Wait(100);
    // The table's whole painting into an image of the screen's pixels,
    // which the window system then shows.
    const qreal dpr = table->devicePixelRatioF();
    QImage image(table->size() * dpr, QImage::Format_RGB32);  // as a window's backing store
    image.setDevicePixelRatio(dpr);
    auto paint = [&] {
        QPainter p(&image);
        table->render(&p);
    };
    paint();  // the card art is drawn and cached once
    std::vector<double> ms;
    for (int i = 0; i < 50; ++i) {
        QElapsedTimer t;
        t.start();
        paint();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("paint: one full repaint of the table at %dx%d pixels (%dx%d at ratio %.0f), median of 50: %.2f ms\n",
                int(table->width() * dpr), int(table->height() * dpr), table->width(), table->height(), dpr,
                ms[ms.size() / 2]);
    return 0;
}

// Times each painting of the table while cards glide, from the first paint
// event to its end; the event is handed on from the filter.
class PaintTimer : public QObject {
public:
    explicit PaintTimer(TableWidget* table) : table_(table) { table->installEventFilter(this); }
    std::vector<double> ms;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (o != table_ || e->type() != QEvent::Paint || inside_ || table_->glidingCards() == 0) return false;
        inside_ = true;
        QElapsedTimer t;
        t.start();
        static_cast<QObject*>(table_)->event(e);
        ms.push_back(t.nsecsElapsed() / 1e6);
        inside_ = false;
        return true;
    }

private:
    TableWidget* table_;
    bool inside_ = false;
};

int GlideFrames() {
    MainWindow w(5);
    Quiet(w);
    w.show();
    TableWidget* table = w.table();
    w.resize(w.size() + (QSize(1920, 1080) - table->size()));
    QTimer passer;
    PassEveryOffer(w, passer);
    // A first game at once draws and caches the card faces, as the
    // program's first deal does; the second is played with animation on.
    w.host().setPaceScale(0);
    w.command(QStringLiteral("MnuNew"))->trigger();
    w.host().setPaceScale(1);
    w.game().settings.NoAnimation = false;
    w.game().settings.Speed = kSpeedMedium;
    // As at the welcome: the window makes what gliding cards are drawn
    // from while it waits for the player.
    w.syncView();
    Wait(1500);
    QTimer confirm;
    QObject::connect(&confirm, &QTimer::timeout, &w, [&w] { Answer(w, 0); });
    confirm.start(20);
    PaintTimer frames(table);
    w.command(QStringLiteral("MnuNew"))->trigger();
    std::vector<double>& ms = frames.ms;
    if (ms.empty()) {
        std::printf("glide: no frame was painted while cards glided\n");
        return 1;
    }
    std::sort(ms.begin(), ms.end());
    const qreal dpr = table->devicePixelRatioF();
    std::printf("glide: %zu frames painted while cards glided at %dx%d pixels (ratio %.0f): longest %.2f ms, "
                "median %.2f ms\n",
                ms.size(), int(table->width() * dpr), int(table->height() * dpr), dpr, ms.back(), ms[ms.size() / 2]);
    return 0;
}

int WholeGame() {
    MainWindow w(9);
    Quiet(w);
    w.host().setPaceScale(0);
    w.resize(1600, 1200);
    w.show();
    Game& g = w.game();
    Autopilot pilot(g);
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (g.ui.CmdPass.Visible) pilot.AnswerMayI();
        // "Stock empty" and the like: read and answered.
        Answer(w, 0);
    });
    answer.start(1);
    w.command(QStringLiteral("MnuNew"))->trigger();
    int rounds = 1;
    for (int guard = 0; guard < 5000 && !g.GameOver; ++guard) {
        if (g.RoundOver) {
            g.CmdFinished_Click();
            ++rounds;
        } else if (g.IsTurn[0]) {
            pilot.PlayTurn();
        }
        w.syncView();
        QCoreApplication::processEvents();
    }
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    std::printf("game: %d rounds played in the window; peak resident size %ld MB\n", rounds, r.ru_maxrss / 1024);
    return g.GameOver ? 0 : 1;
}

// Plays until the player's turn shows what is asked, then keeps the window
// up at the program's own pace until it is closed.
int Show(const char* what, int seed) {
    MainWindow w(seed);
    Quiet(w);
    w.host().setPaceScale(0);
    w.show();
    Game& g = w.game();
    Autopilot pilot(g);
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (g.ui.CmdPass.Visible) pilot.AnswerMayI();
        Answer(w, 0);
    });
    answer.start(1);
    const bool joker = !std::strcmp(what, "joker");
    const auto shown = [&] {
        if (!g.IsTurn[0] || g.RoundOver || g.GameOver) return false;
        if (!joker) return g.Round == 2;
        for (int n = 1; n <= kCardCount; ++n)
            if (g.ui.Cds[n].Visible && !g.ui.Cds[n].Mark.empty()) return true;
        return false;
    };
    for (int games = 0; games < 20 && !shown(); ++games) {
        w.command(QStringLiteral("MnuNew"))->trigger();
        for (int guard = 0; guard < 5000 && !g.GameOver && !shown(); ++guard) {
            if (g.RoundOver) g.CmdFinished_Click();
            else if (g.IsTurn[0]) pilot.PlayTurn();
            w.syncView();
            QCoreApplication::processEvents();
        }
    }
    answer.stop();
    w.host().setPaceScale(1);
    std::printf(shown() ? "ready\n" : "not found\n");
    std::fflush(stdout);
    return QApplication::exec();
}

int SpeechRun(int seconds, int seed) {
    MainWindow w(seed);
    Game& g = w.game();
    g.settings.NoSound = true;
    g.settings.Speech = true;
    w.show();
    std::vector<qint64> robotLags;
    int said = 0;
    bool givenUp = false;
    w.host().speech().onSounding = [&](const std::string& text, SpeechKind kind, qint64 lag) {
        ++said;
        if (kind == SpeechKind::Robot) robotLags.push_back(lag);
        std::printf("%6lld ms  %s\n", static_cast<long long>(lag), text.c_str());
        std::fflush(stdout);
    };
    const auto note = w.host().onSpeechUnavailable;
    w.host().onSpeechUnavailable = [&](const std::string& text) {
        givenUp = true;
        if (note) note(text);
    };
    Autopilot pilot(g);
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (g.ui.CmdPass.Visible) pilot.AnswerMayI();
        Answer(w, 0);
    });
    answer.start(50);
    QElapsedTimer clock;
    clock.start();
    const auto over = [&] { return clock.elapsed() > seconds * 1000LL; };
    while (!over()) {
        w.command(QStringLiteral("MnuNew"))->trigger();
        while (!over() && !g.GameOver) {
            if (g.RoundOver) g.CmdFinished_Click();
            else if (g.IsTurn[0]) pilot.PlayTurn();
            else Wait(50);
        }
    }
    answer.stop();
    std::sort(robotLags.begin(), robotLags.end());
    const qint64 median = robotLags.empty() ? 0 : robotLags[robotLags.size() / 2];
    const qint64 longest = robotLags.empty() ? 0 : robotLags.back();
    std::printf("speech: %d texts sounded in %lld s; robot moves heard %lld ms late (median of %zu), %lld ms at most; %s\n",
                said, clock.elapsed() / 1000, median, robotLags.size(), longest,
                givenUp ? "SPEECH GIVEN UP" : "speech kept");
    std::fflush(stdout);
    w.host().Shutdown();
    return givenUp || said == 0 ? 1 : 0;
}

}  // namespace

// A history of `games` games with points spread as real ones are.
bool WriteHistory(const QString& folder, int games) {
    std::string text;
    unsigned state = 12345;
    auto draw = [&state](int n) {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 16) % static_cast<unsigned>(n));
    };
    for (int i = 0; i < games; ++i) {
        GameRecord g{"2025-01-02 10:00", 1 + draw(99999), i % 4 == 0, {"Player", "WestBot", "NorthBot", "EastBot"}, {}, -1};
        for (int s = 0; s < 4; ++s)
            for (int r = 1; r <= 7; ++r) g.Points[s][r] = draw(8) == 0 ? 0 : draw(15 * r);
        g.Winner = g.LowestSeat();
        text += HistoryLine(g);
    }
    std::string why;
    return WriteFileAtomically((folder + "/" + kHistoryFile).toStdString(), text, why);
}

// Ends a wait when a chart of the history window paints.
class ChartPainted : public QObject {
public:
    explicit ChartPainted(QEventLoop& loop) : loop_(loop) {}
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint && o->parent() && o->parent()->inherits("QChartView")) loop_.quit();
        return false;
    }

private:
    QEventLoop& loop_;
};

int HistoryOpen() {
    QTemporaryDir dir;
    constexpr int kGames = 300;
    if (!WriteHistory(dir.path(), kGames)) return 1;
    std::vector<double> ms;
    for (int run = 0; run < 7; ++run) {
        MainWindow w(1, dir.path());
        Quiet(w);
        w.show();
        Wait(100);
        QEventLoop painted;
        ChartPainted spy(painted);
        qApp->installEventFilter(&spy);
        QTimer::singleShot(5000, &painted, &QEventLoop::quit);
        QElapsedTimer t;
        t.start();
        w.command(QStringLiteral("MnuHistory"))->trigger();
        painted.exec();
        ms.push_back(t.nsecsElapsed() / 1e6);
        qApp->removeEventFilter(&spy);
    }
    const double first = ms[0];
    std::sort(ms.begin(), ms.end());
    std::printf("history: %d games, menu command to the chart painted: first %.0f ms, median %.0f ms, longest %.0f ms\n",
                kGames, first, ms[ms.size() / 2], ms.back());
    return 0;
}

int main(int argc, char** argv) {
    if (argc > 1 && !std::strcmp(argv[1], "glide") && !qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    const char* what = argc > 1 ? argv[1] : "";
    if (!std::strcmp(what, "startup")) return Startup();
    if (!std::strcmp(what, "idle")) return Idle();
    if (!std::strcmp(what, "robots")) return Robots();
    if (!std::strcmp(what, "paint")) return Paint();
    if (!std::strcmp(what, "game")) return WholeGame();
    if (!std::strcmp(what, "glide")) return GlideFrames();
    if (!std::strcmp(what, "history")) return HistoryOpen();
    if (!std::strcmp(what, "speech") && argc > 2) return SpeechRun(std::atoi(argv[2]), argc > 3 ? std::atoi(argv[3]) : 1);
    if (!std::strcmp(what, "show") && argc > 2) return Show(argv[2], argc > 3 ? std::atoi(argv[3]) : 1);
    std::fprintf(stderr, "usage: %s startup|idle|robots|paint|glide|game|history|show joker|round2 [seed]\n", argv[0]);
    return 2;
}
