#include "QuietPlatform.h"

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

}  // namespace meldora::test
