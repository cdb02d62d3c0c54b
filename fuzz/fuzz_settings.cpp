// The settings values: everything the game reads from the settings store at
// start-up and when a player or a game is chosen, from a store filled with
// whatever the settings file may hold (texts, integers, byte strings, under
// any key and name).
//
// Input: one value a line, "key<TAB>name<TAB>kind<TAB>value", the key's
// names joined with '/' ("players/Ann/Klondike"), the kind one of i (a
// decimal integer), t (a text), x (bytes in hexadecimal) or b (the raw
// bytes up to the line's end).
#include <charconv>
#include <cmath>

#include "fuzz_support.h"
#include "graphics/display_settings.h"
#include "player/settings.h"
#include "player/settings_keys.h"
#include "toolkit/memory_settings_store.h"

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator, std::size_t most) {
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < most) {
        const std::size_t at = text.find(separator);
        if (at == std::string_view::npos) break;
        parts.push_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    parts.push_back(text);
    return parts;
}

std::vector<std::uint8_t> FromHex(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        unsigned value = 0;
        if (std::from_chars(text.data() + i, text.data() + i + 2, value, 16).ptr !=
            text.data() + i + 2) {
            break;
        }
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return bytes;
}

void Fill(clMemorySettingsStore& store, std::string_view input) {
    for (std::string_view line : Split(input, '\n', std::string_view::npos)) {
        const std::vector<std::string_view> fields = Split(line, '\t', 4);
        if (fields.size() != 4 || fields[2].size() != 1) continue;
        clKeyPath key;
        if (!fields[0].empty()) {
            for (std::string_view name : Split(fields[0], '/', std::string_view::npos))
                key = key / name;
        }
        const std::string_view name = fields[1], value = fields[3];
        switch (fields[2][0]) {
            case 'i': {
                std::int32_t number = 0;
                std::from_chars(value.data(), value.data() + value.size(), number);
                store.WriteInteger(key, name, number);
                break;
            }
            case 't':
                store.WriteText(key, name, value);
                break;
            case 'x':
                store.WriteBinary(key, name, FromHex(value));
                break;
            case 'b':
                store.WriteBinary(
                    key, name, {reinterpret_cast<const std::uint8_t*>(value.data()), value.size()});
                break;
            default:
                break;
        }
    }
}

// Everything the player's values and the options give the game.
struct clLoaded {
    std::string player;
    clWindowPlacement window;
    std::array<std::uint32_t, 16> colors;
    std::vector<std::int32_t> numbers;
    std::vector<bool> flags;
    std::vector<std::string> texts;
    bool favorite = false;
    bool autoPlay = false;
    clBackgroundMode mode{};
    std::uint32_t color = 0;
    std::string image;
    friend bool operator==(const clLoaded&, const clLoaded&) = default;
};

// As the game starts: the options, then the player (the first stored one
// when the options name none), then the game.
void Load(clSettings& settings, std::string_view game) {
    settings.LoadOptions();
    if (settings.Player().empty()) {
        const std::vector<std::string> players = settings.ListPlayers();
        if (!players.empty()) FUZZ_CHECK(settings.SetPlayer(players.front()));
    }
    settings.LoadPlayer();
    settings.SetCurrentGame(game, "fuzz");
    settings.LoadGameValues(game, true);
}

clLoaded Snapshot(const clSettings& settings) {
    clLoaded loaded{settings.Player(),
                    settings.Window(),
                    settings.CustomColors(),
                    {},
                    {},
                    {},
                    settings.CurrentFavorite(),
                    settings.CurrentAutoPlay(),
                    settings.CurrentBackgroundMode(),
                    settings.CurrentColor(),
                    settings.CurrentImage()};
    for (const clNumberRow& row : kNumberRows)
        loaded.numbers.push_back(settings.Number(row.id));
    for (const clFlagRow& row : kFlagRows)
        loaded.flags.push_back(settings.Flag(row.id));
    for (const clTextRow& row : kTextRows)
        loaded.texts.push_back(settings.Text(row.id));
    return loaded;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    clMemorySettingsStore store;
    Fill(store, AsText(data, size));

    clSettings settings(store);
    settings.SetCardSetLookup([](std::string_view file) -> std::optional<std::int32_t> {
        if (file == "qarvel.cards") return 0;
        return std::nullopt;
    });
    Load(settings, "Klondike");
    (void)settings.ReadProgramFolder();
    (void)settings.LoadColumnWidths();
    for (const std::string& player : settings.ListPlayers())
        (void)settings.ReadOnlineInfo(player);
    // A place needs a rectangle, and its fractions are numbers.
    if (settings.HasButtonPlace()) {
        FUZZ_CHECK(settings.ButtonRect().IsValid());
        FUZZ_CHECK(std::isfinite(settings.ButtonX()) && std::isfinite(settings.ButtonY()));
    }
    const clDisplayOptions options = DisplayOptionsFromSettings(settings);
    StoreDisplayOptions(options, settings);

    // What was read is kept when it is written back: reading it again gives
    // the same values.
    if (!settings.Player().empty()) {
        const clLoaded before = Snapshot(settings);
        FUZZ_CHECK(settings.SaveOptions());
        FUZZ_CHECK(settings.SavePlayer());
        FUZZ_CHECK(settings.SaveGameValues("Klondike", true));
        clSettings again(store);
        Load(again, "Klondike");
        FUZZ_CHECK(Snapshot(again) == before);
    }
    return 0;
}
