// How long the card pictures take to resample, and a full redraw of a dealt
// table on a large virtual screen.
#include <filesystem>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include "engine/registry.h"
#include "engine/solitaire_rules.h"
#include "graphics/card_set_writer.h"
#include "graphics/chunk.h"
#include "graphics/display.h"
#include "graphics/display_target.h"
#include "graphics/image.h"
#include "toolkit/messages.h"

namespace {

// Pictures with detail in every pixel, so that no filter pass is trivial.
std::vector<clImage> Pictures(int count, int width, int height) {
    std::vector<clImage> pictures(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        clImage& picture = pictures[static_cast<std::size_t>(i)];
        picture.CreateImage(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                std::uint8_t* p = picture.At(x, y);
                p[0] = static_cast<std::uint8_t>(x * 3 + i);
                p[1] = static_cast<std::uint8_t>(y * 5 + x);
                p[2] = static_cast<std::uint8_t>((x ^ y) * 7);
                p[3] = (x + y) % 17 == 0 ? 0 : 255;
            }
        }
    }
    return pictures;
}

std::vector<const clImage*> Pointers(const std::vector<clImage>& pictures) {
    std::vector<const clImage*> out;
    for (const clImage& picture : pictures)
        out.push_back(&picture);
    return out;
}

constexpr int kFaces = 56;  // the mask and 55 faces
constexpr int kBacks = 12;
constexpr int kSymbols = 16;

// Every face, back and symbol of a 150 x 200 set down to 90 x 120 (Lanczos-3).
void BM_ResampleCardSet(benchmark::State& state) {
    const std::vector<clImage> pictures = Pictures(kFaces + kBacks + kSymbols, 150, 200);
    std::vector<clImage> resized(pictures.size());
    for (auto _ : state) {
        for (std::size_t i = 0; i < pictures.size(); ++i)
            resized[i].Resample(pictures[i], 90, 120, clFilter::Lanczos3);
        benchmark::DoNotOptimize(resized.back().Pixels());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(pictures.size()));
}
BENCHMARK(BM_ResampleCardSet)->Unit(benchmark::kMillisecond);

// A card-set file in a temporary folder for the display to load.
class clBenchCardSet {
public:
    clBenchCardSet() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "qarvel-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) folder = pattern;
        const std::vector<clImage> faces = Pictures(kFaces, 120, 160);
        const std::vector<clImage> backs = Pictures(kBacks, 120, 160);
        const std::vector<clImage> symbols = Pictures(kSymbols, 120, 160);
        clCardSetWriter writer;
        writer.AddType(1);
        writer.AddPictureSet(clTag::kCards, Pointers(faces));
        writer.AddPictureSet(clTag::kBacks, Pointers(backs));
        writer.AddPictureSet(clTag::kSymbols, Pointers(symbols));
        writer.Write(folder / "qarvel.cards");
    }
    ~clBenchCardSet() {
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }
    std::filesystem::path folder;
};

// ClearTable and every pile of a dealt Klondike table (symbols and cards) on
// a 1920 x 1080 virtual screen with 120 x 160 cards.
void BM_FullTableRedraw(benchmark::State& state) {
    clBenchCardSet files;
    clDisplayOptions options;
    options.current = {clBackgroundChoice::Mode::Solid, 0x006000, ""};
    clCardSetList catalogue;
    catalogue.Build(files.folder, {});
    clHeadlessMessages messages;
    clDisplay display(options, catalogue, messages);
    if (!display.Create(1920, 1080)) {
        state.SkipWithError("the display could not be made");
        return;
    }
    clDisplayTarget target(display);
    std::unique_ptr<clSolitaireType> screen = CreateVariant("Klondike");
    auto* game = dynamic_cast<clSolitaireRules*>(screen.get());
    display.SetLayout(game->TableWidth(), game->TableHeight());
    game->Graphics().Attach(&target);
    game->StartRound(1);
    for (auto _ : state) {
        game->DrawTable();
        benchmark::DoNotOptimize(display.Screen().Pixels());
    }
    state.counters["card width"] = display.CardWidth();
}
BENCHMARK(BM_FullTableRedraw)->Unit(benchmark::kMicrosecond);

}  // namespace
