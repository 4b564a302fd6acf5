// Where the program finds its sounds: beside itself in the build tree,
// under ../share/meldora/sounds once installed.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/SoundPlayer.h"

using meldora::ui::SoundPlayer;

class TestSoundFolder : public QObject {
    Q_OBJECT
private slots:
    void folderFor_data();
    void folderFor();
};

void TestSoundFolder::folderFor_data() {
    QTest::addColumn<bool>("waveBeside");
    QTest::addColumn<bool>("installedFolder");
    QTest::addColumn<QString>("expected");  // relative to the root of the tree
    QTest::newRow("build tree") << true << false << "bin";
    QTest::newRow("installed") << false << true << "share/meldora/sounds";
    QTest::newRow("both: the program's own folder wins") << true << true << "bin";
    QTest::newRow("neither") << false << false << "bin";
}

void TestSoundFolder::folderFor() {
    QFETCH(bool, waveBeside);
    QFETCH(bool, installedFolder);
    QFETCH(QString, expected);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    QDir tree(root.path());
    QVERIFY(tree.mkpath(QStringLiteral("bin")));
    if (waveBeside) {
        QFile wave(tree.filePath(QStringLiteral("bin/CardDown.wav")));
        QVERIFY(wave.open(QIODevice::WriteOnly));
    }
    if (installedFolder) QVERIFY(tree.mkpath(QStringLiteral("share/meldora/sounds")));

    QCOMPARE(SoundPlayer::folderFor(tree.filePath(QStringLiteral("bin"))), tree.filePath(expected));
}

QTEST_MAIN(TestSoundFolder)
#include "tst_ui_soundfolder.moc"
