#include "engine/solitaire_type.h"

#include "cards/random.h"
#include "toolkit/operation_error.h"

clSolitaireType::clSolitaireType() : random(&clRandom::Program()) {}

std::unique_ptr<clSolitaireType> BuildScreen(clScreenMaker make, clScreenHost* host,
                                             const clPlayOptions* options,
                                             clPlayObserver* observer) {
    try {
        std::unique_ptr<clSolitaireType> screen = make();
        screen->maker = make;
        screen->SetHost(host);
        if (options) screen->SetOptions(*options);
        screen->SetPlayObserver(observer);
        if (!screen->Initialize()) return nullptr;
        return screen;
    } catch (...) {
        return nullptr;
    }
}

clSolitaireType::~clSolitaireType() = default;

bool clSolitaireType::Initialize() {
    CreateLayout();
    SetupRounds();
    SetupPoints();
    graphics = std::make_unique<clGraphics>();
    deck = std::make_unique<clDeck>();
    if (!CreateDeck()) throw clOperationError("clSolitaireType::CreateDeck()");
    history = std::make_unique<clHistory>();
    if (!points.Initialize(displayName)) throw clOperationError("clPointSystem::Initialize()");
    if (host) StartPlay();
    return true;
}

void clSolitaireType::Repaint() {
    if (paused) {
        DrawPausedTable();
    } else {
        DrawTable();
    }
    RelayScoreboard();
    UpdateMenus();
    UpdateWindow();
}

void clSolitaireType::GoalCrossingSounds(std::int32_t oldScore) {
    if (oldScore < goal && score >= goal) {
        PlaySound(clSound::Grow);
    } else if (oldScore >= goal && score < goal) {
        PlaySound(clSound::Shrink);
    }
}

std::int32_t clSolitaireType::GeneratorState() const {
    return random->State();
}
