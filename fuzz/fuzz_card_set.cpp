// Card-set files ("*.cards"): the catalogue's reading of their chunk headers
// and the loading of the card faces, backs and pile symbols, each from a
// file the player may have put in a card-set folder.
#include "fuzz_support.h"
#include "graphics/card_set.h"
#include "graphics/card_set_info.h"
#include "toolkit/messages.h"

namespace {

void CheckSet(const clPictureSet& set, bool loaded) {
    if (!loaded) return;
    FUZZ_CHECK(set.Count() > 0 && clImage::IsValidSize(set.Width(), set.Height()));
    for (int i = 0; i < set.Count(); ++i) {
        const clImage* picture = set.Picture(i);
        FUZZ_CHECK(picture != nullptr && picture->Width() == set.Width() &&
                   picture->Height() == set.Height());
        // Every pixel of every picture is read, so that a picture reaching
        // outside its bitmap shows.
        std::uint8_t all = 0;
        for (int y = 0; y < picture->Height(); ++y)
            for (int x = 0; x < 4 * picture->Width(); ++x)
                all |= picture->Row(y)[x];
        [[maybe_unused]] volatile std::uint8_t sink = all;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static clFuzzFile file(".cards");
    const std::filesystem::path& path = file.Hold({data, size});

    clCardSetInfo info;
    if (info.Load(path, "fuzz.cards")) {
        (void)info.ShownDescription();
    } else {
        FUZZ_CHECK(info.CardSetCount() == 0 && !info.LastError().empty());
    }

    clHeadlessMessages messages;
    clCardSet cards;
    clCardBacks backs;
    clCardSymbols symbols;
    // The first two sets of each kind: the second is found past the first.
    for (int k = 0; k < 2; ++k) {
        const bool cardsLoaded = cards.Load(path, k, messages);
        CheckSet(cards, cardsLoaded);
        if (cardsLoaded) FUZZ_CHECK(cards.FaceCount() >= clCardSet::kMinCount - 1);
        CheckSet(backs, backs.Load(path, k, messages));
        CheckSet(symbols, symbols.Load(path, k, messages));
    }
    if (cards.Mask() != nullptr) backs.ApplyMask(*cards.Mask());
    return 0;
}
