#include "solver/freecell_model.h"

#include <algorithm>
#include <climits>
#include <typeinfo>

#include "cards/card.h"
#include "engine/catalogue_rows.h"
#include "engine/solitaire_rules.h"
#include "piles/foundation.h"
#include "piles/reserve.h"
#include "piles/tableau.h"
#include "variants/solitaire_game.h"

namespace {

// The games whose rules the model follows; each is checked against the
// game's own move validation by the tests.
const clCatalogueRow* const kFamily[] = {
    &clGames::kFreeCell,         &clGames::kFreeCellKings, &clGames::kForeCell,
    &clGames::kThreeCells,       &clGames::kTwoCells,      &clGames::kSevenByFour,
    &clGames::kSevenByFourKings, &clGames::kSevenByFive,   &clGames::kFourByTen,
    &clGames::kTenByOne,         &clGames::kSeaTowers,     &clGames::kSeaTowersKings,
    &clGames::kDoubleSeaTowers,  &clGames::kBakersGame,    &clGames::kBakersGameKings,
    &clGames::kEightOff,         &clGames::kEightOn,       &clGames::kPenguin,
    &clGames::kTuxedo,           &clGames::kOpus,          &clGames::kBeleagueredCastle,
};

constexpr std::uint64_t Mix(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xbf58476d1ce4e5b9ULL;
    x ^= x >> 27;
    x *= 0x94d049bb133111ebULL;
    x ^= x >> 31;
    return x;
}

template <class T>
bool Is(const clPile& pile) {
    return typeid(pile) == typeid(T);
}

}  // namespace

std::optional<clFamilyModel> clFamilyModel::Read(const clSolitaireRules& game,
                                                 const clPlayOptions& options) {
    const auto* family = dynamic_cast<const clSolitaireGame*>(&game);
    if (family == nullptr) return std::nullopt;
    const clCatalogueRow* row = &family->Rules().game;
    if (std::find(std::begin(kFamily), std::end(kFamily), row) == std::end(kFamily)) {
        return std::nullopt;
    }
    clFamilyModel model;
    model.columns = game.TableauCount();
    model.cells = game.ReserveCount();
    model.foundations = game.FoundationCount();
    model.decks = game.DeckCount();
    const std::size_t piles = static_cast<std::size_t>(model.columns + model.cells) +
                              static_cast<std::size_t>(model.foundations);
    if (model.columns < 1 || model.columns > clFamilyState::kMaxColumns ||
        model.cells > clFamilyState::kMaxCells || model.foundations < 1 ||
        model.foundations > clFamilyState::kMaxFoundations || game.Stock() || game.Waste() ||
        game.AllPiles().size() != piles || game.CardCount() > 255) {
        return std::nullopt;
    }

    // The cards, numbered pile by pile.
    std::uint8_t next = 1;
    const auto number = [&](const clCard* card) -> std::uint8_t {
        if (card == nullptr || card->faceDown || card->blocked || card->GetRank() == 0) return 0;
        const std::uint8_t id = next++;
        model.dealIndex[id] = card->dealIndex;
        model.rank[id] = static_cast<std::uint8_t>(card->GetRank());
        model.suit[id] = static_cast<std::uint8_t>(card->GetSuit());
        model.colour[id] = static_cast<std::uint8_t>(card->GetColour());
        const std::uint64_t face =
            Mix(static_cast<std::uint64_t>(card->GetSuit() * 16 + card->GetRank()));
        model.face[id] = face;
        model.cellKey[id] = {Mix(face ^ 0x1), Mix(face ^ 0x2)};
        model.foundationKey[id] = {Mix(face ^ 0x3), Mix(face ^ 0x4)};
        return id;
    };

    const clPile* first = game.Tableau(0);
    const auto* store = dynamic_cast<const clStore*>(first);
    if (store == nullptr || store->IsFree()) return std::nullopt;
    switch (store->BuildRule()) {
        case clBuildRule::DownAlternating:
            model.run = clRule::Alternating;
            break;
        case clBuildRule::DownInSuit:
            model.run = clRule::InSuit;
            break;
        case clBuildRule::DownAnySuit:
            model.run = clRule::AnySuit;
            break;
        default:
            return std::nullopt;
    }
    if (Is<clTableauDownAlternating>(*first) || Is<clTableauDownInSuit>(*first)) {
        model.accept = model.run;
    } else if (Is<clTableauFanDownInSequence>(*first)) {
        model.accept = clRule::AnySuit;
    } else {
        return std::nullopt;
    }
    model.columnStop = store->StopRank();
    model.emptyRank = store->EmptyRank();
    model.fixedIn = static_cast<int>(first->MaxIn());
    model.fixedOut = static_cast<int>(first->MaxOut());
    if (model.columnStop < 1 || model.columnStop > 13 || model.emptyRank < 0 ||
        model.emptyRank > 13) {
        return std::nullopt;
    }
    switch (family->Forms().afterMove) {
        case clAfterMoveForm::None:
            model.limits = clLimits::Fixed;
            break;
        case clAfterMoveForm::CellCounting:
            model.limits = clLimits::CellCounting;
            break;
        case clAfterMoveForm::KingsCellCounting:
            model.limits = clLimits::KingsCellCounting;
            break;
        default:
            return std::nullopt;
    }

    for (int c = 0; c < model.columns; ++c) {
        const clPile* pile = game.Tableau(c);
        const auto* column = dynamic_cast<const clStore*>(pile);
        if (column == nullptr || typeid(*pile) != typeid(*first) || pile->IsInert() ||
            !pile->CanGive() || !pile->CanReceive() || column->IsFree() ||
            column->BuildRule() != store->BuildRule() || column->StopRank() != model.columnStop ||
            column->EmptyRank() != model.emptyRank ||
            (model.limits == clLimits::Fixed &&
             (static_cast<int>(pile->MaxIn()) != model.fixedIn ||
              static_cast<int>(pile->MaxOut()) != model.fixedOut))) {
            return std::nullopt;
        }
        const int length = static_cast<int>(pile->Count());
        if (length > clFamilyState::kMaxColumnCards) return std::nullopt;
        for (int k = 0; k < length; ++k) {
            const std::uint8_t id = number(pile->At(k));
            if (id == 0) return std::nullopt;
            model.start.column[c][k] = id;
        }
        model.start.length[c] = static_cast<std::uint8_t>(length);
    }
    for (int i = 0; i < model.cells; ++i) {
        const clPile* pile = game.Reserve(i);
        if (!Is<clCell>(*pile) || pile->IsInert() || !pile->CanGive() || !pile->CanReceive() ||
            pile->MaxIn() != 1 || pile->MaxOut() != 1 || pile->Count() > 1) {
            return std::nullopt;
        }
        if (pile->Count() == 1 && (model.start.cell[i] = number(pile->At(0))) == 0) {
            return std::nullopt;
        }
    }
    for (int f = 0; f < model.foundations; ++f) {
        const clPile* pile = game.Foundation(f);
        const auto* foundation = dynamic_cast<const clFoundation*>(pile);
        if (!Is<clFoundationUpInSuit>(*pile) || pile->IsInert() || !pile->CanReceive() ||
            pile->MaxIn() != 1 || pile->MaxOut() != 1) {
            return std::nullopt;
        }
        if (f == 0) {
            model.baseRank = foundation->BaseRank();
            model.foundationStop = foundation->StopRank();
            model.foundationsGive = pile->CanGive();
        } else if (foundation->BaseRank() != model.baseRank ||
                   foundation->StopRank() != model.foundationStop ||
                   pile->CanGive() != model.foundationsGive) {
            return std::nullopt;
        }
        for (int k = 0; k < static_cast<int>(pile->Count()); ++k) {
            const std::uint8_t id = number(pile->At(k));
            if (id == 0) return std::nullopt;
            model.start.foundation[f] = id;
        }
    }
    if (model.baseRank < 1 || model.baseRank > 13 ||
        (model.foundationStop != 0 && model.foundationStop != RankBelow(model.baseRank))) {
        return std::nullopt;
    }
    model.cardTotal = next - 1;
    if (model.cardTotal != game.CardCount()) return std::nullopt;
    for (int id = 1; id <= model.cardTotal; ++id) {
        model.order[id] = static_cast<std::uint8_t>((model.rank[id] - model.baseRank + 13) % 13);
        model.suitColour[model.suit[id]] = model.colour[id];
        for (int other = 1; other <= model.cardTotal && model.decks == 1; ++other) {
            if (model.suit[other] == model.suit[id] && model.order[id] > 0 &&
                (model.rank[other] - model.baseRank + 13) % 13 == model.order[id] - 1) {
                model.under[id] = static_cast<std::uint8_t>(other);
            }
        }
    }
    for (int below = 1; below <= model.cardTotal; ++below) {
        for (int card = 1; card <= model.cardTotal; ++card) {
            const auto b = static_cast<std::uint8_t>(below);
            const auto c = static_cast<std::uint8_t>(card);
            const bool steps =
                model.rank[b] != model.columnStop && model.rank[c] == RankBelow(model.rank[b]);
            std::uint8_t& entry = model.fits[static_cast<std::size_t>(below) * 256 + card];
            if (steps && model.SuitsFit(model.accept, c, b)) entry |= kFits;
            if (steps && model.SuitsFit(model.run, c, b)) entry |= kFollows;
        }
    }
    model.Rehash(model.start);
    // A column grows only by a run on its top, which stays within 13 cards.
    for (int c = 0; c < model.columns; ++c) {
        int length = model.start.length[c];
        int top = length - 1;
        while (top > 0 && model.Fits(model.start.column[c][top], model.start.column[c][top - 1]))
            --top;
        if (std::max(top, 0) + 13 > clFamilyState::kMaxColumnCards) return std::nullopt;
    }
    // Foundations below their tops, as they must have been built.
    for (int f = 0; f < model.foundations; ++f) {
        const clPile* pile = game.Foundation(f);
        for (int k = 0; k < static_cast<int>(pile->Count()); ++k) {
            const clCard* card = pile->At(k);
            if (card->GetSuit() != pile->Bottom()->GetSuit() ||
                (card->GetRank() - model.baseRank + 13) % 13 != k) {
                return std::nullopt;
            }
        }
    }

    if (options.autoPlay && game.OffersAutoPlay()) {
        switch (family->Forms().autoPlay) {
            case clAutoPlayForm::Plain:
                model.autoPlay = clAuto::Plain;
                break;
            case clAutoPlayForm::Safe:
                model.autoPlay = clAuto::Safe;
                break;
            default:
                return std::nullopt;
        }
        for (const auto& pile : game.AllPiles()) {
            const clLocation at = game.LocationOf(pile.get(), 0);
            if (at.kind == clLocationKind::Tableau) {
                model.autoOrder.push_back({clSpot::Column, static_cast<std::uint8_t>(at.first)});
            } else if (at.kind == clLocationKind::Reserve) {
                model.autoOrder.push_back({clSpot::Cell, static_cast<std::uint8_t>(at.first)});
            }
        }
    }
    return model;
}

bool clFamilyModel::SuitsFit(clRule rule, std::uint8_t card, std::uint8_t below) const {
    switch (rule) {
        case clRule::InSuit:
            return suit[card] == suit[below];
        case clRule::Alternating:
            return colour[card] != colour[below];
        case clRule::AnySuit:
            break;
    }
    return true;
}

int clFamilyModel::ColumnLimit(int length, int fixed, int emptyCells, int emptyColumns) const {
    switch (limits) {
        case clLimits::Fixed:
            return fixed == 0 ? INT_MAX : fixed;
        case clLimits::KingsCellCounting:
            return emptyCells + 1;
        case clLimits::CellCounting:
            break;
    }
    return length == 0 ? emptyColumns * (emptyCells + 1) : (emptyCells + 1) * (emptyColumns + 1);
}

// A stop rank of 0 lets a foundation wrap round until it holds 13 cards.
bool clFamilyModel::Takes(std::uint8_t top, std::uint8_t card) const {
    // Built from the base, a foundation stops at its 13th card either way.
    if (top == 0) return rank[card] == baseRank;
    return suit[top] == suit[card] && order[top] < 12 && order[card] == order[top] + 1;
}

int clFamilyModel::FoundationFor(const clFamilyState& state, std::uint8_t card) const {
    for (int f = 0; f < foundations; ++f) {
        const std::uint8_t top = state.foundation[f];
        if (Takes(top, card)) return f;
    }
    return -1;
}

void clFamilyModel::Moves(const clFamilyState& state, std::vector<clFamilyMove>& out,
                          bool all) const {
    out.clear();
    int firstEmptyCell = -1;
    for (int i = 0; i < cells && firstEmptyCell < 0; ++i) {
        if (state.cell[i] == 0) firstEmptyCell = i;
    }
    int emptyCells = 0;
    for (int i = 0; i < cells; ++i)
        emptyCells += state.cell[i] == 0;
    int firstEmptyColumn = -1;
    int emptyColumns = 0;
    for (int c = 0; c < columns; ++c) {
        if (state.length[c] != 0) continue;
        if (firstEmptyColumn < 0) firstEmptyColumn = c;
        ++emptyColumns;
    }
    std::array<int, clFamilyState::kMaxColumns> limitIn{};
    for (int c = 0; c < columns; ++c)
        limitIn[c] = ColumnLimit(state.length[c], fixedIn, emptyCells, emptyColumns);

    // Every place a group of `count` cards with `bottom` at its bottom may
    // go from (spot, from).
    const auto destinations = [&](clSpot spot, int from, std::uint8_t bottom, int count,
                                  bool wholeColumn) {
        const auto add = [&](clSpot toSpot, int to) {
            out.push_back({spot, static_cast<std::uint8_t>(from), toSpot,
                           static_cast<std::uint8_t>(to), static_cast<std::uint8_t>(count)});
        };
        // From one foundation to another only an Ace between empty ones,
        // with one pack: the search leaves that out.
        if (count == 1 && (all || spot != clSpot::Foundation)) {
            for (int f = 0; f < foundations; ++f) {
                if (spot == clSpot::Foundation && f == from) continue;
                if (Takes(state.foundation[f], bottom)) {
                    add(clSpot::Foundation, f);
                    if (!all) break;
                }
            }
        }
        for (int c = 0; c < columns; ++c) {
            if (spot == clSpot::Column && c == from) continue;
            if (count > limitIn[c]) continue;
            const int length = state.length[c];
            if (length == 0) {
                if (emptyRank != 0 && rank[bottom] != emptyRank) continue;
                if (!all && (c != firstEmptyColumn || wholeColumn)) continue;
            } else if (!Fits(bottom, state.column[c][length - 1])) {
                continue;
            }
            add(clSpot::Column, c);
        }
        if (count == 1) {
            for (int i = 0; i < cells; ++i) {
                if (state.cell[i] != 0 || (spot == clSpot::Cell && i == from)) continue;
                if (!all && (spot == clSpot::Cell || i != firstEmptyCell)) continue;
                add(clSpot::Cell, i);
            }
        }
    };

    for (int c = 0; c < columns; ++c) {
        const int length = state.length[c];
        if (length == 0) continue;
        const int limitOut = ColumnLimit(length, fixedOut, emptyCells, emptyColumns);
        const auto& cards = state.column[c];
        for (int p = length - 1; p >= 0; --p) {
            if (length - p > limitOut) break;
            if (p < length - 1 && !Follows(cards[p + 1], cards[p])) break;
            destinations(clSpot::Column, c, cards[p], length - p, p == 0);
        }
    }
    for (int i = 0; i < cells; ++i) {
        if (state.cell[i] != 0) destinations(clSpot::Cell, i, state.cell[i], 1, false);
    }
    if (foundationsGive && (all || decks == 1)) {
        for (int f = 0; f < foundations; ++f) {
            if (state.foundation[f] != 0) {
                destinations(clSpot::Foundation, f, state.foundation[f], 1, false);
            }
        }
    }
}

void clFamilyModel::LegalMoves(const clFamilyState& state, std::vector<clFamilyMove>& out) const {
    Moves(state, out, true);
}

void clFamilyModel::SearchMoves(const clFamilyState& state, std::vector<clFamilyMove>& out) const {
    Moves(state, out, false);
}

void clFamilyModel::Apply(clFamilyState& state, const clFamilyMove& move) const {
    std::array<std::uint8_t, clFamilyState::kMaxColumnCards> moving{};
    const int count = move.count;
    switch (move.fromSpot) {
        case clSpot::Column: {
            const int length = state.length[move.from];
            std::copy_n(state.column[move.from].begin() + (length - count), count, moving.begin());
            state.length[move.from] = static_cast<std::uint8_t>(length - count);
            break;
        }
        case clSpot::Cell:
            moving[0] = state.cell[move.from];
            state.cell[move.from] = 0;
            break;
        case clSpot::Foundation: {
            // One pack: the card below is the one of the same suit a rank down.
            const std::uint8_t top = state.foundation[move.from];
            moving[0] = top;
            state.foundation[move.from] = under[top];
            break;
        }
    }
    switch (move.toSpot) {
        case clSpot::Column: {
            const int length = state.length[move.to];
            std::copy_n(moving.begin(), count, state.column[move.to].begin() + length);
            state.length[move.to] = static_cast<std::uint8_t>(length + count);
            break;
        }
        case clSpot::Cell:
            state.cell[move.to] = moving[0];
            break;
        case clSpot::Foundation:
            state.foundation[move.to] = moving[0];
            break;
    }
    if (move.fromSpot == clSpot::Column) HashColumn(state, move.from);
    if (move.toSpot == clSpot::Column) HashColumn(state, move.to);
}

// As the game plays it: the first pile in its order whose top card a
// foundation takes, again and again; the safe form only takes cards at most
// two ranks above the lowest foundation.
void clFamilyModel::AutoPlay(clFamilyState& state) const {
    if (autoPlay == clAuto::Off) return;
    for (;;) {
        int lowest = 14;
        // With one pack, the next card each suit's foundation takes.
        std::array<int, 5> next{};
        for (int f = 0; f < foundations; ++f) {
            const std::uint8_t top = state.foundation[f];
            lowest = std::min(lowest, top ? int{rank[top]} : 0);
            if (top) next[suit[top]] = order[top] + 1;
        }
        bool moved = false;
        for (const clSource& source : autoOrder) {
            std::uint8_t top = 0;
            if (source.spot == clSpot::Column) {
                const int length = state.length[source.index];
                if (length > 0) top = state.column[source.index][length - 1];
            } else {
                top = state.cell[source.index];
            }
            if (top == 0 || (autoPlay == clAuto::Safe && rank[top] > lowest + 2)) continue;
            if (decks == 1 && order[top] != next[suit[top]]) continue;
            const int f = FoundationFor(state, top);
            if (f < 0) continue;
            Apply(state,
                  {source.spot, source.index, clSpot::Foundation, static_cast<std::uint8_t>(f), 1});
            moved = true;
            break;
        }
        if (!moved) return;
    }
}

void clFamilyModel::Play(clFamilyState& state, const clFamilyMove& move) const {
    Apply(state, move);
    AutoPlay(state);
}

std::optional<clFamilyMove> clFamilyModel::SafeMove(const clFamilyState& state) const {
    if (decks != 1) return std::nullopt;
    // With one pack each suit has one foundation: where it is, and how high.
    std::array<int, 5> height{};
    std::array<int, 5> pile{};
    int firstEmpty = -1;
    for (int f = 0; f < foundations; ++f) {
        const std::uint8_t top = state.foundation[f];
        if (top != 0) {
            height[suit[top]] = FoundationHeight(top);
            pile[suit[top]] = f;
        } else if (firstEmpty < 0) {
            firstEmpty = f;
        }
    }
    // A card is safe to send up when every card that could go on it in a
    // column is up already: the next lower of the suits it takes.
    std::array<int, 3> lowest{13, 13, 13};  // by colour: the lowest suit the colour takes
    for (int s = 1; s <= 4; ++s) {
        for (int c = 1; c <= 2; ++c) {
            const bool takes =
                accept == clRule::AnySuit || (accept == clRule::Alternating && suitColour[s] != c);
            if (takes) lowest[c] = std::min(lowest[c], height[s]);
        }
    }
    const auto up = [&](std::uint8_t card) -> int {
        const int s = suit[card];
        if (order[card] != height[s] || order[card] > lowest[colour[card]]) return -1;
        return height[s] == 0 ? firstEmpty : pile[s];
    };
    for (int i = 0; i < cells; ++i) {
        const std::uint8_t card = state.cell[i];
        if (card == 0) continue;
        if (const int f = up(card); f >= 0) {
            return clFamilyMove{clSpot::Cell, static_cast<std::uint8_t>(i), clSpot::Foundation,
                                static_cast<std::uint8_t>(f), 1};
        }
    }
    for (int c = 0; c < columns; ++c) {
        if (state.length[c] == 0) continue;
        const std::uint8_t card = state.column[c][state.length[c] - 1];
        if (const int f = up(card); f >= 0) {
            return clFamilyMove{clSpot::Column, static_cast<std::uint8_t>(c), clSpot::Foundation,
                                static_cast<std::uint8_t>(f), 1};
        }
    }
    return std::nullopt;
}

bool clFamilyModel::IsWon(const clFamilyState& state) const {
    for (int c = 0; c < columns; ++c) {
        if (state.length[c] != 0) return false;
    }
    for (int i = 0; i < cells; ++i) {
        if (state.cell[i] != 0) return false;
    }
    return true;
}

// Columns, cells and foundations each add up hashes of their own, so their
// order does not count.
void clFamilyModel::HashColumn(clFamilyState& state, int c) const {
    std::uint64_t a = 0x9e3779b97f4a7c15ULL;
    std::uint64_t b = 0x2545f4914f6cdd1dULL;
    for (int k = 0; k < state.length[c]; ++k) {
        const std::uint64_t card = face[state.column[c][k]];
        a = (a ^ card) * 0x100000001b3ULL + (a >> 29);
        b = ((b + card) * 0xff51afd7ed558ccdULL) ^ (b >> 31);
    }
    state.columnKeyA[c] = Mix(a);
    state.columnKeyB[c] = Mix(b ^ 0xc4ceb9fe1a85ec53ULL);
}

void clFamilyModel::Rehash(clFamilyState& state) const {
    for (int c = 0; c < columns; ++c)
        HashColumn(state, c);
}

clFamilyKey clFamilyModel::Key(const clFamilyState& state) const {
    clFamilyKey key;
    for (int c = 0; c < columns; ++c) {
        key.a += state.columnKeyA[c];
        key.b += state.columnKeyB[c];
    }
    // Card 0 (none) adds nothing.
    for (int i = 0; i < cells; ++i) {
        key.a += cellKey[state.cell[i]].a;
        key.b += cellKey[state.cell[i]].b;
    }
    for (int f = 0; f < foundations; ++f) {
        key.a += foundationKey[state.foundation[f]].a;
        key.b += foundationKey[state.foundation[f]].b;
    }
    return key;
}

clMove clFamilyModel::ToMove(const clFamilyState& state, const clFamilyMove& move) const {
    const auto place = [&](clSpot spot, int index, bool source) {
        switch (spot) {
            case clSpot::Column:
                return clLocation::Pile(clLocationKind::Tableau, index,
                                        state.length[index] - (source ? move.count : 0));
            case clSpot::Cell:
                return clLocation::Pile(clLocationKind::Reserve, index, 0);
            case clSpot::Foundation:
                break;
        }
        const int height = FoundationHeight(state.foundation[index]);
        return clLocation::Pile(clLocationKind::Foundation, index, source ? height - 1 : height);
    };
    std::uint8_t bottom = 0;
    switch (move.fromSpot) {
        case clSpot::Column:
            bottom = state.column[move.from][state.length[move.from] - move.count];
            break;
        case clSpot::Cell:
            bottom = state.cell[move.from];
            break;
        case clSpot::Foundation:
            bottom = state.foundation[move.from];
            break;
    }
    return clMove::CardMove(dealIndex[bottom], place(move.fromSpot, move.from, true),
                            place(move.toSpot, move.to, false));
}
