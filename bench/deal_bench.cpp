// How long a deal and an undo (a rebuild that replays the history) take.
#include <memory>

#include <benchmark/benchmark.h>

#include "engine/solitaire_rules.h"

namespace {

class clBenchPile : public clPile {
public:
    clBenchPile() {
        Allocate(kLargeCapacity);
        inert = false;
        canGive = true;
        canReceive = true;
    }
};

class clBenchTable : public clSolitaireRules {
public:
    explicit clBenchTable(int packs) : packs(packs) {}
    void CreateLayout() override {
        for (int i = 0; i < 10; ++i)
            AddTableau(std::make_unique<clBenchPile>())->SetPosition(i, 1);
        SetStock(std::make_unique<clBenchPile>())->SetPosition(0, 0);
        deckCount = packs;
        tableauDealCount = 40;
    }
    void SetupRounds() override {}
    void SetupPoints() override {}

private:
    int packs;
};

void BM_Deal(benchmark::State& state) {
    clBenchTable table(static_cast<int>(state.range(0)));
    table.Initialize();
    std::int32_t number = 1;
    for (auto _ : state)
        table.StartDeal(number++);
}
BENCHMARK(BM_Deal)->Arg(1)->Arg(2)->Arg(4);

// An undo late in a long game: re-deal and replay every move before it.
void BM_RebuildAfterMoves(benchmark::State& state) {
    clBenchTable table(2);
    table.Initialize();
    table.StartDeal(12345);
    for (int i = 0; table.History().Count() < static_cast<std::size_t>(state.range(0)); ++i) {
        const clLocation from = clLocation::Pile(clLocationKind::Tableau, i % 10, 0);
        const int to = (i + 1) % 10;
        const clMove move = clMove::CardMove(
            0, from.WithPosition(static_cast<int>(table.Tableau(i % 10)->Count()) - 1),
            clLocation::Pile(clLocationKind::Tableau, to,
                             static_cast<int>(table.Tableau(to)->Count())));
        if (table.ValidateMove(move)) table.CommitDraggedMove(move);
    }
    for (auto _ : state)
        table.Rebuild();
}
BENCHMARK(BM_RebuildAfterMoves)->Arg(100)->Arg(1000);

}  // namespace
