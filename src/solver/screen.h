#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "engine/move.h"
#include "engine/solitaire_rules.h"

class clRandom;

// A headless screen of the variant at the position reached from `deal` by
// the records `played` (as a history holds them, each checked by the
// rules), dealing from `generator` and playing with the player's options
// (nothing saved, nothing asked). The score starts from 0: the records are
// replayed without their points. Null when the variant is unknown or a
// record is refused.
std::unique_ptr<clSolitaireRules> PositionScreen(std::string_view displayName, std::int32_t deal,
                                                 std::span<const clMove> played,
                                                 const clPlayOptions& options, clRandom& generator);
