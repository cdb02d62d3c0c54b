#include "shell/desktop_shortcut.h"

#include <fstream>
#include <system_error>

namespace {

// A quoted argument of an Exec line: inside double quotes, the characters
// ", `, $ and \ take a backslash, and % is doubled (a single one starts a
// field code the launcher replaces, so "50%f off" would lose its "%f").
std::string QuotedArgument(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        if (c == '%') quoted += '%';
        quoted += c;
    }
    return quoted + "\"";
}

// A value of the entry file: backslashes doubled, line breaks and tabs as escapes.
std::string EntryValue(const std::string& text) {
    std::string value;
    for (char c : text) {
        switch (c) {
            case '\\':
                value += "\\\\";
                break;
            case '\n':
                value += "\\n";
                break;
            case '\r':
                value += "\\r";
                break;
            case '\t':
                value += "\\t";
                break;
            default:
                value += c;
        }
    }
    return value;
}

}  // namespace

std::string DesktopEntry(const std::filesystem::path& program, const std::string& player,
                         const std::string& game) {
    const std::string exec = QuotedArgument(program.string()) + " /p " + QuotedArgument(player) +
                             " " + QuotedArgument(game);
    std::string entry = "[Desktop Entry]\n";
    entry += "Type=Application\n";
    entry += "Name=" + EntryValue(player + "'s " + game) + "\n";
    entry += "Comment=Qarvel\n";
    // The Exec value keeps its quoting; only the entry's own escapes go on top.
    entry += "Exec=" + EntryValue(exec) + "\n";
    // The installed icon, named by the program's desktop id.
    entry += std::string("Icon=") + QARVEL_APP_ID + "\n";
    entry += "Terminal=false\n";
    entry += "Categories=Game;CardGame;\n";
    return entry;
}

std::string DesktopFileName(const std::string& player, const std::string& game) {
    std::string name = player + "'s " + game;
    for (char& c : name) {
        if (c == '/' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '_';
    }
    if (name.front() == '.') name.front() = '_';
    return name + ".desktop";
}

bool WriteDesktopShortcut(const std::filesystem::path& folder, const std::filesystem::path& program,
                          const std::string& player, const std::string& game) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::filesystem::path file = folder / DesktopFileName(player, game);
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out << DesktopEntry(program, player, game);
        if (!out.flush()) return false;
    }
    using std::filesystem::perms;
    std::filesystem::permissions(file, perms::owner_exec | perms::group_exec | perms::others_exec,
                                 std::filesystem::perm_options::add, error);
    return true;
}
