#include "ui/SoundPlayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace meldora::ui {

SoundPlayer::SoundPlayer(const QString& folder, QObject* parent)
    : QObject(parent), folder_(folder.isEmpty() ? folderFor(QCoreApplication::applicationDirPath()) : folder) {
    haveOutput_ = !QMediaDevices::audioOutputs().isEmpty();
}

QString SoundPlayer::folderFor(const QString& programDir) {
    const QDir beside(programDir);
    if (!beside.entryList({QStringLiteral("*.wav")}, QDir::Files).isEmpty()) return programDir;
    const QString installed = QDir::cleanPath(beside.filePath(QStringLiteral("../share/meldora/sounds")));
    if (QFileInfo(installed).isDir()) return installed;
    return programDir;
}

QString SoundPlayer::resolve(const QString& name) const {
    QString file = name;
    while (file.startsWith(QLatin1Char('\\')) || file.startsWith(QLatin1Char('/'))) file.remove(0, 1);
    return QDir(folder_).filePath(file);
}

bool SoundPlayer::play(const QString& name) {
    if (!haveOutput_) return false;
    const QString path = resolve(name);
    if (!QFileInfo::exists(path)) return false;

    QSoundEffect*& effect = effects_[path];
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(path));
    }
    if (current_ && current_ != effect) current_->stop();
    current_ = effect;
    effect->stop();
    effect->play();
    return true;
}

}  // namespace meldora::ui
