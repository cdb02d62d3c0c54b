#include "shell/program.h"

#include <QCoreApplication>
#include <cstdlib>
#include <system_error>

#include "graphics/display_settings.h"
#include "graphics/interface_layout.h"
#include "graphics/picture_read_ahead.h"
#include "toolkit/messages.h"
#include "toolkit/operation_error.h"
#include "toolkit/sound_module.h"
#include "toolkit/user_account.h"

clProgram::clProgram(const clPlatform& platform)
    : platform(platform),
      settings(platform.store),
      players(settings, platform.account),
      cache(platform.dataFolder) {}

clProgram::~clProgram() = default;

bool clProgram::StartUp() {
    // The player's own card sets lie in the per-user data folder.
    catalogue.Build(platform.dataFolder, {platform.account.DataFolder()});
    settings.SetCardSetLookup(CatalogueLookup(catalogue));
    if (!players.StartUp(platform.namePrompt)) return false;
    settings.WriteProgramFolder(platform.dataFolder.string());
    if (catalogue.Count() == 0) {
        cardSetsFailed = true;
        platform.messages.ShowMessage(NoCardSetText(catalogue));
        return false;
    }
    ApplyDisplaySettings();
    // The background's picture is read while the window is made.
    const std::string background = clDisplay::BackgroundFile(displayOptions, catalogue);
    if (!background.empty()) ReadPictureAhead(background);
    LoadInterfacePictures();
    return true;
}

void clProgram::ApplyDisplaySettings() {
    displayOptions = DisplayOptionsFromSettings(settings);
}

bool clProgram::CreateDisplay(int areaWidth, int areaHeight, double scale, bool deferCardLoads) {
    display = std::make_unique<clDisplay>(displayOptions, catalogue, platform.messages);
    display->SetScale(scale);
    display->SetDeferredLoading(deferCardLoads);
    display->SetLayout(tableColumns, tableRows);
    if (!display->Create(areaWidth, areaHeight)) {
        // The display has said why when no card set could be loaded.
        cardSetsFailed = display->CardSetsFailed();
        return false;
    }
    target = std::make_unique<clDisplayTarget>(*display);
    if (!labelStrip.IsEmpty()) target->SetLabelStrip(&labelStrip);
    return true;
}

void clProgram::StoreDisplaySettings() {
    StoreDisplayOptions(displayOptions, settings);
}

void clProgram::ShutDown() {
    StoreDisplaySettings();
    settings.SavePlayer();
    settings.SaveOptions();
}

namespace {

// A picture of its own cut from the interface image; false when the
// rectangle cannot be cut (a missing image, a rectangle outside it).
bool CutPicture(clCache& cache, const clRect& r, clImage& into, clMessages& messages) {
    clImage view;
    if (!cache.GetInterfaceImage(view, r.left, r.top, r.Width(), r.Height(), messages))
        return false;
    clImage copy;
    if (!copy.CreateImage(view.Width(), view.Height())) return false;
    copy.Copy(view, {0, 0});
    into = std::move(copy);
    return true;
}

}  // namespace

// A missing or unreadable interface image leaves the key labels, the pause
// picture and the tool-bar pictures out; the game plays on without them.
void clProgram::LoadInterfacePictures() {
    if (interfaceTried) return;
    interfaceTried = true;
    auto cut = [this](clImage& into, const clRect& r) {
        return CutPicture(cache, r, into, platform.messages);
    };
    try {
        if (cut(labelStrip, clInterfaceLayout::kKeyLabels)) {
            cut(pausePicture, clInterfaceLayout::kPause);
            cut(splashPicture, clInterfaceLayout::kSplash);
            for (int i = 0; i < clInterfaceLayout::kToolCount; ++i) {
                cut(toolPictures[static_cast<std::size_t>(i)], clInterfaceLayout::ToolPicture(i));
            }
        }
    } catch (const clOperationError&) {
        for (clImage* picture : {&labelStrip, &pausePicture, &splashPicture}) {
            picture->Release();
        }
    }
    cache.Release();
}

clImage clProgram::InterfaceView(const clRect& rect) {
    clImage picture;
    try {
        CutPicture(cache, rect, picture, platform.messages);
    } catch (const clOperationError&) {
        picture.Release();
    }
    return picture;
}

const clImage& clProgram::ToolPicture(int index) const {
    static const clImage none;
    if (index < 0 || index >= clInterfaceLayout::kToolCount) return none;
    return toolPictures[static_cast<std::size_t>(index)];
}

clSoundPlayer* clProgram::Sounds() {
    if (!soundsTried && platform.sounds) {
        soundsTried = true;
        sounds = LoadSoundPlayer(QCoreApplication::applicationDirPath().toStdString(),
                                 platform.dataFolder);
    }
    return sounds.get();
}

void clProgram::PlaySound(clSound sound) {
    if (!settings.Flag(clFlag::Sounds)) return;
    if (clSoundPlayer* set = Sounds()) set->Play(sound);
}

void clProgram::PlayWelcome() {
    if (!settings.Flag(clFlag::Sounds)) return;
    if (clSoundPlayer* set = Sounds()) set->PlayWelcome();
}

clPlayOptions clProgram::PlayOptions(bool offersAutoPlay) const {
    clPlayOptions options;
    options.practice = settings.Flag(clFlag::Practice);
    options.promptBeforeResign = settings.Flag(clFlag::Prompt);
    options.pauseOnFocusLoss = settings.Flag(clFlag::AutoPause);
    options.autoSave = settings.Flag(clFlag::Autosave);
    options.autoPlay = offersAutoPlay && settings.CurrentAutoPlay();
    return options;
}

std::filesystem::path FindDataFolder(const std::filesystem::path& programFile) {
    if (const char* env = std::getenv("QARVEL_DATA"); env && *env) return env;
    // The install puts the data at this path relative to the program's folder
    // (../share/qarvel with the usual layout).
    // An installed game keeps to its installed data, even when a file of it
    // is missing or damaged (the card sets then fall back and say so).
    const std::filesystem::path installed =
        (programFile.parent_path() / QARVEL_DATA_FROM_BIN).lexically_normal();
    std::error_code error;
    if (std::filesystem::is_directory(installed, error)) return installed;
    if (std::filesystem::is_directory(QARVEL_BUILD_DATA_DIR, error)) return QARVEL_BUILD_DATA_DIR;
    return installed;
}
