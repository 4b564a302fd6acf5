// The window at one supported screen size and scale (ctest runs it once per
// size: MELDORA_TEST_SCREEN=1920x1080@1.5 is the screen in device pixels
// and the scale factor). It opens inside the screen, and every text the
// game puts in it fits where it is drawn: status panels, buttons, panel
// labels and the texts painted on the table, checked at every pause of a
// round played by the autopilot and in the states that show the longest
// texts. A line too long for its place may be shortened in a seat name
// only, and then carries the whole line as its tool tip and accessible
// name. At fractional scales a repaint of part of the table gives exactly
// the pixels of a whole repaint.

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "Fixture.h"
#include "QuickWindow.h"
#include "QuietPlatform.h"
#include "game/Commands.h"
#include "headless/Autopilot.h"
#include "ui/CardArt.h"
#include "ui/MFormDeluxe.h"
#include "ui/MainWindow.h"
#include "ui/TablePanel.h"
#include "ui/TableWidget.h"
#include "ui/TextFit.h"

using namespace meldora;
using namespace meldora::ui;

namespace {

const QChar kEllipsis(0x2026);

// Long names; one of hundreds of letters with no space to break a line at.
QString LongName(const char* first, const QString& gap = QStringLiteral(" ")) {
    return QStringList{QString::fromLatin1(first), "Maximiliane", "Konstanze", "von", "Hohenberg", "und", "Wittelsbach"}
        .join(gap);
}

bool HasLongName(const QString& text) { return text.contains(QLatin1String("Konstanze")); }

class Judge {
public:
    QStringList faults;

    // One text: it fits its room in its font, reads at a readable size, and
    // is shortened only in a long name, the whole line then being its tool
    // tip and accessible name.
    void text(const QString& where, const QString& full, const QString& shown, const QFont& font, QSize need,
              QSize room, const QString& tip, const QString& accessible) {
        const auto size = [](QSize z) { return QStringLiteral("%1x%2").arg(z.width()).arg(z.height()); };
        if (need.width() > room.width() || need.height() > room.height())
            note(QStringLiteral("%1 \"%2\" needs %3 pixels, has %4").arg(where, shown, size(need), size(room)));
        if (QFontInfo(font).pixelSize() < kReadablePixels)
            note(QStringLiteral("%1 \"%2\" is %3 pixels high").arg(where, shown).arg(QFontInfo(font).pixelSize()));
        if (shown == full) return;
        if (!HasLongName(full) || !shown.contains(kEllipsis))
            note(QStringLiteral("%1 shows \"%2\" for \"%3\"").arg(where, shown, full));
        else if (tip != full || accessible != full)
            note(QStringLiteral("%1 \"%2\" shortened, its tool tip \"%3\", its accessible name \"%4\"")
                     .arg(where, shown, tip, accessible));
    }

    void label(const QLabel* l) {
        const QFontMetrics fm = l->fontMetrics();
        QString shown = l->text();
        if (l->buddy()) shown.remove(QLatin1Char('&'));
        const QString full = l->accessibleName().isEmpty() ? shown : l->accessibleName();
        const QRect room(0, 0, TextRoom(l), l->contentsRect().height());
        const QSize need = l->wordWrap() ? fm.boundingRect(room, Qt::TextWordWrap | l->alignment(), shown).size()
                                         : QSize(fm.horizontalAdvance(shown), fm.height());
        text(l->objectName(), full, shown, l->font(), need, room.size(), l->toolTip(), full);
        whole(l);
    }

    // A control lies whole inside what holds it, and status panels side by side.
    void whole(const QWidget* w) {
        const QWidget* holder = w->parentWidget();
        if (!holder->rect().contains(w->geometry())) note(w->objectName() + " runs out of " + holder->objectName());
        if (qobject_cast<const QStatusBar*>(holder))
            for (const QLabel* other : holder->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
                if (other != w && other->isVisible() && other->geometry().intersects(w->geometry()))
                    note(w->objectName() + " overlaps " + other->objectName());
    }

    void button(const QPushButton* b) {
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.text = b->text();
        if (b->autoDefault()) opt.features |= QStyleOptionButton::AutoDefaultButton;
        const QRect room = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
        const QString shown = QString(b->text()).remove(QLatin1Char('&'));
        const QFontMetrics fm = b->fontMetrics();
        text(b->objectName(), shown, shown, b->font(), QSize(fm.horizontalAdvance(shown), fm.height()), room.size(),
             QString(), QString());
        whole(b);
    }

    void painted(const TableWidget* table, const TableModel& model, const TableWidget::PaintedText& t) {
        const QFontMetrics fm(t.font);
        const QRect drawn = fm.boundingRect(t.rect, t.flags, t.shown);
        const QSize need = t.flags & Qt::TextWordWrap ? drawn.size() : QSize(fm.horizontalAdvance(t.shown), fm.height());
        // Painted labels are the table's accessible children; the meld
        // labels and the latest points are read with their frames.
        QString accessible = t.text;
        const std::vector<TableLabel> labels = model.TableLabels();
        for (int i = 0; i < static_cast<int>(labels.size()); ++i)
            if (t.name == QLatin1String(labels[i].name)) accessible = table->paintedName(1000 + i);
        const QString full = QString(t.text).remove(QLatin1Char('&')).simplified() == accessible ? t.text : accessible;
        // A card passing over the line hides it and its tool tip.
        const QPoint at = table->mapping().toTwips(drawn.center());
        const QString tip = model.TopCardAt(at.x(), at.y()) ? t.text : table->toolTipAt(drawn.center());
        text(t.name, t.text, t.shown, t.font, need, t.rect.size(), tip, full);
    }

    // Everything with a text in the window as it shows now (once for each
    // new look: most pauses only move cards).
    void window(MainWindow& w) {
        QList<const QLabel*> labels;
        QList<const QPushButton*> buttons;
        const std::vector<TableWidget::PaintedText> texts = w.table()->paintedTexts();
        QString look;
        const auto place = [](const QRect& r) {
            return QStringLiteral("@%1,%2,%3,%4|").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
        };
        for (const QLabel* l : w.findChildren<QLabel*>()) {
            if (!l->isVisible() || l->text().isEmpty()) continue;
            labels << l;
            look += l->text() + l->styleSheet() + place(l->geometry());
        }
        for (const QPushButton* b : w.findChildren<QPushButton*>()) {
            if (!b->isVisible()) continue;
            buttons << b;
            look += b->text() + place(b->geometry());
        }
        for (const TableWidget::PaintedText& t : texts) look += t.shown + place(t.rect);
        if (look == look_) return;
        look_ = look;
        for (const QLabel* l : labels) label(l);
        for (const QPushButton* b : buttons) button(b);
        for (const TableWidget::PaintedText& t : texts) painted(w.table(), w.game().ui, t);
    }

    // The message window's buttons: the keyboard's frame stays clear of the caption.
    void message(const MFormDeluxe* form) {
        for (int i = 0; i < 3; ++i) {
            const BevelPanel* p = form->Pic1(i);
            if (!p->isVisible()) continue;
            const QLabel* caption = form->Label1(i);
            const QString text = QString(caption->text()).remove(QLatin1Char('&'));
            const QFontMetrics fm = caption->fontMetrics();
            const QRect drawn = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter,
                                                    QSize(fm.horizontalAdvance(text), fm.height()), caption->geometry());
            if (!p->focusFrame().adjusted(1, 1, -1, -1).contains(drawn))
                note(QStringLiteral("%1 \"%2\" crosses its focus frame").arg(p->objectName(), text));
        }
    }

    void note(const QString& fault) {
        if (!faults.contains(fault)) faults << fault;
    }

private:
    QString look_;
};

// The rectangles of the cards lying over a painted text.
QStringList Covered(MainWindow& w, const QString& prefix) {
    QStringList covered;
    const TableModel& m = w.game().ui;
    for (const TableWidget::PaintedText& t : w.table()->paintedTexts()) {
        if (!t.name.startsWith(prefix)) continue;
        const QRect drawn = QFontMetrics(t.font).boundingRect(t.rect, t.flags, t.shown);
        for (int n = 1; n <= kCardCount; ++n)
            if (m.Cds[n].Visible &&
                w.table()->mapping().toPixelRect(m.Cds[n].Left, m.Cds[n].Top, kCardWidth, kCardHeight).intersects(drawn))
                covered << QStringLiteral("%1 \"%2\" under card %3").arg(t.name, t.shown).arg(n);
    }
    return covered;
}

}  // namespace

class TestTextFit : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { meldora::test::SilencePlatformNoise(); }
    void opensInsideTheScreen() {
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.screen()->availableGeometry().contains(w.frameGeometry()));
        // The whole table shows, as large as the window allows.
        const TableGeometry g = w.table()->mapping();
        QVERIFY(QRectF(w.table()->rect()).contains(g.tableRect().adjusted(1, 1, -1, -1)));
        QCOMPARE(std::max(g.tableRect().width() / w.table()->width(), g.tableRect().height() / w.table()->height()), 1.0);
    }

    void textsFit_data() {
        QTest::addColumn<bool>("longNames");
        QTest::newRow("first names") << false;
        QTest::newRow("long names") << true;
    }

    void textsFit() {
        QFETCH(bool, longNames);
        MainWindow w(5);
        meldora::test::QuickWindow(w);
        Game& g = w.game();
        g.settings.NoAnimation = false;  // the opening show
        if (longNames)
            g.settings.SeatNames = {LongName("Alexandra", "").repeated(5).toStdString(), LongName("Bernadette").toStdString(),
                                    LongName("Cornelia").toStdString(), LongName("Dorothea").toStdString()};
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        Judge judge;
        const auto sync = w.host().beforeWait;
        w.host().beforeWait = [&] {
            sync();
            judge.window(w);
        };

        // The welcome: the message window, then the table it leaves with "Use Menu".
        QTimer welcome;
        connect(&welcome, &QTimer::timeout, &w, [&] {
            auto* form = w.findChild<MFormDeluxe*>();
            if (!form || !form->isVisible()) return;
            welcome.stop();
            judge.message(form);
            QTest::mouseClick(form->Pic1(1), Qt::LeftButton);
        });
        welcome.start(5);
        w.start();
        // One moment: the greeting shown, the welcome answered, nothing running.
        QTRY_VERIFY(g.ui.LblNames[3].Caption.find(" Hi ") != std::string::npos && !g.ChainActive() && !welcome.isActive());
        for (const QString& fault : Covered(w, QStringLiteral("LblNames"))) judge.note(fault);
        judge.window(w);

        // A new game to the player's turn, "May I?" answered by the autopilot as
        // it comes; the cards go straight to their places.
        g.settings.NoAnimation = true;
        Autopilot pilot(g);
        meldora::test::OnMayI(w, [&] { pilot.AnswerMayI(); });
        w.command(QStringLiteral("MnuNew"))->trigger();
        QTRY_VERIFY(g.IsTurn[0]);
        QTRY_VERIFY(!g.ChainActive());
        // Each round's contract; a hand of three-digit points and two-digit cards.
        for (int round = 1; round <= 7; ++round) {
            g.SetStatus(2, ContractForRound(round).text);
            w.syncView();
            judge.window(w);
        }
        for (int card : {1, 2, 27, 28, 53, 54, 79, 80, 105}) g.GiveCardToSeat(0, card);
        QCOMPARE_GE(g.RoundPoints[0][g.Round], 100);
        w.host().onSpeechUnavailable(QtHost::kNoSpeech);
        g.ShowInfo(g.PlayerName() + " it must be your turn and card taken before you can swap Joker.");
        // The round played out with the longest lines (the names in them).
        for (int guard = 0; longNames && guard < 200 && !g.RoundOver; ++guard) pilot.PlayTurn();
        QCOMPARE(g.RoundOver, longNames);
        judge.window(w);

        // The end of a game of three-digit rounds, on the board.
        g.RunHandler("GameEnd", [&] {
            for (auto& seat : g.RoundPoints)
                for (int r = 1; r <= 7; ++r) seat[r] = 150 + r;
            g.Round = 7;
            g.RoundOver = false;
            g.StockRenewals = 3;
            g.AnyWinner(1);
        });
        w.syncView();
        QVERIFY(g.GameOver);
        judge.window(w);

        // The statistics of many games, and every choice of the Joker panel.
        g.settings.GamesWon = {32767, 32767, 32767, 32767};
        MnuGStats_Click(g);
        w.syncView();
        judge.window(w);
        g.ui.Framstats.Visible = false;
        g.ui.FramJoker.Visible = true;
        for (Label& choice : g.ui.LblValue) {
            choice.Marked = choice.Focused = true;
            w.syncView();
            judge.window(w);
            choice.Marked = choice.Focused = false;
        }
        QVERIFY2(judge.faults.isEmpty(), qPrintable(judge.faults.join(QLatin1Char('\n'))));
    }

    // The table under a window's menu bar (a fractional device offset at
    // fractional scales) follows a new game step by step: the deal and the
    // robots' turns up to the player's; after every few steps its pixels are
    // compared with those of a whole repaint.
    void partialRepaintIsWhole() {
        const qreal dpr = QGuiApplication::primaryScreen()->devicePixelRatio();
        if (dpr == std::floor(dpr)) QSKIP("whole-number scale: partial repaints meet on whole pixels");
        QWidget window;
        CardArt art;
        TableWidget table(art, &window);
        table.move(0, 23);
        window.resize(table.sizeHint().width() * 3 / 4, table.sizeHint().height() * 3 / 4 + 23);
        table.resize(window.width(), window.height() - 23);
        int paints = 0;
        struct Counter : QObject {
            int* n;
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::Paint) ++*n;
                return false;
            }
        } counter;
        counter.n = &paints;
        table.installEventFilter(&counter);

        meldora::test::Table t(3);
        t.settings.NoAnimation = false;
        t.settings.NoSound = true;
        table.sync(t.g.ui);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        int step = 0;
        QImage partial, whole;  // at the first step where they differ
        const auto shown = [&] {
            return window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        };
        t.host.onPause = [&] {
            const int before = paints;
            table.sync(t.g.ui);
            if (!QTest::qWaitFor([&] { return paints != before; }, 50)) return;  // nothing changed
            if (++step % 8 != 0 || partial != whole) return;
            partial = shown();
            table.repaint();
            whole = shown();
        };
        t.g.RunHandler("Deal", [&] { t.g.StartNewGame(); });
        QCOMPARE_GT(step, 100);
        QCOMPARE(partial, whole);
    }
};

int main(int argc, char** argv) {
    // MELDORA_TEST_SCREEN: width x height in device pixels @ scale factor.
    const QString screen = qEnvironmentVariable("MELDORA_TEST_SCREEN", QStringLiteral("1920x1080@1"));
    const QStringList parts = screen.split(QRegularExpression(QStringLiteral("[x@]")));
    if (parts.size() != 3) return 2;
    QTemporaryDir dir;
    if (!meldora::test::UseOffscreenScreen(dir.filePath(QStringLiteral("screen.json")), parts[0].toInt(),
                                           parts[1].toInt(), parts[2]))
        return 1;
    QApplication app(argc, argv);
    TestTextFit test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ui_textfit.moc"
