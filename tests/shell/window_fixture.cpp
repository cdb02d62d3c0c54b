#include "shell/window_fixture.h"

#include <QMouseEvent>
#include <cmath>

#include "cards/card.h"
#include "dialogs/dialog_base.h"
#include "dialogs/options_sheet.h"

void clWindowTest::SetUp() {
    account = std::make_unique<clFixedUserAccount>(folder.Path(), "tester");
    const clPlatform platform{store, *account, prompt, messages, clock, dataFolder, false};
    program = std::make_unique<clProgram>(platform);
    ASSERT_TRUE(program->StartUp());
    program->Settings().SetFlag(clFlag::Animation, false);
    window = std::make_unique<clMainWindow>(*program, dialogs);
}

void clWindowTest::TearDown() {
    if (window) window->close();
    window.reset();
}

bool clWindowTest::Open(const std::string& game, std::int32_t deal) {
    clCommandLine line;
    line.game = game;
    if (!window->Start(line)) return false;
    window->resize(900, 700);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) return false;
    QApplication::processEvents();
    // The cards follow the window's size before the test plays.
    if (!WaitForCards()) return false;
    clSolitaireRules& rules = Game();
    if (rules.DisplayName() != game) return false;
    rules.StartDeal(deal);
    rules.Repaint();
    return true;
}

clSolitaireRules& clWindowTest::Game() const {
    return *dynamic_cast<clSolitaireRules*>(window->PlayingScreen());
}

double clWindowTest::Ratio() const {
    return Viewport()->devicePixelRatioF();
}

int clWindowTest::ToDevice(int logical) const {
    return static_cast<int>(std::lround(logical * Ratio()));
}

clPoint clWindowTest::ToDevice(QPointF point) const {
    const QPoint scroll = window->Table()->Scroll();
    return {static_cast<int>(std::floor(point.x() * Ratio())) + scroll.x(),
            static_cast<int>(std::floor(point.y() * Ratio())) + scroll.y()};
}

QPointF clWindowTest::ToViewport(clPoint device) const {
    const QPoint scroll = window->Table()->Scroll();
    return {(device.x - scroll.x()) / Ratio(), (device.y - scroll.y()) / Ratio()};
}

void clWindowTest::Mouse(QEvent::Type type, QPointF at, Qt::MouseButton button) {
    const bool down = type == QEvent::MouseButtonPress || type == QEvent::MouseMove;
    QMouseEvent event(type, at, Viewport()->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : button,
                      down ? Qt::MouseButtons(button) : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Viewport(), &event);
}

void clWindowTest::Click(QPointF at, Qt::MouseButton button) {
    Mouse(QEvent::MouseButtonPress, at, button);
    Mouse(QEvent::MouseButtonRelease, at, button);
}

// A whole logical pixel, so that QTest's clicks reach it: the middle of the
// card lies on the card at any ratio.
QPoint clWindowTest::PointOf(const clCard& card, bool nearTop) const {
    const std::optional<clRect> rect = Game().Graphics().CardRect(card);
    EXPECT_TRUE(rect.has_value());
    if (!rect) return {};
    const int y = nearTop ? rect->top + ToDevice(8) : (rect->top + rect->bottom) / 2;
    return ToViewport({(rect->left + rect->right) / 2, y}).toPoint();
}

void clWindowTest::Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(Viewport(), key, modifiers);
}

void clWindowTest::Type(char character) {
    QTest::keyClick(Viewport(), character);
}

void clWindowTest::ResizeWindow(const QSize& size) {
    window->resize(size);
    QApplication::processEvents();
    EXPECT_TRUE(WaitForCards());
}

bool clWindowTest::WaitForCards() const {
    return QTest::qWaitFor([this] { return !window->IsCardSizeSettling(); }, 5000);
}

void clWindowTest::Drag(const QPoint& from, const QPoint& to) {
    QTest::mousePress(Viewport(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(Viewport(), (from + to) / 2);
    QTest::mouseMove(Viewport(), to);
    QTest::mouseRelease(Viewport(), Qt::LeftButton, Qt::NoModifier, to);
}

// A dialog runs as if shown: placed and filled, then worked by the test, then
// closed with OK unless the test closed it or said otherwise.
bool clScriptedDialogs::RunDialog(clDialog& dialog) {
    ++dialogsRun;
    dialog.Prepare();
    dialog.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    bool ok = true;
    if (onDialog) ok = onDialog(dialog);
    if (dialog.isVisible()) {
        if (ok) {
            dialog.accept();
        } else {
            dialog.reject();
        }
    }
    dialog.hide();
    return dialog.result() == QDialog::Accepted;
}

void clScriptedDialogs::RunOptions(clOptionsSheet& sheet) {
    ++dialogsRun;
    sheet.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    if (onOptions) onOptions(sheet);
    sheet.hide();
}
