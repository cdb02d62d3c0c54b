// The card sets the game starts with: the player's own, found in the per-user
// data folder, and what happens when the default set is missing or damaged
// (another set carries the game, and the player is told) or when no set is
// left (the player is told where the game looked, and it does not start).
#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "dialogs/options_sheet.h"
#include "graphics/card_set_writer.h"
#include "graphics/chunk.h"
#include "shell/commands.h"
#include "shell/game_preview.h"
#include "shell/window_fixture.h"
#include "support/card_set_files.h"
#include "support/hang_guard.h"

namespace {

namespace fs = std::filesystem;

// What is put in the place of the shipped qarvel.cards.
enum class clDefaultSet { Shipped, Missing, Fifo, NotACardSet, DamagedBitmap };

// A copy of the shipped data (links to it) in the test's own folder, with
// qarvel.cards as a case wants it and, unless `withFourColour`, without the
// second shipped set.
fs::path MakeDataFolder(const fs::path& folder, clDefaultSet qarvel, bool withFourColour) {
    const fs::path shipped = QARVEL_BUILD_DATA_DIR;
    const fs::path data = folder / "shipped";
    fs::create_directories(data);
    for (const fs::directory_entry& entry : fs::directory_iterator(shipped)) {
        const std::string name = entry.path().filename().string();
        if (name == "qarvel.cards" && qarvel != clDefaultSet::Shipped) continue;
        if (name == "qarvel_four_colour.cards" && !withFourColour) continue;
        fs::create_symlink(entry.path(), data / name);
    }
    const fs::path path = data / "qarvel.cards";
    switch (qarvel) {
        case clDefaultSet::Shipped:
        case clDefaultSet::Missing:
            break;
        case clDefaultSet::Fifo:
            EXPECT_EQ(mkfifo(path.c_str(), 0600), 0);
            break;
        case clDefaultSet::NotACardSet:
            std::ofstream(path) << "not a card set";
            break;
        case clDefaultSet::DamagedBitmap: {
            // The catalogue reads its headers; its bitmap does not decode.
            clCardSetWriter writer;
            const std::vector<std::pair<std::uint32_t, std::uint32_t>> corners(56, {0, 0});
            std::vector<std::uint8_t> bitmap(64, 0);
            bitmap[0] = 'B';
            bitmap[1] = 'M';
            writer.AddChunk(clTag::kCards,
                            clCardSetWriter::PictureSetPayload(56, 71, 96, corners, bitmap));
            writer.AddChunk(clTag::kBacks,
                            clCardSetWriter::PictureSetPayload(1, 71, 96, {{0, 0}}, bitmap));
            writer.Write(path);
            break;
        }
    }
    return data;
}

struct clMissingDefault {
    const char* name;
    clDefaultSet qarvel;
    const char* why;
};

class clFallbackWindowTest : public clWindowTest,
                             public ::testing::WithParamInterface<clMissingDefault> {
protected:
    void SetUp() override {
        dataFolder = MakeDataFolder(folder.Path(), GetParam().qarvel, true);
        const clHangGuard guard("starting without a usable qarvel.cards");
        clWindowTest::SetUp();
    }
};

// The game comes up with the four-colour set and says once why.
TEST_P(clFallbackWindowTest, TheFourColourSetCarriesTheGame) {
    ASSERT_TRUE(Open("Klondike", 1));
    clCardSetList& catalogue = program->Catalogue();
    EXPECT_EQ(program->DisplayOptions().cardSet, "qarvel_four_colour.cards");
    const std::optional<int> four = catalogue.Find("qarvel_four_colour.cards");
    ASSERT_TRUE(four.has_value());
    EXPECT_EQ(catalogue.CurrentIndex(clCardFile::Cards), *four);
    EXPECT_TRUE(window->Action(clCommand::kCardSetFirst + *four)->isChecked());
    EXPECT_EQ(program->Display().Backs().Count(), 3);
    EXPECT_GT(program->Display().CardWidth(), 0);

    ASSERT_EQ(messages.Texts().size(), 1u);
    const std::string& told = messages.Texts()[0];
    const std::string failed = "The card set \"qarvel.cards\" could not be loaded: " +
                               (dataFolder / "qarvel.cards").string() + " " + GetParam().why +
                               ". Qarvel uses the card set \"Qarvel Four Colour\" "
                               "(qarvel_four_colour.cards) instead.";
    EXPECT_EQ(told.substr(0, failed.size()), failed);
    // The four-colour set has no pile symbols.
    EXPECT_NE(told.find("the piles are shown without them"), std::string::npos) << told;

    // Another size and another game say nothing more.
    ResizeWindow({700, 560});
    window->ExecuteCommand(clCommand::kCardSizeFirst + 4);
    EXPECT_TRUE(WaitForCards());
    ASSERT_TRUE(window->StartGame("FreeCell"));
    EXPECT_TRUE(WaitForCards());
    EXPECT_EQ(messages.Texts().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Defaults, clFallbackWindowTest,
    ::testing::Values(clMissingDefault{"Missing", clDefaultSet::Missing, "is missing"},
                      clMissingDefault{"Fifo", clDefaultSet::Fifo, "is not a regular file"},
                      clMissingDefault{"NotACardSet", clDefaultSet::NotACardSet,
                                       "is damaged or cannot be read"},
                      clMissingDefault{"DamagedBitmap", clDefaultSet::DamagedBitmap,
                                       "is damaged or cannot be read"}),
    [](const auto& info) { return std::string(info.param.name); });

// No set that loads: the player is told where the game looked, and the start
// fails (the program then ends with an error status), whether the catalogue
// is empty or lists only a damaged set.
class clNoCardSetTest : public clWindowTest,
                        public ::testing::WithParamInterface<clMissingDefault> {
protected:
    void SetUp() override {
        dataFolder = MakeDataFolder(folder.Path(), GetParam().qarvel, false);
        account = std::make_unique<clFixedUserAccount>(folder.Path(), "tester");
        const clPlatform platform{store, *account, prompt, messages, clock, dataFolder, false};
        program = std::make_unique<clProgram>(platform);
    }
};

TEST_P(clNoCardSetTest, TheStartFailsSayingWhereItLooked) {
    const clHangGuard guard("starting without any card set");
    const bool started = program->StartUp();
    if (started) {
        window = std::make_unique<clMainWindow>(*program, dialogs);
        EXPECT_FALSE(window->Start({}));
    }
    EXPECT_TRUE(program->CardSetsFailed());
    ASSERT_EQ(messages.Texts().size(), 1u);
    const std::string& told = messages.Texts()[0];
    EXPECT_EQ(told.rfind("No card set could be loaded.", 0), 0u) << told;
    EXPECT_NE(told.find("\n" + dataFolder.string() + "\n"), std::string::npos) << told;
    EXPECT_NE(told.find("\n" + folder.Path().string() + "\n"), std::string::npos) << told;
}

INSTANTIATE_TEST_SUITE_P(Defaults, clNoCardSetTest,
                         ::testing::Values(clMissingDefault{"Missing", clDefaultSet::Missing, ""},
                                           clMissingDefault{"Fifo", clDefaultSet::Fifo, ""},
                                           clMissingDefault{"DamagedBitmap",
                                                            clDefaultSet::DamagedBitmap, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

// A card set the player drops into the per-user data folder is listed in the
// Card Set menu and on the Graphics page, and plays when chosen.
class clOwnCardSetTest : public clWindowTest {
protected:
    void SetUp() override {
        WriteCardSetFile(Own(),
                         {{clTag::kCards, 56, 71, 96},
                          {clTag::kBacks, 2, 71, 96},
                          {clTag::kSymbols, 16, 71, 96}},
                         1, "Mine");
        clWindowTest::SetUp();
    }
    fs::path Own() const { return folder.Path() / "mine.cards"; }
};

TEST_F(clOwnCardSetTest, IsListedAndUsed) {
    ASSERT_TRUE(Open("Klondike", 1));
    const std::optional<int> mine = program->Catalogue().Find(Own().string());
    ASSERT_TRUE(mine.has_value());
    EXPECT_EQ(window->Action(clCommand::kCardSetFirst + *mine)->text(), QStringLiteral("Mine"));

    dialogs.onOptions = [&](clOptionsSheet& sheet) {
        sheet.ShowPage(1);
        QComboBox* sets = sheet.Graphics()->CardSets();
        ASSERT_EQ(sets->itemText(*mine), QStringLiteral("Mine"));
        sets->setCurrentIndex(*mine);
        sheet.OkButton()->click();
    };
    window->ExecuteCommand(clCommand::kOptions);
    dialogs.onOptions = nullptr;
    ASSERT_TRUE(WaitForCards());
    EXPECT_EQ(program->DisplayOptions().cardSet, Own().string());
    EXPECT_EQ(program->Settings().Text(clText::CardSet), Own().string());
    EXPECT_TRUE(window->Action(clCommand::kCardSetFirst + *mine)->isChecked());
    // The faces are the set's own (one colour each), at the table's size.
    const clImage& face = *program->Display().Cards().Face(0);
    EXPECT_EQ(face.PixelValue(face.Width() / 2, face.Height() / 2) & 0xFFFFFF,
              SetColour(clTag::kCards, 1) & 0xFFFFFF);
    EXPECT_TRUE(messages.Texts().empty());
    // The chooser's previews draw with it too, not with the default set.
    const QImage own = DrawGamePreview("Klondike", dataFolder, Own().string(), QSize(120, 90));
    ASSERT_FALSE(own.isNull());
    EXPECT_NE(own, DrawGamePreview("Klondike", dataFolder, "qarvel.cards", QSize(120, 90)));
}

}  // namespace
