// The Help and About windows: the help text's sections, and that the menu
// commands open each window modeless and only once.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "ui/AboutWindow.h"
#include "ui/AppResources.h"
#include "ui/HelpWindow.h"
#include "ui/MainWindow.h"

using namespace meldora::ui;

class TestHelpAbout : public QObject {
    Q_OBJECT
private slots:
    void helpTextSections() {
        const QString text = HelpText();
        QVERIFY2(text.size() >= 9000 && text.size() <= 13000, qPrintable(QString::number(text.size())));
        // Each heading is a line of its own, and they come in this order.
        const QStringList lines = text.split(QLatin1Char('\n'));
        int previous = -1;
        for (const char* h : {"Introduction", "Players", "The Deck", "The Deal", "Object of the Game", "The Contracts",
                              "The Play", "Jokers", "Special Rules for Particular Rounds", "Scoring", "Using the Computer"}) {
            const int at = lines.indexOf(QLatin1String(h), previous + 1);
            QVERIFY2(at > previous, h);
            previous = at;
        }
    }

    void menuCommandsOpenModelessWindowsOnce() {
        MainWindow w;
        QAction* help = w.command(QStringLiteral("MnuHG"));
        help->trigger();
        help->trigger();
        QCOMPARE(w.findChildren<HelpWindow*>().size(), 1);
        HelpWindow* window = w.findChild<HelpWindow*>();
        QVERIFY(window->isVisible());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        auto* box = window->findChild<QPlainTextEdit*>(QStringLiteral("MeldoraHelpTxt"));
        QVERIFY(box && box->isReadOnly());
        QCOMPARE(box->toPlainText(), HelpText());
        window->findChild<QPushButton*>(QStringLiteral("btnClose"))->click();
        QVERIFY(!window->isVisible());
        // Closing only hides it: the same window comes back.
        help->trigger();
        QVERIFY(window->isVisible());
        QCOMPARE(w.findChildren<HelpWindow*>().size(), 1);

        QAction* about = w.command(QStringLiteral("MenuAbout"));
        about->trigger();
        AboutWindow* a = w.findChild<AboutWindow*>();
        QVERIFY(a && a->isVisible() && !a->isModal());
        QCOMPARE(a->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), QStringLiteral("Version 1.0.51"));
        QVERIFY(!a->findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().isNull());
        a->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        QVERIFY(!a->isVisible());
        about->trigger();
        QCOMPARE(w.findChildren<AboutWindow*>().size(), 1);
        QVERIFY(a->isVisible());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

QTEST_MAIN(TestHelpAbout)
#include "tst_ui_helpabout.moc"
