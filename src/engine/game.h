#pragma once

#include <string>

#include "graphics/table_coords.h"

// The base of every screen: the chooser and the playing screens. The shell
// owns one current screen and reaches it only through these operations, which
// turn window events, menu commands and posted messages into behaviour.
// Operations a screen does not implement do nothing.
class clGame {
public:
    virtual ~clGame() = default;

    virtual bool Initialize() { return true; }
    virtual void Shutdown() {}
    virtual void NewGame() {}
    virtual void RandomGame() {}
    virtual void OpenGame() {}
    virtual void SaveGame() {}
    virtual void Undo() {}
    virtual void ShowRules() {}
    virtual void TakeScore() {}
    virtual void Pause() {}
    // A paused screen receives no button presses, releases or characters.
    virtual bool IsPaused() const { return false; }
    virtual void OnFocusLost() {}
    virtual void GameOptions() {}
    virtual void ShowStatistics() {}
    virtual void AddToFavorites() {}
    virtual void CreateDesktopShortcut() {}
    virtual void ToggleAutoSave() {}
    // Points are virtual-screen pixels.
    virtual void OnLeftDown(clPoint point) { (void)point; }
    virtual void OnLeftUp(clPoint point) { (void)point; }
    virtual void OnRightDown(clPoint point) { (void)point; }
    virtual void OnRightUp(clPoint point) { (void)point; }
    virtual void OnMouseMove(clPoint point) { (void)point; }
    virtual void OnDoubleClick(clPoint point) { (void)point; }
    virtual void OnChar(int character) { (void)character; }
    virtual void ShowControls() {}
    virtual void ChangePlayer(const std::string& name) { (void)name; }
    virtual void Repaint() {}
    virtual void OnAnimationStep() {}
    virtual void OnTimerTick() {}
    virtual bool IsGameList() const { return false; }
    virtual bool PlayGame(const std::string& name) {
        (void)name;
        return false;
    }
    virtual bool OpenFile(const std::string& path) {
        (void)path;
        return false;
    }
    virtual void ViewLargeIcons() {}
    virtual void ViewSmallIcons() {}
    virtual void ViewList() {}
    virtual void ViewDetails() {}
    virtual void ResetColumns() {}
    // The chooser's preview pane shown or hidden.
    virtual void TogglePreview() {}
};
