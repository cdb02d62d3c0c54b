// Every family of games starts from the command line and plays in the
// window with the mouse and with the keyboard.
#include <QDir>
#include <QImage>
#include <cctype>

#include "cards/card.h"
#include "piles/pile.h"
#include "shell/window_fixture.h"
#include "variants/registry.h"

namespace {

struct clFamily {
    const char* game;
};

class clFamilyWindowTest : public clWindowTest, public ::testing::WithParamInterface<clFamily> {
protected:
    // The piles a player would click first: everything but the stock.
    std::vector<clPile*> ClickOrder() const {
        std::vector<clPile*> piles;
        for (const auto& pile : Game().AllPiles()) {
            if (pile.get() != Game().Stock()) piles.push_back(pile.get());
        }
        if (Game().Stock()) piles.push_back(Game().Stock());
        return piles;
    }
    bool Moved(std::size_t before) const { return Game().History().Count() > before; }

    // Clicks the piles' top cards until a move is recorded: left clicks on
    // every pile first (a pair game pairs the second card it is shown with
    // the first), then right clicks.
    bool PlayWithTheMouse() {
        const std::size_t before = Game().History().Count();
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
            for (clPile* pile : ClickOrder()) {
                const clCard* top = pile->Top();
                if (!top || !Game().Graphics().CardRect(*top)) continue;
                QTest::mouseClick(Viewport(), button, Qt::NoModifier, PointOf(*top));
                if (Moved(before)) return true;
            }
        }
        return false;
    }

    // Types the piles' keys until a move is recorded.
    bool PlayWithTheKeyboard() {
        const std::size_t before = Game().History().Count();
        for (clPile* pile : ClickOrder()) {
            if (pile->Key1() == 0) continue;
            if (pile->Key2() != 0) Type(static_cast<char>(pile->Key1()));
            Type(static_cast<char>(pile->Key2() != 0 ? pile->Key2() : pile->Key1()));
            if (Moved(before)) return true;
        }
        return false;
    }
};

}  // namespace

TEST_P(clFamilyWindowTest, StartsFromTheCommandLineAndPlaysWithMouseAndKeys) {
    ASSERT_TRUE(Open(GetParam().game, 1));
    EXPECT_EQ(Game().DisplayName(), GetParam().game);
    bool mouse = false, keys = false;
    for (std::int32_t deal = 1; deal <= 40 && !(mouse && keys); ++deal) {
        if (!mouse) {
            Game().StartDeal(deal);
            Game().Repaint();
            mouse = PlayWithTheMouse();
        }
        if (!keys) {
            Game().StartDeal(deal);
            Game().Repaint();
            keys = PlayWithTheKeyboard();
        }
    }
    EXPECT_TRUE(mouse) << "no click made a move";
    EXPECT_TRUE(keys) << "no key made a move";
}

// Pictures of each family's dealt table for a person to look at, in a small
// and a large window: build/screenshots/<game>-800x600.png and -1600x1000.png.
TEST_P(clFamilyWindowTest, ScreenshotsAtTwoSizes) {
    ASSERT_TRUE(Open(GetParam().game, 1));
    const QString folder = QStringLiteral(QARVEL_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    QString name;
    for (const char* c = GetParam().game; *c; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c))) name += QChar(std::tolower(*c));
    }
    for (const QSize size : {QSize(800, 600), QSize(1600, 1000)}) {
        window->resize(size);
        QApplication::processEvents();
        const QImage shot = window->grab().toImage();
        const QString file =
            folder + QStringLiteral("/%1-%2x%3.png").arg(name).arg(size.width()).arg(size.height());
        EXPECT_TRUE(shot.save(file)) << file.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Families, clFamilyWindowTest,
                         ::testing::Values(clFamily{"Pyramid"}, clFamily{"Golf"},
                                           clFamily{"Triple Towers"}, clFamily{"FreeCell"},
                                           clFamily{"Spider"}, clFamily{"Forty Thieves"},
                                           clFamily{"Fast Fan"}, clFamily{"BlackJack Best"},
                                           clFamily{"Gaps"}, clFamily{"Nestor"},
                                           clFamily{"Pelmanism"}, clFamily{"Black Hole"},
                                           clFamily{"Hidden Sums"}, clFamily{"Klondike"}),
                         [](const ::testing::TestParamInfo<clFamily>& info) {
                             std::string name;
                             for (const char* c = info.param.game; *c; ++c) {
                                 if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                             }
                             return name;
                         });

// Every game, the hidden ones included, starts from the command line by its
// name and deals its table in the window.
TEST_F(clWindowTest, EveryGameStartsFromTheCommandLine) {
    window.reset();
    for (std::string_view name : RegisteredVariants()) {
        clMainWindow shown(*program, dialogs);
        clCommandLine line;
        line.game = std::string(name);
        ASSERT_TRUE(shown.Start(line)) << name;
        ASSERT_NE(shown.PlayingScreen(), nullptr) << name;
        EXPECT_EQ(shown.PlayingScreen()->DisplayName(), name);
        EXPECT_GT(shown.PlayingScreen()->DealNumber(), 0) << name;
        EXPECT_TRUE(shown.PlayingScreen()->Scoreboard().IsLaidOut()) << name;
    }
}
