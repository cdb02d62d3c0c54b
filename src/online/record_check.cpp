#include "online/record_check.h"

#include <algorithm>
#include <climits>
#include <memory>

#include "cards/random.h"
#include "engine/deck.h"
#include "engine/saved_game.h"
#include "engine/solitaire_rules.h"
#include "online/play_record.h"
#include "variants/registry.h"

namespace {

// The running score as the game keeps it: saturating at the limits of its type.
class clScore {
public:
    void Add(std::int64_t points) {
        value = std::clamp<std::int64_t>(value + points, INT32_MIN, INT32_MAX);
    }
    std::int32_t Value() const { return static_cast<std::int32_t>(value); }

private:
    std::int64_t value = 0;
};

std::string Where(std::size_t round, std::size_t step) {
    return "round " + std::to_string(round + 1) + ", step " + std::to_string(step + 1);
}

// Plays a record's move as the game scored it when it was made: a compound
// part by part, each on the table the parts before it left. The points.
std::int32_t PlayScored(clSolitaireRules& game, const clMove& move) {
    if (move.type != clMoveType::Compound) {
        const std::int32_t points = game.ScoreMove(move);
        game.DoMove(move);
        return points;
    }
    std::int64_t points = 0;
    for (const clMove& part : move.parts) {
        points += game.ScoreMove(part);
        game.DoMove(part);
    }
    // The compound as a whole leaves the table as its parts did; AfterMove
    // ran after each.
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(points, INT32_MIN, INT32_MAX));
}

}  // namespace

std::optional<std::string> CheckPlayRecord(const clPlayRecord& record, std::string_view gameName,
                                           std::int32_t score, std::int32_t round,
                                           const clRecordLimits& limits) {
    if (record.gameName != gameName) return "the record is of another game";
    if (record.rounds.empty()) return "the record holds no round";
    const std::unique_ptr<clSolitaireType> made = CreateVariant(gameName);
    auto* game = dynamic_cast<clSolitaireRules*>(made.get());
    if (game == nullptr) return "the game cannot be replayed";
    clRandom generator;
    game->SetGenerator(generator);
    const clPointSystem& points = game->Points();

    clScore total;
    for (std::size_t r = 0; r < record.rounds.size(); ++r) {
        const clRecordRound& played = record.rounds[r];
        const auto number = static_cast<std::int32_t>(r + 1);
        const std::string roundName = "round " + std::to_string(r + 1);
        if (played.dealNumber < 1 || played.dealNumber > clSavedGameFile::kMaxDealNumber)
            return roundName + " has no deal number";
        const std::int32_t bonusStart = points.Bonus(number);
        // The pace is checked before the replay, which it also keeps short.
        if (!played.endCount) return roundName + " has no end";
        const std::int32_t end = *played.endCount;
        if (end > bonusStart || end < 0)
            return roundName + " ends with a time bonus it cannot have (" + std::to_string(end) +
                   " tenths, from " + std::to_string(bonusStart) + ")";
        const auto steps = static_cast<std::int64_t>(played.steps.size());
        const double seconds = (bonusStart - end) / 10.0 + 1.0;
        if (static_cast<double>(steps) > limits.maxPace * seconds)
            return roundName + " has " + std::to_string(steps) + " steps in " +
                   std::to_string((bonusStart - end) / 10) + " seconds, faster than anyone plays";
        game->History().Clear();
        game->StartDeal(played.dealNumber);

        std::int32_t count = bonusStart;
        bool solved = game->IsGameWon();
        for (std::size_t s = 0; s < played.steps.size(); ++s) {
            const clRecordStep& step = played.steps[s];
            if (solved) return Where(r, s) + ": a step after the round was solved";
            if (step.count > count)
                return Where(r, s) + ": the time bonus rises (from " + std::to_string(count) +
                       " to " + std::to_string(step.count) + " tenths)";
            if (step.count < 0) return Where(r, s) + ": the time bonus is below 0";
            count = step.count;
            switch (step.kind) {
                case clRecordStep::clKind::Move:
                    if (!game->NamesOwnPiles(step.move) || !game->ValidateMove(step.move))
                        return Where(r, s) + ": a move the rules do not allow";
                    if (!game->History().CanPush(step.move))
                        return Where(r, s) + ": more moves than a round can hold";
                    total.Add(PlayScored(*game, step.move));
                    game->History().Push(step.move);
                    break;
                case clRecordStep::clKind::Undo: {
                    const clMove* last = game->History().StepBack();
                    if (last == nullptr) return Where(r, s) + ": an undo with no move to undo";
                    if (total.Value() <= 0)
                        return Where(r, s) + ": an undo at a score of 0 or less";
                    total.Add(-std::int64_t{points.UndoCost()});
                    const clMove move = *last;
                    const std::int32_t before = game->Score();
                    game->UndoMove(move);
                    total.Add(std::int64_t{game->Score()} - before);
                    break;
                }
                case clRecordStep::clKind::Turn: {
                    const clCard* card = game->Deck().CardAt(step.card);
                    if (points.values.cardTurnCost == 0 || card == nullptr || !card->placed)
                        return Where(r, s) + ": a card turned that the game cannot turn";
                    total.Add(-std::int64_t{points.values.cardTurnCost});
                    break;
                }
            }
            solved = game->IsGameWon();
        }

        if (end > count || end < 0)
            return roundName + " ends with a time bonus it cannot have (" + std::to_string(end) +
                   " tenths after " + std::to_string(count) + ")";
        // A solved table ends the round at once; only Take Score or the
        // clock runs it on.
        if (solved && end != count)
            return roundName + " was solved at a time bonus of " + std::to_string(count) +
                   " tenths but ended at " + std::to_string(end);
        total.Add(std::int64_t{end} * 10);
        if (r + 1 < record.rounds.size() && total.Value() < points.Goal(number))
            return roundName + " ended below its goal, so the game could not go on";
    }
    if (static_cast<std::int32_t>(record.rounds.size()) != round)
        return "the record has " + std::to_string(record.rounds.size()) + " rounds, not the " +
               std::to_string(round) + " submitted";
    if (total.Value() != score)
        return "the replay scores " + std::to_string(total.Value()) + " points, not the " +
               std::to_string(score) + " submitted";
    return std::nullopt;
}
