// The cards follow the window: the display takes a new drawing area's size at
// once and the card pictures once the size has settled, made off the window's
// thread; the Card Size and Card Set choices.
#include <QAction>

#include "shell/commands.h"
#include "shell/main_window.h"
#include "shell/program.h"

// __GLIBC__ comes with the C library's headers, included above.
#ifdef __GLIBC__
#include <malloc.h>
#endif

// index 0..5: Automatic, Huge ... Tiny; -1: Fit to Window.
void clMainWindow::ChooseCardSize(int index) {
    if (!program.HasDisplay()) return;
    cardSettle.stop();
    if (index < 0) {
        program.Display().ChooseFitToWindow();
    } else {
        program.Display().ChooseCardSize(index);
    }
    program.StoreDisplaySettings();
    UpdateCardSizeChecks();
    RepaintScreen();
    ShowControls();
}

// The Card Size menu ticks the size mode in force: Fit to Window, one of the
// sizes, or Custom for a native or typed size (none when the limits differ).
void clMainWindow::UpdateCardSizeChecks() {
    if (!program.HasDisplay()) return;
    const clDisplay& display = program.Display();
    const clDisplayOptions& options = program.DisplayOptions();
    const bool custom = display.IsNativeSize() || display.IsCustomSize();
    const bool fit = display.IsFitToWindow();
    if (QAction* item = Action(clCommand::kFitToWindow)) item->setChecked(fit);
    for (int i = 0; i < 6; ++i) {
        if (QAction* item = Action(clCommand::kCardSizeFirst + i)) {
            item->setChecked(!custom && !fit && options.minSize == options.maxSize &&
                             options.minSize == i);
        }
    }
    if (QAction* item = Action(clCommand::kCustomSize)) item->setChecked(custom);
}

void clMainWindow::ChooseCardSet(int index) {
    const clCardSetList& catalogue = program.Catalogue();
    if (index < 0 || index >= catalogue.Count() || !program.HasDisplay()) return;
    program.DisplayOptions().cardSet = catalogue.Entry(index).Path();
    program.Display().ChangeCardSet();
    program.StoreDisplaySettings();
    RepaintScreen();
    ShowControls();
    FillCardSetMenu();
}

// The display follows the drawing area and the screen lays itself out
// again at once; the cards follow the new size once the size has settled, so
// that dragging the window's edge never waits for cards to be resampled.
void clMainWindow::TableResized(int width, int height) {
    if (!program.HasDisplay() || width < 1 || height < 1) return;
    if (program.Display().OnWindowSize(width, height, false)) RepaintScreen();
    table->UpdateScrollBars();
    ShowControls();
    if (screen) screen->ShowControls();
    cardSettle.start();
}

void clMainWindow::CardSizeSettled() {
    if (!program.HasDisplay()) return;
    if (program.Display().ReloadForArea()) {
        RepaintScreen();
        ShowControls();
    }
    program.Display().ReleaseBackgroundSource();
    RequestCards();
}

void clMainWindow::RequestCards() {
    if (!program.HasDisplay() || closing) return;
    const std::optional<clCardLoadPlan> plan = program.Display().PendingCardLoad();
    if (!plan) {
        cardLoader.Cancel();
    } else if (plan != failedCardLoad) {
        cardLoader.Load(*plan);
    }
}

// The shown pictures are swapped for the new ones in one step and the table
// drawn again, so that no half-drawn table is ever shown. A load that failed
// (the file changed since) is done once more here, where the display's own
// load says why and falls back to the default card set.
void clMainWindow::CardsLoaded(const clCardLoadPlan& plan, clCardPictures&& pictures, bool ok) {
    if (!program.HasDisplay()) return;
    clDisplay& display = program.Display();
    if (ok) {
        if (!display.AdoptCardPictures(plan, std::move(pictures))) {
            RequestCards();
            return;
        }
    } else {
        failedCardLoad = plan;
        display.SetDeferredLoading(false);
        display.ChangeCardSet();
        display.SetDeferredLoading(true);
        FillCardSetMenu();
    }
    display.ReleaseBackgroundSource();
    RepaintScreen();
    ShowControls();
#ifdef __GLIBC__
    // The pictures replaced, and what the loading thread used, go back to
    // the system rather than stay resident in the allocator's free lists.
    malloc_trim(0);
#endif
}

void clMainWindow::RepaintScreen() {
    if (screen) screen->Repaint();
    table->UpdateScrollBars();
    table->viewport()->update();
    RequestCards();
}

void clMainWindow::FollowScale() {
    if (!program.HasDisplay() || program.Display().Scale() == table->Scale()) return;
    program.Display().SetScale(table->Scale());
    const QSize area = table->DeviceSize();
    program.Display().OnWindowSize(area.width(), area.height(), false);
    CardSizeSettled();
    RepaintScreen();
}
