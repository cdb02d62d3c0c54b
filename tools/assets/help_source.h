#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/point_system.h"

// The rules of every game as the help pages tell them, read from a plain
// text file (data/help/games.txt):
//
//   [key] like otherkey          a game by its catalogue key, optionally
//                                starting from another game's text
//   points: name value, ...      its point values (as the game sets them)
//   rounds: setup g s b s p; goal r s; pattern r n a b c; bonus r s p
//   about: one paragraph
//   layout:, goal:, play:, scoring:   paragraphs; lines that start with
//                                "- " are list items
//
// A section runs until the next section or game; a blank line starts a new
// paragraph. In the text, {name} stands for a point value, printed with
// thousands separators.
struct clHelpGame {
    std::string key;
    clPointValues points;
    clPointSystem rounds;
    std::map<std::string, std::string> sections;  // name -> raw text
};

class clHelpSource {
public:
    // False with Error() set when the text is malformed: an unknown section,
    // point name or placeholder, a "like" of a game not given before, a bad
    // rounds line.
    bool Parse(std::string_view text);
    const std::string& Error() const { return error; }

    const clHelpGame* Find(std::string_view key) const;
    const std::vector<clHelpGame>& Games() const { return games; }

private:
    bool Fail(int line, const std::string& text);

    std::vector<clHelpGame> games;
    std::string error;
};

// The point values by the names the source and the game code use.
struct clPointName {
    std::string_view name;
    std::int32_t clPointValues::*field;
};
const std::vector<clPointName>& PointNames();

// Whether two sets of point values are the same, and the first name that
// differs (empty when none).
std::string FirstDifference(const clPointValues& a, const clPointValues& b);

// A number with thousands separators: 20000 -> "20,000".
std::string Thousands(std::int64_t value);

// The text with every {name} replaced by its point value; nothing when a
// name is unknown.
std::optional<std::string> FillPoints(const std::string& text, const clPointValues& points);
