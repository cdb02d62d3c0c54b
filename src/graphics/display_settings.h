#pragma once

#include "graphics/display_options.h"
#include "player/settings.h"

class clCardSetList;

// The display's options from the current player's settings: card-size
// limits, the virtual screen, the card-set files and back, the player's
// background and the current screen's.
clDisplayOptions DisplayOptionsFromSettings(const clSettings& settings);

// Writes back what the display may have changed: the raised virtual size,
// file names and back number after a fallback, and background modes after a
// picture could not be read. Values the settings refuse keep their old ones.
void StoreDisplayOptions(const clDisplayOptions& options, clSettings& settings);

// The catalogue as the settings' lookup of a card-set file's index. The
// catalogue must outlive the settings' use of it.
clCardSetLookup CatalogueLookup(const clCardSetList& catalogue);
