#pragma once

#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QTreeView>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "engine/game.h"
#include "graphics/image.h"
#include "shell/game_list_model.h"
#include "shell/game_preview.h"

class QItemSelectionModel;
class QModelIndex;
class QStandardItemModel;
class clMainWindow;
class clProgram;

// The game chooser: every game with the player's figures, in one of four
// views, with the five filter buttons drawn on the table to its left. It is
// the window's screen at start and after each game; a double click, Enter,
// "Play" or "Random" starts a game.
class clGameList final : public clGame {
public:
    clGameList(clMainWindow& window, clProgram& program);
    ~clGameList() override;

    bool Initialize() override;
    void Shutdown() override;
    void NewGame() override;
    void RandomGame() override;
    void TakeScore() override;
    void ShowRules() override;
    void ShowStatistics() override;
    void OnLeftDown(clPoint point) override;
    void OnMouseMove(clPoint point) override;
    void OnLeftUp(clPoint point) override;
    void ShowControls() override;
    void ChangePlayer(const std::string& name) override;
    // The player box, the list and the table follow changed settings.
    void Refresh();
    void Repaint() override;
    bool IsGameList() const override { return true; }
    bool PlayGame(const std::string& name) override;
    void ViewLargeIcons() override { SetView(0); }
    void ViewSmallIcons() override { SetView(1); }
    void ViewList() override { SetView(2); }
    void ViewDetails() override { SetView(3); }
    void ResetColumns() override;
    void TogglePreview() override;

    // The games listed, in the order shown, and the selected one (or null).
    const std::vector<const clGameRecord*>& Listed() const { return listed; }
    const clGameRecord* Selected() const;
    void Select(int row);
    int CurrentView() const { return view; }
    int CurrentFilter() const { return filter; }
    int CurrentSort() const { return sort; }
    // A click on a column header.
    void SortByColumn(int column);
    QTreeView* Details() const { return details; }
    QListView* Icons() const { return icons; }
    QComboBox* PlayerBox() const { return playerBox; }
    // "Daily Challenge" under the filter buttons: today's challenge of the
    // selected game (enabled while one is selected).
    QPushButton* DailyButton() const { return dailyButton; }
    // The line shown instead of an empty list (hidden otherwise).
    QLabel* EmptyHint() const { return emptyHint; }
    // The pane beside the list: the selected game's table, its summary and
    // the player's figures (null while hidden by the player).
    QWidget* PreviewPane() const { return previewPane; }
    QLabel* PreviewPicture() const { return previewPicture; }
    QLabel* PreviewText() const { return previewText; }
    bool ArePreviewsBusy() const { return previews && previews->IsBusy(); }
    // Whether starting the game would resume its automatic save.
    bool HasSavedGame(const clGameRecord& game) const;
    // The status line as it reads now.
    std::string StatusText() const;

private:
    void Fill();
    void SetView(int newView);
    void LayOut();
    void UpdateStatus();
    void FillPlayerBox();
    void StoreColumnWidths();
    void StartSelected(const QModelIndex& index);
    void ShowContextMenu(const QPoint& at);
    void DrawButton(int button, int state);
    void UpdatePreview();
    void RefreshIcon(std::size_t row);
    void PreviewReady(const std::string& name);
    QIcon GameIcon(const clGameRecord& game, bool saved) const;
    int ButtonAt(clPoint point) const;
    // Desktop pixels in device pixels.
    int Scaled(int length) const;

    clMainWindow& window;
    clProgram& program;
    clGameListModel model;
    std::vector<const clGameRecord*> listed;
    // Per listed game, whether it has a saved game in progress (read at each fill).
    std::vector<bool> saved;
    QStandardItemModel* items = nullptr;
    QItemSelectionModel* selection = nullptr;
    QPointer<QTreeView> details;
    QPointer<QListView> icons;
    QPointer<QComboBox> playerBox;
    QPointer<QLabel> emptyHint;
    QPointer<QPushButton> dailyButton;
    QPointer<QWidget> previewPane;
    QPointer<QLabel> previewPicture;
    QPointer<QLabel> previewText;
    std::unique_ptr<clGamePreviews> previews;
    std::array<std::array<clImage, 3>, 5> buttons;
    clImage tile;
    clImage backdrop;  // the tiled background the buttons lie on
    int view = 0;
    int filter = 0;
    int sort = 0;
    int pressed = -1;
    double scale = 1.0;
    bool initialized = false;
};
