#include "online/online_scores.h"

#include <algorithm>

#include "online/http_client.h"
#include "player/settings.h"
#include "player/statistics.h"
#include "toolkit/date_format.h"

std::optional<clHttpReply> clHttpTransport::Post(const std::string& address,
                                                 std::string_view text) {
    clHttpClient client;
    client.SetTimeout(std::chrono::seconds(settings.Number(clNumber::Timeout)));
    if (!client.Post(address, text)) return std::nullopt;
    return clHttpReply{client.Status(), client.Body()};
}

clOnlineScores::clOnlineScores(const clSettings& settings, const clClock& clock)
    : settings(settings),
      clock(clock),
      ownTransport(std::make_unique<clHttpTransport>(settings)),
      transport(*ownTransport) {}

clOnlineScores::clOnlineScores(const clSettings& settings, const clClock& clock,
                               clScoreTransport& transport)
    : settings(settings), clock(clock), transport(transport) {}

bool clOnlineScores::Queue(clScoreEntry* entry) {
    if (entry == nullptr || queue.size() >= kMaxSubmittedScores) return false;
    queue.push_back(entry);
    return true;
}

bool clOnlineScores::SubmitScores(const clOnlineIdentity& identity) {
    if (identity.name.empty() || identity.location.empty() || identity.email.empty() ||
        queue.empty()) {
        return false;
    }
    std::string text = FormatSubmitHeader(identity, settings.Player());
    for (clScoreEntry* entry : queue) {
        entry->ranks = clScoreRanks{};
        text += FormatSubmitLine(entry->gameName, entry->score, entry->round);
    }
    const auto reply = transport.Post(settings.SubmitUrl(), text);
    if (!reply || reply->status != 200) return false;
    const auto ranks = ParseSubmitReply(reply->body, queue.size());
    if (!ranks) return false;
    for (std::size_t i = 0; i < queue.size(); ++i)
        queue[i]->ranks = (*ranks)[i];
    queue.clear();
    return true;
}

bool clOnlineScores::RetrieveList(std::string_view gameName, clScoreListKind kind) {
    const bool overall = kind == clScoreListKind::Overall;
    std::string& token = overall ? overallToken : recentToken;
    std::vector<std::int32_t>& scores = overall ? overallScores : recentScores;
    const std::int32_t maximum = ListSize(kind);

    const auto reply =
        transport.Post(settings.ListUrl(), FormatListBody(gameName, kind, token, maximum));
    std::optional<clScoreList> list;
    if (reply && reply->status == 204) {
        // Unchanged since the token sent; with no token there is no list it
        // could mean.
        if (token != "0") return true;
    } else if (reply && reply->status == 200) {
        list = ParseListReply(reply->body, maximum);
    }
    if (!list) {
        scores.clear();
        return false;
    }
    token = std::move(list->token);
    scores = std::move(list->scores);
    return true;
}

bool clOnlineScores::Retrieve(std::string_view gameName, bool force) {
    if (!valid || force || gameName != listsGame) {
        overallToken = "0";
        recentToken = "0";
    }
    listsGame = std::string(gameName);
    retrievedAt.reset();
    valid = false;
    if (!RetrieveList(gameName, clScoreListKind::Overall)) return false;
    if (!RetrieveList(gameName, clScoreListKind::Recent)) return false;
    retrievedAt = clock.LocalTime();
    valid = true;
    return true;
}

std::string clOnlineScores::OverallRankText(std::int32_t score) const {
    const std::string unranked = "Overall rank: [unranked]";
    if (!valid || overallScores.empty() || score < overallScores.back()) return unranked;
    const auto notBelow = std::count_if(overallScores.begin(), overallScores.end(),
                                        [score](std::int32_t listed) { return listed >= score; });
    const auto count = static_cast<std::int64_t>(overallScores.size());
    const std::int64_t rank = notBelow + 1;
    // Equal to the lowest listed score, it would fall off the list's end.
    if (notBelow == count || rank > kOverallListSize) return unranked;
    const std::int64_t of = std::min<std::int64_t>(count + 1, kOverallListSize);
    return "Overall rank: " + clStatistics::Ordinal(static_cast<std::int32_t>(rank)) + " of " +
           std::to_string(of);
}

std::string clOnlineScores::RecentRankText(std::int32_t score) const {
    if (!valid || recentScores.empty()) return "Recent rank: [unranked]";
    const auto count = static_cast<std::int64_t>(recentScores.size());
    std::int64_t rank = count + 1;
    if (score > recentScores.back()) {
        rank = std::count_if(recentScores.begin(), recentScores.end(),
                             [score](std::int32_t listed) { return listed >= score; }) +
               1;
    }
    rank = std::min<std::int64_t>(rank, kRecentListSize);
    const std::int64_t of = std::min<std::int64_t>(count + 1, kRecentListSize);
    return "Recent rank: " + clStatistics::Ordinal(static_cast<std::int32_t>(rank)) + " of last " +
           std::to_string(of);
}

std::string clOnlineScores::LastUpdateText(const clDateFormat& format) const {
    if (!retrievedAt) return {};
    const std::string date = format.ShortDate(*retrievedAt);
    const std::string time = format.ShortTime(*retrievedAt);
    if (date.empty() || time.empty()) return {};
    return "[" + date + " " + time + "]";
}
