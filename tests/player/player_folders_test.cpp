#include "player/player_folders.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

#include "support/strange_names.h"
#include "support/temp_folder.h"
#include "toolkit/user_account.h"

namespace {

TEST(PlayerNameTest, WhatCanNameAPlayer) {
    for (const std::string& name : StrangeNames())
        EXPECT_TRUE(IsValidPlayerName(name)) << name;
    std::string longestEmoji;
    for (int i = 0; i < 63; ++i)
        longestEmoji += "\xF0\x9F\x98\x80";
    EXPECT_TRUE(IsValidPlayerName(longestEmoji));

    EXPECT_FALSE(IsValidPlayerName(""));
    EXPECT_FALSE(IsValidPlayerName(std::string(65, 'x')));
    EXPECT_FALSE(IsValidPlayerName(std::string("nul\0byte", 8)));
    EXPECT_FALSE(IsValidPlayerName("bad\xFFutf8"));
    EXPECT_FALSE(IsValidPlayerName("\xC3"));  // cut-off sequence
    // 64 four-byte characters would need a 256-byte folder name.
    EXPECT_FALSE(IsValidPlayerName(longestEmoji + "\xF0\x9F\x98\x80"));
}

TEST(PlayerNameTest, SameNameIgnoresTheCaseOfLatinLetters) {
    EXPECT_TRUE(SamePlayerName("Ann", "aNN"));
    EXPECT_FALSE(SamePlayerName("Ann", "Anne"));
    EXPECT_FALSE(SamePlayerName("Ann", "Ann "));
    EXPECT_FALSE(SamePlayerName("a/b", "a\\b"));
}

TEST(PlayerFolderTest, EveryNameHasAFolderOfItsOwnInsideTheProgramFolder) {
    clTempFolder temp;
    const clFixedUserAccount account(temp.Path() / "Ternwick", "ann");
    const clPlayerFolders folders(account);
    const std::filesystem::path program = temp.Path() / "Ternwick" / "Qarvel";
    EXPECT_EQ(folders.ProgramFolder(), program);

    std::set<std::string> seen;
    for (const std::string& name : StrangeNames()) {
        const auto folderName = PlayerFolderName(name);
        ASSERT_TRUE(folderName) << name;
        EXPECT_TRUE(seen.insert(*folderName).second) << name << " shares " << *folderName;
        EXPECT_EQ(folderName->find('/'), std::string::npos) << name;
        EXPECT_NE(*folderName, ".");
        EXPECT_NE(*folderName, "..");
        EXPECT_LE(folderName->size(), 255u);

        // The folder made on disk is a direct child of the program folder.
        const auto made = folders.MakeFolder(name);
        ASSERT_TRUE(made) << name;
        EXPECT_EQ(std::filesystem::canonical(*made).parent_path(),
                  std::filesystem::canonical(program))
            << name;
        const auto file = folders.FilePath(name, "klondike.log");
        ASSERT_TRUE(file);
        EXPECT_EQ(file->parent_path(), *made);
    }
    // Nothing was made anywhere else.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(temp.Path())) {
        const std::filesystem::path& path = entry.path();
        EXPECT_TRUE(path == program.parent_path() || path == program ||
                    path.parent_path() == program)
            << path;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(program),
                            std::filesystem::directory_iterator()),
              static_cast<std::ptrdiff_t>(StrangeNames().size()));
}

TEST(PlayerFolderTest, ReadableNamesStayReadable) {
    EXPECT_EQ(PlayerFolderName("Mary Jane"), "Mary Jane");
    EXPECT_EQ(PlayerFolderName("O'Brien"), "O'Brien");
    EXPECT_EQ(PlayerFolderName("Zo\xC3\xAB"), "Zo\xC3\xAB");
    EXPECT_EQ(PlayerFolderName("../x"), "%2E.%2Fx");
    EXPECT_EQ(PlayerFolderName("50%"), "50%25");
    EXPECT_EQ(PlayerFolderName(""), std::nullopt);
}

TEST(PlayerFolderTest, FileNames) {
    clTempFolder temp;
    const clFixedUserAccount account(temp.Path(), "ann");
    const clPlayerFolders folders(account);
    EXPECT_EQ(folders.FilePath("Ann", "/home/ann/saved.qarvel"),
              std::filesystem::path("/home/ann/saved.qarvel"));
    EXPECT_EQ(folders.FilePath("Ann", ".."), std::nullopt);
    EXPECT_EQ(folders.FilePath("Ann", ""), std::nullopt);
    EXPECT_EQ(folders.FilePath("", "golf.log"), std::nullopt);

    // A file where the folder should be: no folder, no path.
    WriteFileBytes(temp.Path() / "Qarvel" / "Bob", "not a folder");
    EXPECT_EQ(folders.FilePath("Bob", "golf.log"), std::nullopt);
}

}  // namespace
