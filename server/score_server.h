#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "http_daemon.h"

class clScoreStore;

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

    explicit clScoreServer(clScoreStore& store, clHttpLimits limits = {});
    ~clScoreServer();
    clScoreServer(const clScoreServer&) = delete;
    clScoreServer& operator=(const clScoreServer&) = delete;

    // POST "/topscores/qarvel/submit.php": the ranks of every score sent.
    clServerReply Submit(std::string_view requestBody);
    // POST "/topscores/qarvel/list.php": a list, or 204 when it has not
    // changed since the token sent.
    clServerReply List(std::string_view requestBody);
    // GET "/" and "/index.html": every variant with its number of scores.
    clServerReply StartPage();
    // GET "/topscores/scores/qarvel/<key>.html": a variant's best 100 and
    // recent scores; 404 for an unknown key.
    clServerReply ScorePage(std::string_view key);
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
    clScoreStore& store;
    clHttpDaemon http;
};
