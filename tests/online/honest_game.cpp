#include "online/honest_game.h"

#include <memory>
#include <random>

#include "cards/random.h"
#include "engine/solitaire_rules.h"
#include "online/play_recorder.h"
#include "support/random_play.h"
#include "variants/registry.h"

std::optional<clHonestGame> PlayHonestGame(
    std::string_view name, std::uint32_t seed, int firstRoundSteps,
    const std::function<std::int32_t(std::int32_t round)>& deals) {
    clPlayRecorder recorder{std::string(name)};
    const std::unique_ptr<clSolitaireType> screen =
        CreateVariant(name, nullptr, nullptr, &recorder);
    auto* game = dynamic_cast<clSolitaireRules*>(screen.get());
    if (game == nullptr) return std::nullopt;
    clRandom generator;
    generator.Seed(static_cast<std::int32_t>(seed % 1000 + 1));
    game->SetGenerator(generator);
    // A deal number of the caller's, or 0: a fresh one from the generator.
    const auto deal = [&](std::int32_t round) { return deals ? deals(round) : 0; };
    std::mt19937 chance(seed);

    game->StartRound(deal(1));
    for (int round = 1; round <= 12; ++round) {
        game->StartTimer();
        const int steps = round == 1 ? firstRoundSteps : 6;
        for (int step = 0; step < steps && !game->RoundEnded(); ++step) {
            for (int tick = 0; tick < 4; ++tick)
                game->TimerTick();
            if (step % 5 == 4 && game->Score() > 0 && game->History().Position() > 0) {
                game->Undo();
            } else if (!PlayRandomStep(*game, chance)) {
                break;
            }
        }
        if (!game->RoundEnded()) {
            if (round == 1) {
                game->TakeScore();
            } else {
                while (!game->RoundEnded())
                    game->TimerTick();
            }
        }
        if (!game->LastRoundWon()) {
            const std::optional<clPlayRecord> record = recorder.Record();
            if (!record) return std::nullopt;
            return clHonestGame{*record, game->LastRoundScore(), round};
        }
        game->StartRound(deal(round + 1));
    }
    return std::nullopt;
}
