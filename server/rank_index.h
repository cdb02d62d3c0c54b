#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

// Where a score ranks among its game's scores, kept in memory beside the
// database so that ranking costs O(log n) however many scores a game has:
// higher scores first, equal scores in the order they came in (by id).
// Safe to use from several threads.
class clRankIndex {
public:
    clRankIndex();
    ~clRankIndex();
    clRankIndex(const clRankIndex&) = delete;
    clRankIndex& operator=(const clRankIndex&) = delete;

    // Adding a score already there, or removing one that is not, changes
    // nothing.
    void Add(std::string_view game, std::int32_t score, std::int64_t id);
    void Remove(std::string_view game, std::int32_t score, std::int64_t id);
    // 1 + the number of the game's scores ranked before this one.
    std::int64_t RankOf(std::string_view game, std::int32_t score, std::int64_t id) const;
    std::int64_t Count(std::string_view game) const;

private:
    class clTree;

    mutable std::mutex lock;
    std::map<std::string, std::unique_ptr<clTree>, std::less<>> games;
};
