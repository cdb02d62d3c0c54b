#include "rank_index.h"

#include <deque>
#include <functional>

#include <ext/pb_ds/assoc_container.hpp>
#include <ext/pb_ds/tree_policy.hpp>

// A game's scores in a red-black tree whose nodes count their subtrees, so
// the number of keys before any key is found in O(log n). A key sorts a
// higher score first and, among equal scores, the earlier id.
class clRankIndex::clGame {
public:
    using clKey = std::pair<std::int64_t, std::int64_t>;  // (-score, id)

    static clKey KeyOf(std::int32_t score, std::int64_t id) { return {-std::int64_t{score}, id}; }

    __gnu_pbds::tree<clKey, __gnu_pbds::null_type, std::less<clKey>, __gnu_pbds::rb_tree_tag,
                     __gnu_pbds::tree_order_statistics_node_update>
        keys;
    std::deque<std::pair<std::int64_t, std::int32_t>> recent;  // (id, score), oldest first
};

clRankIndex::clRankIndex(std::size_t recentSize) : recentSize(recentSize) {}
clRankIndex::~clRankIndex() = default;

void clRankIndex::Add(std::string_view game, std::int32_t score, std::int64_t id) {
    const std::lock_guard guard(lock);
    auto found = games.find(game);
    if (found == games.end())
        found = games.emplace(std::string(game), std::make_unique<clGame>()).first;
    clGame& scores = *found->second;
    if (!scores.keys.insert(clGame::KeyOf(score, id)).second) return;
    if (!scores.recent.empty() && scores.recent.back().first > id) return;
    scores.recent.emplace_back(id, score);
    if (scores.recent.size() > recentSize) scores.recent.pop_front();
}

void clRankIndex::Remove(std::string_view game, std::int32_t score, std::int64_t id,
                         const std::vector<std::pair<std::int64_t, std::int32_t>>& latest) {
    const std::lock_guard guard(lock);
    const auto found = games.find(game);
    if (found == games.end()) return;
    found->second->keys.erase(clGame::KeyOf(score, id));
    found->second->recent.assign(latest.begin(), latest.end());
}

std::int64_t clRankIndex::RankOf(std::string_view game, std::int32_t score, std::int64_t id) const {
    const std::lock_guard guard(lock);
    const auto found = games.find(game);
    if (found == games.end()) return 1;
    return static_cast<std::int64_t>(found->second->keys.order_of_key(clGame::KeyOf(score, id))) +
           1;
}

std::pair<std::int64_t, std::int64_t> clRankIndex::RecentRankOf(std::string_view game,
                                                                std::int32_t score,
                                                                std::int64_t id) const {
    const std::lock_guard guard(lock);
    const auto found = games.find(game);
    if (found == games.end()) return {0, 0};
    const auto& recent = found->second->recent;
    std::int64_t before = 0;
    bool among = false;
    for (const auto& [otherId, otherScore] : recent) {
        among = among || otherId == id;
        before += otherScore > score || (otherScore == score && otherId < id) ? 1 : 0;
    }
    return {among ? before + 1 : 0, static_cast<std::int64_t>(recent.size())};
}

std::int64_t clRankIndex::Count(std::string_view game) const {
    const std::lock_guard guard(lock);
    const auto found = games.find(game);
    return found == games.end() ? 0 : static_cast<std::int64_t>(found->second->keys.size());
}
