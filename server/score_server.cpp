#include "score_server.h"

#include <algorithm>
#include <ctime>
#include <optional>
#include <vector>

#include "engine/catalogue.h"
#include "online/daily_challenge.h"
#include "online/score_protocol.h"
#include "online/scramble.h"
#include "score_store.h"
#include "site_pages.h"
#include "toolkit/utf8.h"

namespace {

clServerReply BadRequest(std::string_view why) {
    return {400, std::string(why) + "\n", "text/plain"};
}

// The character of the well-formed UTF-8 sequence of `length` bytes at
// text[at].
char32_t CharacterAt(std::string_view text, std::size_t at, std::size_t length) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    if (length == 1) return byte(0);
    char32_t c = byte(0) & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i)
        c = (c << 6) | (byte(i) & 0x3F);
    return c;
}

// Control characters: C0, DEL and C1 (U+0085 breaks a line in some
// programs), and the marks and overrides that reorder text from right to
// left or back, with which a name could disguise itself or the text beside it.
bool IsControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// Well-formed UTF-8 of at most `maxChars` characters without control
// characters.
bool IsFieldText(std::string_view text, std::size_t maxChars) {
    const auto length = Utf8Length(text);
    if (!length || *length > maxChars) return false;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t sequence = Utf8SequenceLength(text, at);
        if (IsControl(CharacterAt(text, at, sequence))) return false;
        at += sequence;
    }
    return true;
}

// Text for a page: escaped, and without the control characters names can no
// longer hold but stored ones may.
std::string Html(std::string_view text) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t sequence = std::max<std::size_t>(Utf8SequenceLength(text, at), 1);
        const char c = text[at];
        if (sequence > 1 || static_cast<unsigned char>(c) < 0x80) {
            if (IsControl(CharacterAt(text, at, sequence))) {
                at += sequence;
                continue;
            }
        }
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
                out.append(text.substr(at, sequence));
        }
        at += sequence;
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

// `unverified` marks every row's score as unverified.
std::string ScoreTable(const std::vector<clStoredScore>& rows, bool unverified = false) {
    if (rows.empty()) return "<p>No scores yet.</p>\n";
    std::string html =
        "<table>\n<tr><th>Rank</th><th>Name</th><th>Location</th><th>Score</th><th>Round</th>"
        "<th>Date</th></tr>\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const clStoredScore& row = rows[i];
        html += "<tr><td class=\"n\">" + std::to_string(i + 1) + "</td><td>" + Html(row.name) +
                "</td><td>" + Html(row.location) + "</td><td class=\"n\">" +
                std::to_string(row.score) + (unverified ? " (unverified)" : "") +
                "</td><td class=\"n\">" + std::to_string(row.round) + "</td><td>" +
                DateOf(row.submitted) + "</td></tr>\n";
    }
    return html + "</table>\n";
}

}  // namespace

clScoreServer::clScoreServer(clScoreStore& store, clHttpLimits limits, clScoreChecks checks)
    : store(store),
      checks(checks),
      http([this](const clHttpDaemon::clRequest& request) { return Route(request); },
           kMaxRequestBody, limits) {}

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
    std::vector<clScoreVerdict> verdicts;
    for (std::size_t i = 0; i < request->scores.size(); ++i) {
        const clSubmittedScore& score = request->scores[i];
        const bool plausible = FindVariant(score.gameName) != nullptr && score.score >= kMinScore &&
                               score.score <= kMaxScore && score.round >= 1 &&
                               score.round <= kMaxRound;
        std::string day;
        verdicts.push_back(plausible ? Check(score, request->records[i], day)
                                     : clScoreVerdict{clScoreVerdict::clKind::Refused,
                                                      "no game of Qarvel has this score"});
        const clScoreVerdict::clKind kind = verdicts.back().kind;
        adds.push_back({score, kind != clScoreVerdict::clKind::Refused,
                        kind == clScoreVerdict::clKind::Verified, day});
    }
    const auto ranks = store.AddScores(identity, request->player, adds,
                                       static_cast<std::int64_t>(std::time(nullptr)));
    if (!ranks) return {500, "the scores could not be stored\n", "text/plain"};
    std::string body;
    for (const auto& entry : *ranks)
        body += FormatSubmitReplyLine(entry);
    for (const clScoreVerdict& verdict : verdicts)
        body += FormatVerdictLine(verdict);
    return {200, std::move(body), "text/plain"};
}

clScoreVerdict clScoreServer::Check(const clSubmittedScore& score, const std::string& record,
                                    std::string& day) const {
    using Kind = clScoreVerdict::clKind;
    if (checks.judge) return checks.judge(score, record);
    if (record.empty()) {
        if (checks.acceptUnverified) return {Kind::Unverified, {}};
        return {Kind::Refused,
                "the score came without the record of its game, and this server keeps only "
                "scores it can replay"};
    }
    const std::size_t limit = std::min(checks.maxRecord, clPlayRecordCodec::kMaxRecordBytes);
    const std::optional<std::string> bytes = FromBase64(record, limit);
    if (!bytes) {
        return {Kind::Refused,
                "the record is damaged or larger than " + std::to_string(limit) + " bytes"};
    }
    const std::optional<clPlayRecord> decoded = clPlayRecordCodec::Decode(*bytes, limit);
    if (!decoded) return {Kind::Refused, "the record is damaged"};
    if (auto reason =
            CheckPlayRecord(*decoded, score.gameName, score.score, score.round, checks.replay))
        return {Kind::Refused, std::move(*reason)};
    // A game finished after midnight still counts for the day it was dealt.
    const clDay today = DayOfUnixTime(static_cast<std::int64_t>(std::time(nullptr)));
    const clDay days[] = {today, PreviousDay(today)};
    if (const clCatalogueRow* row = FindVariant(score.gameName)) {
        if (const auto played = DailyDayOf(*decoded, row->key, days)) day = FormatDay(*played);
    }
    return {Kind::Verified, {}};
}

clServerReply clScoreServer::List(std::string_view requestBody) {
    const auto text = DescrambleBody(requestBody);
    if (!text) return BadRequest("not a scrambled text with its hash");
    const auto request = ParseListBody(*text);
    if (!request) return BadRequest("not a list request");
    if (FindVariant(request->gameName) == nullptr) return BadRequest("no such game");
    const auto list =
        request->kind == clScoreListKind::Daily
            ? store.DailyList(request->gameName, FormatDay(DayOfUnixTime(std::time(nullptr))),
                              std::min(request->maximum, kDailyListSize))
            : store.List(request->gameName, request->kind, request->maximum);
    if (!list) return {500, "the scores could not be read\n", "text/plain"};
    if (request->token == list->token) return {204, {}, "text/plain"};
    return {200, FormatListReply(list->token, list->scores), "application/octet-stream"};
}

clServerReply clScoreServer::StartPage() {
    std::string html = PageStart("Qarvel High Scores") +
                       "<h1>Qarvel High Scores</h1>\n<table>\n"
                       "<tr><th>Game</th><th>Scores</th><th>Daily challenge</th></tr>\n";
    for (const clCatalogueRow& row : Catalogue()) {
        const auto count = store.CountScores(row.displayName);
        html += "<tr><td><a href=\"/topscores/scores/qarvel/" + Html(row.key) + ".html\">" +
                Html(row.displayName) + "</a></td><td class=\"n\">" +
                (count ? std::to_string(*count) : std::string("?")) +
                "</td><td><a href=\"/topscores/daily/" + Html(row.key) +
                ".html\">today</a></td></tr>\n";
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
    const auto unverified = store.UnverifiedScores(row->displayName, 100);
    if (!top || !recent || !unverified)
        return {500, "the scores could not be read\n", "text/plain"};
    const std::string title = std::string(row->displayName) + " High Scores";
    std::string html = PageStart(title) + "<h1>" + Html(title) + "</h1>\n<h2>Best scores</h2>\n" +
                       "<p>Every score here was replayed move by move and verified.</p>\n" +
                       ScoreTable(*top) + "<h2>Recent scores</h2>\n" + "<p>The best of the last " +
                       std::to_string(clScoreStore::kRecentScores) + " scores sent.</p>\n" +
                       ScoreTable(*recent);
    if (!unverified->empty()) {
        html +=
            "<h2>Unverified scores</h2>\n<p>Sent without the record of their game, so "
            "nobody could check them; they rank nowhere.</p>\n" +
            ScoreTable(*unverified, true);
    }
    return HtmlPage(html + std::string(kPageEnd));
}

clServerReply clScoreServer::DailyPage(std::string_view key,
                                       std::optional<std::string_view> dayText) {
    const clCatalogueRow* row = nullptr;
    for (const clCatalogueRow& candidate : Catalogue())
        if (candidate.key == key) row = &candidate;
    const clDay today = DayOfUnixTime(static_cast<std::int64_t>(std::time(nullptr)));
    const std::optional<clDay> day = dayText ? ParseDay(*dayText) : today;
    if (row == nullptr || !day || *day > today) return NotFound();
    const std::string dayName = FormatDay(*day);
    const auto scores = store.DailyScores(row->displayName, dayName, 100);
    const auto days = store.DailyDays(row->displayName, 30);
    if (!scores || !days) return {500, "the scores could not be read\n", "text/plain"};
    const std::string title = std::string(row->displayName) + " Daily Challenge, " + dayName +
                              (*day == today ? " (today)" : "");
    std::string html = PageStart(title) + "<h1>" + Html(title) + "</h1>\n" +
                       "<p>Everyone plays the same deals of the day (UTC); a player's first "
                       "verified game of the day counts.</p>\n" +
                       ScoreTable(*scores);
    html += "<h2>Other days</h2>\n<ul>\n<li><a href=\"/topscores/daily/" + Html(row->key) +
            ".html\">Today</a></li>\n";
    for (const std::string& other : *days) {
        if (other == dayName) continue;
        html += "<li><a href=\"/topscores/daily/" + Html(row->key) + "/" + Html(other) +
                ".html\">" + Html(other) + "</a></li>\n";
    }
    return HtmlPage(html + "</ul>\n" + std::string(kPageEnd));
}

clServerReply clScoreServer::SitePage(std::string_view key) {
    for (const clSitePage& page : SitePages()) {
        if (page.key == key)
            return HtmlPage(PageStart("Qarvel") + std::string(page.html) + std::string(kPageEnd));
    }
    return NotFound();
}

namespace {

// The key of "<prefix><key>.html", a key being 1 to 64 small letters and
// digits; nothing for any other path.
std::optional<std::string_view> PageKey(std::string_view path, std::string_view prefix) {
    if (!path.starts_with(prefix) || !path.ends_with(".html")) return std::nullopt;
    const std::string_view key = path.substr(prefix.size(), path.size() - prefix.size() - 5);
    if (key.empty() || key.size() > 64 ||
        key.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789") != key.npos)
        return std::nullopt;
    return key;
}

// The key and day of "/topscores/daily/<key>/<YYYY-MM-DD>.html".
std::optional<std::pair<std::string_view, std::string_view>> DailyPath(std::string_view path) {
    constexpr std::string_view kPrefix = "/topscores/daily/";
    if (!path.starts_with(kPrefix) || !path.ends_with(".html")) return std::nullopt;
    const std::string_view rest = path.substr(kPrefix.size(), path.size() - kPrefix.size() - 5);
    const std::size_t slash = rest.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    const std::string_view key = rest.substr(0, slash);
    if (key.empty() || key.size() > 64 ||
        key.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789") != key.npos)
        return std::nullopt;
    return std::pair(key, rest.substr(slash + 1));
}

}  // namespace

clServerReply clScoreServer::Route(const clHttpDaemon::clRequest& request) {
    if (request.method == "POST") {
        if (request.path == "/topscores/qarvel/submit.php") return Submit(request.body);
        if (request.path == "/topscores/qarvel/list.php") return List(request.body);
    } else if (request.method == "GET") {
        if (request.path == "/" || request.path == "/index.html") return StartPage();
        if (const auto key = PageKey(request.path, "/topscores/scores/qarvel/"))
            return ScorePage(*key);
        if (const auto key = PageKey(request.path, "/app/")) return SitePage(*key);
        if (const auto key = PageKey(request.path, "/topscores/daily/"))
            return DailyPage(*key, std::nullopt);
        if (const auto daily = DailyPath(request.path))
            return DailyPage(daily->first, daily->second);
    }
    return NotFound();
}

int clScoreServer::Bind(const std::string& address, int port) {
    return http.Bind(address, port);
}

bool clScoreServer::Listen() {
    return http.Listen();
}

bool clScoreServer::IsRunning() const {
    return http.IsRunning();
}

void clScoreServer::Stop() {
    http.Stop();
}
