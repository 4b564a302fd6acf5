// The window on a 1600 x 1200 screen at a scale factor of 2: it opens inside
// the screen's free area with the table's proportions.

#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include "QuietPlatform.h"
#include "ui/MainWindow.h"
#include "ui/TableGeometry.h"
#include "ui/TableWidget.h"

using namespace meldora::ui;

class TestScaled : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { meldora::test::SilencePlatformNoise(); }

    void opensInsideTheScreen() {
        const QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(screen->devicePixelRatio(), 2.0);
        QCOMPARE(screen->geometry().size(), QSize(800, 600));  // 1600 x 1200 device pixels
        MainWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(screen->availableGeometry().contains(w.frameGeometry()));
        // The table fills its widget without bands: the same proportions.
        const QSize table = w.table()->size();
        const QSize base = TablePixelSize();
        QCOMPARE_LE(std::abs(table.width() * base.height() - table.height() * base.width()),
                    base.width() + base.height());
    }
};

int main(int argc, char** argv) {
    QTemporaryDir dir;
    QFile config(dir.filePath(QStringLiteral("screen.json")));
    if (!config.open(QIODevice::WriteOnly)) return 1;
    config.write(R"({"screens": [{"name": "big", "x": 0, "y": 0, "width": 1600, "height": 1200,
                   "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1.0}]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toUtf8());
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestScaled test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_ui_scaled.moc"
