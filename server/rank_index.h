#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Where a score ranks among its game's scores, kept in memory beside the
// database so that ranking costs O(log n) however many scores a game has:
// higher scores first, equal scores in the order they came in (by id). It
// also keeps each game's latest scores, the recent ones, by id. Safe to use
// from several threads.
class clRankIndex {
public:
    explicit clRankIndex(std::size_t recentSize);
    ~clRankIndex();
    clRankIndex(const clRankIndex&) = delete;
    clRankIndex& operator=(const clRankIndex&) = delete;

    // A score newer (of a higher id) than all of its game's, or one already
    // there, which changes nothing.
    void Add(std::string_view game, std::int32_t score, std::int64_t id);
    // Takes a score out. The recent scores then miss it: the game's latest
    // scores (id, score), oldest first, are given again.
    void Remove(std::string_view game, std::int32_t score, std::int64_t id,
                const std::vector<std::pair<std::int64_t, std::int32_t>>& latest);
    // 1 + the number of the game's scores ranked before this one.
    std::int64_t RankOf(std::string_view game, std::int32_t score, std::int64_t id) const;
    std::int64_t Count(std::string_view game) const;

    // Among the game's recent scores: the rank of this one (0 when it is not
    // among them) and their number.
    std::pair<std::int64_t, std::int64_t> RecentRankOf(std::string_view game, std::int32_t score,
                                                       std::int64_t id) const;

private:
    class clGame;

    std::size_t recentSize;
    mutable std::mutex lock;
    std::map<std::string, std::unique_ptr<clGame>, std::less<>> games;
};
