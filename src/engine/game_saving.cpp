// Saved games on the playing screen: the automatic save, Save and Open,
// files handed to the screen, and the change of player.
#include "engine/catalogue.h"
#include "engine/play_observer.h"
#include "engine/saved_game.h"
#include "engine/solitaire_type.h"
#include "toolkit/file.h"

namespace {

constexpr const char* kSaveCaption = "Save Game";
constexpr const char* kOverwriteQuestion = "Do you want to overwrite the existing file?";
constexpr const char* kOpenCaption = "Open";
constexpr const char* kAutoSaveCaption = "Game Saving";

std::string Quoted(const std::filesystem::path& path) {
    return "\"" + path.string() + "\"";
}

}  // namespace

bool clSolitaireType::Save(const std::filesystem::path& path) const {
    clSavedGame game;
    game.name = displayName;
    game.dealNumber = dealNumber;
    game.bonusCount = timer.Count();
    game.score = score;
    game.round = round;
    for (std::size_t i = 0; i < history->Position(); ++i)
        game.moves.push_back(history->At(i));
    return clSavedGameFile::Write(path, game);
}

// Nothing of this screen changes until the file has been read whole and
// replayed on a copy of the variant; then it is taken over at once.
clSolitaireType::clLoadResult clSolitaireType::Load(const std::filesystem::path& path,
                                                    std::string* otherVariant) {
    const std::optional<clSavedGame> game = clSavedGameFile::Read(path);
    if (!game) return clLoadResult::Refused;
    const std::optional<std::string_view> variant = CatalogueName(game->name);
    if (!variant) return clLoadResult::Refused;
    if (*variant != displayName) {
        if (otherVariant) *otherVariant = std::string(*variant);
        return clLoadResult::OtherVariant;
    }
    // The bonus only counts down from the round's start.
    if (game->bonusCount > points.Bonus(game->round)) return clLoadResult::Refused;
    // Between rounds (and before the first) no deal is in play, so there are
    // no moves to replay.
    const bool inRound = game->dealNumber != 0 && game->round != 0;
    if (inRound ? !ReplaysCleanly(*game) : !game->moves.empty()) return clLoadResult::Refused;

    history->Clear();
    for (const clMove& move : game->moves)
        history->Push(move);
    dealNumber = inRound ? game->dealNumber : 0;
    score = game->score;
    round = game->round;
    timer.Stop();
    timer.SetCount(game->bonusCount);
    timeUp = false;
    if (observer) {
        observer->GameLoaded(path, IsAutomaticSave(path), round, dealNumber, history->Position());
    }
    ResumeLoadedGame();
    return clLoadResult::Loaded;
}

void clSolitaireType::ResumeLoadedGame() {
    if (dealNumber == 0) {
        StartRound();  // the stored score and round go on
        return;
    }
    roundEnded = false;
    paused = false;
    lastRoundWon = false;
    goal = points.Goal(round);
    bonusStart = points.Bonus(round);
    Rebuild();
    UpdateTitle();
    UpdateMenus();
    CheckRoundEnd();  // a solved layout ends the round at once
    // A game whose clock had started waits for the player to resume it.
    if (!roundEnded && timer.Count() != bonusStart) Pause();
}

std::string clSolitaireType::AutomaticSaveName() const {
    return key + (options.practice ? ".tmp" : ".qarvel");
}

std::optional<std::filesystem::path> clSolitaireType::AutomaticSavePath() const {
    if (!host || options.roundDeal) return std::nullopt;
    const std::optional<std::filesystem::path> folder = host->PlayerFolder();
    if (!folder) return std::nullopt;
    return *folder / AutomaticSaveName();
}

bool clSolitaireType::IsAutomaticSave(const std::filesystem::path& path) const {
    const std::optional<std::filesystem::path> folder = host ? host->PlayerFolder() : std::nullopt;
    if (!folder) return false;
    std::error_code error;
    const std::filesystem::path chosen = std::filesystem::weakly_canonical(path, error);
    if (error) return false;
    for (const char* extension : {".qarvel", ".tmp"}) {
        const std::filesystem::path own =
            std::filesystem::weakly_canonical(*folder / (key + extension), error);
        if (!error && own == chosen) return true;
    }
    return false;
}

void clSolitaireType::StartPlay() {
    const std::optional<std::filesystem::path> path = AutomaticSavePath();
    if (options.autoSave && path && FileExists(*path)) {
        if (Load(*path) == clLoadResult::Loaded) return;
        // The damaged file stays for the player to look at until the next
        // automatic save replaces it.
        ShowMessage("The automatically saved game " + Quoted(*path) +
                        " cannot be opened: the file is damaged. A new game is dealt.",
                    kAutoSaveCaption);
    }
    NewGame();
}

void clSolitaireType::SaveAutomatically() {
    const std::optional<std::filesystem::path> path = AutomaticSavePath();
    if (!path) return;
    if (Save(*path)) {
        if (observer) observer->AutomaticSaveWritten(*path);
        return;
    }
    ShowMessage("The game could not be saved automatically to " + Quoted(*path) + ".",
                kAutoSaveCaption);
}

void clSolitaireType::DeleteAutomaticSave() {
    if (const std::optional<std::filesystem::path> path = AutomaticSavePath()) {
        RemoveFile(*path);
        if (observer) observer->AutomaticSaveDeleted(*path);
    }
}

void clSolitaireType::ShowMessage(const std::string& text, const std::string& caption) {
    if (host) host->ShowMessage(text, caption);
}

void clSolitaireType::Shutdown() {
    if (!history) return;  // never initialised
    if (options.autoSave && (score != 0 || history->Count() > 0)) SaveAutomatically();
}

void clSolitaireType::SaveGame() {
    if (!paused) Pause();
    if (!host) return;
    const std::optional<std::filesystem::path> path = host->AskSaveFile();
    if (!path) return;
    // The next automatic save would replace the player's file, game over
    // would delete it.
    if (IsAutomaticSave(*path)) {
        ShowMessage("The game cannot be saved as " + Quoted(*path) +
                        ": Qarvel keeps the automatic save of this game there. Please choose "
                        "another name.",
                    kSaveCaption);
        return;
    }
    if (FileExists(*path) && !host->AskYesNo(kOverwriteQuestion, kSaveCaption)) return;
    if (!Save(*path)) {
        ShowMessage("The game could not be saved to " + Quoted(*path) +
                        ". Any file that was there is unchanged.",
                    kSaveCaption);
    }
}

std::string RefusedFileMessage(const std::filesystem::path& path) {
    return "The saved game " + Quoted(path) +
           " cannot be opened: the file is damaged, belongs to no game of Qarvel, "
           "or holds a move the rules do not allow.";
}

clSolitaireType::clLoadResult clSolitaireType::OpenChosenFile(const std::filesystem::path& path) {
    std::string other;
    const clLoadResult result = Load(path, &other);
    if (result == clLoadResult::OtherVariant && host) host->OpenVariantWithFile(other, path);
    if (result == clLoadResult::Refused) ShowMessage(RefusedFileMessage(path), kOpenCaption);
    return result;
}

void clSolitaireType::OpenGame() {
    const bool wasPaused = paused;
    if (!paused) Pause();
    if (options.autoSave) SaveAutomatically();
    const std::optional<std::filesystem::path> path =
        host ? host->AskOpenFile() : std::optional<std::filesystem::path>();
    // Cancelled or refused: the game goes on as it was. (A file of another
    // variant leaves it paused while the window opens that variant.)
    if (!path || OpenChosenFile(*path) == clLoadResult::Refused) {
        if (!wasPaused && paused) Pause();
    }
}

bool clSolitaireType::OpenFile(const std::string& path) {
    return OpenChosenFile(path) == clLoadResult::Loaded;
}

void clSolitaireType::ChangePlayer(const std::string& name) {
    if (!host) return;
    if (options.autoSave) SaveAutomatically();
    if (!host->SwitchPlayer(name)) return;
    // The new player starts from nothing: the old player's score, round and
    // moves are neither carried over nor logged as theirs.
    timer.Stop();
    score = 0;
    round = 0;
    dealNumber = 0;
    history->Clear();
    StartPlay();
}
