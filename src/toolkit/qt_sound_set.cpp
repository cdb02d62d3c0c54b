#include "toolkit/qt_sound_set.h"

#include <QSoundEffect>
#include <QUrl>

clQtSoundSet::clQtSoundSet(const clFiles& files) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (files[i].empty()) continue;
        effects[i] = std::make_unique<QSoundEffect>();
        effects[i]->setSource(QUrl::fromLocalFile(QString::fromStdString(files[i])));
    }
}

clQtSoundSet::~clQtSoundSet() = default;

void clQtSoundSet::Play(clSound sound) {
    const auto i = static_cast<std::size_t>(sound);
    if (i < kSoundFiles.size()) PlayEffect(effects[i].get());
}

void clQtSoundSet::PlayWelcome() {
    PlayEffect(effects.back().get());
}

void clQtSoundSet::PlayEffect(QSoundEffect* effect) {
    if (effect == nullptr || effect->status() == QSoundEffect::Error) return;
    if (playing && playing != effect) playing->stop();
    playing = effect;
    effect->play();
}
