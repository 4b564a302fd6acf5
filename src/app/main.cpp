// Meldora: a rummy game for one player against three robots.

#include <QApplication>
#include <QFont>

#include "ui/MainWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Meldora"));

    QFont serif(QStringLiteral("Serif"));
    serif.setStyleHint(QFont::Serif);
    QApplication::setFont(serif);

    meldora::ui::MainWindow window;
    window.show();
    return app.exec();
}
