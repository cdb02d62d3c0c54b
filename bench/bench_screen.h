#pragma once

#include <filesystem>

#include "engine/solitaire_rules.h"
#include "graphics/card_set_info.h"
#include "graphics/display.h"
#include "graphics/display_options.h"
#include "graphics/display_target.h"
#include "toolkit/messages.h"

// The game's shipped data folder in the build tree (the card set and the
// table background), as the game reads it when it runs from there.
#ifndef QARVEL_BENCH_DATA_DIR
#define QARVEL_BENCH_DATA_DIR "data"
#endif

// A virtual screen like the window's, headless: the display with the
// shipped card set and background at the player's default options, and its
// draw target.
class clBenchScreen {
public:
    // The shipped card set of that file name for the faces and backs.
    explicit clBenchScreen(const char* cardSet = clDisplayOptions::kDefaultCardFile) {
        options.cardSet = cardSet;
        options.backs = cardSet;
        catalogue.Build(QARVEL_BENCH_DATA_DIR, {});
    }

    // A drawing area of that size; false when the shipped data is missing or
    // the display could not be made.
    bool Create(int width, int height) {
        return std::filesystem::exists(std::filesystem::path(QARVEL_BENCH_DATA_DIR) /
                                       clDisplayOptions::kDefaultCardFile) &&
               display.Create(width, height);
    }
    static const char* Error() { return "no display: build the data first (ninja qarvel_data)"; }

    // Lays the display out for the game's table and lets the game draw on it.
    void Attach(clSolitaireRules& game) {
        display.SetLayout(game.TableWidth(), game.TableHeight());
        game.Graphics().Attach(&target);
    }

    clDisplay& Display() { return display; }
    clDisplayTarget& Target() { return target; }

private:
    clDisplayOptions options;
    clCardSetList catalogue;
    clHeadlessMessages messages;
    clDisplay display{options, catalogue, messages};
    clDisplayTarget target{display};
};
