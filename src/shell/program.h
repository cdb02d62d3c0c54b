#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "engine/solitaire_type.h"
#include "graphics/card_set_info.h"
#include "graphics/display.h"
#include "graphics/display_options.h"
#include "graphics/display_target.h"
#include "graphics/image.h"
#include "graphics/interface_cache.h"
#include "graphics/interface_layout.h"
#include "player/players.h"
#include "player/settings.h"
#include "toolkit/sound.h"

class clClock;
class clMessages;
class clNamePrompt;
class clSoundPlayer;
class clSettingsStore;
class clUserAccount;

// What the program runs on: its settings store, the user, the prompt for a
// first player's name, how messages reach the player, and the folder of the
// shipped data. Tests give their own.
struct clPlatform {
    clSettingsStore& store;
    const clUserAccount& account;
    clNamePrompt& namePrompt;
    clMessages& messages;
    const clClock& clock;
    std::filesystem::path dataFolder;
    bool sounds = true;  // false: never open the sound device
};

// The program-wide objects the window works with: the settings and players,
// the card-set catalogue, the display and its pictures, the interface
// pictures and the sounds. Made at start-up in this order, saved at the end.
class clProgram {
public:
    explicit clProgram(const clPlatform& platform);
    ~clProgram();

    // Settings and the player (asking for a name on the first start), the
    // card-set catalogue (the installed card sets and the player's own, in
    // the per-user data folder) and the interface pictures. False when the
    // program cannot start: no player, or no card set (which is said).
    bool StartUp();
    // The start failed because no card set could be loaded (StartUp or
    // CreateDisplay): the program ends with an error status.
    bool CardSetsFailed() const { return cardSetsFailed; }
    // The first screen's table in card units, for the display made next.
    void SetTableSize(int columns, int rows) { tableColumns = columns, tableRows = rows; }
    // Makes the display for a drawing area of that many device pixels, at
    // that many device pixels per desktop pixel; false when it cannot be
    // made. A window defers card loads (it has them made off its thread).
    bool CreateDisplay(int areaWidth, int areaHeight, double scale = 1.0,
                       bool deferCardLoads = false);
    // Stores what the display changed and saves the settings.
    void ShutDown();

    clSettings& Settings() { return settings; }
    clPlayers& Players() { return players; }
    clCardSetList& Catalogue() { return catalogue; }
    clDisplay& Display() { return *display; }
    bool HasDisplay() const { return display != nullptr && display->IsCreated(); }
    clDisplayTarget& Target() { return *target; }
    clDisplayOptions& DisplayOptions() { return displayOptions; }
    clMessages& Messages() { return platform.messages; }
    const clClock& Clock() const { return platform.clock; }
    const clUserAccount& Account() const { return platform.account; }
    const std::filesystem::path& DataFolder() const { return platform.dataFolder; }

    // The interface pictures; empty when the interface image is missing.
    // StartUp loads them when they are not loaded yet. Each is a copy of its
    // own: the interface image, most of which only the splash and the About
    // window show, does not stay loaded.
    void LoadInterfacePictures();
    // A copy of a rectangle of the interface image (empty when it is
    // missing); the image stays loaded for the next one.
    clImage InterfaceView(const clRect& rect);
    const clImage& SplashPicture() const { return splashPicture; }
    // Once the splash has been shown.
    void ReleaseSplashPicture() { splashPicture.Release(); }
    // Cut from the interface image when asked for.
    clImage AboutPicture() { return InterfaceView(clInterfaceLayout::kAbout); }
    const clImage& PausePicture() const { return pausePicture; }
    const clImage& ToolPicture(int index) const;

    // Plays while the player's sounds are on.
    void PlaySound(clSound sound);
    void PlayWelcome();

    // The player's options for a round of a variant.
    clPlayOptions PlayOptions(bool offersAutoPlay) const;
    // The display's options follow the settings again (after a player change),
    // and the settings keep what the display changed.
    void ApplyDisplaySettings();
    void StoreDisplaySettings();

private:
    clSoundPlayer* Sounds();

    clPlatform platform;
    clSettings settings;
    clPlayers players;
    clCardSetList catalogue;
    clDisplayOptions displayOptions;
    std::unique_ptr<clDisplay> display;
    std::unique_ptr<clDisplayTarget> target;
    clCache cache;
    clImage labelStrip;
    clImage pausePicture;
    clImage splashPicture;
    bool interfaceTried = false;
    std::array<clImage, 11> toolPictures;
    std::unique_ptr<clSoundPlayer> sounds;
    bool soundsTried = false;
    int tableColumns = 0;
    int tableRows = 0;
    bool cardSetsFailed = false;
};

// The folder of the shipped data: $QARVEL_DATA when set, else the installed
// data beside the program (../share/qarvel from its bin folder) when that
// folder exists, else the build's data folder.
std::filesystem::path FindDataFolder(const std::filesystem::path& programFile);
