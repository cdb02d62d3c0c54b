#include "shell/game_list_model.h"

#include <algorithm>
#include <cctype>
#include <numeric>

#include "engine/catalogue.h"
#include "player/file_time.h"
#include "player/settings.h"
#include "player/settings_keys.h"
#include "player/settings_layout.h"
#include "toolkit/date_format.h"
#include "toolkit/settings_store.h"

using namespace clGameNames;

namespace {

std::vector<std::size_t> TableOrder(std::size_t count) {
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    return order;
}

// n outside 1..count stands for every game.
std::size_t Bound(int n, std::size_t count) {
    return n < 1 || static_cast<std::size_t>(n) > count ? count : static_cast<std::size_t>(n);
}

int CompareText(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = std::tolower(static_cast<unsigned char>(a[i]));
        const int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

template <class T>
int Larger(T a, T b) {
    return a == b ? 0 : (a > b ? -1 : 1);
}

// Positive order: names and categories A to Z, figures largest first, the
// newest play first.
int Compare(const clGameRecord& a, const clGameRecord& b, int column) {
    switch (column) {
        case 0:
            return CompareText(a.row->displayName, b.row->displayName);
        case 1:
            return CompareText(a.row->category, b.row->category);
        case 2:
            return Larger(a.gamesPlayed, b.gamesPlayed);
        case 3:
            return Larger(a.best, b.best);
        case 4:
            return Larger(a.average, b.average);
        case 5:
            return Larger(a.worst, b.worst);
        case 6:
            return Larger(a.lastPlayed, b.lastPlayed);
        default:
            return 0;
    }
}

std::string Number(std::int32_t value) {
    return std::to_string(value);
}

}  // namespace

void clGameListModel::Fill(clSettings& settings, const clDateTime& today) {
    records.clear();
    clSettingsStore& store = settings.Store();
    for (const clCatalogueRow& row : Catalogue()) {
        clGameRecord game;
        game.row = &row;
        game.recommended = row.favourite;
        const clKeyPath key = GameKey(settings.Player(), row.displayName);
        if (store.KeyExists(key)) {
            game.favourite = store.ReadInteger(key, kFavorite).value_or(game.recommended) != 0;
        } else if (game.recommended) {
            store.WriteInteger(key, kFavorite, 1);
            game.favourite = true;
        }
        game.gamesPlayed = store.ReadInteger(key, kGamesPlayed).value_or(0);
        game.best = store.ReadInteger(key, kBestScore).value_or(0);
        game.worst = store.ReadInteger(key, kWorstScore).value_or(0);
        game.average = store.ReadInteger(key, kAverageScore).value_or(0);
        const auto low =
            static_cast<std::uint32_t>(store.ReadInteger(key, kLastTimeLow).value_or(0));
        const auto high =
            static_cast<std::uint32_t>(store.ReadInteger(key, kLastTimeHigh).value_or(0));
        game.lastPlayed = (std::uint64_t{high} << 32) | low;
        records.push_back(game);
    }
    MarkMostPlayed(records, settings.Number(clNumber::Played));
    MarkMostRecent(records, settings.Number(clNumber::Recent), today);
}

std::vector<const clGameRecord*> clGameListModel::Shown(int filter) const {
    std::vector<const clGameRecord*> shown;
    for (const clGameRecord& game : records) {
        bool show = false;
        switch (static_cast<clGameFilter>(filter)) {
            case clGameFilter::All:
                show = true;
                break;
            case clGameFilter::Recommended:
                show = game.recommended;
                break;
            case clGameFilter::Favorites:
                show = game.favourite;
                break;
            case clGameFilter::MostPlayed:
                show = game.mostPlayed;
                break;
            case clGameFilter::MostRecent:
                show = game.mostRecent;
                break;
        }
        if (show) shown.push_back(&game);
    }
    return shown;
}

void clGameListModel::Sort(std::vector<const clGameRecord*>& games, int sort) {
    if (sort == 0) return;
    const int column = std::abs(sort) - 1;
    const bool reverse = sort < 0;
    std::stable_sort(games.begin(), games.end(),
                     [column, reverse](const clGameRecord* a, const clGameRecord* b) {
                         const int order = Compare(*a, *b, column);
                         return reverse ? order > 0 : order < 0;
                     });
}

int clGameListModel::SortAfterClick(int sort, int column) {
    return sort == column + 1 ? -(column + 1) : column + 1;
}

void clGameListModel::MarkMostPlayed(std::vector<clGameRecord>& games, int n) {
    std::vector<std::size_t> order = TableOrder(games.size());
    std::stable_sort(order.begin(), order.end(), [&games](std::size_t a, std::size_t b) {
        return games[a].gamesPlayed > games[b].gamesPlayed;
    });
    const std::size_t wanted = Bound(n, games.size());
    std::size_t marked = 0;
    for (; marked < wanted && marked < order.size(); ++marked) {
        clGameRecord& game = games[order[marked]];
        if (game.gamesPlayed == 0) return;
        game.mostPlayed = true;
    }
    // Ties with the last one marked come too.
    if (marked == 0) return;
    const std::int32_t last = games[order[marked - 1]].gamesPlayed;
    for (std::size_t i = marked; i < order.size() && games[order[i]].gamesPlayed == last; ++i) {
        games[order[i]].mostPlayed = true;
    }
}

void clGameListModel::MarkMostRecent(std::vector<clGameRecord>& games, int n,
                                     const clDateTime& today) {
    std::vector<std::size_t> order = TableOrder(games.size());
    std::stable_sort(order.begin(), order.end(), [&games](std::size_t a, std::size_t b) {
        return games[a].lastPlayed > games[b].lastPlayed;
    });
    const std::size_t wanted = Bound(n, games.size());
    std::size_t i = 0;
    for (; i < wanted && i < order.size(); ++i) {
        clGameRecord& game = games[order[i]];
        if (game.lastPlayed == 0) return;
        game.mostRecent = true;
    }
    // Every other game played today.
    for (; i < order.size(); ++i) {
        clGameRecord& game = games[order[i]];
        if (game.lastPlayed == 0) return;
        const clDateTime when = FromFileTime(game.lastPlayed);
        if (when.year != today.year || when.month != today.month || when.day != today.day) return;
        game.mostRecent = true;
    }
}

std::string clGameListModel::CellText(const clGameRecord& game, int column,
                                      const clDateFormat& dates) {
    const bool played = game.gamesPlayed > 0;
    switch (column) {
        case 0:
            return std::string(game.row->displayName.substr(0, 127));
        case 1:
            return std::string(game.row->category);
        case 2:
            return played ? Number(game.gamesPlayed) : "";
        case 3:
            return played ? Number(game.best) : "";
        case 4:
            return played ? Number(game.average) : "";
        case 5:
            return played ? Number(game.worst) : "";
        case 6: {
            if (game.lastPlayed == 0) return "";
            const clDateTime when = FromFileTime(game.lastPlayed);
            return dates.ShortDate(when) + " " + dates.ShortTime(when);
        }
        default:
            return "";
    }
}

std::string clGameListModel::StatusText(const clGameRecord* selected, int listed) {
    if (!selected) {
        return " " + (listed == 1 ? std::string(" 1 game") : std::to_string(listed) + " games");
    }
    std::string text = " " + std::string(selected->row->displayName) + " [" +
                       std::string(selected->row->category) + "] - ";
    if (selected->gamesPlayed >= 2) {
        text += std::to_string(selected->gamesPlayed) +
                " games played (best score: " + std::to_string(selected->best) + ")";
    } else if (selected->gamesPlayed == 1) {
        text += "1 game played (score: " + std::to_string(selected->best) + ")";
    } else {
        text += "no games finished";
    }
    return text;
}
