#pragma once

#include <QLabel>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/move.h"
#include "solver/solver.h"

class QThread;
class clSettings;
class clSolitaireType;

// What the solver says about the position on the playing screen: the Hint
// command's move, shown on the table until the player's next press or key,
// and the status bar's indicator of whether the deal can still be won.
// Every search runs off the window's thread on a copy of the position, and
// is cancelled as soon as the position changes: play and drawing never
// wait for it.
class clHintControl final : public QObject {
public:
    // The hint's search stops here and shows what it knows; the window
    // shows it within kHintDeadline of the key whatever the machine's load.
    static constexpr std::chrono::milliseconds kHintTime{400};
    static constexpr std::chrono::milliseconds kHintDeadline{500};
    // The indicator waits for the position to settle this long (a chain of
    // moves asks once), then searches within these limits.
    static constexpr std::chrono::milliseconds kSettleTime{150};
    static constexpr std::chrono::milliseconds kIndicatorTime{1000};
    static constexpr std::int64_t kIndicatorNodes = 1'000'000;
    // The player's last hinted deals kept per game: a hinted game resumed
    // from a save, automatic or not, is still a hinted game.
    static constexpr std::size_t kRememberedDeals = 32;

    // The settings keep the deals of the player's hinted games.
    clHintControl(QObject* parent, clSettings& settings);
    ~clHintControl() override;
    clHintControl(const clHintControl&) = delete;
    clHintControl& operator=(const clHintControl&) = delete;

    // The indicator, for the window's status bar.
    QLabel* Indicator() const { return indicator; }

    // The playing screen, or null while the chooser is shown (the indicator
    // then hides). Whatever was running for the old screen is cancelled.
    void SetScreen(clSolitaireType* playing);
    // After every deal, move, undo and load: when the position changed, the
    // searches for the old one are cancelled, the hint shown goes and the
    // indicator asks again once the position settles.
    void PositionMaybeChanged();
    // The Hint command: the next move of a winning line, or when none is
    // known the move that keeps the most options open, with its cards and
    // destination picked out on the table. It costs what an undo costs,
    // once for a position however often it is asked for there.
    void Hint();
    // The player's next press or key: a hint shown is taken off the table.
    void ClearHint();

    // The move shown as a hint, while it is shown.
    const std::optional<clMove>& ShownHint() const { return shown; }
    // Whether the game in progress has had a hint: a game is marked from its
    // first hint to its end, and so is any later game of one of its deals.
    bool GameHinted() const { return gameHinted; }
    // Whether a search is running for the current position.
    bool IsSearching() const;

private:
    // What a search's result belongs to: the screen, its deal, round and
    // history, and the option that changes the lines.
    struct clPositionKey {
        const void* screen = nullptr;
        std::int32_t deal = 0;
        std::int32_t round = 0;
        std::size_t moves = 0;
        std::size_t lastParts = 0;  // a chained move adds to the last record
        bool autoPlay = false;
        friend bool operator==(const clPositionKey&, const clPositionKey&) = default;
    };
    enum class clPurpose { Hint, Indicator };
    struct clJob {
        std::uint64_t id = 0;
        clPurpose purpose = clPurpose::Indicator;
        clPositionKey key;
        std::atomic<bool> cancel{false};
        std::atomic<bool> finished{false};
        // The position changed: the result is dropped when it comes.
        bool stale = false;
        bool delivered = false;
        QThread* thread = nullptr;
    };

    clPositionKey KeyNow() const;
    // The deals of the player's hinted games of the screen's variant, oldest
    // first; a damaged value gives what can be read of it.
    std::vector<std::int32_t> HintedDeals() const;
    void RememberHintedDeal(std::int32_t deal);
    bool CanPlay() const;
    void Start(clPurpose purpose);
    void Delivered(std::uint64_t id, const clSolveResult& result);
    void CancelAll();
    void JoinFinished();
    clJob* Running(clPurpose purpose);
    void StartIndicator();
    void ShowVerdict(const clSolveResult& result);
    void ShowHint(const clSolveResult& result);
    void DrawHint();
    void Note(const std::string& text);

    clSettings& settings;
    QLabel* indicator;
    QTimer settle;
    QTimer hintDeadline;
    clSolitaireType* screen = nullptr;
    clPositionKey current;
    std::vector<std::unique_ptr<clJob>> jobs;
    std::uint64_t nextId = 1;
    // The last result for the current position, to answer a hint at once.
    std::optional<clSolveResult> known;
    std::optional<clMove> shown;
    // The hint paid for at this position: asked again, it is shown free.
    std::optional<clMove> paid;
    bool hintWanted = false;
    bool gameHinted = false;
};
