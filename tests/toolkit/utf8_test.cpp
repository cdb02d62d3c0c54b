#include "toolkit/utf8.h"

#include <string>

#include <gtest/gtest.h>

namespace {

TEST(Utf8Test, OnlyWellFormedTextHasALength) {
    EXPECT_EQ(Utf8Length(""), 0u);
    EXPECT_EQ(Utf8Length("Zo\xC3\xAB \xE6\x97\xA5 \xF0\x9F\x98\x80"), 7u);
    EXPECT_EQ(Utf8Length("\xF4\x8F\xBF\xBF"), 1u);  // U+10FFFF
    const std::string malformed[] = {
        "\x80",              // stray continuation byte
        "\xC3",              // cut off
        "\xC0\xAF",          // overlong '/'
        "\xE0\x80\xAF",      // overlong '/'
        "\xED\xA0\x80",      // surrogate
        "\xF4\x90\x80\x80",  // past U+10FFFF
        "\xFF",
        "ok\xE6\x97",
    };
    for (const std::string& text : malformed)
        EXPECT_EQ(Utf8Length(text), std::nullopt) << text;
}

TEST(Utf8Test, PrefixNeverSplitsACharacter) {
    EXPECT_EQ(Utf8Prefix("\xC3\xA9\xC3\xA9\xC3\xA9", 2), "\xC3\xA9\xC3\xA9");
    EXPECT_EQ(Utf8Prefix("ab", 5), "ab");
    EXPECT_EQ(Utf8Prefix("\xFF\xFE"
                         "a",
                         2),
              "\xFF\xFE");
}

}  // namespace
