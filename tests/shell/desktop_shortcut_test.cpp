#include "shell/desktop_shortcut.h"

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace {

std::string ExecLine(const std::string& entry) {
    std::istringstream lines(entry);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Exec=", 0) == 0) return line.substr(5);
    }
    return {};
}

}  // namespace

TEST(DesktopShortcutTest, NamesAreQuotedOnTheCommandLine) {
    struct {
        std::string player, exec;
    } cases[] = {
        {"Anna", R"x("/usr/bin/qarvel" /p "Anna" "Klondike")x"},
        {"Anna Lee", R"x("/usr/bin/qarvel" /p "Anna Lee" "Klondike")x"},
        // ", `, $ and \ are escaped inside the quotes; the entry doubles each backslash.
        {R"x(a"b)x", R"x("/usr/bin/qarvel" /p "a\\"b" "Klondike")x"},
        {"$(rm -rf ~)", R"x("/usr/bin/qarvel" /p "\\$(rm -rf ~)" "Klondike")x"},
        {"`id`", R"x("/usr/bin/qarvel" /p "\\`id\\`" "Klondike")x"},
        {R"x(back\slash)x", R"x("/usr/bin/qarvel" /p "back\\\\slash" "Klondike")x"},
        {"two\nlines", R"x("/usr/bin/qarvel" /p "two\nlines" "Klondike")x"},
        // A field code would be replaced by the launcher.
        {"50%f off", R"x("/usr/bin/qarvel" /p "50%%f off" "Klondike")x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExecLine(DesktopEntry("/usr/bin/qarvel", c.player, "Klondike")), c.exec)
            << c.player;
    }
}

TEST(DesktopShortcutTest, TheFileStaysInTheDesktopFolder) {
    EXPECT_EQ(DesktopFileName("Anna", "Klondike"), "Anna's Klondike.desktop");
    EXPECT_EQ(DesktopFileName("../../etc/x", "Golf"), "_._.._etc_x's Golf.desktop");
    EXPECT_EQ(DesktopFileName("a\nb", "Golf"), "a_b's Golf.desktop");

    clTempFolder desktop;
    ASSERT_TRUE(WriteDesktopShortcut(desktop.Path(), "/usr/bin/qarvel", "a/b", "Golf"));
    std::ifstream written(desktop.Path() / "a_b's Golf.desktop");
    std::stringstream text;
    text << written.rdbuf();
    EXPECT_NE(text.str().find("Name=a/b's Golf\n"), std::string::npos);
}
