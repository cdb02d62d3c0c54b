#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "http_daemon.h"
#include "online/play_record.h"
#include "online/record_check.h"
#include "online/score_protocol.h"

class clScoreStore;

// What the server asks of a score before it stores it.
struct clScoreChecks {
    // The pace and other limits of the replay.
    clRecordLimits replay;
    // The largest record taken, in bytes (at most the codec's own limit).
    std::size_t maxRecord = clPlayRecordCodec::kMaxRecordBytes;
    // Scores sent without a record (by games that send none) are stored as
    // unverified instead of refused.
    bool acceptUnverified = false;
    // When set, judges every score instead of the replay (given the score
    // and its record's base64 text): for tests of what happens after.
    std::function<clScoreVerdict(const clSubmittedScore&, const std::string&)> judge;
};

// The score server: the game's submit and list requests, the per-variant
// score pages, the start page and the web site's pages, answered from a
// score store. The request handlers are plain functions of the request body,
// so they can be driven without a network; Bind and Listen put them on HTTP.
//
// Nothing a request holds is trusted: a body that is not scrambled with the
// right hash, not one zero-terminated text, not well-formed, or larger than
// 64 KiB is refused with 400 (413 for the size, before it is read) and
// changes nothing; a score of an unknown game or out of range is not stored
// and gets an empty reply line. On HTTP, the limits hold whatever clients
// send or hold back (see clHttpDaemon).
//
// A score counts only when it comes with the record of its game and the
// replay of that record earns it exactly (see CheckPlayRecord). A score that
// fails is refused: not stored, an empty rank line and, after the rank
// lines, a verdict line with the reason. Scores without a record are refused
// the same way unless the checks accept unverified ones, which are stored
// apart and rank nowhere.
class clScoreServer {
public:
    static constexpr std::size_t kMaxRequestBody = 64 * 1024;
    // The scores and rounds a game can reach, with room to spare.
    static constexpr std::int32_t kMinScore = -1'000'000;
    static constexpr std::int32_t kMaxScore = 1'000'000'000;
    static constexpr std::int32_t kMaxRound = 100'000;
    // The longest name, location, e-mail address or player name, in
    // characters: what the game's fields take.
    static constexpr std::size_t kMaxFieldLength = 63;

    explicit clScoreServer(clScoreStore& store, clHttpLimits limits = {},
                           clScoreChecks checks = {});
    ~clScoreServer();
    clScoreServer(const clScoreServer&) = delete;
    clScoreServer& operator=(const clScoreServer&) = delete;

    // POST "/topscores/qarvel/submit.php": the ranks of every score sent.
    clServerReply Submit(std::string_view requestBody);
    // POST "/topscores/qarvel/list.php": a list, or 204 when it has not
    // changed since the token sent. Kind 2 is today's daily challenge.
    clServerReply List(std::string_view requestBody);
    // GET "/" and "/index.html": every variant with its number of scores.
    clServerReply StartPage();
    // GET "/topscores/scores/qarvel/<key>.html": a variant's best 100 and
    // recent scores; 404 for an unknown key.
    clServerReply ScorePage(std::string_view key);
    // GET "/topscores/daily/<key>.html" and "/topscores/daily/<key>/<day>.html":
    // a game's daily challenge of today (UTC) or of that day, with the days
    // before; 404 for an unknown key or a day that is not one.
    clServerReply DailyPage(std::string_view key, std::optional<std::string_view> day);
    // GET "/app/<key>.html": the web site's pages the game's menus open.
    clServerReply SitePage(std::string_view key);

    // Any request on HTTP: the answer of its handler, or 404.
    clServerReply Route(const clHttpDaemon::clRequest& request);

    // Binds the address ("127.0.0.1") and port (0: any free one); the port
    // bound, or -1, also for a port another server holds. Connections that
    // come faster than the server takes them wait in a queue as long as the
    // system allows.
    int Bind(const std::string& address, int port);
    // Serves until Stop; false when it could not.
    bool Listen();
    // True once Listen takes connections.
    bool IsRunning() const;
    // Ends Listen within moments whatever the clients do; a Stop before
    // Listen makes it return at once.
    void Stop();

private:
    // The verdict on one score of a submission; for a verified score of a
    // daily challenge (today's or yesterday's, UTC) its day goes to `day`.
    clScoreVerdict Check(const clSubmittedScore& score, const std::string& record,
                         std::string& day) const;

    clScoreStore& store;
    clScoreChecks checks;
    clHttpDaemon http;
};
