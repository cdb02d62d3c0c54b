#pragma once

#include <filesystem>
#include <system_error>

#include <sys/stat.h>

// What a hostile or broken setup leaves where the game expects a file: a
// FIFO (whose open() waits for a writer for ever), a link to an endless
// device, a folder.
enum class clSpecialFile { Fifo, LinkToZero, Folder };

// Makes one at `path`; false when it could not be made.
inline bool MakeSpecialFile(clSpecialFile kind, const std::filesystem::path& path) {
    std::error_code error;
    switch (kind) {
        case clSpecialFile::Fifo:
            return mkfifo(path.c_str(), 0600) == 0;
        case clSpecialFile::LinkToZero:
            std::filesystem::create_symlink("/dev/zero", path, error);
            return !error;
        case clSpecialFile::Folder:
            return std::filesystem::create_directory(path, error) && !error;
    }
    return false;
}
