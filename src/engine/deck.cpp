#include "engine/deck.h"

#include <algorithm>
#include <utility>

#include "cards/random.h"

bool clDeck::Build(int decks, int jokers) {
    if (decks <= 0 || jokers < 0 || decks > kMaxPacks || jokers > 52) return false;

    const int count = jokers + 52 * decks;
    cards.assign(static_cast<std::size_t>(count), clCard{});
    int k = 0;
    for (int pack = 0; pack < decks; ++pack) {
        for (int suit = 4; suit >= 1; --suit) {
            for (int rank = 1; rank <= 13; ++rank)
                cards[k++].SetCard(rank, suit);
        }
    }
    for (int j = 0; j < jokers; ++j)
        cards[k++].SetJoker(j % 2 == 0);

    dealOrder.resize(cards.size());
    drawOrder.resize(cards.size());
    Reset();
    return true;
}

void clDeck::Reset() {
    for (std::size_t i = 0; i < cards.size(); ++i) {
        clCard& card = cards[i];
        card.placed = false;
        card.dealIndex = static_cast<std::int32_t>(i);
        card.drawKey = 0;
        dealOrder[i] = &card;
        drawOrder[i] = &card;
    }
}

void clDeck::Shuffle(clRandom& random) {
    int i = Count();
    while (i > 0) {
        const int j = random.Next(0, i);
        --i;
        if (j != i) std::swap(dealOrder[i], dealOrder[j]);
    }
    for (std::size_t k = 0; k < dealOrder.size(); ++k) {
        dealOrder[k]->dealIndex = static_cast<std::int32_t>(k);
    }
}

void clDeck::SortDrawOrder() {
    std::stable_sort(drawOrder.begin(), drawOrder.end(),
                     [](const clCard* a, const clCard* b) { return a->drawKey < b->drawKey; });
}

clCard* clDeck::CardAt(int k) {
    if (k < 0 || k >= Count()) return nullptr;
    return dealOrder[static_cast<std::size_t>(k)];
}

const clCard* clDeck::CardAt(int k) const {
    if (k < 0 || k >= Count()) return nullptr;
    return dealOrder[static_cast<std::size_t>(k)];
}

clCard* clDeck::DrawCardAt(int k) {
    if (k < 0 || k >= Count()) return nullptr;
    return drawOrder[static_cast<std::size_t>(k)];
}
