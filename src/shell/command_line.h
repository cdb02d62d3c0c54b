#pragma once

#include <filesystem>
#include <string>
#include <vector>

// What the command line asks for: a player to switch to ("/p NAME"), a saved
// game to open ("/o FILE") and a game to start (any other word). Switches
// begin with "/" or "-" and take the next word. "--help" and "--version"
// ask for a text instead of a start.
struct clCommandLine {
    std::vector<std::string> players;  // in the order given; each switches at once
    std::string game;
    std::string file;
    bool quitAfterStart = false;  // test use: Exit as soon as the window is up
    bool reportStartup = false;   // measuring: print the start-up time and memory, then Exit
    bool help = false;            // print the usage and leave, before any window
    bool version = false;         // print the name and version and leave
    std::string faultForTest;     // test use: crash this way once the window is up

    bool HasStartRequest() const { return !game.empty() || !file.empty(); }
};

// The words after the program's name. Unknown switches are ignored; a switch
// without its word does nothing; the last game or file given wins.
clCommandLine ParseCommandLine(const std::vector<std::string>& words);

// "Qarvel 1.60" and a line end.
std::string VersionText();
// The usage, the switches and where the game keeps its files; `dataFolder`
// is the shipped data the program found.
std::string HelpText(const std::filesystem::path& dataFolder);
