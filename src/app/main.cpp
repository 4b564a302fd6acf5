// Meldora: a rummy game for one player against three robots.

#include <QApplication>
#include <QFont>
#include <QLoggingCategory>
#include <QStandardPaths>

#include "ui/MainWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Some installed card decks link to shapes they do not hold; the SVG
    // reader warns for each on every card drawn, and the cards look right.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.svg.warning=false"));
    QApplication::setApplicationName(QStringLiteral("Meldora"));
    // Desktops match the window to its desktop entry (and its icon) by this
    // name, the same as the AppStream id.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.meldora.Meldora"));

    QFont serif(QStringLiteral("Serif"));
    serif.setStyleHint(QFont::Serif);
    QApplication::setFont(serif);

    // The settings, statistics and saved game live in the player's own
    // data folder (~/.local/share/Meldora on Linux), made when missing.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    meldora::ui::MainWindow window(std::nullopt, data);
    window.show();
    window.start();
    return app.exec();
}
