#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "player/score_record.h"

// The statistics log of one player and variant: a text file whose first line
// is the header and every further line one result,
//   C,4210,3,2017-08-14 21:05:33,1A2B3C4D
// (kind C completed, I interrupted, - other; score; round; local date and
// time; a check value nothing reads back), lines ending in CR LF. A game
// played with hints has ",H" after the check value; a line without it is
// a game played without.
inline constexpr std::string_view kLogHeader = "#QARVEL V1";
// Longest line, line end excluded, that can be a result.
inline constexpr std::size_t kMaxLogLine = 254;
// The most of a log that is read: a million and a half results (a line is
// about 40 bytes). What lies past it is left unread, and kept.
inline constexpr std::uint64_t kMaxLogBytes = std::uint64_t{64} << 20;

// The check value of a result's line.
std::uint32_t LogCheckValue(const clScoreRecord& record);

// A result's line, without the line end.
std::string FormatLogLine(const clScoreRecord& record);

// A line read back; nothing when it is not a whole result: every field
// present with its separator, numbers in range, nothing after the check
// value but the hint mark. The rank stays 0.
std::optional<clScoreRecord> ParseLogLine(std::string_view line);

// What reading a log found.
struct clLogReading {
    bool opened = false;    // the file is a regular file and could be read
    bool headerOk = false;  // its first line begins with the header
    bool cut = false;       // it is longer than kMaxLogBytes: the rest was not read
    std::size_t results = 0;
    std::size_t skipped = 0;  // lines that were not results (too long, cut off, garbage)
};

// Reads the log from the start, handing every sound result to `add` in file
// order until `add` answers false. A first line without the header is taken
// as damage, not as another format: the results after it are still read.
// Memory stays small whatever the file holds, and at most kMaxLogBytes are
// read. Anything but a regular file (a FIFO, a device, a folder) is not
// opened: it reads as a log that cannot be read, at once.
clLogReading ReadLog(const std::filesystem::path& path,
                     const std::function<bool(const clScoreRecord&)>& add);

// Adds a result's line to the end of the log. The file is created when it
// does not exist, the header written only into an empty file, and a last line
// left without its end (a cut-off write) is ended first, so that nothing
// already there is lost or merged. False when the line was not written whole,
// and when the log is not a regular file (nothing is written to it then).
bool AppendLogLine(const std::filesystem::path& path, const clScoreRecord& record);
