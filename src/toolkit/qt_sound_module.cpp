// The sound module's entry: the game finds it with dlsym once the window is
// up. The player is made here, where its code lives, and handed over as an
// owning pointer (the module is never unloaded).
#include "toolkit/qt_sound_set.h"

extern "C" __attribute__((visibility("default"))) clSoundPlayer* qarvel_make_sound_player(
    const char* const* files, int count) {
    clQtSoundSet::clFiles names;
    if (files == nullptr || count != static_cast<int>(names.size())) return nullptr;
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = files[i] ? files[i] : "";
    return new clQtSoundSet(names);
}
