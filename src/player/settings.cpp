#include "player/settings.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "player/player_folders.h"
#include "player/settings_keys.h"
#include "toolkit/settings_store.h"
#include "toolkit/utf8.h"

namespace {

std::string Cut(std::string_view text, std::size_t maxChars) {
    // Stored texts are zero-terminated: a zero character ends one.
    return std::string(Utf8Prefix(text.substr(0, text.find('\0')), maxChars));
}

// The reading rule: missing leaves the field, unusable gives the default.
struct clReader {
    const clSettingsStore& store;
    const clKeyPath& key;

    void Flag(std::string_view name, bool byDefault, bool& field) const {
        if (!store.ValueExists(key, name)) return;
        const auto value = store.ReadInteger(key, name);
        field = value ? *value != 0 : byDefault;
    }

    void Number(std::string_view name, std::int32_t byDefault, std::int32_t low, std::int32_t high,
                std::int32_t& field) const {
        if (!store.ValueExists(key, name)) return;
        const auto value = store.ReadInteger(key, name);
        field = value && *value >= low && *value <= high ? *value : byDefault;
    }

    void Text(std::string_view name, std::string_view byDefault, std::size_t maxChars,
              std::string& field) const {
        if (!store.ValueExists(key, name)) return;
        const auto value = store.ReadText(key, name);
        field = value ? Cut(*value, maxChars) : std::string(byDefault);
    }

    // Exactly `size` bytes, or nothing.
    std::optional<std::vector<std::uint8_t>> Bytes(std::string_view name, std::size_t size) const {
        auto value = store.ReadBinary(key, name);
        if (!value || value->size() != size) return std::nullopt;
        return value;
    }
};

// Binary values are little-endian on every machine, so a settings file can move.
std::uint32_t GetU32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void PutU32(std::uint32_t value, std::vector<std::uint8_t>& out) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::vector<std::uint8_t> RectBytes(const clRect32& rect) {
    std::vector<std::uint8_t> out;
    for (std::int32_t side : {rect.left, rect.top, rect.right, rect.bottom})
        PutU32(static_cast<std::uint32_t>(side), out);
    return out;
}

std::vector<std::uint8_t> DoubleBytes(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    std::vector<std::uint8_t> out;
    PutU32(static_cast<std::uint32_t>(bits), out);
    PutU32(static_cast<std::uint32_t>(bits >> 32), out);
    return out;
}

// A well-formed button place; nothing leaves the record as it is.
void ReadButton(const clReader& reader, clRect32& rect, double& x, double& y) {
    if (const auto bytes = reader.Bytes(kButtonRectName, 16)) {
        const std::uint8_t* p = bytes->data();
        rect = {static_cast<std::int32_t>(GetU32(p)), static_cast<std::int32_t>(GetU32(p + 4)),
                static_cast<std::int32_t>(GetU32(p + 8)),
                static_cast<std::int32_t>(GetU32(p + 12))};
    }
    for (auto [name, field] : {std::pair{kButtonXName, &x}, std::pair{kButtonYName, &y}}) {
        const auto bytes = reader.Bytes(name, 8);
        if (!bytes) continue;
        const std::uint64_t bits =
            GetU32(bytes->data()) | static_cast<std::uint64_t>(GetU32(bytes->data() + 4)) << 32;
        const double value = std::bit_cast<double>(bits);
        if (std::isfinite(value)) *field = value;
    }
}

bool WriteButton(clSettingsStore& store, const clKeyPath& key, const clRect32& rect, double x,
                 double y) {
    bool ok = store.WriteBinary(key, kButtonRectName, RectBytes(rect));
    ok &= store.WriteBinary(key, kButtonXName, DoubleBytes(x));
    ok &= store.WriteBinary(key, kButtonYName, DoubleBytes(y));
    return ok;
}

}  // namespace

clSettings::clSettings(clSettingsStore& store) : store(store) {
    for (const clFlagRow& row : kFlagRows)
        flags[static_cast<std::size_t>(row.id)] = row.byDefault;
    for (const clNumberRow& row : kNumberRows)
        numbers[static_cast<std::size_t>(row.id)] = row.byDefault;
    for (const clTextRow& row : kTextRows)
        texts[static_cast<std::size_t>(row.id)] = std::string(row.byDefault);
    SetScoreServerBase(kDefaultScoreServer);
    SetSiteUrl(kDefaultSite);
}

void clSettings::LoadOptions() {
    using namespace clOptionNames;
    customColors = kCustomColorDefaults;
    const clKeyPath key = OptionsKey();
    const clReader reader{store, key};

    if (store.ValueExists(key, kPlayer)) {
        // A name that cannot be a player's is no player: the first stored one
        // is taken at start-up instead.
        const auto name = store.ReadText(key, kPlayer);
        player = name && IsValidPlayerName(*name) ? *name : std::string();
    }
    reader.Flag(kHelp, true, help);
    reader.Number(kLeft, 0, -kMaxWindowExtent, kMaxWindowExtent, window.left);
    reader.Number(kTop, 0, -kMaxWindowExtent, kMaxWindowExtent, window.top);
    reader.Number(kWidth, 0, 0, kMaxWindowExtent, window.width);
    reader.Number(kHeight, 0, 0, kMaxWindowExtent, window.height);
    reader.Flag(kMaximized, false, window.maximized);
    if (const auto bytes = reader.Bytes(kColors, 64)) {
        for (std::size_t i = 0; i < customColors.size(); ++i) {
            const std::uint32_t color = GetU32(bytes->data() + 4 * i);
            customColors[i] = color <= 0xFFFFFF ? color : kCustomColorDefaults[i];
        }
    }
    reader.Text(kSource, "", kNameLength, source);
    // An unusable stored address leaves the one in force.
    if (const auto server = store.ReadText(key, kServer)) SetScoreServerBase(*server);
    if (const auto site = store.ReadText(key, kSite)) SetSiteUrl(*site);
}

bool clSettings::SaveOptions() {
    using namespace clOptionNames;
    const clKeyPath key = OptionsKey();
    bool ok = store.WriteText(key, kPlayer, player);
    ok &= store.WriteInteger(key, kHelp, help ? 1 : 0);
    ok &= store.WriteInteger(key, kLeft, window.left);
    ok &= store.WriteInteger(key, kTop, window.top);
    ok &= store.WriteInteger(key, kWidth, window.width);
    ok &= store.WriteInteger(key, kHeight, window.height);
    ok &= store.WriteInteger(key, kMaximized, window.maximized ? 1 : 0);
    std::vector<std::uint8_t> colors;
    for (std::uint32_t color : customColors)
        PutU32(color, colors);
    ok &= store.WriteBinary(key, kColors, colors);
    return store.Flush() && ok;
}

std::optional<std::string> clSettings::ReadProgramFolder() const {
    auto folder = store.ReadText(OptionsKey(), clOptionNames::kPath);
    // A cut path would name another folder.
    if (!folder || folder->empty() || folder->size() > kProgramFolderLength) return std::nullopt;
    return folder;
}

bool clSettings::WriteProgramFolder(std::string_view folder) {
    if (folder.empty() || folder.size() > kProgramFolderLength) return false;
    // Every start stores the folder; the file is written only when it moved.
    if (ReadProgramFolder() == folder) return true;
    const bool ok = store.WriteText(OptionsKey(), clOptionNames::kPath, folder);
    return store.Flush() && ok;
}

std::optional<std::string> clSettings::ReadGameFolder() const {
    if (!PlayerExists(player)) return std::nullopt;
    auto folder = store.ReadText(PlayerKey(player), kGameFolderName);
    if (!folder || folder->empty() || folder->size() > kProgramFolderLength) return std::nullopt;
    return folder;
}

bool clSettings::WriteGameFolder(std::string_view folder) {
    if (!PlayerExists(player) || folder.empty() || folder.size() > kProgramFolderLength)
        return false;
    const bool ok = store.WriteText(PlayerKey(player), kGameFolderName, folder);
    return store.Flush() && ok;
}

// A day is ten characters; anything else stored there counts as no day.
std::string clSettings::DailyPlayed(std::string_view gameName) const {
    if (!PlayerExists(player) || gameName.empty()) return {};
    auto day = store.ReadText(GameKey(player, gameName), clGameNames::kDailyPlayed);
    if (!day || day->size() != 10) return {};
    return *day;
}

bool clSettings::SetDailyPlayed(std::string_view gameName, std::string_view day) {
    if (!PlayerExists(player) || gameName.empty()) return false;
    const bool ok = store.WriteText(GameKey(player, gameName), clGameNames::kDailyPlayed, day);
    return store.Flush() && ok;
}

bool clSettings::LoadPlayer() {
    if (!PlayerExists(player)) return false;
    const clKeyPath key = PlayerKey(player);
    const clReader reader{store, key};
    for (const clFlagRow& row : kFlagRows)
        reader.Flag(row.name, row.byDefault, flags[static_cast<std::size_t>(row.id)]);
    if (!store.ValueExists(key, "fitwindow")) SetFlag(clFlag::FitWindow, false);
    for (const clNumberRow& row : kNumberRows)
        reader.Number(row.name, row.byDefault, row.low, row.high,
                      numbers[static_cast<std::size_t>(row.id)]);
    for (const clTextRow& row : kTextRows)
        reader.Text(row.name, row.byDefault, row.size - 1, texts[static_cast<std::size_t>(row.id)]);
    ReadButton(reader, buttonRect, buttonX, buttonY);

    if (cardSetLookup) {
        const std::pair<clText, std::int32_t*> files[] = {{clText::CardSet, &cardSetIndex},
                                                          {clText::Backs, &backsIndex},
                                                          {clText::Symbols, &symbolsIndex}};
        for (const auto& [text, index] : files)
            if (const auto found = cardSetLookup(Text(text))) *index = *found;
    }
    return true;
}

bool clSettings::SavePlayer() {
    if (!IsValidPlayerName(player)) return false;
    const clKeyPath key = PlayerKey(player);
    bool ok = true;
    for (const clFlagRow& row : kFlagRows)
        ok &= store.WriteInteger(key, row.name, Flag(row.id) ? 1 : 0);
    for (const clNumberRow& row : kNumberRows)
        ok &= store.WriteInteger(key, row.name, Number(row.id));
    for (const clTextRow& row : kTextRows)
        ok &= store.WriteText(key, row.name, Text(row.id));
    ok &= WriteButton(store, key, buttonRect, buttonX, buttonY);
    return store.Flush() && ok;
}

bool clSettings::WritePlayerDefaults(std::string_view name) {
    if (!IsValidPlayerName(name)) return false;
    const clKeyPath key = PlayerKey(name);
    bool ok = true;
    for (const clFlagRow& row : kFlagRows)
        ok &= store.WriteInteger(key, row.name, row.byDefault ? 1 : 0);
    for (const clNumberRow& row : kNumberRows)
        ok &= store.WriteInteger(key, row.name, row.byDefault);
    for (const clTextRow& row : kTextRows)
        if (row.withDefaults) ok &= store.WriteText(key, row.name, row.byDefault);
    return store.Flush() && ok;
}

bool clSettings::PlayerExists(std::string_view name) const {
    return IsValidPlayerName(name) && store.KeyExists(PlayerKey(name));
}

std::vector<std::string> clSettings::ListPlayers() const {
    std::vector<std::string> names = store.SubKeys(PlayersKey());
    std::erase_if(names, [](const std::string& name) { return !IsValidPlayerName(name); });
    return names;
}

bool clSettings::DeletePlayer(std::string_view name) {
    if (!IsValidPlayerName(name) || name == player) return false;
    const bool ok = store.DeleteKey(PlayerKey(name));
    return store.Flush() && ok;
}

clOnlineInfo clSettings::ReadOnlineInfo(std::string_view name) const {
    clOnlineInfo info;
    if (!PlayerExists(name)) return info;
    const clKeyPath key = PlayerKey(name);
    const clReader reader{store, key};
    reader.Text(Row(clText::Name).name, "", kNameLength, info.name);
    reader.Text(Row(clText::Location).name, "", kNameLength, info.location);
    reader.Text(Row(clText::Email).name, "", kNameLength, info.email);
    const clNumberRow& timeout = Row(clNumber::Timeout);
    reader.Number(timeout.name, timeout.byDefault, timeout.low, timeout.high, info.timeout);
    return info;
}

bool clSettings::WriteOnlineInfo(std::string_view name, const clOnlineInfo& info) {
    if (!PlayerExists(name)) return false;
    const clNumberRow& row = Row(clNumber::Timeout);
    const std::int32_t timeout =
        info.timeout < row.low ? row.byDefault : std::min(info.timeout, row.high);
    const std::string onlineName = Cut(info.name, kNameLength);
    const std::string location = Cut(info.location, kNameLength);
    const std::string email = Cut(info.email, kNameLength);

    const clKeyPath key = PlayerKey(name);
    bool ok = store.WriteText(key, Row(clText::Name).name, onlineName);
    ok &= store.WriteText(key, Row(clText::Location).name, location);
    ok &= store.WriteText(key, Row(clText::Email).name, email);
    ok &= store.WriteInteger(key, row.name, timeout);
    if (name == player) {
        SetText(clText::Name, onlineName);
        SetText(clText::Location, location);
        SetText(clText::Email, email);
        SetNumber(clNumber::Timeout, timeout);
    }
    return store.Flush() && ok;
}

std::array<std::int32_t, 7> clSettings::LoadColumnWidths() const {
    std::array<std::int32_t, 7> widths = kColumnWidthDefaults;
    if (!IsValidPlayerName(player)) return widths;
    const clKeyPath key = PlayerKey(player);
    const clReader reader{store, key};
    for (std::size_t i = 0; i < widths.size(); ++i)
        reader.Number("column" + std::to_string(i), kColumnWidthDefaults[i], 0, kMaxWindowExtent,
                      widths[i]);
    return widths;
}

bool clSettings::SaveColumnWidths(const std::array<std::int32_t, 7>& widths) {
    if (!IsValidPlayerName(player)) return false;
    const clKeyPath key = PlayerKey(player);
    bool ok = true;
    for (std::size_t i = 0; i < widths.size(); ++i)
        ok &= store.WriteInteger(key, "column" + std::to_string(i), widths[i]);
    return store.Flush() && ok;
}

void clSettings::ReadGameBackground(std::string_view gameName) {
    currentBackgroundMode = clBackgroundMode::Global;
    currentColor = static_cast<std::uint32_t>(Number(clNumber::Color));
    currentImage = Text(clText::Image);
    if (!IsValidPlayerName(player)) return;
    const clKeyPath key = GameKey(player, gameName);
    const clReader reader{store, key};
    auto mode = static_cast<std::int32_t>(currentBackgroundMode);
    reader.Number(clGameNames::kBackground, mode, 0, 3, mode);
    currentBackgroundMode = static_cast<clBackgroundMode>(mode);
    auto color = static_cast<std::int32_t>(currentColor);
    reader.Number(clGameNames::kColor, color, 0, 0xFFFFFF, color);
    currentColor = static_cast<std::uint32_t>(color);
    reader.Text(clGameNames::kImage, currentImage, kNameLength, currentImage);
}

void clSettings::LoadGameValues(std::string_view gameName, bool offersAutoPlay) {
    currentFavorite = false;
    currentAutoPlay = true;
    // Each game has its own "Take Score" place: one game's place would lie
    // on another game's cards.
    buttonRect = {};
    buttonX = buttonY = 0;
    // A game without a key of its own shows the player's background, not the
    // one of the game before it.
    ReadGameBackground(gameName);
    if (!IsValidPlayerName(player)) return;
    const clKeyPath key = GameKey(player, gameName);
    if (!store.KeyExists(key)) return;
    const clReader reader{store, key};
    reader.Flag(clGameNames::kFavorite, false, currentFavorite);
    if (offersAutoPlay) reader.Flag(clGameNames::kAutoPlay, true, currentAutoPlay);
    ReadButton(reader, buttonRect, buttonX, buttonY);
}

bool clSettings::SaveGameValues(std::string_view gameName, bool offersAutoPlay) {
    if (!IsValidPlayerName(player)) return false;
    const clKeyPath key = GameKey(player, gameName);
    bool ok = store.WriteInteger(key, clGameNames::kFavorite, currentFavorite ? 1 : 0);
    if (offersAutoPlay) ok &= store.WriteInteger(key, clGameNames::kAutoPlay, currentAutoPlay);
    ok &= store.WriteInteger(key, clGameNames::kBackground,
                             static_cast<std::int32_t>(currentBackgroundMode));
    switch (currentBackgroundMode) {
        case clBackgroundMode::Solid:
            ok &= store.WriteInteger(key, clGameNames::kColor,
                                     static_cast<std::int32_t>(currentColor));
            break;
        case clBackgroundMode::Stretched:
        case clBackgroundMode::Tiled:
            ok &= store.WriteText(key, clGameNames::kImage, currentImage);
            break;
        case clBackgroundMode::Global:
            break;
    }
    if (buttonRect.IsValid()) ok &= WriteButton(store, key, buttonRect, buttonX, buttonY);
    return store.Flush() && ok;
}

void clSettings::ResetToGlobalBackground() {
    currentBackgroundMode = static_cast<clBackgroundMode>(Number(clNumber::Background));
    currentColor = static_cast<std::uint32_t>(Number(clNumber::Color));
    currentImage = Text(clText::Image);
}

bool clSettings::SetAllGamesToGlobal() {
    bool ok = true;
    if (IsValidPlayerName(player)) {
        for (const std::string& game : store.SubKeys(PlayerKey(player))) {
            const clKeyPath key = GameKey(player, game);
            const auto mode = store.ReadInteger(key, clGameNames::kBackground);
            if (mode && *mode != static_cast<std::int32_t>(clBackgroundMode::Global))
                ok &= store.WriteInteger(key, clGameNames::kBackground,
                                         static_cast<std::int32_t>(clBackgroundMode::Global));
        }
        ok &= store.Flush();
    }
    ResetToGlobalBackground();
    return ok;
}

bool clSettings::SetPlayer(std::string_view name) {
    if (!IsValidPlayerName(name)) return false;
    player = name;
    return true;
}

void clSettings::SetCurrentGame(std::string_view displayName, std::string_view key) {
    currentGameName = Cut(displayName, kNameLength);
    currentGameKey = Cut(key, kNameLength);
}

void clSettings::SetWindow(const clWindowPlacement& placement) {
    const auto within = [](std::int32_t v, std::int32_t low) {
        return v >= low && v <= kMaxWindowExtent;
    };
    if (within(placement.left, -kMaxWindowExtent) && within(placement.top, -kMaxWindowExtent) &&
        within(placement.width, 0) && within(placement.height, 0)) {
        window = placement;
    } else {
        window = clWindowPlacement{.maximized = placement.maximized};
    }
}

bool clSettings::SetNumber(clNumber id, std::int32_t value) {
    const clNumberRow& row = Row(id);
    if (value < row.low || value > row.high) return false;
    numbers[static_cast<std::size_t>(id)] = value;
    return true;
}

void clSettings::SetText(clText id, std::string_view value) {
    texts[static_cast<std::size_t>(id)] = Cut(value, Row(id).size - 1);
}

void clSettings::SetButtonPosition(double x, double y) {
    if (std::isfinite(x)) buttonX = x;
    if (std::isfinite(y)) buttonY = y;
}

void clSettings::SetScoreServer(std::string_view pages, std::string_view submit,
                                std::string_view list) {
    scorePagesUrl = Cut(pages, kUrlLength);
    submitUrl = Cut(submit, kUrlLength);
    listUrl = Cut(list, kUrlLength);
}

namespace {

// A base address with its closing "/", or nothing when it cannot be one.
std::optional<std::string> BaseUrl(std::string_view base) {
    if (base.empty() || base.size() > clSettings::kBaseUrlLength) return std::nullopt;
    for (char c : base) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F) return std::nullopt;
    }
    std::string url(base);
    if (url.back() != '/') url += '/';
    return url;
}

}  // namespace

bool clSettings::SetScoreServerBase(std::string_view base) {
    const auto url = BaseUrl(base);
    if (!url) return false;
    scoreServerBase = *url;
    SetScoreServer(*url + "topscores/scores/qarvel", *url + "topscores/qarvel/submit.php",
                   *url + "topscores/qarvel/list.php");
    startPageUrl = *url + "index.html";
    return true;
}

bool clSettings::SetSiteUrl(std::string_view base) {
    const auto url = BaseUrl(base);
    if (!url) return false;
    siteUrl = *url;
    return true;
}

void clSettings::SetCurrentBackground(clBackgroundMode mode, std::uint32_t color,
                                      std::string_view image) {
    const auto number = static_cast<std::int32_t>(mode);
    if (number >= 0 && number <= 3) currentBackgroundMode = mode;
    if (color <= 0xFFFFFF) currentColor = color;
    currentImage = Cut(image, kNameLength);
}

void clSettings::SetCustomColors(const std::array<std::uint32_t, 16>& colors) {
    for (std::size_t i = 0; i < colors.size(); ++i)
        if (colors[i] <= 0xFFFFFF) customColors[i] = colors[i];
}
