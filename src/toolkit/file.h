#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class clMemory;

// A file opened for reading or for writing. Reads and writes are exact: a
// short read or write is a failure. Closed when the object goes.
//
// Only regular files are opened to be read (a link is followed to one):
// a FIFO, a device, a socket or a folder in the file's place is refused at
// once, without waiting for a FIFO's other end or reading a byte, so that
// nothing put where the game expects a file can stop it or keep it busy.
class clFile {
public:
    clFile() = default;
    clFile(const clFile&) = delete;
    clFile& operator=(const clFile&) = delete;
    virtual ~clFile();

    // An existing regular file, for reading (others may read it at the same
    // time).
    bool Open(const std::filesystem::path& path);
    // A regular file, made when missing, for adding to its end (every write
    // goes there, wherever the last Seek went); it can be read as well.
    bool OpenForAppend(const std::filesystem::path& path);
    // A new or emptied file, for writing.
    bool Create(const std::filesystem::path& path);
    // False when what was written could not all reach the file.
    bool Close();
    bool IsOpen() const { return file != nullptr; }

    bool Read(void* buffer, std::size_t count);
    // Up to `count` bytes: how many were read, 0 at the end or on an error.
    std::size_t ReadSome(void* buffer, std::size_t count);
    bool Write(const void* buffer, std::size_t count);
    bool Seek(std::uint64_t offset);
    // The file's length in bytes; 0 when it cannot be told.
    std::uint64_t Size() const;

    // The whole file into `block`, followed by one extra 0 byte (so an empty
    // file gives a block holding that single byte). False for a file larger
    // than `maxBytes` or one that cannot be read.
    bool ReadAll(clMemory& block, std::size_t maxBytes);

private:
    std::FILE* file = nullptr;
};

// The bytes of the regular file at `path`; nothing when there is none, it
// cannot be read, or it holds more than `maxBytes`.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes);
// The first `maxBytes` bytes of the regular file at `path` (all of a shorter
// one); nothing when there is none or it cannot be read.
std::optional<std::string> ReadFileStart(const std::filesystem::path& path, std::size_t maxBytes);
// The size of the regular file at `path`; nothing when there is none.
std::optional<std::uint64_t> RegularFileSize(const std::filesystem::path& path);

// The regular files of a folder whose names end in `extension` (".cards";
// compared without regard to case), sorted by name so that every listing of
// the same folder gives the same order. Empty when the folder cannot be read.
std::vector<std::string> ListFiles(const std::filesystem::path& folder,
                                   const std::string& extension);

// Whether a regular file exists at `path`.
bool FileExists(const std::filesystem::path& path);
// Deletes the regular file at `path`; false when there is none or it stays.
bool RemoveFile(const std::filesystem::path& path);
// Writes `bytes` to a new file beside `path` and, once every byte is written
// and on the disk, renames it over `path`. False when any step fails: the new
// file is then removed and whatever was at `path` stays as it was.
bool WriteFileSafely(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
// Removes what WriteFileSafely leaves behind when the program dies while it
// writes: hidden ".NAME.XXXXXX" files in `folder` whose NAME ends in one of
// `extensions` (".qarvel"), regular files last changed at least `age` ago
// (younger ones may still be written). Returns how many were removed.
int RemoveStaleTemporaries(const std::filesystem::path& folder,
                           std::span<const std::string_view> extensions, std::chrono::seconds age);

// Lower-case ASCII copy of a text; other bytes stay as they are.
std::string AsciiLower(std::string text);
