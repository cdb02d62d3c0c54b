#include "player/player_folders.h"

#include <system_error>

#include "toolkit/user_account.h"
#include "toolkit/utf8.h"

namespace {

// The longest file name the common Linux file systems take, in bytes.
constexpr std::size_t kMaxFileNameBytes = 255;

bool NeedsEscape(unsigned char byte, bool first) {
    if (byte < 0x20 || byte == 0x7F) return true;
    if (first && byte == '.') return true;
    switch (byte) {
        case '%':
        case '/':
        case '\\':
        case ':':
        case '*':
        case '?':
        case '"':
        case '<':
        case '>':
        case '|':
            return true;
        default:
            return false;
    }
}

// The escaped form of a name that is well-formed UTF-8 without zeros.
std::string EscapeFolderName(std::string_view name) {
    constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (NeedsEscape(byte, i == 0)) {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool IsValidPlayerName(std::string_view name) {
    const auto length = Utf8Length(name);
    if (!length || *length == 0 || *length > kMaxPlayerNameLength) return false;
    if (name.find('\0') != std::string_view::npos) return false;
    return EscapeFolderName(name).size() <= kMaxFileNameBytes;
}

bool SamePlayerName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

std::optional<std::string> PlayerFolderName(std::string_view name) {
    if (!IsValidPlayerName(name)) return std::nullopt;
    return EscapeFolderName(name);
}

std::filesystem::path clPlayerFolders::ProgramFolder() const {
    return account.DataFolder() / kProgramFolder;
}

std::optional<std::filesystem::path> clPlayerFolders::Folder(std::string_view player) const {
    const auto folderName = PlayerFolderName(player);
    if (!folderName) return std::nullopt;
    return ProgramFolder() / *folderName;
}

std::optional<std::filesystem::path> clPlayerFolders::MakeFolder(std::string_view player) const {
    auto folder = Folder(player);
    if (!folder) return std::nullopt;
    std::error_code error;
    std::filesystem::create_directories(*folder, error);
    if (!std::filesystem::is_directory(*folder, error)) return std::nullopt;
    return folder;
}

std::optional<std::filesystem::path> clPlayerFolders::FilePath(std::string_view player,
                                                               std::string_view fileName) const {
    if (fileName.empty() || fileName == "." || fileName == "..") return std::nullopt;
    if (fileName.find('/') != std::string_view::npos) return std::filesystem::path(fileName);
    auto folder = MakeFolder(player);
    if (!folder) return std::nullopt;
    return *folder / fileName;
}

bool clPlayerFolders::RemoveFolder(std::string_view player) const {
    const auto folder = Folder(player);
    if (!folder) return false;
    std::error_code error;
    std::filesystem::remove_all(*folder, error);
    return !error && !std::filesystem::exists(std::filesystem::symlink_status(*folder));
}
