#include "toolkit/qt_sound_set.h"

#include <QSoundEffect>
#include <QUrl>

namespace {

std::unique_ptr<QSoundEffect> Load(const std::filesystem::path& file) {
    if (!std::filesystem::is_regular_file(file)) return nullptr;
    auto effect = std::make_unique<QSoundEffect>();
    effect->setSource(QUrl::fromLocalFile(QString::fromStdString(file.string())));
    return effect;
}

}  // namespace

clQtSoundSet::clQtSoundSet(const std::filesystem::path& folder) {
    for (std::size_t i = 0; i < kSoundFiles.size(); ++i) {
        effects[i] = Load(folder / std::string(kSoundFiles[i]));
    }
    welcome = Load(folder / "qarvel.wav");
}

clQtSoundSet::~clQtSoundSet() = default;

void clQtSoundSet::Play(clSound sound) {
    const auto i = static_cast<std::size_t>(sound);
    if (i < effects.size()) PlayEffect(effects[i].get());
}

void clQtSoundSet::PlayWelcome() {
    PlayEffect(welcome.get());
}

void clQtSoundSet::PlayEffect(QSoundEffect* effect) {
    if (effect == nullptr || effect->status() == QSoundEffect::Error) return;
    if (playing && playing != effect) playing->stop();
    playing = effect;
    effect->play();
}
