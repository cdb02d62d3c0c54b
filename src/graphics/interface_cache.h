#pragma once

#include <filesystem>
#include <string>

#include "graphics/image.h"

class clMessages;

// The interface image (the splash and About pictures, the chooser's buttons
// and tile, the key-label strip: all in one PNG file), read on first use and
// kept. Views handed out share its pixels.
class clCache {
public:
    static constexpr const char* kInterfaceFile = "qarvel.iface";
    static constexpr const char* kHelpFile = "qarvel_help.iface";

    // The file lies in `folder` (the installation folder).
    explicit clCache(std::filesystem::path folder, std::string fileName = kInterfaceFile)
        : folder(std::move(folder)), fileName(std::move(fileName)) {}

    // Where the file is looked for; the shell moves to the stored
    // installation folder after the first, quiet miss.
    void SetFolder(std::filesystem::path newFolder) { folder = std::move(newFolder); }

    // Makes `view` a view of the rectangle (x, y, width, height) of the image,
    // loading it first if needed; a width or height of 0 reaches to the
    // image's right or bottom edge. The first request for a file that does
    // not exist returns false quietly, once; after that a file that cannot be
    // read throws the operation error "clImage::LoadFile". False for a
    // rectangle that does not lie inside the image.
    bool GetInterfaceImage(clImage& view, int x, int y, int width, int height,
                           clMessages& messages);

    bool IsLoaded() const { return !image.IsEmpty(); }
    // Forgets the loaded image (views of it must be gone); the next request
    // loads it again.
    void Release() { image.Release(); }

private:
    std::filesystem::path folder;
    std::string fileName;
    clImage image;
    bool quietFailure = true;
};
