// qarvel-table: deals a table without a window and prints it.
//
//   qarvel-table [--deal N]
//
// Until the variants arrive it deals a seven-column layout of plain piles (28
// cards to the tableau with the first 21 face down, the rest to the stock), so
// a deal number can be checked by eye.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "engine/solitaire_rules.h"
#include "engine/table_text.h"

namespace {

class clPlainPile : public clPile {
public:
    clPlainPile() {
        Allocate(kLargeCapacity);
        inert = false;
        canGive = true;
        canReceive = true;
        fan.dy = 0.2;
    }
};

class clDemoTable : public clSolitaireRules {
public:
    void CreateLayout() override {
        for (int i = 0; i < 7; ++i)
            AddTableau(std::make_unique<clPlainPile>())->SetPosition(i, 1);
        SetStock(std::make_unique<clPlainPile>())->SetPosition(0, 0);
        tableauDealCount = 28;
        faceDownCount = 21;
    }
    void SetupRounds() override {}
    void SetupPoints() override {}
};

int Usage() {
    std::fprintf(stderr, "usage: qarvel-table [--deal N]   (N from 1 to 2147483646)\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::int32_t dealNumber = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--deal") == 0 && i + 1 < argc) {
            const char* text = argv[++i];
            const char* end = text + std::strlen(text);
            const auto [ptr, ec] = std::from_chars(text, end, dealNumber);
            if (ec != std::errc{} || ptr != end || dealNumber < 1 || dealNumber > 2147483646) {
                return Usage();
            }
        } else {
            return Usage();
        }
    }

    clDemoTable table;
    table.Initialize();
    if (dealNumber > 0) {
        table.StartDeal(dealNumber);
    } else {
        table.StartDeal();
    }
    std::printf("Deal %d\n%s", table.DealNumber(), DescribeTable(table).c_str());
    return 0;
}
