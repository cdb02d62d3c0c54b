#pragma once

#include <memory>
#include <string_view>
#include <vector>

class clPlayObserver;
class clScreenHost;
class clSolitaireType;
struct clPlayOptions;

// Every row of the catalogue, on the chooser or hidden, is one variant here.

// Creates the playing screen of a variant by its display name (exact, case
// sensitive) with BuildScreen: in the window `host` when one is given, with
// the player's options when given (the options say whether there is an
// automatic save and which). Null when no variant has that name or its
// initialisation failed. An observer given hears of the game from its first
// deal or resumed save on.
std::unique_ptr<clSolitaireType> CreateVariant(std::string_view displayName,
                                               clScreenHost* host = nullptr,
                                               const clPlayOptions* options = nullptr,
                                               clPlayObserver* observer = nullptr);

// Whether a variant of that display name can be created.
bool IsRegistered(std::string_view displayName);

// The display names of every variant that can be created, in registration order.
std::vector<std::string_view> RegisteredVariants();
