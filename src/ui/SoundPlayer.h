#pragma once
// Plays the program's short wave files, one at a time:
// a new sound replaces one still playing. Without the file or without an
// audio output it stays silent.

#include <QHash>
#include <QObject>
#include <QString>

class QSoundEffect;

namespace meldora::ui {

class SoundPlayer : public QObject {
    Q_OBJECT
public:
    // Sounds are looked up in folder; empty means folderFor the program's
    // own folder.
    explicit SoundPlayer(const QString& folder = QString(), QObject* parent = nullptr);

    // Where the sounds of a program in programDir lie: beside it when it
    // holds wave files (the build tree), else ../share/meldora/sounds when
    // that exists (an installed program), else programDir itself.
    static QString folderFor(const QString& programDir);

    // name as the game gives it: "\\CardDown.wav" (a leading backslash or
    // slash is the separator after the folder).
    // Returns true when a sound was started.
    bool play(const QString& name);

    // The full path a sound name resolves to.
    QString resolve(const QString& name) const;

private:
    QString folder_;
    QHash<QString, QSoundEffect*> effects_;
    QSoundEffect* current_ = nullptr;
    bool haveOutput_ = false;
};

}  // namespace meldora::ui
