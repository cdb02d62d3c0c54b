// Saved games (".qarvel"): the file format, then the load into a running
// game through the entry the Open command uses, which replays every move
// under the rules of the variant the file names.
#include <memory>

#include "engine/saved_game.h"
#include "engine/solitaire_type.h"
#include "fuzz_support.h"
#include "variants/registry.h"

namespace {

using clLoadResult = clSolitaireType::clLoadResult;

const clPlayOptions kHeadless{.promptBeforeResign = false, .autoSave = false};

bool SameGame(const clSavedGame& a, const clSavedGame& b) {
    return a.name == b.name && a.dealNumber == b.dealNumber && a.bonusCount == b.bonusCount &&
           a.score == b.score && a.round == b.round && a.moves == b.moves;
}

// A screen of the variant with a round in play, as when the player opens a file.
std::unique_ptr<clSolitaireType> Playing(std::string_view name) {
    std::unique_ptr<clSolitaireType> screen = CreateVariant(name, nullptr, &kHeadless);
    FUZZ_CHECK(screen != nullptr);
    screen->StartRound(1);
    return screen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static clFuzzFile file(".qarvel");
    const std::filesystem::path& path = file.Hold({data, size});

    // Whatever the reader takes, the writer writes back to the same game.
    const std::optional<clSavedGame> decoded = clSavedGameFile::Decode({data, size});
    if (decoded) {
        const auto encoded = clSavedGameFile::Encode(*decoded);
        FUZZ_CHECK(encoded);
        const auto again = clSavedGameFile::Decode(*encoded);
        FUZZ_CHECK(again && SameGame(*again, *decoded));
    }

    std::string other;
    std::unique_ptr<clSolitaireType> screen = Playing("Klondike");
    clLoadResult result = screen->Load(path, &other);
    if (result == clLoadResult::OtherVariant) {
        // The window opens the file's own variant and hands it the file.
        screen = Playing(other);
        result = screen->Load(path);
        FUZZ_CHECK(result != clLoadResult::OtherVariant);
    }
    if (result == clLoadResult::Loaded) {
        FUZZ_CHECK(decoded);
        FUZZ_CHECK(screen->Score() == decoded->score && screen->Round() >= decoded->round);
    }
    return 0;
}
