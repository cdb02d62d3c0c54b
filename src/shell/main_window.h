#pragma once

#include <QComboBox>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <map>
#include <memory>
#include <vector>

#include "engine/game.h"
#include "online/daily_challenge.h"
#include "online/play_recorder.h"
#include "shell/animation_pump.h"
#include "shell/card_loader.h"
#include "shell/command_line.h"
#include "shell/qt_text_painter.h"
#include "shell/table_view.h"
#include "shell/take_score_control.h"
#include "shell/window_dialogs.h"
#include "toolkit/screen_host.h"

class QAction;
class QFileDialog;
class QLabel;
class QMenu;
class QSystemTrayIcon;
class QToolBar;
class clHelpWindow;
class clHintControl;
class clOnlineScores;
class clProgram;
class clSolitaireType;
struct clPlayOptions;
struct clWindowPlacement;

// The program's one window: menus, tool bar, the table and the floating
// Take Score button around the current screen. It turns window events into
// calls on the screen, carries out the commands, and is the screen's host.
class clMainWindow final : public QMainWindow, public clScreenHost, public clTableInput {
public:
    clMainWindow(clProgram& program, clWindowDialogs& dialogs);
    ~clMainWindow() override;

    // Makes the display, switches players and opens the game the command line
    // asks for (else the player's last game, else Klondike). False when the
    // program cannot start.
    bool Start(const clCommandLine& line);

    // A menu, accelerator or control command. Commands the current screen does
    // not implement do nothing.
    void ExecuteCommand(int command);

    // The chooser: shown at start without a game, and after every game.
    void ShowChooser();
    // What the chooser asks of the window: its menus, tool bar and status line
    // (on) or a playing screen's (off); its player selector; its menu items.
    void ShowChooserFrame(bool on);
    QComboBox* PlayerBox() const { return playerBox; }
    void SetChooserSelection(bool selected);
    void SetChooserView(int view);
    // A start request from a second start of the program (a game name or a
    // saved game's path; either may be empty).
    void HandleStartRequest(const std::string& game, const std::string& file);
    // Starts a game by display name once the current event is over.
    void RequestGame(const std::string& name);
    // Starts a game now; false, changing nothing, when it cannot be made.
    bool StartGame(const std::string& name);
    // Today's (UTC) daily challenge of a game: every round deals the day's
    // deal of that round. The day's first start is its counted attempt; a
    // later one, or one in Practice Mode, plays it as practice and says so.
    // Request... starts it once the current event is over.
    void RequestDailyChallenge(const std::string& name);
    bool StartDailyChallenge(const std::string& name);
    // Whether the playing screen plays a daily challenge, and as practice.
    bool IsDailyChallenge() const { return daily.has_value(); }
    bool IsDailyPractice() const { return daily && daily->practice; }
    // The help window on its contents (topic 0) or a game's page by topic
    // number.
    void OpenHelpTopic(int topic);
    // The Options menu's dialogs and the Help Center.
    void ShowOptions();
    void ShowGameOptions();
    void ShowCardBacks(QWidget* parent = nullptr);
    void ShowCustomSize();
    void ShowHelpCenter();
    // The tool bar, the Take Score button and the screen follow the settings.
    void RefreshInterface();
    void ShowGameStatistics(const std::string& name);
    // The display and title follow a player change.
    void AfterPlayerChange();

    clGame* Screen() const { return screen.get(); }
    clSolitaireType* PlayingScreen() const { return playing; }
    clTableView* Table() const { return table; }
    clTakeScoreControl* TakeScoreControl() const { return takeScoreControl; }
    // The Hint command and the status bar's "can this deal be won" indicator.
    clHintControl* Hints() const { return hints; }
    QAction* Action(int command) const;
    QToolBar* ToolBar() const { return toolBar; }
    // A playing screen's tool button by command; null when it has none.
    QAction* ToolAction(int command) const;
    // The drawing area or the size mode changed and the cards have yet to
    // follow it (the size is settling, or the new pictures are being made).
    bool IsCardSizeSettling() const { return cardSettle.isActive() || cardLoader.IsBusy(); }
    // One frame of the cards in flight (the frame timer calls it while they fly).
    void AnimationFrame();
    const clQtAnimationPump& AnimationPump() const { return pump; }

    // The chooser's status line.
    QLabel* ChooserStatus() const { return chooserStatus; }
    // The status line's text (shown while the game chooser is current).
    void SetStatusText(const std::string& text);
    // One tick of the round timer (the 100 ms timer calls it).
    void TimerTick();
    // The round's clock stands still while a dialog or another window of the
    // game's own is in use.
    bool IsClockHeld() const;

    // clScreenHost
    void PlaySound(clSound sound) override;
    void UpdateWindow() override;
    void Wait(int milliseconds) override;
    bool IsControlKeyDown() const override;
    bool IsAnimationOn() const override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    void SetTitle(const std::string& title) override;
    const std::string& PlayerName() const override;
    void SetMenuState(const clMenuState& state) override;
    void ShowStatus(const std::string& text) override;
    clTextPainter* TextPainter() override;
    const clImage* TableBackground() const override;
    void ScoreboardChanged() override;
    void RecreateTakeScoreButton() override;
    void LogResult(bool completed, std::int32_t score, std::int32_t round) override;
    void ShowGameOver(std::int32_t score, std::int32_t round) override;
    bool ShowRoundOver(std::int32_t score, std::int32_t round) override;
    void ShowMessage(const std::string& text, const std::string& caption) override;
    std::optional<std::filesystem::path> PlayerFolder() override;
    std::optional<std::filesystem::path> AskOpenFile() override;
    std::optional<std::filesystem::path> AskSaveFile() override;
    void OpenVariantWithFile(const std::string& displayName,
                             const std::filesystem::path& path) override;
    bool SwitchPlayer(const std::string& name) override;

    // clTableInput
    void TableLeftDown(clPoint point) override;
    void TableLeftUp(clPoint point) override;
    void TableRightDown(clPoint point) override;
    void TableRightUp(clPoint point) override;
    void TableMiddleDown() override;
    void TableMouseMove(clPoint point) override;
    void TableResized(int width, int height) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    friend class clWindowOptions;

    // The window: where it opens, and how the program ends.
    QRect StartGeometry(const clWindowPlacement& place) const;
    void Quit();
    // Another program took the focus: the game pauses when its option says so.
    void FocusLost();
    void EnterTray();
    void LeaveTray();

    // A daily challenge being played: its day, the game's key, and whether
    // it is practice (then nothing is logged or sent).
    struct clDailyRun {
        clDay day;
        std::string key;
        bool practice = false;
    };
    // A variant's screen in this window, not yet shown; null for an unknown
    // name or a game that cannot be made. With `run` it deals that day's
    // challenge.
    std::unique_ptr<clSolitaireType> MakeScreen(const std::string& name,
                                                std::optional<clDailyRun> run = std::nullopt);
    // The player's options for the playing screen, with its daily challenge's
    // deals and practice when it plays one.
    clPlayOptions PlayOptionsFor(bool offersAutoPlay, const std::optional<clDailyRun>& run) const;
    // The counted attempt is over (logged): the rest of the day is practice.
    void EndDailyAttempt();
    // Makes a screen current: the player's values for the game, the display
    // laid out for its table, a new game dealt.
    void Install(std::unique_ptr<clSolitaireType> made);
    void CloseScreen();
    // Makes a variant current and opens a saved game in it.
    void OpenGameFile(const std::string& displayName, const std::filesystem::path& path);
    void SetPlayerTitle();
    void RemoveStaleSaves();

    // The menus and tool bars.
    void BuildMenus();
    void BuildChooserMenus();
    void AddInternetItems(QMenu* internet, int highScoresCommand);
    void AddHelpItems(QMenu* help, const QString& rulesCaption);
    void ShowMenus(bool chooser);
    void BuildToolBar();
    void FillToolBar(bool chooser);
    QAction* AddCommand(QMenu* menu, int command, const QString& caption, bool checkable = false);
    void FillCardSetMenu();

    // What the commands do, where it takes more than a call.
    void TogglePracticeMode();
    void TogglePause();
    void ShowScreenRules();
    void ShowScreenStatistics();
    void ToggleAutoSave();
    void AddToFavorites();
    void CreateDesktopShortcut();
    void OpenWebPage(const std::string& key, const std::string& suffix = {});
    void OpenUrl(const std::string& url);

    // The player's keys and pointer.
    bool HandleKey(QKeyEvent* event);
    bool IsInputAllowed() const;
    bool IsOnScreen(clPoint point) const;
    // Whether a pile of the playing screen is labelled with the key.
    bool PilesTakeKey(int key) const;

    // The cards follow the window.
    void ChooseCardSize(int index);
    void ChooseCardSet(int index);
    void UpdateCardSizeChecks();
    void CardSizeSettled();
    // Has the pictures for the card size in force made off the window's
    // thread, when the display lacks them; they replace the shown ones when
    // they are ready (CardsLoaded), and a newer size stops an older load.
    void RequestCards();
    void CardsLoaded(const clCardLoadPlan& plan, clCardPictures&& pictures, bool ok);
    // The window moved to a screen of another pixel density.
    void FollowScale();
    void RepaintScreen();

    // The Take Score control.
    void ShowControls();
    void PlaceTakeScoreControl();
    // Where the control sits until the player moves it: beside the score
    // panel, where no card of any layout lies.
    clRect DefaultTakeScorePlace(const clRect& control) const;
    void TakeScoreControlMoved(const QRect& place);

    // The Save and Open dialogs.
    std::optional<std::filesystem::path> RunFileDialog(QFileDialog& dialog);
    // The folder the Save and Open dialogs start in, and the one they keep
    // for next time (the folder of the file chosen).
    QString SavedGamesFolder();
    void RememberSavedGamesFolder(const QString& file);

    clProgram& program;
    // Open dialogs of the game's own (the round's clock stands still meanwhile).
    int dialogDepth = 0;
    clClockHoldingDialogs dialogs;
    // The record of the game on the playing screen, and of a screen made but
    // not yet installed; each outlives its screen.
    std::unique_ptr<clPlayRecorder> recorder;
    std::unique_ptr<clPlayRecorder> madeRecorder;
    // The daily challenge of the playing screen, and of a screen made but not
    // yet installed; `dailyResultLogged` from the counted game's result to
    // its Game Over.
    std::optional<clDailyRun> daily;
    std::optional<clDailyRun> madeDaily;
    bool dailyResultLogged = false;
    std::unique_ptr<clGame> screen;
    clSolitaireType* playing = nullptr;
    // The playing screen's online lists, which its Round Over dialogs show.
    std::unique_ptr<clOnlineScores> onlineScores;
    clTableView* table;
    QToolBar* toolBar = nullptr;
    QLabel* dealLabel = nullptr;
    QLabel* chooserStatus = nullptr;
    QMenu* cardSetMenu = nullptr;
    QMenu* cardSizeMenu = nullptr;
    // The two menus and tool bars: the chooser's and a playing screen's.
    std::map<int, QAction*> playingActions;
    std::map<int, QAction*> chooserActions;
    std::map<int, QAction*>* building = &playingActions;
    std::vector<QMenu*> playingMenus;
    std::vector<QMenu*> chooserMenus;
    std::vector<QAction*> playingTools;
    std::vector<QAction*> chooserTools;
    std::map<int, QAction*> playingToolsByCommand;
    QPointer<QComboBox> playerBox;
    bool chooserShown = false;
    clTakeScoreControl* takeScoreControl = nullptr;
    clHintControl* hints = nullptr;
    // What the control's default place was found for, and that place.
    struct clTakeScoreLayout {
        const void* screen = nullptr;
        std::int32_t deal = 0, round = 0;
        int virtualWidth = 0, virtualHeight = 0, cardWidth = 0, cardHeight = 0;
        int scrollX = 0, scrollY = 0, width = 0, height = 0;
        friend bool operator==(const clTakeScoreLayout&, const clTakeScoreLayout&) = default;
    };
    clTakeScoreLayout takeScoreLayout;
    clRect takeScoreDefault;
    // Made at the first help asked for, then shown again.
    QPointer<clHelpWindow> helpWindow;
    QSystemTrayIcon* trayIcon = nullptr;
    clQtTextPainter textPainter;
    clQtAnimationPump pump;
    QTimer roundTimer;
    QTimer cardSettle;
    clCardLoader cardLoader;
    // A load that failed is not started again (the display's own load said why).
    std::optional<clCardLoadPlan> failedCardLoad;
    std::vector<clRect> shownPanels;
    // The double-click test: a second left press at the same place in time.
    QElapsedTimer lastLeftDown;
    clPoint lastLeftPoint{-1, -1};
    bool closing = false;
    bool screenWatched = false;
    bool gameRequested = false;
};
