// The player's keys and pointer on the window: accelerators first, then the
// screen shown.
#include <QApplication>
#include <QKeyEvent>
#include <algorithm>

#include "engine/solitaire_rules.h"
#include "piles/pile.h"
#include "shell/commands.h"
#include "shell/hint_control.h"
#include "shell/main_window.h"
#include "shell/program.h"

namespace {

// The accelerator table: keys that run a command whichever child has the focus.
struct clAccelerator {
    int key;
    bool control;
    int command;
};

constexpr clAccelerator kAccelerators[] = {
    {Qt::Key_A, true, clCommand::kAbout},          {Qt::Key_N, true, clCommand::kNew},
    {Qt::Key_U, true, clCommand::kUndo},           {Qt::Key_Backspace, false, clCommand::kUndo},
    {Qt::Key_Delete, true, clCommand::kMinimize},  {Qt::Key_Escape, false, clCommand::kPause},
    {Qt::Key_F1, false, clCommand::kRules},        {Qt::Key_F2, false, clCommand::kHelpCenter},
    {Qt::Key_F3, false, clCommand::kAbout},        {Qt::Key_F5, false, clCommand::kOpen},
    {Qt::Key_F6, false, clCommand::kSave},         {Qt::Key_Pause, false, clCommand::kPause},
    {Qt::Key_Space, false, clCommand::kTakeScore}, {Qt::Key_X, true, clCommand::kExit},
    {Qt::Key_Z, true, clCommand::kUndo},           {Qt::Key_H, false, clCommand::kHint},
    {Qt::Key_H, true, clCommand::kHint},
};

int AcceleratorCommand(const QKeyEvent& event) {
    const bool control = event.modifiers() & Qt::ControlModifier;
    for (const clAccelerator& a : kAccelerators) {
        if (a.key == event.key() && a.control == control) return a.command;
    }
    return 0;
}

}  // namespace

bool clMainWindow::IsInputAllowed() const {
    return screen && !screen->IsPaused();
}

// Every key typed into the window (whichever child has the focus) is first
// tried as an accelerator, then handed to the screen as a character.
bool clMainWindow::HandleKey(QKeyEvent* event) {
    if (event->modifiers() & Qt::AltModifier) return false;  // menu mnemonics
    const bool control = event->modifiers() & Qt::ControlModifier;
    int command = AcceleratorCommand(*event);
    // A game whose piles answer to H keeps the key; Ctrl+H hints there.
    if (command == clCommand::kHint && !control && PilesTakeKey('H')) command = 0;
    if (command != clCommand::kHint) hints->ClearHint();
    if (command != 0) ExecuteCommand(command);
    // The chooser's list keeps its own keys (arrows, Enter, letters).
    if (!playing) return command != 0;
    const QString text = event->text();
    if (!control && text.size() == 1 && command != clCommand::kHint && IsInputAllowed()) {
        const int character = text.at(0).unicode();
        if (character < 0x100) screen->OnChar(character);
    }
    return command != 0 || !text.isEmpty();
}

bool clMainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        const bool ours = widget && widget->window() == this;
        if (ours && !QApplication::activePopupWidget()) {
            return HandleKey(static_cast<QKeyEvent*>(event));
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool clMainWindow::PilesTakeKey(int key) const {
    const auto* rules = dynamic_cast<const clSolitaireRules*>(playing);
    if (rules == nullptr) return false;
    return std::ranges::any_of(rules->AllPiles(), [key](const std::unique_ptr<clPile>& pile) {
        return pile->Key1() == key || pile->Key2() == key;
    });
}

bool clMainWindow::IsOnScreen(clPoint point) const {
    return program.HasDisplay() && point.x >= 0 && point.y >= 0 &&
           point.x < program.Display().VirtualWidth() &&
           point.y < program.Display().VirtualHeight();
}

void clMainWindow::TableLeftDown(clPoint point) {
    hints->ClearHint();
    if (!IsInputAllowed() || !IsOnScreen(point)) return;
    const bool twice = lastLeftDown.isValid() && point == lastLeftPoint &&
                       lastLeftDown.elapsed() <= QApplication::doubleClickInterval();
    if (twice) {
        lastLeftDown.invalidate();
        lastLeftPoint = {-1, -1};
        screen->OnDoubleClick(point);
    } else {
        lastLeftDown.start();
        lastLeftPoint = point;
        screen->OnLeftDown(point);
    }
}

void clMainWindow::TableLeftUp(clPoint point) {
    if (IsInputAllowed()) screen->OnLeftUp(point);
}

void clMainWindow::TableRightDown(clPoint point) {
    hints->ClearHint();
    if (IsInputAllowed() && IsOnScreen(point)) screen->OnRightDown(point);
}

void clMainWindow::TableRightUp(clPoint point) {
    if (IsInputAllowed()) screen->OnRightUp(point);
}

void clMainWindow::TableMiddleDown() {
    hints->ClearHint();
    if (IsInputAllowed()) screen->Undo();
}

void clMainWindow::TableMouseMove(clPoint point) {
    if (screen) screen->OnMouseMove(point);
}
