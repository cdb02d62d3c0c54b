#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
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

// One request to the score server: the text goes to the address, and the
// exchange may take as long as the time-out allows.
struct clScoreRequest {
    std::string address;
    std::string text;
    std::chrono::milliseconds timeout{0};
};

// How score requests reach the server: one POST of a text body, scrambled on
// the way. Nothing when the exchange failed, was stopped or its status was
// neither 200 nor 204. Post may run on a worker thread: it reads nothing but
// its request.
class clScoreTransport {
public:
    virtual ~clScoreTransport() = default;
    virtual std::optional<clHttpReply> Post(const clScoreRequest& request,
                                            std::stop_token stop) = 0;
};

// The transport of the game: clHttpClient.
class clHttpTransport final : public clScoreTransport {
public:
    std::optional<clHttpReply> Post(const clScoreRequest& request, std::stop_token stop) override;
};

// Where the exchanges of a submission or retrieval run: `work` is called
// with a token that the player's Cancel stops; false when it was cancelled.
// RunHere calls it on the caller's thread, never cancelled; the window runs
// it away from its thread (clMessages::RunCancellable).
using clExchangeRunner = std::function<bool(const std::function<void(std::stop_token)>& work)>;
bool RunHere(const std::function<void(std::stop_token)>& work);

// One score to submit, and the ranks the server gave it.
struct clScoreEntry {
    std::string gameName;  // the variant's display name
    std::int32_t score = 0;
    std::int32_t round = 0;
    clScoreRanks ranks;
    // The encoded play record the score was made with; empty for none.
    std::string record{};
    // What a server that checks records said of it; nothing from others.
    std::optional<clScoreVerdict> verdict{};
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
    // empty identity field or queue, a failed or cancelled exchange, and a
    // reply that lacks a line for an entry or holds a malformed one. The
    // settings are read here; only the exchange itself goes to `run`.
    bool SubmitScores(const clOnlineIdentity& identity, const clExchangeRunner& run = RunHere);

    // Fetches the overall and the recent list of the game. A list the server
    // says has not changed (204) stays as cached. Without valid lists, or
    // with force, both tokens start again from "0". False, with the lists no
    // longer valid, when either request fails or its reply does not hold, or
    // the player cancelled. Both exchanges go to `run` together.
    bool Retrieve(std::string_view gameName, bool force, const clExchangeRunner& run = RunHere);

    // Today's daily challenge scores of the game (UTC), best first, from a
    // server that keeps them; nothing when the exchange fails, is cancelled
    // or its reply does not hold. The cached lists stay as they are.
    std::optional<std::vector<std::int32_t>> RetrieveDaily(std::string_view gameName,
                                                           const clExchangeRunner& run = RunHere);

    // Whether the last SubmitScores, Retrieve or RetrieveDaily failed because
    // the player cancelled it.
    bool WasCancelled() const { return cancelled; }

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
    // The request of one text to one address, with the player's time-out.
    clScoreRequest Request(const std::string& address, std::string text) const;
    // Takes what one list's reply said into the cache; the cache and token
    // change only when the reply holds, and the list empties when it does
    // not.
    struct clListAnswer;
    static clListAnswer ReadListReply(const std::optional<clHttpReply>& reply,
                                      const std::string& sentToken, clScoreListKind kind);
    bool TakeList(clScoreListKind kind, clListAnswer answer);

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
    bool cancelled = false;
    std::string listsGame;  // the game the cached lists and tokens are of
};
