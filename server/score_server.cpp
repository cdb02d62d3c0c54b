#include "score_server.h"

#include <ctime>
#include <optional>
#include <vector>

#include <httplib.h>
#include <sys/socket.h>

#include "engine/catalogue.h"
#include "online/score_protocol.h"
#include "online/scramble.h"
#include "score_store.h"
#include "site_pages.h"
#include "toolkit/utf8.h"

struct clScoreServer::clHttp {
    httplib::Server server;
    int listeningSocket = -1;  // the socket last bound or tried
};

namespace {

clServerReply BadRequest(std::string_view why) {
    return {400, std::string(why) + "\n", "text/plain"};
}

// Well-formed UTF-8 of at most `maxChars` characters without control
// characters.
bool IsFieldText(std::string_view text, std::size_t maxChars) {
    const auto length = Utf8Length(text);
    if (!length || *length > maxChars) return false;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return false;
    }
    return true;
}

std::string Html(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string PageStart(std::string_view title) {
    return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
           Html(title) +
           "</title>\n<style>body{font-family:sans-serif;margin:2em;max-width:60em}"
           "table{border-collapse:collapse}td,th{padding:.2em .8em;border-bottom:1px solid #ccc;"
           "text-align:left}td.n{text-align:right}</style>\n</head>\n<body>\n";
}

constexpr std::string_view kPageEnd =
    "<p><a href=\"/index.html\">All games</a> &middot; <a href=\"/app/index.html\">Qarvel on the "
    "Web</a></p>\n</body>\n</html>\n";

clServerReply HtmlPage(std::string body) {
    return {200, std::move(body), "text/html; charset=utf-8"};
}

clServerReply NotFound() {
    return {404, PageStart("Not found") + "<h1>Not found</h1>\n" + std::string(kPageEnd),
            "text/html; charset=utf-8"};
}

std::string DateOf(std::int64_t seconds) {
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    if (gmtime_r(&time, &parts) == nullptr) return {};
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &parts);
    return text;
}

std::string ScoreTable(const std::vector<clStoredScore>& rows) {
    if (rows.empty()) return "<p>No scores yet.</p>\n";
    std::string html =
        "<table>\n<tr><th>Rank</th><th>Name</th><th>Location</th><th>Score</th><th>Round</th>"
        "<th>Date</th></tr>\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const clStoredScore& row = rows[i];
        html += "<tr><td class=\"n\">" + std::to_string(i + 1) + "</td><td>" + Html(row.name) +
                "</td><td>" + Html(row.location) + "</td><td class=\"n\">" +
                std::to_string(row.score) + "</td><td class=\"n\">" + std::to_string(row.round) +
                "</td><td>" + DateOf(row.submitted) + "</td></tr>\n";
    }
    return html + "</table>\n";
}

}  // namespace

clScoreServer::clScoreServer(clScoreStore& store) : store(store), http(std::make_unique<clHttp>()) {
    httplib::Server& server = http->server;
    // The listening socket may take the port while connections of an earlier
    // run of the server linger, but it never shares the port: with
    // SO_REUSEPORT, the library's choice, a second server started on the
    // same port would silently take part of the players' scores into its
    // own database.
    server.set_socket_options([http = http.get()](int socket) {
        const int on = 1;
        ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        http->listeningSocket = socket;
    });
    // A body larger than any request the game sends is refused from its
    // announced length, before a byte of it is read, and the connection is
    // closed on it; a body without a length is cut off at the same size.
    server.set_payload_max_length(kMaxRequestBody);
    server.set_pre_routing_handler(
        [](const httplib::Request& request, httplib::Response& response) {
            if (!request.has_header("Content-Length"))
                return httplib::Server::HandlerResponse::Unhandled;
            const std::string length = request.get_header_value("Content-Length");
            const bool small = !length.empty() && length.size() <= 9 &&
                               length.find_first_not_of("0123456789") == std::string::npos &&
                               std::stoul(length) <= kMaxRequestBody;
            if (small) return httplib::Server::HandlerResponse::Unhandled;
            response.status = 413;
            response.set_header("Connection", "close");
            response.set_content("the request is too large\n", "text/plain");
            return httplib::Server::HandlerResponse::Handled;
        });
    const auto answer = [](httplib::Response& response, const clServerReply& reply) {
        response.status = reply.status;
        if (reply.status != 204) response.set_content(reply.body, reply.contentType.c_str());
    };
    server.Post("/topscores/qarvel/submit.php",
                [this, answer](const httplib::Request& request, httplib::Response& response) {
                    answer(response, Submit(request.body));
                });
    server.Post("/topscores/qarvel/list.php",
                [this, answer](const httplib::Request& request, httplib::Response& response) {
                    answer(response, List(request.body));
                });
    const auto start = [this, answer](const httplib::Request&, httplib::Response& response) {
        answer(response, StartPage());
    };
    server.Get("/", start);
    server.Get("/index.html", start);
    server.Get(R"(/topscores/scores/qarvel/([a-z0-9]{1,64})\.html)",
               [this, answer](const httplib::Request& request, httplib::Response& response) {
                   answer(response, ScorePage(request.matches[1].str()));
               });
    server.Get(R"(/app/([a-z0-9]{1,64})\.html)",
               [this, answer](const httplib::Request& request, httplib::Response& response) {
                   answer(response, SitePage(request.matches[1].str()));
               });
    server.set_error_handler(
        httplib::Server::Handler([](const httplib::Request&, httplib::Response& response) {
            if (response.status == 404 && response.body.empty()) {
                const clServerReply reply = NotFound();
                response.set_content(reply.body, reply.contentType.c_str());
            }
        }));
}

clScoreServer::~clScoreServer() = default;

clServerReply clScoreServer::Submit(std::string_view requestBody) {
    const auto text = DescrambleBody(requestBody);
    if (!text) return BadRequest("not a scrambled text with its hash");
    const auto request = ParseSubmitBody(*text, kMaxSubmittedScores);
    if (!request) return BadRequest("not a submission");
    const clOnlineIdentity& identity = request->identity;
    if (identity.name.empty() || identity.location.empty() || identity.email.empty())
        return BadRequest("a name, location and e-mail address are needed");
    for (std::string_view field :
         {std::string_view(identity.name), std::string_view(identity.location),
          std::string_view(identity.email), std::string_view(request->player)}) {
        if (!IsFieldText(field, kMaxFieldLength)) return BadRequest("a field is not a name");
    }

    std::vector<clScoreStore::clAdd> adds;
    for (const clSubmittedScore& score : request->scores) {
        const bool accepted = FindVariant(score.gameName) != nullptr && score.score >= kMinScore &&
                              score.score <= kMaxScore && score.round >= 1 &&
                              score.round <= kMaxRound;
        adds.push_back({score, accepted});
    }
    const auto ranks = store.AddScores(identity, request->player, adds,
                                       static_cast<std::int64_t>(std::time(nullptr)));
    if (!ranks) return {500, "the scores could not be stored\n", "text/plain"};
    std::string body;
    for (const auto& entry : *ranks)
        body += FormatSubmitReplyLine(entry);
    return {200, std::move(body), "text/plain"};
}

clServerReply clScoreServer::List(std::string_view requestBody) {
    const auto text = DescrambleBody(requestBody);
    if (!text) return BadRequest("not a scrambled text with its hash");
    const auto request = ParseListBody(*text);
    if (!request) return BadRequest("not a list request");
    if (FindVariant(request->gameName) == nullptr) return BadRequest("no such game");
    const auto list = store.List(request->gameName, request->kind, request->maximum);
    if (!list) return {500, "the scores could not be read\n", "text/plain"};
    if (request->token == list->token) return {204, {}, "text/plain"};
    return {200, FormatListReply(list->token, list->scores), "application/octet-stream"};
}

clServerReply clScoreServer::StartPage() {
    std::string html = PageStart("Qarvel High Scores") +
                       "<h1>Qarvel High Scores</h1>\n<table>\n"
                       "<tr><th>Game</th><th>Scores</th></tr>\n";
    for (const clCatalogueRow& row : Catalogue()) {
        const auto count = store.CountScores(row.displayName);
        html += "<tr><td><a href=\"/topscores/scores/qarvel/" + Html(row.key) + ".html\">" +
                Html(row.displayName) + "</a></td><td class=\"n\">" +
                (count ? std::to_string(*count) : std::string("?")) + "</td></tr>\n";
    }
    return HtmlPage(html + "</table>\n" + std::string(kPageEnd));
}

clServerReply clScoreServer::ScorePage(std::string_view key) {
    const clCatalogueRow* row = nullptr;
    for (std::span<const clCatalogueRow> rows : {Catalogue(), HiddenVariants()}) {
        for (const clCatalogueRow& candidate : rows)
            if (candidate.key == key) row = &candidate;
    }
    if (row == nullptr) return NotFound();
    const auto top = store.TopScores(row->displayName, 100);
    const auto recent = store.RecentScores(row->displayName);
    if (!top || !recent) return {500, "the scores could not be read\n", "text/plain"};
    const std::string title = std::string(row->displayName) + " High Scores";
    return HtmlPage(PageStart(title) + "<h1>" + Html(title) + "</h1>\n<h2>Best scores</h2>\n" +
                    ScoreTable(*top) + "<h2>Recent scores</h2>\n" + "<p>The best of the last " +
                    std::to_string(clScoreStore::kRecentScores) + " scores sent.</p>\n" +
                    ScoreTable(*recent) + std::string(kPageEnd));
}

clServerReply clScoreServer::SitePage(std::string_view key) {
    for (const clSitePage& page : SitePages()) {
        if (page.key == key)
            return HtmlPage(PageStart("Qarvel") + std::string(page.html) + std::string(kPageEnd));
    }
    return NotFound();
}

int clScoreServer::Bind(const std::string& address, int port) {
    const int bound = port == 0 ? http->server.bind_to_any_port(address)
                                : (http->server.bind_to_port(address, port) ? port : -1);
    if (bound <= 0) return -1;
    // The library listens with a queue of 5 connections: players arriving
    // together while the workers are busy would be turned away beyond it
    // (their connections dropped or reset). Listening again on the socket
    // only lengthens the queue, as far as the system allows; on a socket
    // that listens already it cannot fail.
    ::listen(http->listeningSocket, SOMAXCONN);
    return bound;
}

bool clScoreServer::Listen() {
    return http->server.listen_after_bind();
}

bool clScoreServer::IsRunning() const {
    return http->server.is_running();
}

void clScoreServer::Stop() {
    http->server.stop();
}
