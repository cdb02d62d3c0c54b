#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/move.h"
#include "engine/solitaire_type.h"

// A solver's line as move-file commands (those of qarvel-table), found by
// playing it from the position on a fresh screen through the commands
// themselves: each record is played by the command that makes it (MOVE,
// PAIR, REMOVE, STOCK, or DEAL for what a click on the stock made). Nothing
// when a record cannot be made so, or the line does not end in a won round.
std::optional<std::vector<std::string>> LineAsScript(std::string_view displayName,
                                                     std::int32_t deal,
                                                     std::span<const clMove> played,
                                                     const clPlayOptions& options,
                                                     std::span<const clMove> line);
