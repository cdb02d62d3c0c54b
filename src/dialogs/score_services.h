#pragma once

#include <functional>
#include <string>

#include "toolkit/sound.h"

class clClock;
class clDateFormat;
class clDrawTarget;
class clMessages;
class clPlayerFolders;
class clSettings;

// What the score dialogs work with from the program around them: the
// player's settings and folders, the clock, message boxes and the wait
// cursor, the date formats, the sounds, the browser, the Yes/No question and
// the table behind the dialog.
struct clScoreServices {
    clSettings& settings;
    const clPlayerFolders& folders;
    const clClock& clock;
    clMessages& messages;
    const clDateFormat& dateFormat;
    // Plays a sound (the player's "sounds" setting is checked before).
    std::function<void(clSound)> playSound;
    // Opens a web address in the browser.
    std::function<void(const std::string& url)> openUrl;
    // A question with Yes and No; true for Yes.
    std::function<bool(const std::string& text, const std::string& caption)> askYesNo;
    // Where the Game Over and Round Over card shower falls; null for none.
    clDrawTarget* table = nullptr;
};
