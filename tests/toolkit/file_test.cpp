#include "toolkit/file.h"

#include <cstdlib>

#include <gtest/gtest.h>

#include "support/picture_files.h"
#include "toolkit/data_folder.h"
#include "toolkit/memory.h"
#include "toolkit/operation_error.h"

namespace {

TEST(MemoryTest, BlocksAreZeroFilledAndBounded) {
    clMemory block(5);
    EXPECT_EQ(block.Size(), 5u);
    EXPECT_EQ(block.Data()[4], 0);
    clMemory moved = std::move(block);
    EXPECT_EQ(moved.Size(), 5u);
    EXPECT_TRUE(block.Empty());
    try {
        block.Allocate(clMemory::kMaxBytes + 1);
        FAIL() << "no error";
    } catch (const clOperationError& error) {
        EXPECT_STREQ(error.what(), "clMemory::Allocate");
    }
}

TEST(FileTest, ReadingAWholeFileAddsOneZeroByte) {
    clTempFolder folder;
    WriteBytes(folder / "empty", {});
    WriteBytes(folder / "three", {1, 2, 3});
    clFile file;
    clMemory block;
    ASSERT_TRUE(file.Open(folder / "empty"));
    ASSERT_TRUE(file.ReadAll(block, 100));
    ASSERT_EQ(block.Size(), 1u);
    EXPECT_EQ(block.Data()[0], 0);

    ASSERT_TRUE(file.Open(folder / "three"));
    EXPECT_FALSE(file.ReadAll(block, 2));  // larger than allowed
    ASSERT_TRUE(file.ReadAll(block, 3));
    EXPECT_EQ(std::vector<std::uint8_t>(block.Data(), block.Data() + 4),
              (std::vector<std::uint8_t>{1, 2, 3, 0}));

    std::uint8_t bytes[4];
    ASSERT_TRUE(file.Seek(1));
    EXPECT_FALSE(file.Read(bytes, 3));  // exact reads only
    EXPECT_FALSE(file.Open(folder / "missing"));
    EXPECT_FALSE(file.Open(folder.Path()));  // a folder is not a file

    file.Close();
    EXPECT_TRUE(RemoveFile(folder / "three"));
    EXPECT_FALSE(RemoveFile(folder / "three"));
    std::filesystem::create_directory(folder / "sub");
    EXPECT_FALSE(RemoveFile(folder / "sub"));
}

TEST(FileTest, ListingMatchesTheExtensionInAnyCaseInNameOrder) {
    clTempFolder folder;
    for (const char* name : {"b.cards", "A.CARDS", "c.cards.bak", "cards", "d.dat"})
        WriteBytes(folder / name, {});
    std::filesystem::create_directory(folder / "e.cards");
    EXPECT_EQ(ListFiles(folder.Path(), ".cards"), (std::vector<std::string>{"A.CARDS", "b.cards"}));
    EXPECT_TRUE(ListFiles(folder / "missing", ".cards").empty());
}

TEST(DataFolderTest, FilesLiveInTheProgramsFolderUnderTheXdgDataHome) {
    clTempFolder folder;
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string keep = saved ? saved : "";
    setenv("XDG_DATA_HOME", folder.Path().c_str(), 1);
    EXPECT_EQ(MakerDataFolder(), folder / "Ternwick");
    setenv("XDG_DATA_HOME", "relative/path", 1);  // not absolute: ignored
    EXPECT_NE(MakerDataFolder(), std::filesystem::path("relative/path/Ternwick"));
    if (saved) {
        setenv("XDG_DATA_HOME", keep.c_str(), 1);
    } else {
        unsetenv("XDG_DATA_HOME");
    }

    clDataFolder data(folder / "Ternwick");
    ASSERT_TRUE(data.SetDataFolder("Qarvel", "Alice"));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "Ternwick" / "Qarvel" / "Alice"));
    EXPECT_EQ(data.DataPath("Klondike.log", "Alice"),
              folder / "Ternwick" / "Qarvel" / "Alice" / "Klondike.log");
    EXPECT_EQ(data.DataPath("qarvel.error"), folder / "Ternwick" / "Qarvel" / "qarvel.error");
    EXPECT_EQ(data.DataPath("/home/a/saved.qarvel", "Alice"), "/home/a/saved.qarvel");
}

}  // namespace

namespace {

// What a save that died half-way leaves behind is removed at start, and
// nothing else: not the saves themselves, not a file still being written,
// not another program's hidden file, not a folder or a link.
TEST(FileTest, StaleTemporariesOfSavesAreRemoved) {
    clTempFolder folder;
    const std::filesystem::path root = folder.Path();
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(2);
    struct {
        const char* name;
        bool removed;
    } cases[] = {
        {".klondike.qarvel.Ab3xZ9", true},  {".golf.tmp.000000", true},
        {"klondike.qarvel", false},         {".klondike.qarvel", false},
        {".klondike.qarvel.Ab3xZ", false},   // not six characters
        {".klondike.qarvel.Ab3x-9", false},  // not mkstemp's
        {".notes.txt.Ab3xZ9", false},        // not a save
        {"..qarvel.Ab3xZ9", false},          // no name
    };
    for (const auto& c : cases) {
        WriteBytes(root / c.name, {1});
        std::filesystem::last_write_time(root / c.name, old);
    }
    WriteBytes(root / ".fresh.qarvel.Ab3xZ9", {1});  // being written now
    std::filesystem::create_directory(root / ".dir.qarvel.Ab3xZ9");
    std::filesystem::create_symlink(root / "klondike.qarvel", root / ".link.qarvel.Ab3xZ9");

    const std::string_view extensions[] = {".qarvel", ".tmp"};
    EXPECT_EQ(RemoveStaleTemporaries(root, extensions, std::chrono::minutes(1)), 2);
    for (const auto& c : cases)
        EXPECT_EQ(std::filesystem::exists(root / c.name), !c.removed) << c.name;
    EXPECT_TRUE(std::filesystem::exists(root / ".fresh.qarvel.Ab3xZ9"));
    EXPECT_TRUE(std::filesystem::exists(root / ".dir.qarvel.Ab3xZ9"));
    EXPECT_TRUE(std::filesystem::exists(root / "klondike.qarvel"));
    EXPECT_EQ(RemoveStaleTemporaries(root / "missing", extensions, std::chrono::minutes(1)), 0);
}

}  // namespace
