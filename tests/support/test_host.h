#pragma once

#include <deque>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/solitaire_type.h"
#include "toolkit/screen_host.h"

// A window for a playing screen without a window: it shows nothing, answers
// the dialogs with the answers a test queued, keeps each player's files in a
// folder of its own under `base`, and records what the screen asked of it.
class clTestHost final : public clScreenHost {
public:
    explicit clTestHost(std::filesystem::path base) : base(std::move(base)) {}

    void PlaySound(clSound) override {}
    void UpdateWindow() override {}
    void Wait(int) override {}
    bool IsControlKeyDown() const override { return false; }
    bool IsAnimationOn() const override { return false; }
    bool AskYesNo(const std::string& text, const std::string&) override {
        questions.push_back(text);
        return yes;
    }
    void SetTitle(const std::string&) override {}
    const std::string& PlayerName() const override { return player; }
    void SetMenuState(const clMenuState& state) override { menuState = state; }
    void ShowStatus(const std::string& text) override { statusNotes.push_back(text); }
    clTextPainter* TextPainter() override { return nullptr; }
    const clImage* TableBackground() const override { return nullptr; }
    void ScoreboardChanged() override {}
    void RecreateTakeScoreButton() override {}
    void LogResult(bool completed, std::int32_t score, std::int32_t round) override {
        logged.push_back(player + (completed ? " completed " : " resigned ") +
                         std::to_string(score) + " " + std::to_string(round));
    }
    void ShowGameOver(std::int32_t, std::int32_t) override {}
    bool ShowRoundOver(std::int32_t, std::int32_t) override { return continueRounds; }

    void ShowMessage(const std::string& text, const std::string&) override {
        messages.push_back(text);
    }
    std::optional<std::filesystem::path> PlayerFolder() override {
        const std::filesystem::path folder = base / player;
        std::filesystem::create_directories(folder);
        return folder;
    }
    std::optional<std::filesystem::path> AskOpenFile() override { return Next(openAnswers); }
    std::optional<std::filesystem::path> AskSaveFile() override { return Next(saveAnswers); }
    void OpenVariantWithFile(const std::string& displayName,
                             const std::filesystem::path& path) override {
        handedOver.push_back(displayName + " " + path.string());
    }
    bool SwitchPlayer(const std::string& name) override {
        const auto found = players.find(name);
        if (found == players.end()) return false;
        player = name;
        if (screen) screen->SetOptions(found->second);
        return true;
    }

    std::filesystem::path Folder() const { return base / player; }

    std::filesystem::path base;
    std::string player = "Ann";
    // The menu state last set, and the status notes shown.
    clMenuState menuState;
    std::vector<std::string> statusNotes;
    // The other players a switch may go to, with their options.
    std::map<std::string, clPlayOptions> players;
    // The screen whose options a player switch sets.
    clSolitaireType* screen = nullptr;
    bool yes = true;
    bool continueRounds = false;
    std::deque<std::optional<std::filesystem::path>> openAnswers;
    std::deque<std::optional<std::filesystem::path>> saveAnswers;

    std::vector<std::string> questions;
    std::vector<std::string> messages;
    std::vector<std::string> logged;
    std::vector<std::string> handedOver;

private:
    static std::optional<std::filesystem::path> Next(
        std::deque<std::optional<std::filesystem::path>>& answers) {
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
