// The Options menu's dialogs in the game window: the options sheet, a game's
// own options, the card backs, the custom card size, and the Help Center.
#include "shell/window_options.h"

#include <QAction>
#include <QLayout>
#include <QToolBar>
#include <cmath>

#include "dialogs/help_center.h"
#include "dialogs/options_sheet.h"
#include "dialogs/qt_picture.h"
#include "dialogs/select_back.h"
#include "dialogs/small_dialogs.h"
#include "engine/solitaire_type.h"
#include "graphics/interface_cache.h"
#include "player/player_folders.h"
#include "shell/commands.h"
#include "shell/game_list.h"
#include "shell/main_window.h"
#include "shell/program.h"
#include "shell/window_dialogs.h"
#include "toolkit/operation_error.h"

void clMainWindow::ShowOptions() {
    clWindowOptions host(*this, program, dialogs);
    clOptionsSheet sheet(host, this);
    dialogs.RunOptions(sheet);
}

// The window follows the settings the sheet changed.
void clMainWindow::RefreshInterface() {
    clSettings& settings = program.Settings();
    toolBar->setVisible(settings.Flag(clFlag::Toolbar));
    if (playing) {
        const bool offersAutoPlay = playing->OffersAutoPlay();
        playing->SetOptions(PlayOptionsFor(offersAutoPlay, daily));
        playing->Graphics().SetShowKeyLabels(settings.Flag(clFlag::Keyboard));
        playing->Graphics().SetDragShadow(settings.Flag(clFlag::Animation));
        table->SetAutoScroll(settings.Flag(clFlag::AutoScroll));
        Action(clCommand::kGameSaving)->setChecked(settings.Flag(clFlag::Autosave));
    } else if (auto* chooser = dynamic_cast<clGameList*>(screen.get())) {
        chooser->Refresh();
    }
    layout()->activate();
    TableResized(table->DeviceSize().width(), table->DeviceSize().height());
    UpdateCardSizeChecks();
    ShowControls();
    if (screen) screen->ShowControls();
}

// A game's own options: the favourite mark and AutoPlay.
void clMainWindow::ShowGameOptions() {
    if (!playing) return;
    clSettings& settings = program.Settings();
    const bool offersAutoPlay = playing->OffersAutoPlay();
    clSolitaireDialog dialog(this, playing->DisplayName(), settings.CurrentFavorite(),
                             offersAutoPlay, settings.CurrentAutoPlay());
    if (!dialogs.RunDialog(dialog)) return;
    settings.SetCurrentFavorite(dialog.Favorite());
    if (offersAutoPlay) settings.SetCurrentAutoPlay(dialog.AutoPlay());
    settings.SaveGameValues(playing->DisplayName(), offersAutoPlay);
    playing->SetOptions(PlayOptionsFor(offersAutoPlay, daily));
}

void clMainWindow::ShowCardBacks(QWidget* parent) {
    if (!program.HasDisplay()) return;
    clSelectBack dialog(parent ? parent : this, program.Display(), program.DisplayOptions(),
                        program.Catalogue());
    dialogs.RunDialog(dialog);
    // Cancel has put the old set back; either way the table shows what is in force.
    program.StoreDisplaySettings();
    RepaintScreen();
}

void clMainWindow::ShowCustomSize() {
    if (!program.HasDisplay()) return;
    clDisplay& display = program.Display();
    // Sizes are typed in desktop pixels.
    // The size in force, which the shown pictures may still be on their way to.
    const double scale = display.Scale();
    const clPictureSize size = display.DesiredCardSize({display.CardWidth(), display.CardHeight()});
    clCustomSizeDialog dialog(this, program.Catalogue().Current(clCardFile::Cards),
                              {static_cast<int>(std::lround(size.width / scale)),
                               static_cast<int>(std::lround(size.height / scale))});
    if (dialogs.RunDialog(dialog)) {
        clDisplayOptions& options = program.DisplayOptions();
        options.minSize = 0;
        options.maxSize = 0;
        options.fitWindow = false;
        if (dialog.IsNative()) {
            display.SetNativeSize(dialog.NativeSet());
        } else {
            display.SetCustomSize(dialog.CustomSize().width, dialog.CustomSize().height);
        }
        program.StoreDisplaySettings();
        RepaintScreen();
        TableResized(table->DeviceSize().width(), table->DeviceSize().height());
    }
    // The check marks show the size mode in force (the menu item checked itself).
    UpdateCardSizeChecks();
}

// The help picture's places open the help pages and the web site's pages;
// its box is the `help` setting, however the dialog closes.
void clMainWindow::ShowHelpCenter() {
    // A copy: the view's pixels belong to the cache, which goes with this block.
    QImage picture;
    try {
        clCache help(program.DataFolder(), clCache::kHelpFile);
        clImage view;
        if (help.GetInterfaceImage(view, 0, 0, 0, 0, program.Messages())) {
            picture = ImageView(view).copy();
        }
    } catch (const clOperationError&) {
        picture = QImage();
    }
    clSettings& settings = program.Settings();
    clHelpCenter dialog(this, std::move(picture), settings.Help(),
                        [this](const clInterfaceLayout::clHotRectangle& hot) {
                            if (hot.webPage.empty()) {
                                OpenHelpTopic(hot.helpTopic);
                            } else {
                                OpenWebPage(std::string(hot.webPage));
                            }
                        });
    dialogs.RunDialog(dialog);
    settings.SetHelp(dialog.ShowAtStart());
}

clSettings& clWindowOptions::Settings() {
    return program.Settings();
}

clCardSetList& clWindowOptions::Catalogue() {
    return program.Catalogue();
}

clDisplay* clWindowOptions::Display() {
    return program.HasDisplay() ? &program.Display() : nullptr;
}

clDisplayOptions& clWindowOptions::DisplayOptions() {
    return program.DisplayOptions();
}

void clWindowOptions::StoreDisplaySettings() {
    program.StoreDisplaySettings();
}

bool clWindowOptions::IsChooser() const {
    return window.PlayingScreen() == nullptr;
}

std::filesystem::path clWindowOptions::DataFolder() const {
    return program.DataFolder();
}

void clWindowOptions::RefreshInterface() {
    window.RefreshInterface();
}

void clWindowOptions::RefreshScreen() {
    window.RepaintScreen();
}

void clWindowOptions::ApplyCardSet(int index) {
    window.ChooseCardSet(index);
}

void clWindowOptions::ApplyCardSize(int index) {
    window.ChooseCardSize(index);
}

void clWindowOptions::ApplyBackground() {
    if (!program.HasDisplay()) return;
    clDisplay& display = program.Display();
    display.SetScreenBackground(program.DisplayOptions().current);
    display.ChangeBackground();
    display.CopyBackgroundToScreen();
    program.StoreDisplaySettings();
    window.RepaintScreen();
}

bool clWindowOptions::ChangePlayer(const std::string& name) {
    if (clGame* screen = window.Screen()) screen->ChangePlayer(name);
    return program.Settings().Player() == name;
}

// A name the store has already (in any case of A-Z) is that player's.
std::optional<std::string> clWindowOptions::AddPlayer(const std::string& name) {
    if (!IsValidPlayerName(name)) return std::nullopt;
    clSettings& settings = program.Settings();
    std::string stored = name;
    bool existing = false;
    for (const std::string& player : settings.ListPlayers()) {
        if (SamePlayerName(player, name)) {
            stored = player;
            existing = true;
        }
    }
    if (!existing) settings.WritePlayerDefaults(stored);
    if (!settings.PlayerExists(stored) || !ChangePlayer(stored)) return std::nullopt;
    return stored;
}

bool clWindowOptions::DeletePlayer(const std::string& name, clPlayerFiles files) {
    return program.Players().DeletePlayer(name, files);
}

void clWindowOptions::OpenWebPage(const std::string& key) {
    window.OpenWebPage(key);
}

bool clWindowOptions::RunDialog(clDialog& dialog) {
    return dialogs.RunDialog(dialog);
}

void clWindowOptions::ShowMessage(QWidget* parent, const std::string& text,
                                  const std::string& caption) {
    dialogs.ShowMessage(parent, text, caption);
}

std::optional<std::string> clWindowOptions::AskNewPlayer(QWidget* parent) {
    return dialogs.AskPlayerName(parent);
}

std::optional<std::uint32_t> clWindowOptions::ChooseColour(QWidget* parent, std::uint32_t colour) {
    return dialogs.ChooseColour(parent, colour);
}

std::optional<std::string> clWindowOptions::ChooseImageFile(QWidget* parent) {
    return dialogs.ChooseImageFile(parent);
}

void clWindowOptions::SelectCardBack(QWidget* parent) {
    window.ShowCardBacks(parent);
}
