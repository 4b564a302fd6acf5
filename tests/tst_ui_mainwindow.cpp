// The main window: its menus and status bar, its access keys, the start-up
// with each of the welcome's answers, a new game played up to the player's
// turn through the real menu command and buttons, the Help and About windows
// (modeless, opened once), and closing while a turn is under way.

#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <QListWidget>
#include <QScreen>

#include "QuickWindow.h"
#include "QuietPlatform.h"
#include "ui/AboutWindow.h"
#include "ui/AppResources.h"
#include "ui/DeckChooser.h"
#include "ui/HelpWindow.h"
#include "ui/MFormDeluxe.h"
#include "player/Controls.h"
#include "ui/MainWindow.h"
#include "ui/TableWidget.h"
#include "robots/Expert.h"

using namespace meldora;
using namespace meldora::ui;

namespace {

QStringList Texts(const QList<QAction*>& actions) {
    QStringList texts;
    for (QAction* a : actions)
        if (!a->isSeparator()) texts << a->text();
    return texts;
}

// Answers the next modal windows in turn: the program's message window with
// the button of the given index, a system box with the button of that text,
// an input box with that text.
// It looks from a timer of its own, since the windows' waits run nested.
void AnswerModals(QStringList answers, QStringList* titles = nullptr) {
    auto* look = new QTimer;
    QObject::connect(look, &QTimer::timeout, [=, said = QString()]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        auto* prompt = modal ? modal->findChild<QLabel*>(QStringLiteral("lblPrompt")) : nullptr;
        const QString now = modal && modal->isVisible() ? modal->windowTitle() + (prompt ? prompt->text() : "") : "";
        if (now == said || (said = now).isEmpty()) return;  // none up, or the last one still closing
        const QString a = answers.takeFirst();
        if (answers.isEmpty()) look->stop(), look->deleteLater();
        if (auto* form = qobject_cast<MFormDeluxe*>(modal)) {
            if (titles) *titles << form->titleLabel()->text().trimmed();
            QTest::mouseClick(form->Pic1(a.toInt()), Qt::LeftButton);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            if (titles) *titles << box->windowTitle();
            for (QAbstractButton* b : box->buttons())
                if (b->text().remove('&') == a) b->click();
        } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            input->setTextValue(a);
            input->accept();
        }
    });
    look->start(10);
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { meldora::test::SilencePlatformNoise(); }
    void menusAndStatusBar() {
        MainWindow w;
        QCOMPARE(Texts(w.menuBar()->actions()),
                 (QStringList{"&Game", "&Help", "Opt&ions", "Statistics", "&About"}));
        QVERIFY(w.menuBar()->actions().at(2)->menu()->actions().contains(w.command(QStringLiteral("MnuSpeech"))));  // under Options
        // The Game menu follows the model (it is off while a round is dealt).
        w.game().ui.MnuGameEnabled = false;
        w.syncView();
        QVERIFY(!w.menuBar()->actions().at(0)->isEnabled());
    }

    // Every control the game drives has its widget and a handler, marks only
    // the access letters its row declares, and every access key that can
    // show at once belongs to one control: the menu bar's titles and the
    // buttons of a turn, of a May I? offer, of the score board (after a
    // round, and after the last one), of the statistics and of the Joker panel.
    void accessKeysAreUnique_data() {
        QTest::addColumn<int>("round");
        QTest::newRow("after round 3") << 3;
        QTest::newRow("after round 7") << 7;
    }

    void accessKeysAreUnique() {
        QFETCH(int, round);
        MainWindow w;
        meldora::test::QuickWindow(w);
        Game& g = w.game();
        g.Round = round;
        g.GameInProgress = true;
        g.AnyWinner(0);  // the player holds no cards: the round is over
        for (const meldora::ControlRow& row : meldora::ControlTable()) row.state(g.ui).Visible = true;
        w.syncView();
        QStringList texts = Texts(w.menuBar()->actions());
        for (const meldora::ControlRow& row : meldora::ControlTable()) {
            auto* widget = w.findChild<QWidget*>(QString::fromLatin1(row.name));
            QVERIFY2(widget != nullptr, row.name);
            auto* button = qobject_cast<QPushButton*>(widget);
            if (button == nullptr) continue;
            QVERIFY2(row.press != nullptr, row.name);
            const QString key = QKeySequence::mnemonic(button->text()).toString().remove(QStringLiteral("Alt+"));
            QVERIFY2(key.isEmpty() || QString::fromLatin1(row.accessKeys).contains(key),
                     qPrintable(button->text() + " in " + row.name));
            texts << button->text();
        }
        QMap<QString, QStringList> byKey;
        for (const QString& t : texts)
            if (const QKeySequence key = QKeySequence::mnemonic(t); !key.isEmpty()) byKey[key.toString()] << t;
        QStringList clashes;
        for (auto k = byKey.cbegin(); k != byKey.cend(); ++k)
            if (k->size() > 1) clashes << k.key() + ": " + k->join(", ");
        QCOMPARE(clashes, QStringList());
        QCOMPARE_GE(byKey.size(), 18);  // menus 4, turn 7, board 3 or 4, statistics 2, Joker panel 2
    }

    // Within each menu and submenu no two items share an access key.
    void menuAccessKeysAreUnique() {
        MainWindow w;
        QStringList clashes;
        QList<QMenu*> menus;
        for (QAction* a : w.menuBar()->actions())
            if (a->menu()) menus << a->menu();
        while (!menus.isEmpty()) {
            QMenu* menu = menus.takeFirst();
            QMap<QString, QString> byKey;
            for (QAction* a : menu->actions()) {
                if (a->menu()) menus << a->menu();
                const QString key = QKeySequence::mnemonic(a->text()).toString();
                if (key.isEmpty()) continue;
                if (byKey.contains(key)) clashes << menu->title() + ": " + byKey[key] + ", " + a->text();
                byKey[key] = a->text();
            }
        }
        QCOMPARE(clashes, QStringList());
    }

    // The robots chosen play from the next deal: the deal in play keeps
    // its own, and the title names those playing and the deal. The choice
    // is kept.
    void robotsLevel() {
        QTemporaryDir data;
        QStringList seen;  // the title and the last panel after each step
        {
            MainWindow w(1, data.path());
            Game& g = w.game();
            g.GameInProgress = true;  // a round is being played
            w.command(QStringLiteral("MnuExpert"))->trigger();
            seen << w.windowTitle() << w.statusPanel(5)->text();
            g.ClearNextRound();  // the next deal
            g.DealNumber = 48213;
            w.syncView();
            seen << w.windowTitle();
        }
        MainWindow again(1, data.path());
        QVERIFY(again.command(QStringLiteral("MnuExpert"))->isChecked());
        QCOMPARE(&again.game().Robots(), &ExpertRobots());
        seen << again.windowTitle();
        QCOMPARE(seen, (QStringList{"Meldora - Standard robots", "Expert robots from the next deal.",
                                    "Meldora - Deal 48213 - Expert robots", "Meldora - Expert robots"}));
    }

    // The window opens as it was closed: its place and size under the
    // maximized state it had.
    void windowPlace() {
        QTemporaryDir data;
        QRect normal;
        {
            MainWindow w(1, data.path());
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.resize(w.size() + QSize(40, -30));  // not the size a new window takes
            w.move(30, 40);
            normal = w.geometry();
            w.setWindowState(Qt::WindowMaximized);
            QTRY_VERIFY(w.isMaximized());
            w.keepPlace();
        }
        MainWindow w(1, data.path());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.isMaximized());
        QCOMPARE(w.normalGeometry(), normal);
    }

    // The deck list holds the decks that have every card, each under its
    // name; the one chosen is used at once and at the next start; a deck
    // that can no longer be read gives way to the usual one, with a note.
    void deckChoice() {
        QTemporaryDir decks, data;
        const auto writeDeck = [&](const QString& name, const QString& leaveOut) {
            QString svg = "<svg xmlns='http://www.w3.org/2000/svg' width='100' height='140'>";
            for (int picture = 1; picture <= kPicBack; ++picture) {
                const QString id = CardArt::elementName(picture);
                if (!id.isEmpty() && id != leaveOut && !svg.contains("'" + id + "'"))
                    svg += QStringLiteral("<rect id='%1' x='0' y='0' width='100' height='140' fill='#236'/>").arg(id);
            }
            QFile f(decks.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write((svg + "</svg>").toUtf8());
        };
        writeDeck("whole_4_color.svg", "");
        writeDeck("short.svg", "heart_queen");
        const QString whole = decks.filePath("whole_4_color.svg");
        {
            MainWindow w(1, data.path());
            w.setDeckFolders({decks.path()});
            QStringList listed;
            QTimer::singleShot(0, &w, [&] {
                auto* dialog = qobject_cast<DeckDialog*>(QApplication::activeModalWidget());
                if (!QTest::qWaitFor([&] { return !dialog->filling(); })) listed << QStringLiteral("still filling");
                for (int row = 0; row < dialog->list()->count(); ++row) listed << dialog->list()->item(row)->text();
                dialog->list()->setCurrentRow(0);
                dialog->accept();
            });
            w.command(QStringLiteral("MnuDeck"))->trigger();
            QCOMPARE(listed, QStringList("Whole, four colours"));
            QCOMPARE(w.art().deckPath(), whole);
        }
        QString note;
        for (bool broken : {false, true}) {
            QFile file(whole);
            if (broken) {
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write("not a deck");
                file.close();
            }
            MainWindow w(1, data.path());
            QCOMPARE(w.art().deckPath() == whole, !broken);
            note = w.statusPanel(5)->text();
        }
        QCOMPARE(note, QStringLiteral("Deck unreadable; the usual one is used."));
    }

    // The start-up in a fresh data folder: the settings files are made, each
    // of the welcome's buttons does its part, and the Options menu shows the
    // settings read.
    void startUp_data() {
        QTest::addColumn<int>("answer");  // the welcome's button
        int answer = 0;
        for (const char* row : {"Deal 'Em Now", "Use Menu", "Load Game, none saved"}) QTest::newRow(row) << answer++;
    }

    void startUp() {
        QFETCH(int, answer);
        QTemporaryDir data;
        MainWindow w(3, data.path());
        meldora::test::QuickWindow(w);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QStringList titles;
        QStringList answers{QString::number(answer)};
        if (answer == 2) answers << "0";
        AnswerModals(answers, &titles);
        // A "May I?" offer before the player's turn is passed.
        meldora::test::OnMayI(w, [&w] { w.table()->button(QStringLiteral("CmdPass"))->click(); });
        w.start();
        QTRY_COMPARE(titles.size(), answers.size());
        QTRY_VERIFY(!w.game().ChainActive());
        QCOMPARE(titles, answer == 2 ? (QStringList{"Hello and Welcome", "No game saved"}) : QStringList{"Hello and Welcome"});
        for (const char* file : {"Stats2.dat", "Stats3.dat", "Ani..dat"}) QVERIFY(QDir(data.path()).exists(file));
        const Game& g = w.game();
        if (answer == 0) {
            QVERIFY(g.GameInProgress);
            QVERIFY(g.IsTurn[0]);
            return;
        }
        QVERIFY(!g.GameInProgress);
        for (int n = 1; n <= kCardCount; ++n) QVERIFY(!g.ui.Cds[n].Enabled);  // no card reacts before a deal
        // The Options menu checks the speed and the switches that are on.
        QStringList on;
        for (const char* name : {"MenuVS", "MnuSlow", "MnuMed", "MnuFast", "MnuNoAnim", "MnuNoSound", "MnuSpeech"})
            if (w.command(name)->isChecked()) on << w.command(name)->text();
        QCOMPARE(on, (QStringList{"Medium", "Cards Animation on and off", "Card sound on and off"}));
    }

    // Each name command of the Options menu renames its own seat.
    void nameCommandsRenameTheirSeat_data() {
        QTest::addColumn<int>("seat");
        int seat = 0;
        for (const char* command : {"MnuName", "MnuWestBot", "MnuNorthBot", "MnuEastBot"}) QTest::newRow(command) << seat++;
    }

    void nameCommandsRenameTheirSeat() {
        QFETCH(int, seat);
        QTemporaryDir data;
        MainWindow w(1, data.path());
        AnswerModals({"Yes", "Ann"});
        w.command(QTest::currentDataTag())->trigger();
        QStringList names;
        for (const std::string& name : w.game().settings.SeatNames) names << QString::fromStdString(name);
        QCOMPARE(names.indexOf("Ann"), seat);
        QCOMPARE(names.count("Ann"), 1);
    }

    // Help and About open without blocking the game, once each: closing only
    // hides a window, and the same one comes back.
    void helpAndAboutOpenModelessOnce() {
        MainWindow w;
        for (const char* command : {"MnuHG", "MenuAbout"}) {
            w.command(command)->trigger();
            w.command(command)->trigger();
            QWidget* window = command[1] == 'n' ? static_cast<QWidget*>(w.findChild<HelpWindow*>()) : w.findChild<AboutWindow*>();
            QVERIFY(window->isVisible());
            QVERIFY(!QApplication::activeModalWidget());
            window->findChild<QPushButton*>(command[1] == 'n' ? "btnClose" : "cmdOK")->click();
            QVERIFY(!window->isVisible());
            w.command(command)->trigger();
            QVERIFY(window->isVisible());
        }
        QCOMPARE(w.findChildren<HelpWindow*>().size() + w.findChildren<AboutWindow*>().size(), 2);
        auto* box = w.findChild<HelpWindow*>()->findChild<QPlainTextEdit*>(QStringLiteral("MeldoraHelpTxt"));
        QVERIFY(box->isReadOnly());
        QCOMPARE(box->toPlainText(), HelpText());
        QVERIFY(HelpText().contains("\nSpecial Rules for Particular Rounds\n"));  // the whole text, not a stub
        QVERIFY(!w.findChild<AboutWindow*>()->findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().isNull());
    }

    // Closing from the window's close box in the middle of a robot's turn asks
    // with the system's box; "Yes" ends the program within a moment.
    void closing_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("No keeps playing") << false;
        QTest::newRow("Yes") << true;
    }

    void closing() {
        QFETCH(bool, yes);
        MainWindow w(1);  // a seed whose first robot turn is under way at the close
        w.game().settings.Speed = 200;
        w.game().settings.NoAnimation = true;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // "May I?" offers are passed, so a game that goes on reaches the player.
        meldora::test::OnMayI(w, [&w] { w.table()->button(QStringLiteral("CmdPass"))->click(); });
        // Pauses started from the moment the window is asked to close: the
        // robots must not play on once "Yes" is answered.
        int waitsAfterClose = -1;
        w.host().beforeWait = [&, sync = w.host().beforeWait] {
            if (waitsAfterClose >= 0) ++waitsAfterClose;
            sync();
        };
        bool returned = false;
        bool robotPlaying = false;
        QTimer::singleShot(0, &w, [&] {
            w.command(QStringLiteral("MnuNew"))->trigger();
            returned = true;
        });
        QTimer::singleShot(300, &w, [&] {
            AnswerModals({yes ? "Yes" : "No"});
            waitsAfterClose = 0;
            robotPlaying = !w.game().IsTurn[0];
            w.close();
        });
        QTRY_VERIFY(waitsAfterClose >= 0);
        QVERIFY(robotPlaying);
        if (!yes) {
            QTRY_VERIFY_WITH_TIMEOUT(returned, 20000);
            QTRY_VERIFY(!QApplication::activeModalWidget());
            QVERIFY(w.game().IsTurn[0]);  // played on to the player's turn
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(returned, 5000);
        QTRY_VERIFY(!w.isVisible());
        QCOMPARE_LE(waitsAfterClose, 1);
        QVERIFY(w.host().shuttingDown());
    }
};

int main(int argc, char** argv) {
    // A screen that holds the window with room to spare, as a desktop's does.
    QTemporaryDir dir;
    if (!meldora::test::UseOffscreenScreen(dir.filePath(QStringLiteral("screen.json")), 1920, 1080, "1")) return 1;
    QApplication app(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_ui_mainwindow.moc"
