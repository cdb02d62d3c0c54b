// Snapshots of a position: taken and restored without dealing again.
#include "engine/table_snapshot.h"

#include <algorithm>
#include <span>

#include "cards/random.h"
#include "engine/solitaire_rules.h"

namespace {

enum : std::uint8_t { kPlaced = 1, kFaceDown = 2, kBlocked = 4 };

}  // namespace

void clSolitaireRules::SaveSnapshot(clTableSnapshot& snapshot) const {
    snapshot.piles.clear();
    snapshot.pileWords.clear();
    for (const auto& pile : allPiles) {
        snapshot.piles.push_back(static_cast<std::int32_t>(pile->Count()));
        for (const clCard* card : pile->Cards())
            snapshot.piles.push_back(card->dealIndex);
        pile->SaveState(snapshot.pileWords);
    }
    const int cards = deck ? deck->Count() : 0;
    snapshot.faces.resize(static_cast<std::size_t>(cards));
    snapshot.values.resize(static_cast<std::size_t>(cards));
    for (int k = 0; k < cards; ++k) {
        const clCard& card = *deck->CardAt(k);
        snapshot.faces[k] = static_cast<std::uint8_t>((card.placed ? kPlaced : 0) |
                                                      (card.faceDown ? kFaceDown : 0) |
                                                      (card.blocked ? kBlocked : 0));
        snapshot.values[k] = card.value;
    }
    snapshot.gameWords.clear();
    SaveGameState(snapshot.gameWords);

    snapshot.dealNumber = dealNumber;
    snapshot.score = score;
    snapshot.round = round;
    snapshot.goal = goal;
    snapshot.bonusStart = bonusStart;
    snapshot.bonusCount = timer.Count();
    snapshot.timerRunning = timer.IsRunning();
    snapshot.paused = paused;
    snapshot.timeUp = timeUp;
    snapshot.roundEnded = roundEnded;
    snapshot.lastRoundWon = lastRoundWon;
    snapshot.lastRoundScore = lastRoundScore;
    snapshot.randomSeed = random->StoredSeed();
    snapshot.randomState = random->State();
    snapshot.historyPosition = history->Position();
    snapshot.stockActions = stockActions;
    snapshot.streak = streak;
    snapshot.longestStreak = longestStreak;
    snapshot.countingPilesEmptied = countingPilesEmptied;
    snapshot.tableauCleared = tableauCleared;
}

void clSolitaireRules::RestoreSnapshot(const clTableSnapshot& snapshot) {
    CancelPick();
    sourcePile = nullptr;
    moveGroup.Clear();
    const int cards = deck ? deck->Count() : 0;
    std::vector<clCard*> laid;
    std::size_t next = 0;
    clStateReader pileWords(snapshot.pileWords);
    for (const auto& pile : allPiles) {
        laid.clear();
        const auto count = next < snapshot.piles.size() ? snapshot.piles[next++] : 0;
        for (std::int32_t i = 0; i < count && next < snapshot.piles.size(); ++i) {
            const std::int32_t k = snapshot.piles[next++];
            if (k >= 0 && k < cards) laid.push_back(deck->CardAt(k));
        }
        pile->Assign(laid);
        pile->RestoreState(pileWords);
        pile->Arrange();
    }
    for (int k = 0; k < cards && static_cast<std::size_t>(k) < snapshot.faces.size(); ++k) {
        clCard& card = *deck->CardAt(k);
        card.placed = (snapshot.faces[k] & kPlaced) != 0;
        card.faceDown = (snapshot.faces[k] & kFaceDown) != 0;
        card.blocked = (snapshot.faces[k] & kBlocked) != 0;
        card.value = snapshot.values[k];
    }
    clStateReader gameWords(snapshot.gameWords);
    RestoreGameState(gameWords);

    dealNumber = snapshot.dealNumber;
    score = snapshot.score;
    round = snapshot.round;
    goal = snapshot.goal;
    bonusStart = snapshot.bonusStart;
    timer.SetCount(snapshot.bonusCount);
    if (snapshot.timerRunning) {
        timer.Start();
    } else {
        timer.Stop();
    }
    paused = snapshot.paused;
    timeUp = snapshot.timeUp;
    roundEnded = snapshot.roundEnded;
    lastRoundWon = snapshot.lastRoundWon;
    lastRoundScore = snapshot.lastRoundScore;
    random->Restore(snapshot.randomSeed, snapshot.randomState);
    history->SetPosition(std::min(snapshot.historyPosition, history->Count()));
    stockActions = snapshot.stockActions;
    streak = snapshot.streak;
    longestStreak = snapshot.longestStreak;
    countingPilesEmptied = snapshot.countingPilesEmptied;
    tableauCleared = snapshot.tableauCleared;
}
