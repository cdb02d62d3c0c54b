#include "shell/command_line.h"

#include <gtest/gtest.h>

TEST(CommandLineTest, PlayersGamesAndFiles) {
    struct {
        std::vector<std::string> words;
        std::vector<std::string> players;
        std::string game, file;
    } cases[] = {
        {{"Klondike"}, {}, "Klondike", ""},
        {{"/p", "Anna", "Klondike"}, {"Anna"}, "Klondike", ""},
        {{"-P", "Anna Lee", "/o", "/tmp/a game.qarvel"}, {"Anna Lee"}, "", "/tmp/a game.qarvel"},
        {{"/p", "Anna", "/p", "Bo"}, {"Anna", "Bo"}, "", ""},
        {{"/x", "FreeCell"}, {}, "FreeCell", ""},  // unknown switches are ignored
        {{"Golf", "/p"}, {}, "Golf", ""},          // a switch without its word does nothing
        {{}, {}, "", ""},
        // The test switch's word is no game.
        {{"Golf", "--fault-for-test", "segv-read"}, {}, "Golf", ""},
    };
    for (const auto& c : cases) {
        const clCommandLine line = ParseCommandLine(c.words);
        EXPECT_EQ(line.players, c.players);
        EXPECT_EQ(line.game, c.game);
        EXPECT_EQ(line.file, c.file);
        EXPECT_EQ(line.HasStartRequest(), !c.game.empty() || !c.file.empty());
    }
}

TEST(CommandLineTest, HelpAndVersionAskForATextInsteadOfAStart) {
    struct {
        std::vector<std::string> words;
        bool help, version;
    } cases[] = {
        {{"--help"}, true, false},
        {{"-h"}, true, false},
        {{"/?"}, true, false},
        {{"--version"}, false, true},
        {{"Klondike", "--version"}, false, true},
        {{"/p", "--help"}, false, false},  // the word after /p is a player's name
        {{"/o", "--version"}, false, false},
        {{"-help", "-version", "--Help"}, false, false},
        {{"Klondike"}, false, false},
    };
    for (const auto& c : cases) {
        const clCommandLine line = ParseCommandLine(c.words);
        EXPECT_EQ(line.help, c.help) << c.words.front();
        EXPECT_EQ(line.version, c.version) << c.words.front();
    }
}
