#include "toolkit/qt_sound_set.h"

#include <QSoundEffect>
#include <QUrl>
#include <cstdint>
#include <optional>

#include "toolkit/file.h"

namespace {

// The largest sound file handed to Qt: the shipped sounds are a few
// seconds long, far below it.
constexpr std::uint64_t kMaxSoundFile = std::uint64_t{8} << 20;

// Qt Multimedia reads the file itself, so only a regular file of a sound's
// size is handed to it: a FIFO or a device in its place would stop its
// loading for good.
std::unique_ptr<QSoundEffect> Load(const std::filesystem::path& file) {
    const std::optional<std::uint64_t> size = RegularFileSize(file);
    if (!size || *size > kMaxSoundFile) return nullptr;
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
