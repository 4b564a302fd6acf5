#include "QuietPlatform.h"

#include <QFile>
#include <QString>
#include <QtGlobal>

namespace meldora::test {

namespace {
QtMessageHandler previous = nullptr;

void Filter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("PulseAudioService: pa_context_connect() failed")) ||
        message == QLatin1String("This plugin does not support propagateSizeHints()") ||
        message == QLatin1String("This plugin does not support raise()") ||
        message == QLatin1String("This plugin does not support grabbing the keyboard"))
        return;
    if (previous) previous(type, context, message);
}
}  // namespace

void SilencePlatformNoise() {
    QtMessageHandler current = qInstallMessageHandler(Filter);
    if (current != Filter) previous = current;
}

bool UseOffscreenScreen(const QString& configFile, int width, int height, const QString& scale) {
    QFile config(configFile);
    if (!config.open(QIODevice::WriteOnly)) return false;
    config.write(QStringLiteral(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": %1, "height": %2,
                   "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1.0}]})")
                     .arg(width)
                     .arg(height)
                     .toUtf8());
    config.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + configFile).toUtf8());
    qputenv("QT_SCALE_FACTOR", scale.toUtf8());
    return true;
}

}  // namespace meldora::test
