// The Help and About windows: the help text's sections and size, the
// windows' captions, that both are modeless and made only once, and that
// the main window's menu commands open them.

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
    void helpTextSections();
    void helpWindowIsKeptAndModeless();
    void aboutCaptions_data();
    void aboutCaptions();
    void aboutWindowIsModelessAndClosesWithOK();
    void menuCommandsOpenTheWindows();
};

void TestHelpAbout::helpTextSections() {
    const QString text = HelpText();
    QVERIFY2(text.size() >= 9000 && text.size() <= 13000, qPrintable(QString::number(text.size())));
    QVERIFY(text.contains(QLatin1String("Meldora")));

    const QStringList headings{"Introduction", "Players", "The Deck", "The Deal", "Object of the Game",
                               "The Contracts", "The Play", "Jokers", "Special Rules for Particular Rounds",
                               "Scoring", "Using the Computer"};
    // Each heading is a line of its own, and they come in this order.
    const QStringList lines = text.split(QLatin1Char('\n'));
    int previous = -1;
    for (const QString& h : headings) {
        const int at = lines.indexOf(h, previous + 1);
        QVERIFY2(at > previous, qPrintable(h));
        previous = at;
    }
}

void TestHelpAbout::helpWindowIsKeptAndModeless() {
    QWidget owner;
    HelpWindow* help = HelpWindow::showFor(&owner);
    QCOMPARE(help->objectName(), QStringLiteral("frmHelp"));
    QVERIFY(help->isWindow());
    QVERIFY(help->isVisible());
    QCOMPARE(help->windowModality(), Qt::NonModal);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);

    QPlainTextEdit* box = help->findChild<QPlainTextEdit*>(QStringLiteral("MeldoraHelpTxt"));
    QVERIFY(box);
    QVERIFY(box->isReadOnly());
    QCOMPARE(box->toPlainText(), HelpText());

    QPushButton* close = help->findChild<QPushButton*>(QStringLiteral("btnClose"));
    QVERIFY(close);
    QCOMPARE(close->text(), QStringLiteral("&Close"));
    QCOMPARE(close->toolTip(), QStringLiteral("Click to close Help file"));
    close->click();
    QVERIFY(!help->isVisible());

    // Closing only hides it: the same window comes back, still one of it.
    QCOMPARE(HelpWindow::showFor(&owner), help);
    QVERIFY(help->isVisible());
    QCOMPARE(owner.findChildren<HelpWindow*>().size(), 1);
}

void TestHelpAbout::aboutCaptions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("title") << "lblTitle" << "Meldora";
    QTest::newRow("version") << "lblVersion" << "Version 1.0.51";
}

void TestHelpAbout::aboutCaptions() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    AboutWindow about;
    QLabel* label = about.findChild<QLabel*>(name);
    QVERIFY(label);
    QCOMPARE(label->text(), caption);
}

void TestHelpAbout::aboutWindowIsModelessAndClosesWithOK() {
    QWidget owner;
    AboutWindow* about = AboutWindow::showFor(&owner);
    QCOMPARE(about->objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(about->windowTitle(), QStringLiteral("About Meldora"));
    QVERIFY(!about->isModal());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    for (const char* name : {"lblDescription", "lblDisclaimer"}) {
        QLabel* label = about->findChild<QLabel*>(QLatin1String(name));
        QVERIFY2(label && !label->text().isEmpty(), name);
    }
    QLabel* icon = about->findChild<QLabel*>(QStringLiteral("picIcon"));
    QVERIFY(icon);
    QVERIFY(!icon->pixmap().isNull());

    QPushButton* ok = about->findChild<QPushButton*>(QStringLiteral("cmdOK"));
    QVERIFY(ok);
    ok->click();
    QVERIFY(!about->isVisible());
    QCOMPARE(AboutWindow::showFor(&owner), about);
    QCOMPARE(owner.findChildren<AboutWindow*>().size(), 1);
}

void TestHelpAbout::menuCommandsOpenTheWindows() {
    MainWindow w;
    QAction* help = w.command(QStringLiteral("MnuHG"));
    QAction* about = w.command(QStringLiteral("MenuAbout"));
    QVERIFY(help && help->isEnabled());
    QVERIFY(about && about->isEnabled());

    help->trigger();
    help->trigger();
    const QList<HelpWindow*> helps = w.findChildren<HelpWindow*>();
    QCOMPARE(helps.size(), 1);
    QVERIFY(helps.first()->isVisible());

    about->trigger();
    const QList<AboutWindow*> abouts = w.findChildren<AboutWindow*>();
    QCOMPARE(abouts.size(), 1);
    QVERIFY(abouts.first()->isVisible());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

QTEST_MAIN(TestHelpAbout)
#include "tst_ui_helpabout.moc"
