// The floating Take Score control: where it sits on the table, and when it
// shows.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/solitaire_type.h"
#include "shell/main_window.h"
#include "shell/program.h"
#include "shell/take_score_control.h"

// One control lives as long as the window; a new round shows it again.
void clMainWindow::RecreateTakeScoreButton() {
    ShowControls();
}

namespace {

clRect Inflated(const clRect& r, int by) {
    return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

bool Overlaps(const clRect& a, const clRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

// Between the two scoreboard panels when there is room; otherwise the free
// place nearest the score panel, clear of every pile as dealt, of the room a
// fanned pile that takes cards may grow into below it, and of the panels.
clRect clMainWindow::DefaultTakeScorePlace(const clRect& control) const {
    constexpr int kGap = 8;
    const int width = control.Width(), height = control.Height();
    const clScoreboard& board = playing->Scoreboard();
    const clRect score = board.PanelRect(0);
    const clRect round = board.PanelRect(1);
    const QPoint scroll = table->Scroll();
    const clRect shown{scroll.x(), scroll.y(), scroll.x() + table->DeviceSize().width(),
                       scroll.y() + table->DeviceSize().height()};
    std::vector<clRect> taken;
    for (int i = 0; i < board.PanelCount(); ++i)
        taken.push_back(Inflated(board.PanelRect(i), kGap));
    for (const clSolitaireType::clPileExtent& pile : playing->PileExtents()) {
        clRect extent = pile.rect;
        if (pile.growsDown) extent.bottom = shown.bottom;
        taken.push_back(Inflated(extent, kGap));
    }
    const auto isFree = [&taken](const clRect& place) {
        return std::none_of(taken.begin(), taken.end(),
                            [&place](const clRect& r) { return Overlaps(r, place); });
    };
    {
        const int left = (round.right + score.left - width) / 2;
        const int top = score.top + (score.Height() - height) / 2;
        const clRect between{left, top, left + width, top + height};
        if (score.left - round.right >= width + 2 * kGap && isFree(between)) return between;
    }
    // The nearest free place to the score panel's lower left corner, on a grid.
    constexpr int kStep = 8;
    const clPoint near{score.left - width, score.bottom + kGap};
    std::optional<clRect> best;
    std::int64_t bestDistance = 0;
    for (int top = shown.top + kGap; top + height <= shown.bottom - kGap; top += kStep) {
        for (int left = shown.left + kGap; left + width <= shown.right - kGap; left += kStep) {
            const clRect place{left, top, left + width, top + height};
            if (!isFree(place)) continue;
            const std::int64_t dx = left - near.x, dy = top - near.y;
            const std::int64_t distance = dx * dx + dy * dy;
            if (!best || distance < bestDistance) {
                best = place;
                bestDistance = distance;
            }
        }
    }
    if (best) return *best;
    // A table with no room at all: the lower right corner of what is shown.
    return {shown.right - kGap - width, shown.bottom - kGap - height, shown.right - kGap,
            shown.bottom - kGap};
}

// The control keeps its place on the table, as fractions of the table, so
// that it follows every resize and card size.
void clMainWindow::PlaceTakeScoreControl() {
    if (!playing || !program.HasDisplay() || !playing->Scoreboard().IsLaidOut()) return;
    const clDisplay& display = program.Display();
    const clScoreboard& board = playing->Scoreboard();
    takeScoreControl->SetPanelHeight(table->ToWidgetLength(board.PanelRect(0).Height()));
    const clRect size{0, 0, table->ToVirtualLength(takeScoreControl->width()),
                      table->ToVirtualLength(takeScoreControl->height())};
    const clSettings& settings = program.Settings();
    clRect place;
    if (settings.HasButtonPlace()) {
        // A stored place, however far off, puts the control on the screen.
        constexpr double kFar = 4.0;
        place = display.PositionInTable(std::clamp(settings.ButtonX(), -kFar, kFar),
                                        std::clamp(settings.ButtonY(), -kFar, kFar), size);
        const int dx =
            std::clamp(place.left, 0, std::max(0, display.VirtualWidth() - size.Width())) -
            place.left;
        const int dy =
            std::clamp(place.top, 0, std::max(0, display.VirtualHeight() - size.Height())) -
            place.top;
        place = {place.left + dx, place.top + dy, place.right + dx, place.bottom + dy};
    } else {
        // Found once per deal and table size, so that it stays put as cards move.
        const clTakeScoreLayout layout{playing,
                                       playing->DealNumber(),
                                       playing->Round(),
                                       display.VirtualWidth(),
                                       display.VirtualHeight(),
                                       display.CardWidth(),
                                       display.CardHeight(),
                                       table->Scroll().x(),
                                       table->Scroll().y(),
                                       size.Width(),
                                       size.Height()};
        if (!(layout == takeScoreLayout)) {
            takeScoreLayout = layout;
            takeScoreDefault = DefaultTakeScorePlace(size);
        }
        place = takeScoreDefault;
    }
    takeScoreControl->Place(table->ToWidget({place.left, place.top}));
}

// The player dropped the control: its place is kept for this game.
void clMainWindow::TakeScoreControlMoved(const QRect& place) {
    if (!playing || !program.HasDisplay()) return;
    const clPoint topLeft = table->ToVirtual(place.topLeft());
    const clRect rect{topLeft.x, topLeft.y, topLeft.x + table->ToVirtualLength(place.width()),
                      topLeft.y + table->ToVirtualLength(place.height())};
    double fx = 0, fy = 0;
    program.Display().TableFraction(rect, fx, fy);
    // (0, 0) means "never placed" to the settings.
    if (fx == 0 && fy == 0) fx = 1e-9;
    clSettings& settings = program.Settings();
    settings.SetButtonPosition(fx, fy);
    settings.SetButtonRect({rect.left, rect.top, rect.right, rect.bottom});
}

// The control shows while its option is on and a round is being played,
// never over the pause picture or the round's closing card shower.
void clMainWindow::ShowControls() {
    const bool show = playing && !playing->IsPaused() && !playing->RoundEnded() &&
                      program.Settings().Flag(clFlag::ScoreButton);
    if (show) {
        if (!takeScoreControl->IsDragging()) PlaceTakeScoreControl();
        takeScoreControl->show();
        takeScoreControl->raise();
    } else {
        takeScoreControl->hide();
    }
}
