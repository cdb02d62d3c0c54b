// The daily challenge in the window: started from the Game menu or the
// chooser's button, one counted attempt a day, the rest practice.
#include <QTimer>

#include "engine/catalogue.h"
#include "engine/solitaire_type.h"
#include "shell/main_window.h"
#include "shell/program.h"
#include "variants/registry.h"

namespace {

constexpr const char* kDailyCaption = "Daily Challenge";

}  // namespace

void clMainWindow::RequestDailyChallenge(const std::string& name) {
    if (gameRequested) return;  // one start at a time
    gameRequested = true;
    QTimer::singleShot(0, this, [this, name] {
        gameRequested = false;
        StartDailyChallenge(name);
    });
}

// The attempt counts from the moment the deal is shown: a player who left
// and came back would play a deal already seen.
bool clMainWindow::StartDailyChallenge(const std::string& name) {
    if (name.empty() || !IsRegistered(name)) return false;
    clSettings& settings = program.Settings();
    const clDay today = DayOfUnixTime(program.Clock().UnixTime());
    const std::string day = FormatDay(today);
    const bool practiceMode = settings.Flag(clFlag::Practice);
    const bool played = settings.DailyPlayed(name) == day;
    std::unique_ptr<clSolitaireType> made =
        MakeScreen(name, clDailyRun{today, KeyOf(name), practiceMode || played});
    if (!made) return false;
    if (!practiceMode && !played) settings.SetDailyPlayed(name, day);
    program.PlaySound(clSound::Shuffle);
    Install(std::move(made));
    UpdateWindow();
    if (played) {
        dialogs.ShowMessage(this,
                            "You have already played today's " + name + " daily challenge (" + day +
                                ", UTC). You can play it again as practice: this game is not "
                                "added to your statistics and not sent to the daily ranking. The "
                                "next challenge starts at midnight UTC.",
                            kDailyCaption);
    } else if (practiceMode) {
        dialogs.ShowMessage(this,
                            "You are in Practice Mode, so today's " + name +
                                " daily challenge is played as practice: it is not added to your "
                                "statistics and not sent to the daily ranking. Your attempt of "
                                "the day stays unused until you play it outside Practice Mode.",
                            kDailyCaption);
    }
    return true;
}

clPlayOptions clMainWindow::PlayOptionsFor(bool offersAutoPlay,
                                           const std::optional<clDailyRun>& run) const {
    clPlayOptions options = program.PlayOptions(offersAutoPlay);
    if (run) {
        options.practice = options.practice || run->practice;
        options.roundDeal = [day = run->day, key = run->key](std::int32_t round) {
            return DailyDeal(day, key, round);
        };
    }
    return options;
}

// From now on a new game deals the day's challenge again as practice.
void clMainWindow::EndDailyAttempt() {
    if (!daily || daily->practice || !playing) return;
    daily->practice = true;
    playing->SetOptions(PlayOptionsFor(playing->OffersAutoPlay(), daily));
    SetTitle(playing->WindowTitle(PlayerName()));
}
