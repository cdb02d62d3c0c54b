#pragma once

#include <string>
#include <vector>

// Names a person can type into a name field, chosen to break naive mapping
// to keys and folders: separators, dots, escapes, INI syntax, other scripts,
// blanks at the ends, the longest length.
inline std::vector<std::string> StrangeNames() {
    std::string longAccented;
    for (int i = 0; i < 64; ++i)
        longAccented += "\xC3\xA9";  // é
    return {
        "Ann",
        "ann",
        "Mary Jane",
        "O'Brien",
        "a/b",
        "a",
        "b",
        "/",
        "//",
        ".",
        "..",
        "...",
        "../escape",
        "..\\..\\escape",
        "back\\slash",
        "%2F",
        "%",
        "%25",
        "50% off",
        "Zo\xC3\xAB",                            // Zoë
        "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E",  // 日本語
        "\xF0\x9F\x98\x80 smile",                // 😀
        " leading",
        "trailing ",
        "tab\there",
        "semi;colon",
        "#hash",
        "[section]",
        "key=value",
        "comma, name",
        "\"quoted\"",
        "@ByteArray(x)",
        "General",
        "con:colon*star?",
        std::string(64, 'x'),
        longAccented,
    };
}
