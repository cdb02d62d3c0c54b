#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "online/online_scores.h"
#include "toolkit/sound.h"

class clDateFormat;
class clMessages;
class clSettings;
class clStatistics;

// What the score dialogs (Statistics, Game Over, Round Over, High Scores)
// show and do online; the dialogs hold the controls and call these.

inline constexpr std::string_view kCannotQueueOneText = "Unable to submit high score.";
inline constexpr std::string_view kCannotQueueManyText = "Unable to submit high scores.";
inline constexpr std::string_view kSubmitFailedText = "Error submitting high score.";
inline constexpr std::string_view kRetrieveFailedText = "Unable to retrieve online high scores.";
inline constexpr std::string_view kNoScoreDataText = "No Score Data";
inline constexpr std::string_view kPressRetrieveText = "Press 'Retrieve Score Data' Button.";
// What the window shows while an exchange takes more than a moment.
inline constexpr std::string_view kSubmittingText = "Submitting high scores...";
inline constexpr std::string_view kRetrievingText = "Retrieving online high scores...";

// The longest text the name, location and e-mail fields take.
inline constexpr std::size_t kOnlineFieldLength = 63;

// The submit buttons are enabled once the three fields are filled, the
// e-mail address holds an at sign and a full stop, the game is not in
// Practice Mode and there is something to submit.
bool CanSubmit(const clOnlineIdentity& fields, bool practice, bool hasScores);
// "Submit Top Scores" needs two results or more besides.
bool CanSubmitTop(const clOnlineIdentity& fields, bool practice, std::int32_t results);
// "Submit Top 3 Scores": min(results, 3).
std::string SubmitTopLabel(std::int32_t results);

// The best min(count, results) results of a variant played without hints,
// best first: "Submit Highest Score" (1), "Submit Top Scores" (3), a High
// Scores row (1).
std::vector<clScoreEntry> BestEntries(const clStatistics& statistics, std::string_view gameName,
                                      std::int32_t count);

// How a press of a submit button ended.
enum class clSubmitOutcome {
    NotAttempted,  // a field was empty: nothing happens, silently
    NotQueued,     // an entry could not be queued: nothing was sent
    Failed,        // the exchange or the reply failed
    Cancelled,     // the player cancelled the exchange: nothing is said
    Submitted,     // every entry holds its ranks
};

// How a submission or retrieval reports to the player: message boxes and the
// wait cursor, and a sound (played only while "sounds" is on).
struct clOnlineFeedback {
    clMessages& messages;
    std::function<void(clSound)> playSound;
};

// A press of a submit button: with the three fields filled, they become the
// player's online identity (in memory, stored with the player), the entries
// are queued and sent while the window shows it is working
// (clMessages::RunCancellable). Failures show their message, a cancel
// nothing; success plays the "remove" sound. `scores` gives the transport (tests);
// without it the game's HTTP client is used.
clSubmitOutcome SubmitOnline(clSettings& settings, const clClock& clock,
                             const clOnlineIdentity& fields, std::span<clScoreEntry> entries,
                             const clOnlineFeedback& feedback,
                             clScoreTransport* transport = nullptr);

// "Overall rank: 3rd of 120" for a submitted entry; "[unranked]" unless both
// rank and count are given.
std::string SubmittedOverallRankText(const clScoreEntry& entry);
// "Recent rank: 1st of last 100".
std::string SubmittedRecentRankText(const clScoreEntry& entry);
// Several entries: "Overall rank: 1st/4th/9th of 530", the ranks up to the
// first unranked entry, of the largest count; "[unranked]" when the first is.
std::string SubmittedOverallRankText(std::span<const clScoreEntry> entries);
std::string SubmittedRecentRankText(std::span<const clScoreEntry> entries);
// What the server said of a score it checked, for the player: "The server
// could not verify this score: <reason>" for a refused one, a note for one
// kept unverified; empty for a verified score and for a server that does
// not check.
std::string VerdictText(const clScoreEntry& entry);
// A High Scores row's rank column: "3rd of 120", or "[unranked]".
std::string RankColumnText(std::int32_t rank, std::int32_t count);

// The Round Over dialog's online texts: the score's two ranks and when the
// lists were fetched.
struct clRoundOverTexts {
    std::string overall;
    std::string recent;
    std::string lastUpdate;
};

// The rank texts of the score so far against the screen's cached lists; "No
// Score Data" and "Press 'Retrieve Score Data' Button." without valid lists.
clRoundOverTexts RoundOverTexts(const clOnlineScores& scores, std::int32_t score,
                                const clDateFormat& format);
// "Retrieve Score Data": fetches the lists while the window shows it is
// working; shows the failure message (nothing after a cancel), or plays the
// "remove" sound.
bool RetrieveOnline(clOnlineScores& scores, std::string_view gameName, const clSettings& settings,
                    const clOnlineFeedback& feedback);
