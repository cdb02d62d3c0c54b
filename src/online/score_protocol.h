#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The bodies the game and its score server exchange, before scrambling: the
// one place that writes and reads them, used by both sides.
//
// Submit: a header line "Qarvel 1.0,name,location,email,player,records," (the
// four texts escaped), then one line "game,score,round" per score; every line
// ends in CR LF. Reply: one line per score, "overallRank,overallCount,
// recentRank,recentCount" or empty for a score the server did not rank.
//
// The records field holds the play record of each score, in order, as
// base64 joined by full stops (an empty one for a score sent without); it is
// empty when no score has one. A server that does not check records reads
// the field as the empty one it always was and ignores it. A server that
// checks them adds one verdict line per score after the rank lines, which
// older games never read: "verified", "unverified" (stored apart, outside the
// ranking) or "refused <reason>".
//
// List: "game,kind,token,maximum" (no line end). Reply, status 200: "token,
// count", a zero byte, then count scores as signed 32-bit integers, most
// significant byte first, highest first. Status 204: the list has not
// changed since the token sent.

inline constexpr std::string_view kSubmitTag = "Qarvel 1.0";

// A player's identity on the score server.
struct clOnlineIdentity {
    std::string name;
    std::string location;
    std::string email;
    friend bool operator==(const clOnlineIdentity&, const clOnlineIdentity&) = default;
};

// The room a field is escaped into, terminator included.
inline constexpr std::size_t kEscapedFieldSize = 256;

// The text with a backslash before every comma and backslash, cut before it
// reaches size - 2 characters. The cut never splits an escape pair or a UTF-8
// sequence, and control characters (a line end would start a new line of
// the body) become blanks.
std::string EscapeField(std::string_view text, std::size_t size = kEscapedFieldSize);

// A line split at its unescaped commas, each field unescaped; nothing when a
// backslash ends the line.
std::optional<std::vector<std::string>> SplitEscapedFields(std::string_view line);

// A whole signed 32-bit decimal number: an optional minus sign and digits,
// nothing else.
std::optional<std::int32_t> ParseInt32(std::string_view text);

// The submit exchange: a request carries scores, its reply their ranks.
struct clSubmittedScore {
    std::string gameName;
    std::int32_t score = 0;
    std::int32_t round = 0;
    friend bool operator==(const clSubmittedScore&, const clSubmittedScore&) = default;
};

// The most scores one submission carries: a row for each variant of the
// High Scores dialog at most.
inline constexpr std::size_t kMaxSubmittedScores = 128;

struct clSubmitRequest {
    clOnlineIdentity identity;
    std::string player;
    std::vector<clSubmittedScore> scores;
    // One per score: its record's base64 text, empty for none.
    std::vector<std::string> records;
};

// `records` is empty or holds one base64 text (or nothing) per score line.
std::string FormatSubmitHeader(const clOnlineIdentity& identity, std::string_view player,
                               std::span<const std::string> records = {});
// The game's display name goes out as it is: it is the catalogue's, and a
// reader takes the last two commas as the separators.
std::string FormatSubmitLine(std::string_view gameName, std::int32_t score, std::int32_t round);

// The request a body carries; nothing when the body is not one: no header
// line with the tag and seven fields, a line without its CR LF, a score line
// without two numbers, more than maxScores score lines, or a records field
// that is neither empty nor one base64 text (or none) per score.
std::optional<clSubmitRequest> ParseSubmitBody(std::string_view text, std::size_t maxScores);

// The ranks of one submitted score. A score the server did not rank reads
// 0 of 1 both ways.
struct clScoreRanks {
    std::int32_t overallRank = 0;
    std::int32_t overallCount = 1;
    std::int32_t recentRank = 0;
    std::int32_t recentCount = 1;
    friend bool operator==(const clScoreRanks&, const clScoreRanks&) = default;

    // The ranks a reply may give: ranks from 0, counts from 1, no rank
    // above its count.
    bool IsPlausible() const;
};

// One reply line; the empty line for a score not ranked.
std::string FormatSubmitReplyLine(const std::optional<clScoreRanks>& ranks);

// The ranks of `count` scores from a reply body, in order; nothing when a
// line is missing (no CR LF) or is neither empty nor four comma-separated
// numbers. An empty line, or ranks that cannot be, leave a score unranked.
// Lines after the last score are not read.
std::optional<std::vector<clScoreRanks>> ParseSubmitReply(std::string_view body, std::size_t count);

// What a checking server said of one score.
struct clScoreVerdict {
    enum class clKind { Verified, Unverified, Refused };
    clKind kind = clKind::Verified;
    std::string reason;  // Refused: why, for the player to read
    friend bool operator==(const clScoreVerdict&, const clScoreVerdict&) = default;
};

// A verdict line: its CR LF included; control characters of a reason become
// blanks.
std::string FormatVerdictLine(const clScoreVerdict& verdict);

// The verdicts after the `count` rank lines of a reply, one per score;
// nothing when there are none (a server that does not check records) or any
// is malformed. A reason is cut at kMaxReasonLength bytes.
inline constexpr std::size_t kMaxReasonLength = 300;
std::optional<std::vector<clScoreVerdict>> ParseVerdicts(std::string_view body, std::size_t count);

// The list exchange: a game's overall or recent high scores, or (from a
// server that keeps them) today's daily challenge scores.
enum class clScoreListKind : std::int32_t { Overall = 0, Recent = 1, Daily = 2 };

// The most scores a list holds.
inline constexpr std::int32_t kOverallListSize = 1000;
inline constexpr std::int32_t kRecentListSize = 100;
inline constexpr std::int32_t kDailyListSize = 100;

constexpr std::int32_t ListSize(clScoreListKind kind) {
    switch (kind) {
        case clScoreListKind::Overall:
            return kOverallListSize;
        case clScoreListKind::Daily:
            return kDailyListSize;
        default:
            return kRecentListSize;
    }
}

// The longest token a list reply may carry, in bytes: its text before the
// zero byte is at most 255 bytes.
inline constexpr std::size_t kListTextSize = 255;

struct clListRequest {
    std::string gameName;
    clScoreListKind kind = clScoreListKind::Overall;
    std::string token;
    std::int32_t maximum = 0;
};

std::string FormatListBody(std::string_view gameName, clScoreListKind kind, std::string_view token,
                           std::int32_t maximum);
// Nothing unless the body ends in a kind of 0, 1 or 2, a token without commas
// and a positive maximum, after a non-empty game name.
std::optional<clListRequest> ParseListBody(std::string_view text);

struct clScoreList {
    std::string token;
    std::vector<std::int32_t> scores;  // highest first
};

// The reply bytes of a list. The token must not hold a comma or a zero byte.
std::string FormatListReply(std::string_view token, std::span<const std::int32_t> scores);

// A list reply's list; nothing unless its text ends in a zero byte within
// 256 bytes and is a token of printable characters, a comma and a count from
// 0 to `maximum`, the body is exactly as long as that count of scores needs,
// and the scores come highest first.
std::optional<clScoreList> ParseListReply(std::string_view body, std::int32_t maximum);
