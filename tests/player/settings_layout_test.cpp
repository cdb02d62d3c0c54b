#include "player/settings_layout.h"

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace {

// Every per-player value of the store with its default, written out again
// here from the layout the game has always stored.
struct clExpectedValue {
    std::string_view name;
    char kind;  // 'f' flag, 'n' number, 't' text
    std::int32_t number;
    std::string_view text;
    std::size_t size;
};

// clang-format off
const clExpectedValue kExpected[] = {
    {"sounds", 'f', 1, "", 0},        {"autosave", 'f', 1, "", 0},
    {"prompt", 'f', 1, "", 0},        {"scorebutton", 'f', 1, "", 0},
    {"toolbar", 'f', 1, "", 0},       {"statusbar", 'f', 1, "", 0},
    {"showtimer", 'f', 1, "", 0},     {"datetime", 'f', 1, "", 0},
    {"keyboard", 'f', 0, "", 0},      {"autopause", 'f', 1, "", 0},
    {"autoscroll", 'f', 1, "", 0},    {"taskbaricon", 'f', 0, "", 0},
    {"practice", 'f', 0, "", 0},      {"online", 'f', 0, "", 0},
    {"forcevirtual", 'f', 0, "", 0},  {"blockdrag", 'f', 1, "", 0},
    {"animation", 'f', 1, "", 0},     {"fitwindow", 'f', 1, "", 0},
    {"preview", 'f', 1, "", 0},
    {"cardback", 'n', 0, "", 0},      {"view", 'n', 0, "", 0},
    {"filter", 'n', 0, "", 0},        {"sort", 'n', 0, "", 0},
    {"played", 'n', 5, "", 0},        {"recent", 'n', 5, "", 0},
    {"background", 'n', 1, "", 0},    {"color", 'n', 32768, "", 0},
    {"minsize", 'n', 0, "", 0},       {"maxsize", 'n', 0, "", 0},
    {"virtualwidth", 'n', 640, "", 0}, {"virtualheight", 'n', 480, "", 0},
    {"timeout", 'n', 15, "", 0},
    {"image", 't', 0, "qarvel.bmp", 64},     {"cardset", 't', 0, "qarvel.cards", 260},
    {"backs", 't', 0, "qarvel.cards", 260},  {"symbols", 't', 0, "qarvel.cards", 260},
    {"name", 't', 0, "", 64},                {"location", 't', 0, "", 64},
    {"email", 't', 0, "", 64},
};
// clang-format on

void PrintTo(const clExpectedValue& value, std::ostream* out) {
    *out << value.name;
}

class SettingsLayoutTest : public ::testing::TestWithParam<clExpectedValue> {};

TEST_P(SettingsLayoutTest, RowMatchesTheStoredLayout) {
    const clExpectedValue& want = GetParam();
    int found = 0;
    for (std::size_t i = 0; i < kFlagRows.size(); ++i) {
        const clFlagRow& row = kFlagRows[i];
        EXPECT_EQ(static_cast<std::size_t>(row.id), i) << "flag rows follow their enumeration";
        if (row.name != want.name) continue;
        ++found;
        EXPECT_EQ(want.kind, 'f');
        EXPECT_EQ(row.byDefault, want.number != 0);
    }
    for (std::size_t i = 0; i < kNumberRows.size(); ++i) {
        const clNumberRow& row = kNumberRows[i];
        EXPECT_EQ(static_cast<std::size_t>(row.id), i) << "number rows follow their enumeration";
        if (row.name != want.name) continue;
        ++found;
        EXPECT_EQ(want.kind, 'n');
        EXPECT_EQ(row.byDefault, want.number);
        EXPECT_LE(row.low, row.byDefault);
        EXPECT_GE(row.high, row.byDefault);
    }
    for (std::size_t i = 0; i < kTextRows.size(); ++i) {
        const clTextRow& row = kTextRows[i];
        EXPECT_EQ(static_cast<std::size_t>(row.id), i) << "text rows follow their enumeration";
        if (row.name != want.name) continue;
        ++found;
        EXPECT_EQ(want.kind, 't');
        EXPECT_EQ(row.byDefault, want.text);
        EXPECT_EQ(row.size, want.size);
    }
    EXPECT_EQ(found, 1) << "each value is in exactly one table";
}

INSTANTIATE_TEST_SUITE_P(PlayerValues, SettingsLayoutTest, ::testing::ValuesIn(kExpected),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsLayoutTest, TablesHoldNothingElse) {
    EXPECT_EQ(kFlagRows.size() + kNumberRows.size() + kTextRows.size(), std::size(kExpected));
}

}  // namespace
