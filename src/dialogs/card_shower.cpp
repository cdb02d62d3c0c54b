#include "dialogs/card_shower.h"

#include "cards/card.h"

clCardShower::clCardShower(clDrawTarget* table) : generator(std::random_device{}()) {
    graphics.Attach(table);
    if (table == nullptr) return;
    timer.setInterval(kIntervalMs);
    QObject::connect(&timer, &QTimer::timeout, [this] { Drop(); });
    timer.start();
}

void clCardShower::Drop() {
    if (!graphics.HasDisplay()) return;
    clCard card;
    card.faceDown = std::uniform_int_distribution<int>(0, 11)(generator) == 0;
    card.value = std::uniform_int_distribution<int>(0, clCard::kSecondJoker)(generator);
    graphics.ScatterCard(card, generator);
}
