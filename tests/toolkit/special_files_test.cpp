// What lies where the game expects a file may be no file at all: a FIFO
// (whose open() waits for a writer for ever), a link to an endless device,
// a folder. Every reader of the game refuses it at once, as a file that
// cannot be read, and writes nothing to it.
#include "support/special_files.h"

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "engine/saved_game.h"
#include "graphics/card_set.h"
#include "graphics/card_set_info.h"
#include "graphics/image.h"
#include "player/file_time.h"
#include "player/statistics_log.h"
#include "support/hang_guard.h"
#include "support/temp_folder.h"
#include "toolkit/file.h"
#include "toolkit/messages.h"

namespace {

namespace fs = std::filesystem;

struct clSpecialCase {
    const char* name;
    clSpecialFile kind;
};

// A reader of the game: true when it refused the file.
struct clReader {
    const char* name;
    const char* fileName;  // the extension chooses a picture's decoder
    std::function<bool(const fs::path&)> refuses;
};

std::vector<clReader> Readers() {
    return {
        {"clFile::Open", "file", [](const fs::path& p) { return !clFile().Open(p); }},
        {"clFile::OpenForAppend", "file",
         [](const fs::path& p) { return !clFile().OpenForAppend(p); }},
        {"ReadWholeFile", "page.html",
         [](const fs::path& p) { return !ReadWholeFile(p, 1 << 20).has_value(); }},
        {"ReadFileStart", "page.html",
         [](const fs::path& p) { return !ReadFileStart(p, 1 << 16).has_value(); }},
        {"ReadLog", "golf.log",
         [](const fs::path& p) {
             int results = 0;
             const clLogReading reading = ReadLog(p, [&](const clScoreRecord&) {
                 ++results;
                 return true;
             });
             return !reading.opened && results == 0;
         }},
        {"AppendLogLine", "golf.log",
         [](const fs::path& p) {
             clScoreRecord record;
             record.score = 5;
             record.when = {2020, 1, 3, 2, 10, 0, 0, 0};
             return !AppendLogLine(p, record);
         }},
        {"clSavedGameFile::Read", "game.qarvel",
         [](const fs::path& p) { return !clSavedGameFile::Read(p).has_value(); }},
        {"clSavedGameFile::ReadName", "game.qarvel",
         [](const fs::path& p) { return !clSavedGameFile::ReadName(p).has_value(); }},
        {"clImage::LoadFile bitmap", "back.bmp",
         [](const fs::path& p) {
             clImage image;
             clHeadlessMessages messages;
             return !image.LoadFile(p.string(), messages) && image.IsEmpty();
         }},
        {"clImage::LoadFile PNG", "back.png",
         [](const fs::path& p) {
             clImage image;
             clHeadlessMessages messages;
             return !image.LoadFile(p.string(), messages) && image.IsEmpty();
         }},
        {"clCardSetInfo::Load", "more.cards",
         [](const fs::path& p) { return !clCardSetInfo().Load(p, "more.cards"); }},
        {"clCardSet::Load", "more.cards",
         [](const fs::path& p) {
             clCardSet cards;
             clHeadlessMessages messages;
             return !cards.Load(p.string(), 0, messages);
         }},
    };
}

class SpecialFileTest : public ::testing::TestWithParam<clSpecialCase> {};

TEST_P(SpecialFileTest, EveryReaderRefusesItAtOnceAndLeavesItAsItWas) {
    for (const clReader& reader : Readers()) {
        SCOPED_TRACE(reader.name);
        clTempFolder folder;
        const fs::path path = folder.Path() / reader.fileName;
        ASSERT_TRUE(MakeSpecialFile(GetParam().kind, path));
        const fs::file_type before = fs::symlink_status(path).type();
        {
            const clHangGuard guard(std::string(reader.name) + " on a " + GetParam().name);
            EXPECT_TRUE(reader.refuses(path));
        }
        EXPECT_EQ(fs::symlink_status(path).type(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, SpecialFileTest,
                         ::testing::Values(clSpecialCase{"Fifo", clSpecialFile::Fifo},
                                           clSpecialCase{"LinkToZero", clSpecialFile::LinkToZero},
                                           clSpecialCase{"Folder", clSpecialFile::Folder}),
                         [](const auto& info) { return std::string(info.param.name); });

// A link to a regular file is followed: a player may link a card set or a
// picture into place.
TEST(SpecialFileTest, ALinkToARegularFileIsRead) {
    clTempFolder folder;
    WriteFileBytes(folder.Path() / "real.html", "<p>text</p>");
    fs::create_symlink(folder.Path() / "real.html", folder.Path() / "link.html");
    EXPECT_EQ(ReadWholeFile(folder.Path() / "link.html", 100), "<p>text</p>");
    EXPECT_EQ(ReadFileStart(folder.Path() / "link.html", 3), "<p>");
    // Larger than allowed: refused whole, or read up to the bound.
    EXPECT_FALSE(ReadWholeFile(folder.Path() / "link.html", 5).has_value());
    EXPECT_EQ(RegularFileSize(folder.Path() / "link.html"), 11u);
    EXPECT_FALSE(RegularFileSize(folder.Path()).has_value());
}

}  // namespace
