#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

class clPlayObserver;
class clScreenHost;
class clSolitaireType;
struct clPlayOptions;

// Creates the playing screen of a variant by its display name (exact, case
// sensitive) and initialises it, in the window `host` when one is given, with
// the player's options when given (a screen in a window loads its automatic
// save as it initialises, and the options say whether there is one and which).
// Null when no variant has that name or its initialisation failed (the
// half-built screen is destroyed). An observer given hears of the game from
// its first deal or resumed save on.
std::unique_ptr<clSolitaireType> CreateVariant(std::string_view displayName,
                                               clScreenHost* host = nullptr,
                                               const clPlayOptions* options = nullptr,
                                               clPlayObserver* observer = nullptr);

// Whether a variant of that display name can be created.
bool IsRegistered(std::string_view displayName);
// The registered display name equal to `name` without regard to the case of
// A-Z (as saved games name their variant); nothing when there is none.
std::optional<std::string_view> RegisteredName(std::string_view name);

// The display names of every variant that can be created, in registration order.
std::vector<std::string_view> RegisteredVariants();
