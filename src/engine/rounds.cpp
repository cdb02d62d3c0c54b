// The rounds of a game: dealing, the countdown, and the end of a round.
#include <string>

#include "cards/random.h"
#include "engine/play_observer.h"
#include "engine/solitaire_type.h"

void clSolitaireType::StartDeal() {
    StartDeal(random->Next(0, 0));
}

// An animated deal is made unseen (the window shows the old table meanwhile)
// and then shown card by card; the table is complete before the first card
// flies.
void clSolitaireType::StartDeal(std::int32_t number) {
    dealNumber = number > 0 ? number : random->Next(0, 0);
    random->Seed(dealNumber);
    ResetDeal();
    if (IsAnimationOn() && graphics->CanAnimate()) {
        {
            const clDrawingHeldBack heldBack(*graphics);
            Deal();
            AfterMove();
        }
        AnimateDeal();
        return;
    }
    Deal();
    AfterMove();
}

void clSolitaireType::StartRound(std::int32_t number) {
    history->Clear();
    roundEnded = false;
    ++round;
    paused = false;
    goal = points.Goal(round);
    bonusStart = points.Bonus(round);
    lastRoundWon = false;
    StartDeal(number == 0 && options.roundDeal ? options.roundDeal(round) : number);
    timer.SetCount(bonusStart);
    timer.Stop();
    timeUp = false;
    if (observer) observer->RoundStarted(round, dealNumber, bonusStart);
    DrawTable();
    RelayScoreboard();
    UpdateTitle();
    UpdateMenus();
    CheckRoundEnd();  // a deal may already be solved
}

void clSolitaireType::StartTimer() {
    if (!paused && !roundEnded) timer.Start();
}

void clSolitaireType::TimerTick() {
    if (timer.Tick()) OnTimerTick();
}

void clSolitaireType::OnAnimationStep() {
    if (graphics && graphics->AnimationStep()) DrawTable();
}

bool clSolitaireType::FinishAnimation() {
    if (!graphics || !graphics->EndFlights()) return false;
    DrawTable();
    return true;
}

void clSolitaireType::ShowFreshDeal() {
    if (dealNumber <= 0 || paused || roundEnded || history->Count() > 0) return;
    if (IsAnimationOn() && graphics->CanAnimate() && !graphics->IsAnimating()) AnimateDeal();
}

void clSolitaireType::OnTimerTick() {
    if (timeUp) return;
    const std::int32_t count = timer.Count();
    if (count > 0 && count <= 100 && (count % 10 == 0 || (count < 50 && count % 5 == 0))) {
        PlaySound(clSound::Tick);
    }
    if (count == 0) {
        PlaySound(clSound::Alarm);
        FinishAnimation();
        RefreshBonus();
        UpdateWindow();
        Wait(1000);
        if (options.practice) {
            timeUp = true;  // the round goes on without a bonus
        } else {
            TakeScore();
        }
    }
    RefreshBonus();
}

void clSolitaireType::TakeScore() {
    if (paused || roundEnded) return;
    graphics->EndDrag();
    EndRound();
}

void clSolitaireType::CheckRoundEnd() {
    if (roundEnded || !IsGameWon()) return;
    EndRound();
}

// The round's last moves are not shown flying: the dialogs come at once.
void clSolitaireType::EndRound() {
    FinishAnimation();
    timer.Stop();
    AddToScore(BonusPoints());
    if (observer) observer->RoundEnded(timer.Count(), score);
    lastRoundWon = score >= goal;
    lastRoundScore = score;
    Repaint();
    if (!lastRoundWon) {
        GameOver();
    } else {
        RoundWon();
    }
}

void clSolitaireType::GameOver() {
    if (!options.practice) LogResult(clResultKind::Completed, score, round);
    PlaySound(clSound::Loss);
    history->Clear();
    DeleteAutomaticSave();
    RecreateTakeScoreButton();
    roundEnded = true;
    const std::int32_t finalScore = score;
    const std::int32_t finalRound = round;
    score = 0;
    round = 0;
    ShowGameOver(finalScore, finalRound);
}

void clSolitaireType::RoundWon() {
    PlaySound(clSound::Complete);
    history->Clear();
    dealNumber = 0;
    if (options.autoSave) SaveAutomatically();
    RecreateTakeScoreButton();
    roundEnded = true;
    if (ShowRoundOver()) StartRound();
}

void clSolitaireType::NewGame() {
    if (score == 0 && history->Count() == 0) {
        timer.Stop();
        score = 0;
        round = 0;
        StartRound();
        return;
    }
    if (options.promptBeforeResign && !ConfirmResign()) return;
    timer.Stop();
    if (!options.practice) LogResult(clResultKind::Interrupted, score, round);
    DeleteAutomaticSave();
    score = 0;
    round = 0;
    StartRound();
}

void clSolitaireType::Undo() {
    const clMove* last = history->StepBack();
    if (last == nullptr) {
        ShowStatus("There is no move to undo.");
        return;
    }
    if (score <= 0) {
        history->StepForward();
        PlaySound(clSound::Error);
        ShowStatus("Undo needs a score above 0: each undo costs " +
                   std::to_string(points.UndoCost()) + " points.");
        return;
    }
    const clMove move = *last;
    if (observer) observer->MoveUndone(timer.Count());
    AddToScore(-std::int64_t{points.UndoCost()});
    RefreshScore();
    PlaySound(clSound::Undo);
    UndoMove(move);
    DrawTable();
    RelayScoreboard();
    UpdateMenus();
    CheckRoundEnd();
    UpdateWindow();
}

bool clSolitaireType::ChargeHint() {
    if (score <= 0) {
        PlaySound(clSound::Error);
        ShowStatus("A hint needs a score above 0: each hint costs " +
                   std::to_string(points.UndoCost()) + " points.");
        return false;
    }
    AddToScore(-std::int64_t{points.UndoCost()});
    RefreshScore();
    return true;
}

void clSolitaireType::NoteRecorded(bool chained) {
    if (observer && history->Last())
        observer->MoveRecorded(*history->Last(), chained, timer.Count());
}

void clSolitaireType::NoteCardTurned(std::int32_t dealIndex) {
    if (observer) observer->CardTurned(dealIndex, timer.Count());
}

void clSolitaireType::Pause() {
    FinishAnimation();
    if (paused) {
        DrawTable();
        paused = false;
        if (history->Count() > 0) StartTimer();
    } else {
        timer.Stop();
        DrawPausedTable();
        paused = true;
    }
    RelayScoreboard();
    UpdateMenus();
}

void clSolitaireType::OnFocusLost() {
    if (!roundEnded && options.pauseOnFocusLoss && !paused && timer.Count() != bonusStart) {
        Pause();
    }
}
