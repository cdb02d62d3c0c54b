#include "shell/command_line.h"

#include "toolkit/product.h"

clCommandLine ParseCommandLine(const std::vector<std::string>& words) {
    clCommandLine line;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.empty()) continue;
        if (word == "--quit-after-start") {
            line.quitAfterStart = true;
            continue;
        }
        if (word == "--report-startup") {
            line.reportStartup = true;
            continue;
        }
        if (word == "--help" || word == "-h" || word == "/?" || word == "-?") {
            line.help = true;
            continue;
        }
        if (word == "--version") {
            line.version = true;
            continue;
        }
        if (word == "--fault-for-test") {
            if (i + 1 < words.size()) line.faultForTest = words[++i];
            continue;
        }
        if (word[0] != '/' && word[0] != '-') {
            line.game = word;
            continue;
        }
        const bool hasValue = i + 1 < words.size();
        if (word == "/o" || word == "/O" || word == "-o" || word == "-O") {
            if (hasValue) line.file = words[++i];
        } else if (word == "/p" || word == "/P" || word == "-p" || word == "-P") {
            if (hasValue) line.players.push_back(words[++i]);
        }
    }
    return line;
}

std::string VersionText() {
    return std::string(kProductName) + " " + kProductVersion + "\n";
}

std::string HelpText(const std::filesystem::path& dataFolder) {
    std::string text = R"(Usage: qarvel [/p PLAYER] [GAME | /o SAVED-GAME]
       qarvel --help | --version

An arcade solitaire: dozens of patience games, each played as timed rounds
for points. Without a game it opens the game chooser.

  GAME             start this game: its name or key, in any case
                   (Klondike, "Spider One Suit", spideronesuit)
  /p PLAYER        switch to this player first (also -p)
  /o SAVED-GAME    open a saved game (.qarvel) in its own game (also -o)
  --help           print this text and leave
  --version        print the version and leave

When the game is running already, a second start with a game or a saved game
hands it to the running window.

Files:
  ~/.config/Ternwick/Qarvel.conf    settings (under $XDG_CONFIG_HOME when set)
  ~/.local/share/Ternwick/Qarvel/   a folder per player: statistics and saved
                                    games (under $XDG_DATA_HOME when set)
  ~/.local/share/Ternwick/          your own card sets (*.cards, *.dat)
  qarvel.error                      crash reports, in the documents folder
)";
    text += "  " + dataFolder.string() + "\n";
    text += "      the card sets, pictures, sounds and help pages ($QARVEL_DATA when set)\n";
    return text;
}
