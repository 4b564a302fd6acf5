// Where the program finds its sounds: beside itself in the build tree,
// under ../share/meldora/sounds once installed.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/SoundPlayer.h"

class TestSoundFolder : public QObject {
    Q_OBJECT
private slots:
    void folderFor_data() {
        QTest::addColumn<bool>("waveBeside");
        QTest::addColumn<bool>("installedFolder");
        QTest::addColumn<QString>("expected");  // relative to the root of the tree
        QTest::newRow("build tree") << true << false << "bin";
        QTest::newRow("installed") << false << true << "share/meldora/sounds";
        QTest::newRow("both: the program's own folder wins") << true << true << "bin";
        QTest::newRow("neither") << false << false << "bin";
    }
    void folderFor() {
        QFETCH(bool, waveBeside);
        QFETCH(bool, installedFolder);
        QFETCH(QString, expected);
        QTemporaryDir root;
        QDir tree(root.path());
        QVERIFY(tree.mkpath(QStringLiteral("bin")));
        if (waveBeside) QVERIFY(QFile(tree.filePath(QStringLiteral("bin/CardDown.wav"))).open(QIODevice::WriteOnly));
        if (installedFolder) QVERIFY(tree.mkpath(QStringLiteral("share/meldora/sounds")));
        QCOMPARE(meldora::ui::SoundPlayer::folderFor(tree.filePath(QStringLiteral("bin"))), tree.filePath(expected));
    }
};

QTEST_MAIN(TestSoundFolder)
#include "tst_ui_soundfolder.moc"
