#include "rank_index.h"

#include <functional>
#include <utility>

#include <ext/pb_ds/assoc_container.hpp>
#include <ext/pb_ds/tree_policy.hpp>

// A red-black tree whose nodes count their subtrees, so the number of keys
// before any key is found in O(log n). A key sorts a higher score first and,
// among equal scores, the earlier id.
class clRankIndex::clTree {
public:
    using clKey = std::pair<std::int64_t, std::int64_t>;  // (-score, id)

    static clKey KeyOf(std::int32_t score, std::int64_t id) { return {-std::int64_t{score}, id}; }

    __gnu_pbds::tree<clKey, __gnu_pbds::null_type, std::less<clKey>, __gnu_pbds::rb_tree_tag,
                     __gnu_pbds::tree_order_statistics_node_update>
        keys;
};

clRankIndex::clRankIndex() = default;
clRankIndex::~clRankIndex() = default;

void clRankIndex::Add(std::string_view game, std::int32_t score, std::int64_t id) {
    const std::lock_guard guard(lock);
    auto found = games.find(game);
    if (found == games.end())
        found = games.emplace(std::string(game), std::make_unique<clTree>()).first;
    found->second->keys.insert(clTree::KeyOf(score, id));
}

void clRankIndex::Remove(std::string_view game, std::int32_t score, std::int64_t id) {
    const std::lock_guard guard(lock);
    const auto found = games.find(game);
    if (found != games.end()) found->second->keys.erase(clTree::KeyOf(score, id));
}

std::int64_t clRankIndex::RankOf(std::string_view game, std::int32_t score,
                                 std::int64_t id) const {
    const std::lock_guard guard(lock);
    const auto found = games.find(game);
    if (found == games.end()) return 1;
    return static_cast<std::int64_t>(found->second->keys.order_of_key(clTree::KeyOf(score, id))) +
           1;
}

std::int64_t clRankIndex::Count(std::string_view game) const {
    const std::lock_guard guard(lock);
    const auto found = games.find(game);
    return found == games.end() ? 0 : static_cast<std::int64_t>(found->second->keys.size());
}
