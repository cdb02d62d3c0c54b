#include "shell/hint_control.h"

#include <QThread>
#include <algorithm>
#include <charconv>
#include <exception>
#include <string>
#include <string_view>

#include "engine/solitaire_type.h"
#include "player/settings.h"
#include "player/settings_keys.h"

namespace {

// Most positions a hint's search visits: its time ends it long before.
constexpr std::int64_t kHintNodes = 50'000'000;
// The value under the player's game key: deal numbers separated by commas.
constexpr std::string_view kHintedDeals = "HintedDeals";

}  // namespace

clHintControl::clHintControl(QObject* parent, clSettings& settings)
    : QObject(parent), settings(settings), indicator(new QLabel) {
    indicator->setToolTip(QStringLiteral("Whether this deal can still be won from here"));
    indicator->setContentsMargins(0, 0, 8, 0);  // apart from the deal number
    // As wide as its longest word, so the status line keeps still as it changes.
    indicator->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    indicator->setMinimumWidth(
        indicator->fontMetrics().horizontalAdvance(QStringLiteral("Not winnable")) + 8);
    indicator->hide();
    settle.setSingleShot(true);
    settle.setInterval(kSettleTime);
    connect(&settle, &QTimer::timeout, this, [this] { StartIndicator(); });
    hintDeadline.setSingleShot(true);
    hintDeadline.setInterval(kHintDeadline - kHintTime / 4);
    // The search stops where it is and gives its best move at once.
    connect(&hintDeadline, &QTimer::timeout, this, [this] {
        if (clJob* job = Running(clPurpose::Hint)) job->cancel = true;
    });
}

clHintControl::~clHintControl() {
    CancelAll();
    for (const std::unique_ptr<clJob>& job : jobs) {
        job->thread->wait();
        delete job->thread;
    }
}

void clHintControl::SetScreen(clSolitaireType* playing) {
    CancelAll();
    settle.stop();
    hintDeadline.stop();
    known.reset();
    shown.reset();
    paid.reset();
    hintWanted = false;
    gameHinted = false;
    screen = playing;
    current = {};
    indicator->clear();
    indicator->setVisible(playing != nullptr);
    PositionMaybeChanged();
}

clHintControl::clPositionKey clHintControl::KeyNow() const {
    if (screen == nullptr) return {};
    const clHistory& history = screen->History();
    const clMove* last = history.Last();
    const std::size_t parts =
        last != nullptr && last->type == clMoveType::Compound ? last->parts.size() : 0;
    return {screen, screen->DealNumber(),      screen->Round(), history.Position(),
            parts,  screen->Options().autoPlay};
}

bool clHintControl::CanPlay() const {
    return screen != nullptr && screen->DealNumber() > 0 && !screen->RoundEnded() &&
           !screen->IsPaused();
}

void clHintControl::PositionMaybeChanged() {
    if (screen == nullptr) return;
    const clPositionKey key = KeyNow();
    if (key == current) return;
    // Another screen, or a new game: round 1 with a new deal, or a round
    // below the old one. A hinted game's later rounds are remembered too.
    if (key.screen != current.screen || key.round < current.round ||
        (key.round == 1 && key.deal != current.deal)) {
        gameHinted = key.deal > 0 && std::ranges::count(HintedDeals(), key.deal) > 0;
    } else if (gameHinted && key.deal != current.deal && key.deal > 0) {
        RememberHintedDeal(key.deal);
    }
    current = key;
    CancelAll();
    hintDeadline.stop();
    known.reset();
    shown.reset();  // the move drew the table afresh
    paid.reset();
    hintWanted = false;
    indicator->clear();
    if (screen->DealNumber() > 0) settle.start();
}

bool clHintControl::IsSearching() const {
    return std::ranges::any_of(
        jobs, [](const std::unique_ptr<clJob>& job) { return !job->stale && !job->delivered; });
}

clHintControl::clJob* clHintControl::Running(clPurpose purpose) {
    for (const std::unique_ptr<clJob>& job : jobs) {
        if (job->purpose == purpose && !job->stale && !job->delivered) return job.get();
    }
    return nullptr;
}

void clHintControl::CancelAll() {
    for (const std::unique_ptr<clJob>& job : jobs) {
        job->cancel = true;
        job->stale = true;
    }
}

// A cancelled search ends at its next position; its thread is collected
// here once it has, never waited for while it runs.
void clHintControl::JoinFinished() {
    std::erase_if(jobs, [](const std::unique_ptr<clJob>& job) {
        if (!job->finished) return false;
        job->thread->wait();
        delete job->thread;
        return true;
    });
}

// The search works on a copy of the position: the game's name, deal and
// history as they are now.
void clHintControl::Start(clPurpose purpose) {
    JoinFinished();
    auto job = std::make_unique<clJob>();
    job->id = nextId++;
    job->purpose = purpose;
    job->key = KeyNow();
    std::string name = screen->DisplayName();
    const std::int32_t deal = screen->DealNumber();
    std::vector<clMove> played;
    const clHistory& history = screen->History();
    played.reserve(history.Position());
    for (std::size_t i = 0; i < history.Position(); ++i)
        played.push_back(history.At(i));
    const clPlayOptions options = screen->Options();
    clSolveLimits limits;
    if (purpose == clPurpose::Hint) {
        limits.nodes = kHintNodes;
        limits.time = kHintTime;
    } else {
        limits.nodes = kIndicatorNodes;
        limits.time = kIndicatorTime;
    }
    clJob* raw = job.get();
    limits.cancel = &raw->cancel;
    raw->thread = QThread::create(
        [this, raw, name = std::move(name), deal, played = std::move(played), options, limits] {
            clSolveResult result;
            try {
                result = SolvePosition(name, deal, played, options, limits);
            } catch (const std::exception&) {
                // Out of memory: nothing is known of the position.
                result = {};
            }
            QMetaObject::invokeMethod(
                this, [this, id = raw->id, result = std::move(result)] { Delivered(id, result); },
                Qt::QueuedConnection);
            raw->finished = true;
        });
    raw->thread->start(QThread::LowPriority);
    jobs.push_back(std::move(job));
}

void clHintControl::Delivered(std::uint64_t id, const clSolveResult& result) {
    const auto it = std::ranges::find_if(
        jobs, [id](const std::unique_ptr<clJob>& job) { return job->id == id; });
    if (it == jobs.end()) return;
    clJob& job = **it;
    job.delivered = true;
    const clPurpose purpose = job.purpose;
    const bool fresh = !job.stale && screen != nullptr && job.key == KeyNow();
    JoinFinished();
    if (!fresh) return;
    // A decided answer stands; a longer search's guess beats a shorter one's.
    if (!known || known->verdict == clVerdict::Unknown) known = result;
    if (purpose == clPurpose::Indicator) {
        ShowVerdict(*known);
        return;
    }
    hintDeadline.stop();
    if (known->verdict != clVerdict::Unknown) {
        ShowVerdict(*known);
    } else {
        settle.start();  // the indicator searches longer than the hint did
    }
    if (hintWanted) {
        hintWanted = false;
        ShowHint(*known);
    }
}

void clHintControl::StartIndicator() {
    if (screen == nullptr || screen->DealNumber() <= 0 || screen->RoundEnded()) return;
    // A change the window was not told of (a deal made without a round)
    // starts the wait again.
    if (KeyNow() != current) {
        PositionMaybeChanged();
        return;
    }
    if (known && known->verdict != clVerdict::Unknown) {
        ShowVerdict(*known);
        return;
    }
    if (Running(clPurpose::Indicator) || Running(clPurpose::Hint)) return;
    indicator->setText(QStringLiteral("\u2026"));
    Start(clPurpose::Indicator);
}

void clHintControl::ShowVerdict(const clSolveResult& result) {
    switch (result.verdict) {
        case clVerdict::Won:
            indicator->setText(QStringLiteral("Winnable"));
            break;
        case clVerdict::Lost:
            indicator->setText(QStringLiteral("Not winnable"));
            break;
        case clVerdict::Unknown:
            indicator->setText(QStringLiteral("Unknown"));
            break;
    }
}

void clHintControl::Hint() {
    if (!CanPlay()) return;
    screen->FinishAnimation();
    PositionMaybeChanged();
    if (paid) {
        shown = paid;
        DrawHint();  // paid for already
        return;
    }
    if (screen->Score() <= 0) {
        screen->ChargeHint();  // refused, with the reason in the status line
        return;
    }
    // What the indicator found answers at once (it searched longer).
    if (known) {
        ShowHint(*known);
        return;
    }
    hintWanted = true;
    if (Running(clPurpose::Hint)) return;
    if (clJob* job = Running(clPurpose::Indicator)) {
        job->cancel = true;
        job->stale = true;
    }
    settle.stop();
    indicator->setText(QStringLiteral("\u2026"));
    Start(clPurpose::Hint);
    hintDeadline.start();
}

void clHintControl::ShowHint(const clSolveResult& result) {
    std::optional<clMove> move = result.bestGuess;
    if (result.verdict == clVerdict::Won && !result.line.empty()) move = result.line.front();
    if (!move) {
        Note(result.verdict == clVerdict::Unknown ? "No hint could be found for this position."
                                                  : "There is no move to suggest.");
        return;
    }
    if (!screen->ChargeHint()) return;
    gameHinted = true;
    RememberHintedDeal(screen->DealNumber());
    shown = move;
    paid = std::move(move);
    DrawHint();
    if (result.verdict == clVerdict::Lost) {
        Note("This deal can no longer be won: the hint keeps the most options open.");
    } else if (result.verdict == clVerdict::Unknown) {
        Note("No winning line was found in time: the hint keeps the most options open.");
    }
}

void clHintControl::DrawHint() {
    if (!shown || screen == nullptr || screen->IsPaused()) return;
    screen->HighlightMove(*shown);
}

void clHintControl::ClearHint() {
    if (!shown) return;
    shown.reset();
    // A paused table is drawn again when the game resumes.
    if (screen != nullptr && !screen->IsPaused()) screen->DrawTable();
}

std::vector<std::int32_t> clHintControl::HintedDeals() const {
    std::vector<std::int32_t> deals;
    if (screen == nullptr) return deals;
    const std::optional<std::string> text =
        settings.Store().ReadText(GameKey(settings.Player(), screen->DisplayName()), kHintedDeals);
    if (!text) return deals;
    std::string_view rest = *text;
    while (!rest.empty() && deals.size() < kRememberedDeals) {
        const std::size_t comma = std::min(rest.find(','), rest.size());
        const std::string_view field = rest.substr(0, comma);
        std::int32_t deal = 0;
        const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), deal);
        if (error == std::errc() && end == field.data() + field.size() && deal > 0)
            deals.push_back(deal);
        rest.remove_prefix(std::min(comma + 1, rest.size()));
    }
    return deals;
}

void clHintControl::RememberHintedDeal(std::int32_t deal) {
    if (screen == nullptr || deal <= 0) return;
    std::vector<std::int32_t> deals = HintedDeals();
    if (std::ranges::count(deals, deal) > 0) return;
    deals.push_back(deal);
    if (deals.size() > kRememberedDeals)
        deals.erase(deals.begin(), deals.end() - static_cast<std::ptrdiff_t>(kRememberedDeals));
    std::string text;
    for (const std::int32_t d : deals)
        text += (text.empty() ? "" : ",") + std::to_string(d);
    settings.Store().WriteText(GameKey(settings.Player(), screen->DisplayName()), kHintedDeals,
                               text);
}

void clHintControl::Note(const std::string& text) {
    if (screen != nullptr && screen->Host() != nullptr) screen->Host()->ShowStatus(text);
}
