#include <filesystem>

#include "graphics/bmp.h"
#include "graphics/image.h"
#include "graphics/picture_decoders.h"
#include "toolkit/file.h"
#include "toolkit/memory.h"
#include "toolkit/messages.h"

namespace {

// The largest picture file read: a 32-bit bitmap at the pixel limit, with room
// for its headers.
constexpr std::size_t kMaxPictureFile = static_cast<std::size_t>(clImage::kMaxPixels) * 4 + 65536;

enum class clPictureKind { Bitmap, Jpeg, Png };

clPictureKind KindOf(const std::string& path) {
    const std::string extension = AsciiLower(std::filesystem::path(path).extension().string());
    if (extension == ".jpg" || extension == ".jpeg") return clPictureKind::Jpeg;
    if (extension == ".png" || extension == ".iface") return clPictureKind::Png;
    return clPictureKind::Bitmap;
}

// The file's bytes without the 0 that ReadAll adds.
std::span<const std::uint8_t> Contents(const clMemory& block) {
    return block.Bytes().first(block.Size() - 1);
}

}  // namespace

bool clImage::LoadImage(std::span<const std::uint8_t> bmp) {
    return DecodeBitmap(bmp, *this) == clBitmapStatus::Ok;
}

bool clImage::LoadFile(const std::string& path, clMessages& messages) {
    const clPictureKind kind = KindOf(path);
    clFile file;
    clMemory block;
    if (kind != clPictureKind::Bitmap) {
        if (!file.Open(path) || !file.ReadAll(block, kMaxPictureFile)) return false;
        return kind == clPictureKind::Jpeg ? DecodeJpeg(Contents(block), *this)
                                           : DecodePng(Contents(block), *this);
    }
    if (!file.Open(path)) {
        messages.ShowMessage("Cannot find '" + path + "' file.");
        return false;
    }
    if (!file.ReadAll(block, kMaxPictureFile)) {
        messages.ShowMessage("Unable to load '" + path + "' file.");
        return false;
    }
    switch (DecodeBitmap(Contents(block), *this)) {
        case clBitmapStatus::Ok:
            return true;
        case clBitmapStatus::Invalid:
            messages.ShowMessage("Unable to load bitmap file.");
            return false;
        case clBitmapStatus::Damaged:
            break;
    }
    messages.ShowMessage("Unable to load '" + path + "' file.");
    return false;
}
