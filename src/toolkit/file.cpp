#include "toolkit/file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "toolkit/memory.h"

namespace {

// A descriptor of the regular file at `path`, opened with `flags`; -1 for
// anything else. The kind is looked at before opening, so that a device is
// never opened, and again on the open file, so that one swapped in between
// is refused too. O_NONBLOCK keeps open() from waiting for a FIFO's other
// end; it is cleared once the file is known to be regular.
int OpenRegular(const std::filesystem::path& path, int flags) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) return -1;
    } else if ((flags & O_CREAT) == 0 || errno != ENOENT) {
        return -1;
    }
    int fd = -1;
    do {
        fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return -1;
    const int status = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || status < 0 ||
        ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::FILE* OpenStream(const std::filesystem::path& path, int flags, const char* mode) {
    const int fd = OpenRegular(path, flags);
    if (fd < 0) return nullptr;
    std::FILE* file = ::fdopen(fd, mode);
    if (file == nullptr) ::close(fd);
    return file;
}

}  // namespace

clFile::~clFile() {
    Close();
}

bool clFile::Open(const std::filesystem::path& path) {
    Close();
    file = OpenStream(path, O_RDONLY, "rb");
    return file != nullptr;
}

bool clFile::OpenForAppend(const std::filesystem::path& path) {
    Close();
    file = OpenStream(path, O_RDWR | O_APPEND | O_CREAT, "a+b");
    return file != nullptr;
}

bool clFile::Create(const std::filesystem::path& path) {
    Close();
    file = std::fopen(path.c_str(), "wb");
    return file != nullptr;
}

bool clFile::Close() {
    const bool ok = file == nullptr || std::fclose(file) == 0;
    file = nullptr;
    return ok;
}

bool clFile::Read(void* buffer, std::size_t count) {
    if (file == nullptr) return false;
    return std::fread(buffer, 1, count, file) == count;
}

std::size_t clFile::ReadSome(void* buffer, std::size_t count) {
    if (file == nullptr) return 0;
    return std::fread(buffer, 1, count, file);
}

bool clFile::Write(const void* buffer, std::size_t count) {
    if (file == nullptr) return false;
    return std::fwrite(buffer, 1, count, file) == count;
}

bool clFile::Seek(std::uint64_t offset) {
    if (file == nullptr || offset > static_cast<std::uint64_t>(INT64_MAX)) return false;
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}

std::uint64_t clFile::Size() const {
    if (file == nullptr) return 0;
    const off_t here = ftello(file);
    if (here < 0 || fseeko(file, 0, SEEK_END) != 0) return 0;
    const off_t end = ftello(file);
    fseeko(file, here, SEEK_SET);
    return end < 0 ? 0 : static_cast<std::uint64_t>(end);
}

bool clFile::ReadAll(clMemory& block, std::size_t maxBytes) {
    const std::uint64_t size = Size();
    if (file == nullptr || size > maxBytes || !Seek(0)) return false;
    block.Allocate(static_cast<std::size_t>(size) + 1);
    if (!Read(block.Data(), static_cast<std::size_t>(size))) {
        block.Free();
        return false;
    }
    return true;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes) {
    clFile file;
    if (!file.Open(path)) return std::nullopt;
    const std::uint64_t size = file.Size();
    if (size > maxBytes) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    // A file that grew since it was measured is read as it was measured.
    if (!file.Read(bytes.data(), bytes.size())) return std::nullopt;
    return bytes;
}

std::optional<std::string> ReadFileStart(const std::filesystem::path& path, std::size_t maxBytes) {
    clFile file;
    if (!file.Open(path)) return std::nullopt;
    const auto size = static_cast<std::size_t>(std::min<std::uint64_t>(file.Size(), maxBytes));
    std::string bytes(size, '\0');
    if (!file.Read(bytes.data(), bytes.size())) return std::nullopt;
    return bytes;
}

std::optional<std::uint64_t> RegularFileSize(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

std::string AsciiLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::vector<std::string> ListFiles(const std::filesystem::path& folder,
                                   const std::string& extension) {
    std::vector<std::string> names;
    const std::string wanted = AsciiLower(extension);
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) return names;
    for (const auto& entry : it) {
        std::error_code kindError;
        if (!entry.is_regular_file(kindError)) continue;
        const std::string name = entry.path().filename().string();
        if (name.size() > wanted.size() &&
            AsciiLower(name.substr(name.size() - wanted.size())) == wanted) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool FileExists(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool RemoveFile(const std::filesystem::path& path) {
    std::error_code error;
    return FileExists(path) && std::filesystem::remove(path, error);
}

namespace {

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

// The new file is hidden and unique (mkstemp), so it never meets another
// program's file, and rename() swaps it in at once: a reader sees the old
// file or the new one, never a part.
bool WriteFileSafely(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    const std::string name = path.filename().string();
    if (name.empty() || name == "." || name == "..") return false;
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    std::string temporary = (folder / ("." + name + ".XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) ::unlink(temporary.c_str());
    return ok;
}

namespace {

// The six characters mkstemp puts in place of "XXXXXX".
bool IsTemporarySuffix(std::string_view text) {
    return text.size() == 6 && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
           });
}

}  // namespace

int RemoveStaleTemporaries(const std::filesystem::path& folder,
                           std::span<const std::string_view> extensions, std::chrono::seconds age) {
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error) return 0;
    const auto now = std::filesystem::file_time_type::clock::now();
    int removed = 0;
    for (const std::filesystem::directory_entry& entry : entries) {
        const std::string name = entry.path().filename().string();
        // "." + NAME + "." + six characters.
        if (name.size() < 9 || name.front() != '.' || name[name.size() - 7] != '.' ||
            !IsTemporarySuffix(std::string_view(name).substr(name.size() - 6))) {
            continue;
        }
        const std::string_view inner = std::string_view(name).substr(1, name.size() - 8);
        const bool ours = std::any_of(extensions.begin(), extensions.end(), [inner](auto ext) {
            return inner.size() > ext.size() && inner.ends_with(ext);
        });
        // Only a regular file, never what a link points at.
        if (!ours || entry.symlink_status(error).type() != std::filesystem::file_type::regular) {
            continue;
        }
        const auto changed = entry.last_write_time(error);
        if (error || now - changed < age) continue;
        if (std::filesystem::remove(entry.path(), error) && !error) ++removed;
    }
    return removed;
}
