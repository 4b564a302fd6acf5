#include "ui/AppResources.h"

#include <QFile>

// The resources live in a static library: register them explicitly, since
// nothing else would pull their initialiser into the program.
static void InitMeldoraResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(meldora);
        return true;
    }();
    (void)done;
}

namespace meldora::ui {

QString AppTitle() { return QStringLiteral("Meldora"); }

QString AppVersion() { return QStringLiteral(MELDORA_VERSION); }

QString HelpText() {
    InitMeldoraResources();
    QFile file(QStringLiteral(":/help/help.txt"));
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(file.readAll());
}

QIcon AppIcon() {
    InitMeldoraResources();
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/meldora-48.png"), QSize(48, 48));
    icon.addFile(QStringLiteral(":/icons/meldora-256.png"), QSize(256, 256));
    return icon;
}

}  // namespace meldora::ui
