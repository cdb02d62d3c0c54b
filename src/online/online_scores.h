#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "online/score_protocol.h"
#include "toolkit/clock.h"

class clDateFormat;
class clSettings;

// A reply the score server gave: status 200 or 204, and the body.
struct clHttpReply {
    std::int32_t status = 0;
    std::string body;
};

// How score requests reach the server: one POST of a text body, scrambled on
// the way, to an address. Nothing when the exchange failed or its status was
// neither 200 nor 204.
class clScoreTransport {
public:
    virtual ~clScoreTransport() = default;
    virtual std::optional<clHttpReply> Post(const std::string& address, std::string_view text) = 0;
};

// The transport of the game: clHttpClient, waiting as long as the player's
// "timeout" setting says.
class clHttpTransport final : public clScoreTransport {
public:
    explicit clHttpTransport(const clSettings& settings) : settings(settings) {}
    std::optional<clHttpReply> Post(const std::string& address, std::string_view text) override;

private:
    const clSettings& settings;
};

// One score to submit, and the ranks the server gave it.
struct clScoreEntry {
    std::string gameName;  // the variant's display name
    std::int32_t score = 0;
    std::int32_t round = 0;
    clScoreRanks ranks;
};

// The online side of one variant's scores: the queue of scores to submit and
// the cached overall and recent lists with the server's tokens for them.
// A playing screen keeps one for its variant; a submission makes its own.
// Addresses, the player and the online time-out come from the settings.
class clOnlineScores {
public:
    // Through the game's HTTP client.
    clOnlineScores(const clSettings& settings, const clClock& clock);
    // Through another transport (tests).
    clOnlineScores(const clSettings& settings, const clClock& clock, clScoreTransport& transport);

    // Appends a score to the queue; the caller keeps it, and reads its ranks
    // after SubmitScores. False for no entry and for a full queue.
    bool Queue(clScoreEntry* entry);
    std::size_t QueueSize() const { return queue.size(); }

    // Sends the queue for the player with this online identity and fills in
    // every entry's ranks; the queue is emptied on success. False for an
    // empty identity field or queue, a failed exchange, and a reply that
    // lacks a line for an entry or holds a malformed one.
    bool SubmitScores(const clOnlineIdentity& identity);

    // Fetches the overall and the recent list of the game. A list the server
    // says has not changed (204) stays as cached. Without valid lists, or
    // with force, both tokens start again from "0". False, with the lists no
    // longer valid, when either request fails or its reply does not hold.
    bool Retrieve(std::string_view gameName, bool force);

    // "Overall rank: 4th of 5" for a score just reached, against the cached
    // overall list; "Overall rank: [unranked]" without valid lists or below
    // them.
    std::string OverallRankText(std::int32_t score) const;
    // "Recent rank: 3rd of last 57", likewise against the recent list.
    std::string RecentRankText(std::int32_t score) const;
    // "[2017-08-01 14:21]", the time of the last retrieval; empty when there
    // was none or it cannot be shown.
    std::string LastUpdateText(const clDateFormat& format) const;

    bool IsValid() const { return valid; }
    const std::string& OverallToken() const { return overallToken; }
    const std::string& RecentToken() const { return recentToken; }
    const std::vector<std::int32_t>& OverallScores() const { return overallScores; }
    const std::vector<std::int32_t>& RecentScores() const { return recentScores; }
    const std::optional<clDateTime>& RetrievedAt() const { return retrievedAt; }

private:
    // Fetches one list into the cache; the cache and token change only when
    // the reply holds.
    bool RetrieveList(std::string_view gameName, clScoreListKind kind);

    const clSettings& settings;
    const clClock& clock;
    std::unique_ptr<clScoreTransport> ownTransport;
    clScoreTransport& transport;

    std::vector<clScoreEntry*> queue;
    std::string overallToken = "0";
    std::string recentToken = "0";
    std::vector<std::int32_t> overallScores;
    std::vector<std::int32_t> recentScores;
    std::optional<clDateTime> retrievedAt;
    bool valid = false;
    std::string listsGame;  // the game the cached lists and tokens are of
};
