#include "online/online_scores.h"

#include <algorithm>

#include "online/http_client.h"
#include "online/play_record.h"
#include "player/settings.h"
#include "player/statistics.h"
#include "toolkit/date_format.h"

std::optional<clHttpReply> clHttpTransport::Post(const clScoreRequest& request,
                                                 std::stop_token stop) {
    clHttpClient client;
    client.SetTimeout(request.timeout);
    if (!client.Post(request.address, request.text, std::nullopt, stop)) return std::nullopt;
    return clHttpReply{client.Status(), client.Body()};
}

bool RunHere(const std::function<void(std::stop_token)>& work) {
    work(std::stop_token{});
    return true;
}

clOnlineScores::clOnlineScores(const clSettings& settings, const clClock& clock)
    : settings(settings),
      clock(clock),
      ownTransport(std::make_unique<clHttpTransport>()),
      transport(*ownTransport) {}

clOnlineScores::clOnlineScores(const clSettings& settings, const clClock& clock,
                               clScoreTransport& transport)
    : settings(settings), clock(clock), transport(transport) {}

bool clOnlineScores::Queue(clScoreEntry* entry) {
    if (entry == nullptr || queue.size() >= kMaxSubmittedScores) return false;
    queue.push_back(entry);
    return true;
}

clScoreRequest clOnlineScores::Request(const std::string& address, std::string text) const {
    return {address, std::move(text), std::chrono::seconds(settings.Number(clNumber::Timeout))};
}

bool clOnlineScores::SubmitScores(const clOnlineIdentity& identity, const clExchangeRunner& run) {
    cancelled = false;
    if (identity.name.empty() || identity.location.empty() || identity.email.empty() ||
        queue.empty()) {
        return false;
    }
    std::vector<std::string> records;
    for (const clScoreEntry* entry : queue)
        records.push_back(entry->record.empty() ? std::string() : ToBase64(entry->record));
    std::string text = FormatSubmitHeader(identity, settings.Player(), records);
    for (clScoreEntry* entry : queue) {
        entry->ranks = clScoreRanks{};
        entry->verdict.reset();
        text += FormatSubmitLine(entry->gameName, entry->score, entry->round);
    }
    const clScoreRequest request = Request(settings.SubmitUrl(), std::move(text));
    std::optional<clHttpReply> reply;
    cancelled = !run([&](std::stop_token stop) { reply = transport.Post(request, stop); });
    if (cancelled || !reply || reply->status != 200) return false;
    const auto ranks = ParseSubmitReply(reply->body, queue.size());
    if (!ranks) return false;
    const auto verdicts = ParseVerdicts(reply->body, queue.size());
    for (std::size_t i = 0; i < queue.size(); ++i) {
        queue[i]->ranks = (*ranks)[i];
        if (verdicts) queue[i]->verdict = (*verdicts)[i];
    }
    queue.clear();
    return true;
}

// What a list's reply says: that the list has not changed since the token
// sent (holds, without a list), a new list, or nothing that holds.
struct clOnlineScores::clListAnswer {
    bool holds = false;
    std::optional<clScoreList> list;
};

clOnlineScores::clListAnswer clOnlineScores::ReadListReply(const std::optional<clHttpReply>& reply,
                                                           const std::string& sentToken,
                                                           clScoreListKind kind) {
    // A 204 means unchanged since the token sent; with no token there is no
    // list it could mean.
    if (reply && reply->status == 204) return {sentToken != "0", std::nullopt};
    if (!reply || reply->status != 200) return {};
    auto list = ParseListReply(reply->body, ListSize(kind));
    return {list.has_value(), std::move(list)};
}

std::optional<std::vector<std::int32_t>> clOnlineScores::RetrieveDaily(
    std::string_view gameName, const clExchangeRunner& run) {
    const clScoreRequest request = Request(
        settings.ListUrl(), FormatListBody(gameName, clScoreListKind::Daily, "0", kDailyListSize));
    std::optional<clHttpReply> reply;
    cancelled = !run([&](std::stop_token stop) { reply = transport.Post(request, stop); });
    if (cancelled || !reply || reply->status != 200) return std::nullopt;
    std::optional<clScoreList> list = ParseListReply(reply->body, kDailyListSize);
    if (!list) return std::nullopt;
    return std::move(list->scores);
}

bool clOnlineScores::Retrieve(std::string_view gameName, bool force, const clExchangeRunner& run) {
    cancelled = false;
    if (!valid || force || gameName != listsGame) {
        overallToken = "0";
        recentToken = "0";
    }
    listsGame = std::string(gameName);
    retrievedAt.reset();
    valid = false;
    // The requests are made here; the worker only sends them and reads the
    // replies, and asks for the recent list once the overall one held.
    const auto request = [&](clScoreListKind kind, const std::string& token) {
        return Request(settings.ListUrl(), FormatListBody(gameName, kind, token, ListSize(kind)));
    };
    const clScoreRequest overallRequest = request(clScoreListKind::Overall, overallToken);
    const clScoreRequest recentRequest = request(clScoreListKind::Recent, recentToken);
    clListAnswer overall;
    clListAnswer recent;
    cancelled =
        !run([&, overallSent = overallToken, recentSent = recentToken](std::stop_token stop) {
            overall = ReadListReply(transport.Post(overallRequest, stop), overallSent,
                                    clScoreListKind::Overall);
            if (overall.holds && !stop.stop_requested())
                recent = ReadListReply(transport.Post(recentRequest, stop), recentSent,
                                       clScoreListKind::Recent);
        });
    if (cancelled) overall.holds = recent.holds = false;
    if (!TakeList(clScoreListKind::Overall, std::move(overall))) return false;
    if (!TakeList(clScoreListKind::Recent, std::move(recent))) return false;
    retrievedAt = clock.LocalTime();
    valid = true;
    return true;
}

bool clOnlineScores::TakeList(clScoreListKind kind, clListAnswer answer) {
    const bool overall = kind == clScoreListKind::Overall;
    std::vector<std::int32_t>& scores = overall ? overallScores : recentScores;
    if (!answer.holds) {
        scores.clear();
        return false;
    }
    if (answer.list) {
        (overall ? overallToken : recentToken) = std::move(answer.list->token);
        scores = std::move(answer.list->scores);
    }
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
