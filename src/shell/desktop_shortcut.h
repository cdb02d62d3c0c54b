#pragma once

#include <filesystem>
#include <string>

// A desktop launcher that starts the program as a player with a game:
// "<player>'s <game>.desktop", running the program with /p "player" "game".

// The launcher's text. Both names are quoted for the command line (so any
// character is safe), and the entry's own escapes are applied on top.
std::string DesktopEntry(const std::filesystem::path& program, const std::string& player,
                         const std::string& game);

// The launcher's file name: "<player>'s <game>.desktop", with path separators
// and control characters replaced so the file stays in the desktop folder.
std::string DesktopFileName(const std::string& player, const std::string& game);

// Writes the launcher into `folder` (made executable, as desktops require);
// false when it cannot be written.
bool WriteDesktopShortcut(const std::filesystem::path& folder, const std::filesystem::path& program,
                          const std::string& player, const std::string& game);
