// The pictures: resampling card pictures, loading the shipped card set at the
// size a window asks for, a full redraw of a dealt table and a step of a drag
// on a 1920 x 1080 virtual screen. Headless: the virtual screen is the
// picture the window paints from.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench_play.h"
#include "bench_screen.h"
#include "engine/solitaire_rules.h"
#include "graphics/image.h"

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

constexpr int kFaces = 56;  // the mask and 55 faces
constexpr int kBacks = 12;
constexpr int kSymbols = 16;

// Every face, back and symbol of a set resampled (Lanczos-3) from a native
// size to a size between the native ones: args source width and height,
// target width and height.
void BM_ResampleCardSet(benchmark::State& state) {
    const std::vector<clImage> pictures =
        Pictures(kFaces + kBacks + kSymbols, static_cast<int>(state.range(0)),
                 static_cast<int>(state.range(1)));
    std::vector<clImage> resized(pictures.size());
    const auto width = static_cast<int>(state.range(2));
    const auto height = static_cast<int>(state.range(3));
    for (auto _ : state) {
        for (std::size_t i = 0; i < pictures.size(); ++i)
            resized[i].Resample(pictures[i], width, height, clFilter::Lanczos3);
        benchmark::DoNotOptimize(resized.back().Pixels());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(pictures.size()));
}
BENCHMARK(BM_ResampleCardSet)
    ->Args({150, 200, 135, 180})
    ->Args({150, 200, 100, 133})
    ->Args({71, 96, 62, 84})
    ->Args({150, 200, 240, 320})
    ->Args({300, 400, 270, 360})
    ->Args({180, 240, 165, 220})
    ->Unit(benchmark::kMillisecond);

// A shipped card set (faces, backs and symbols) loaded at the size the
// automatic rule gives Klondike in a window's drawing area of that size, as
// when the window is resized or the card set changed: args width and height.
// The default set has every size the rule picks; the four-colour set lacks
// 120 x 160 and 90 x 120, so those are resampled from its 150 x 200 pictures.
void BM_CardSetForWindow(benchmark::State& state, const char* cardSet) {
    clBenchScreen screen(cardSet);
    if (!screen.Create(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)))) {
        state.SkipWithError(clBenchScreen::Error());
        return;
    }
    const std::unique_ptr<clSolitaireType> game = CreateBenchVariant("Klondike", false);
    screen.Attach(Rules(*game));
    clDisplay& display = screen.Display();
    for (auto _ : state) {
        if (!display.ChangeCardSet()) state.SkipWithError("the card set did not load");
    }
    state.counters["card width"] = display.CardWidth();
    state.counters["card height"] = display.CardHeight();
}
BENCHMARK_CAPTURE(BM_CardSetForWindow, Classic, "qarvel.cards")
    ->Args({800, 600})
    ->Args({1280, 1024})
    ->Args({1920, 1080})
    ->Args({2560, 1440})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CardSetForWindow, FourColour, "qarvel_four_colour.cards")
    ->Args({1280, 1024})
    ->Args({1920, 1080})
    ->Unit(benchmark::kMillisecond);

// A game's first deal on a 1920 x 1080 virtual screen; null, with the
// benchmark skipped, when the screen cannot be made.
std::unique_ptr<clSolitaireType> DealOnScreen(benchmark::State& state, clBenchScreen& screen,
                                              const char* name) {
    if (!screen.Create(1920, 1080)) {
        state.SkipWithError(clBenchScreen::Error());
        return nullptr;
    }
    std::unique_ptr<clSolitaireType> made = CreateBenchVariant(name, false);
    screen.Attach(Rules(*made));
    Rules(*made).StartRound(1);
    return made;
}

// The whole table drawn again (background, pile symbols and every card) on
// a 1920 x 1080 virtual screen, at the card size the automatic rule gives.
void BM_FullTableRedraw(benchmark::State& state, const char* name) {
    clBenchScreen screen;
    const std::unique_ptr<clSolitaireType> made = DealOnScreen(state, screen, name);
    if (!made) return;
    clSolitaireRules& game = Rules(*made);
    for (auto _ : state) {
        game.DrawTable();
        benchmark::DoNotOptimize(screen.Display().Screen().Pixels());
    }
    state.counters["card width"] = screen.Display().CardWidth();
    state.counters["cards"] = game.CardCount();
}

// A card, or a group, picked up and moved: each step takes the dragged
// picture, with its shadow, off the screen and draws it at the new point. The pointer
// alternates between two points 300 pixels apart. For Klondike the top
// card of the last column; for Yukon the lowest face-up card of the tallest
// column and every card above it.
void BM_DragStep(benchmark::State& state, const char* name) {
    clBenchScreen screen;
    const std::unique_ptr<clSolitaireType> made = DealOnScreen(state, screen, name);
    if (!made) return;
    clSolitaireRules& game = Rules(*made);
    clPile* tallest = game.Tableau(0);
    for (int i = 1; i < game.TableauCount(); ++i) {
        if (game.Tableau(i)->Count() >= tallest->Count()) tallest = game.Tableau(i);
    }
    int position = tallest->TopIndex();
    while (position > 0 && !tallest->At(position - 1)->faceDown)
        --position;
    const std::optional<clRect> rect = game.Graphics().CardRect(*tallest->At(position));
    if (!rect) {
        state.SkipWithError("the card is not on the screen");
        return;
    }
    const clPoint grip{rect->left + rect->Width() / 2, rect->top + 8};
    game.Graphics().SetDragShadow(true);  // as the window has it with the animation option on
    game.OnLeftDown(grip);
    game.OnMouseMove(grip);  // lifts the cards
    bool there = false;
    for (auto _ : state) {
        game.OnMouseMove({grip.x + (there ? 300 : 0), grip.y + 20});
        there = !there;
    }
    state.counters["dragged"] = static_cast<double>(tallest->Count() - position);
    game.OnLeftUp(grip);
}

const bool registered = [] {
    for (const char* name : {"Klondike", "Spider", "FreeCell", "Pyramid", "Montana"}) {
        benchmark::RegisterBenchmark(("BM_FullTableRedraw/" + BenchName(name)).c_str(),
                                     BM_FullTableRedraw, name)
            ->Unit(benchmark::kMicrosecond);
    }
    for (const char* name : {"Klondike", "Yukon"}) {
        benchmark::RegisterBenchmark(("BM_DragStep/" + BenchName(name)).c_str(), BM_DragStep, name)
            ->Unit(benchmark::kMicrosecond);
    }
    return true;
}();

}  // namespace
