#include "online/score_actions.h"

#include <algorithm>
#include <optional>

#include "player/settings.h"
#include "player/statistics.h"
#include "toolkit/date_format.h"
#include "toolkit/messages.h"

namespace {

void PlayRemoveSound(const clSettings& settings, const clOnlineFeedback& feedback) {
    if (settings.Flag(clFlag::Sounds) && feedback.playSound) feedback.playSound(clSound::Remove);
}

// The exchanges run through the window's messages, which show `text` while
// they take long.
clExchangeRunner Runner(const clOnlineFeedback& feedback, std::string_view text) {
    return [&messages = feedback.messages, text = std::string(text)](const auto& work) {
        return messages.RunCancellable(text, work);
    };
}

// "1st/4th/9th of 530": the ranks up to the first entry without one.
std::string JoinedRanks(std::span<const clScoreEntry> entries, bool overall) {
    std::string ranks;
    std::int32_t largest = 0;
    bool stopped = false;
    for (const clScoreEntry& entry : entries) {
        const std::int32_t rank = overall ? entry.ranks.overallRank : entry.ranks.recentRank;
        const std::int32_t count = overall ? entry.ranks.overallCount : entry.ranks.recentCount;
        largest = std::max(largest, count);
        if (rank == 0) stopped = true;
        if (stopped) continue;
        if (!ranks.empty()) ranks += '/';
        ranks += clStatistics::Ordinal(rank);
    }
    if (ranks.empty()) return "[unranked]";
    return ranks + " of " + std::to_string(largest);
}

}  // namespace

bool CanSubmit(const clOnlineIdentity& fields, bool practice, bool hasScores) {
    return !fields.name.empty() && !fields.location.empty() &&
           fields.email.find('@') != std::string::npos &&
           fields.email.find('.') != std::string::npos && !practice && hasScores;
}

bool CanSubmitTop(const clOnlineIdentity& fields, bool practice, std::int32_t results) {
    return CanSubmit(fields, practice, results >= 2);
}

std::string SubmitTopLabel(std::int32_t results) {
    return "Submit Top " + std::to_string(std::clamp(results, 0, 3)) + " Scores";
}

std::vector<clScoreEntry> BestEntries(const clStatistics& statistics, std::string_view gameName,
                                      std::int32_t count) {
    std::vector<clScoreEntry> entries;
    for (std::int32_t i = 0; i < statistics.Count() && std::ssize(entries) < count; ++i) {
        const clScoreRecord* record = statistics.Ranked(i);
        if (record == nullptr) break;
        // A game played with hints is never submitted.
        if (record->hinted) continue;
        entries.push_back({std::string(gameName), record->score, record->round, {}});
    }
    return entries;
}

clSubmitOutcome SubmitOnline(clSettings& settings, const clClock& clock,
                             const clOnlineIdentity& fields, std::span<clScoreEntry> entries,
                             const clOnlineFeedback& feedback, clScoreTransport* transport) {
    if (fields.name.empty() || fields.location.empty() || fields.email.empty())
        return clSubmitOutcome::NotAttempted;
    settings.SetText(clText::Name, fields.name);
    settings.SetText(clText::Location, fields.location);
    settings.SetText(clText::Email, fields.email);

    std::optional<clOnlineScores> scores;
    if (transport != nullptr) {
        scores.emplace(settings, clock, *transport);
    } else {
        scores.emplace(settings, clock);
    }
    bool queued = !entries.empty();
    for (clScoreEntry& entry : entries)
        queued = queued && scores->Queue(&entry);
    if (!queued) {
        feedback.messages.ShowMessage(
            std::string(entries.size() == 1 ? kCannotQueueOneText : kCannotQueueManyText));
        return clSubmitOutcome::NotQueued;
    }
    const clOnlineIdentity identity{settings.Text(clText::Name), settings.Text(clText::Location),
                                    settings.Text(clText::Email)};
    if (!scores->SubmitScores(identity, Runner(feedback, kSubmittingText))) {
        if (scores->WasCancelled()) return clSubmitOutcome::Cancelled;
        feedback.messages.ShowMessage(std::string(kSubmitFailedText));
        return clSubmitOutcome::Failed;
    }
    PlayRemoveSound(settings, feedback);
    return clSubmitOutcome::Submitted;
}

std::string SubmittedOverallRankText(const clScoreEntry& entry) {
    const clScoreRanks& r = entry.ranks;
    if (r.overallRank == 0 || r.overallCount == 0) return "Overall rank: [unranked]";
    return "Overall rank: " + clStatistics::Ordinal(r.overallRank) + " of " +
           std::to_string(r.overallCount);
}

std::string SubmittedRecentRankText(const clScoreEntry& entry) {
    const clScoreRanks& r = entry.ranks;
    if (r.recentRank == 0 || r.recentCount == 0) return "Recent rank: [unranked]";
    return "Recent rank: " + clStatistics::Ordinal(r.recentRank) + " of last " +
           std::to_string(r.recentCount);
}

std::string SubmittedOverallRankText(std::span<const clScoreEntry> entries) {
    return "Overall rank: " + JoinedRanks(entries, true);
}

std::string SubmittedRecentRankText(std::span<const clScoreEntry> entries) {
    return "Recent rank: " + JoinedRanks(entries, false);
}

std::string VerdictText(const clScoreEntry& entry) {
    if (!entry.verdict) return {};
    switch (entry.verdict->kind) {
        case clScoreVerdict::clKind::Refused:
            return "The server could not verify this score: " + entry.verdict->reason;
        case clScoreVerdict::clKind::Unverified:
            return "The server kept this score as unverified: it ranks nowhere.";
        case clScoreVerdict::clKind::Verified:
            break;
    }
    return {};
}

std::string RankColumnText(std::int32_t rank, std::int32_t count) {
    if (rank == 0 || count == 0) return "[unranked]";
    return clStatistics::Ordinal(rank) + " of " + std::to_string(count);
}

clRoundOverTexts RoundOverTexts(const clOnlineScores& scores, std::int32_t score,
                                const clDateFormat& format) {
    if (!scores.IsValid())
        return {std::string(kNoScoreDataText), std::string(kPressRetrieveText), {}};
    return {scores.OverallRankText(score), scores.RecentRankText(score),
            scores.LastUpdateText(format)};
}

bool RetrieveOnline(clOnlineScores& scores, std::string_view gameName, const clSettings& settings,
                    const clOnlineFeedback& feedback) {
    if (!scores.Retrieve(gameName, false, Runner(feedback, kRetrievingText))) {
        if (scores.WasCancelled()) return false;
        feedback.messages.ShowMessage(std::string(kRetrieveFailedText));
        return false;
    }
    PlayRemoveSound(settings, feedback);
    return true;
}
