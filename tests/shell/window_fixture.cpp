#include "shell/window_fixture.h"

#include "dialogs/dialog_base.h"
#include "dialogs/options_sheet.h"
#include "engine/card.h"

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

QPoint clWindowTest::PointOf(const clCard& card, bool nearTop) const {
    const std::optional<clRect> rect = Game().Graphics().CardRect(card);
    EXPECT_TRUE(rect.has_value());
    if (!rect) return {};
    const int y = nearTop ? rect->top + 8 : (rect->top + rect->bottom) / 2;
    return window->Table()->ToWidget({(rect->left + rect->right) / 2, y});
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
