#include "shell/command_line.h"

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
