#pragma once

// The behaviour every settings store shares, as one suite. A test file
// instantiates it with a backing of its store kind.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/strange_names.h"
#include "toolkit/settings_store.h"

class clStoreBacking {
public:
    virtual ~clStoreBacking() = default;
    virtual clSettingsStore& Store() = 0;
    // Ends the store and opens the same backing again (a file-backed store
    // reads its file anew).
    virtual clSettingsStore& Reopen() = 0;
};

struct clBackingFactory {
    const char* name;
    std::unique_ptr<clStoreBacking> (*make)();
};

inline void PrintTo(const clBackingFactory& factory, std::ostream* out) {
    *out << factory.name;
}

class StoreConformanceTest : public ::testing::TestWithParam<clBackingFactory> {
protected:
    void SetUp() override { backing = GetParam().make(); }
    clSettingsStore& Store() { return backing->Store(); }
    clSettingsStore& Reopen() { return backing->Reopen(); }

    std::unique_ptr<clStoreBacking> backing;
};

inline std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

TEST_P(StoreConformanceTest, EveryKindOfValueReadsBackExactly) {
    const clKeyPath key{"options"};
    const std::vector<std::int32_t> integers = {
        0, 1, -1, 32768, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()};
    std::vector<std::string> texts = StrangeNames();
    texts.insert(texts.end(), {"", "line\nbreak", "  two blanks  ", "caf\xC3\xA9 ; # = , \\"});
    const std::vector<std::vector<std::uint8_t>> blobs = {
        {}, {0}, {0, 1, 2, 255, 0, '\n', '\\', '"'}, std::vector<std::uint8_t>(64, 0xAB)};

    clSettingsStore& store = Store();
    for (std::size_t i = 0; i < integers.size(); ++i)
        ASSERT_TRUE(store.WriteInteger(key, "int" + std::to_string(i), integers[i]));
    for (std::size_t i = 0; i < texts.size(); ++i)
        ASSERT_TRUE(store.WriteText(key, "text" + std::to_string(i), texts[i]));
    for (std::size_t i = 0; i < blobs.size(); ++i)
        ASSERT_TRUE(store.WriteBinary(key, "bin" + std::to_string(i), blobs[i]));
    ASSERT_TRUE(store.Flush());

    clSettingsStore& again = Reopen();
    for (std::size_t i = 0; i < integers.size(); ++i)
        EXPECT_EQ(again.ReadInteger(key, "int" + std::to_string(i)), integers[i]) << i;
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(again.ReadText(key, "text" + std::to_string(i)), texts[i]) << texts[i];
    for (std::size_t i = 0; i < blobs.size(); ++i)
        EXPECT_EQ(again.ReadBinary(key, "bin" + std::to_string(i)), blobs[i]) << i;
}

TEST_P(StoreConformanceTest, AnyNameIsOneKeyOfItsOwn) {
    const std::vector<std::string> names = StrangeNames();
    const clKeyPath players{"players"};
    clSettingsStore& store = Store();
    for (std::size_t i = 0; i < names.size(); ++i) {
        ASSERT_TRUE(store.WriteInteger(players / names[i], "id", static_cast<std::int32_t>(i)));
        ASSERT_TRUE(store.WriteInteger(players / names[i] / "Triple Towers", "GamesPlayed", 7));
    }
    // A name with a separator is not a path: "a" / "b" is another key.
    ASSERT_TRUE(store.WriteInteger(players / "a" / "b", "id", -1));
    ASSERT_TRUE(store.Flush());

    clSettingsStore& again = Reopen();
    EXPECT_EQ(Sorted(again.SubKeys(players)), Sorted(names));
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(again.ReadInteger(players / names[i], "id"), static_cast<std::int32_t>(i))
            << names[i];
        std::vector<std::string> games = {"Triple Towers"};
        if (names[i] == "a") games.push_back("b");
        EXPECT_EQ(Sorted(again.SubKeys(players / names[i])), Sorted(games)) << names[i];
    }
    EXPECT_EQ(again.ReadInteger(players / "a" / "b", "id"), -1);
}

TEST_P(StoreConformanceTest, MissingAndMismatchedValuesReadAsNothing) {
    const clKeyPath key{"players", "Ann"};
    clSettingsStore& store = Store();
    ASSERT_TRUE(store.WriteText(key, "word", "abc"));
    ASSERT_TRUE(store.WriteText(key, "digits", "-12"));
    ASSERT_TRUE(store.WriteText(key, "huge", "4294967296"));
    ASSERT_TRUE(store.WriteBinary(key, "bytes", std::vector<std::uint8_t>{1, 2}));
    ASSERT_TRUE(store.WriteInteger(key, "number", 5));
    ASSERT_TRUE(store.Flush());

    clSettingsStore& again = Reopen();
    EXPECT_FALSE(again.ValueExists(key, "absent"));
    EXPECT_EQ(again.ReadInteger(key, "absent"), std::nullopt);
    EXPECT_EQ(again.ReadText(key, "absent"), std::nullopt);
    EXPECT_EQ(again.ReadBinary(key, "absent"), std::nullopt);
    EXPECT_EQ(again.ReadInteger(clKeyPath{"players", "Bob"}, "number"), std::nullopt);

    EXPECT_TRUE(again.ValueExists(key, "word"));
    EXPECT_EQ(again.ReadInteger(key, "word"), std::nullopt);
    EXPECT_EQ(again.ReadInteger(key, "digits"), -12);  // files keep numbers as text
    EXPECT_EQ(again.ReadInteger(key, "huge"), std::nullopt);
    EXPECT_EQ(again.ReadInteger(key, "bytes"), std::nullopt);
    EXPECT_EQ(again.ReadText(key, "bytes"), std::nullopt);
    EXPECT_EQ(again.ReadBinary(key, "word"), std::nullopt);
    EXPECT_EQ(again.ReadBinary(key, "number"), std::nullopt);
}

TEST_P(StoreConformanceTest, KeysExistWhileTheyHoldSomething) {
    clSettingsStore& store = Store();
    const clKeyPath ann{"players", "Ann"};
    EXPECT_FALSE(store.KeyExists(ann));
    ASSERT_TRUE(store.WriteInteger(ann / "Klondike", "Favorite", 1));
    ASSERT_TRUE(store.WriteInteger(ann, "sounds", 1));
    ASSERT_TRUE(store.WriteInteger(ann, "toolbar", 0));
    ASSERT_TRUE(store.Flush());

    clSettingsStore& again = Reopen();
    EXPECT_TRUE(again.KeyExists(clKeyPath{"players"}));
    EXPECT_TRUE(again.KeyExists(ann));
    EXPECT_TRUE(again.KeyExists(ann / "Klondike"));
    EXPECT_FALSE(again.KeyExists(ann / "FreeCell"));
    EXPECT_EQ(again.SubKeys(clKeyPath{"players"}), std::vector<std::string>{"Ann"});
    EXPECT_EQ(again.SubKeys(ann), std::vector<std::string>{"Klondike"});
    EXPECT_EQ(Sorted(again.ValueNames(ann)), (std::vector<std::string>{"sounds", "toolbar"}));
}

TEST_P(StoreConformanceTest, DeletingTakesExactlyWhatWasNamed) {
    clSettingsStore& store = Store();
    const clKeyPath players{"players"};
    ASSERT_TRUE(store.WriteInteger(players / "Ann", "sounds", 1));
    ASSERT_TRUE(store.WriteInteger(players / "Ann" / "Klondike", "Favorite", 1));
    ASSERT_TRUE(store.WriteInteger(players / "Ann" / "Klondike" / "deeper", "x", 1));
    ASSERT_TRUE(store.WriteInteger(players / "Anne", "sounds", 0));
    ASSERT_TRUE(store.WriteInteger(players / "Bob", "Klondike", 3));               // a value...
    ASSERT_TRUE(store.WriteInteger(players / "Bob" / "Klondike", "Favorite", 1));  // ...and a key
    ASSERT_TRUE(store.DeleteKey(players / "Ann"));
    ASSERT_TRUE(store.DeleteValue(players / "Bob", "Klondike"));
    EXPECT_TRUE(store.DeleteKey(players / "Nobody"));
    EXPECT_TRUE(store.DeleteValue(players / "Bob", "nothing"));
    EXPECT_FALSE(store.DeleteKey(clKeyPath{}));
    ASSERT_TRUE(store.Flush());

    clSettingsStore& again = Reopen();
    EXPECT_FALSE(again.KeyExists(players / "Ann"));
    EXPECT_FALSE(again.KeyExists(players / "Ann" / "Klondike"));
    EXPECT_EQ(again.ReadInteger(players / "Anne", "sounds"), 0);
    EXPECT_FALSE(again.ValueExists(players / "Bob", "Klondike"));
    EXPECT_EQ(again.ReadInteger(players / "Bob" / "Klondike", "Favorite"), 1);
    EXPECT_EQ(Sorted(again.SubKeys(players)), (std::vector<std::string>{"Anne", "Bob"}));
}
