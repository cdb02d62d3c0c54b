#pragma once

#include <memory>
#include <string_view>
#include <vector>

class clScreenHost;
class clSolitaireType;

// Creates the playing screen of a variant by its display name (exact, case
// sensitive) and initialises it, in the window `host` when one is given.
// Null when no variant has that name or its initialisation failed (the
// half-built screen is destroyed).
std::unique_ptr<clSolitaireType> CreateVariant(std::string_view displayName,
                                               clScreenHost* host = nullptr);

// Whether a variant of that display name can be created.
bool IsRegistered(std::string_view displayName);

// The display names of every variant that can be created, in registration order.
std::vector<std::string_view> RegisteredVariants();
