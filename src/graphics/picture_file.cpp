#include <filesystem>
#include <future>
#include <map>
#include <mutex>
#include <optional>
#include <system_error>

#include "graphics/bmp.h"
#include "graphics/image.h"
#include "graphics/picture_decoders.h"
#include "graphics/picture_read_ahead.h"
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

bool ReadPicture(const std::string& path, clImage& image, clMessages& messages) {
    const clPictureKind kind = KindOf(path);
    clFile file;
    clMemory block;
    if (kind != clPictureKind::Bitmap) {
        if (!file.Open(path) || !file.ReadAll(block, kMaxPictureFile)) return false;
        return kind == clPictureKind::Jpeg ? DecodeJpeg(Contents(block), image)
                                           : DecodePng(Contents(block), image);
    }
    if (!file.Open(path)) {
        messages.ShowMessage("Cannot find '" + path + "' file.");
        return false;
    }
    if (!file.ReadAll(block, kMaxPictureFile)) {
        messages.ShowMessage("Unable to load '" + path + "' file.");
        return false;
    }
    switch (DecodeBitmap(Contents(block), image)) {
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

// Messages of a read ahead go nowhere: a failed read is forgotten, and the
// load that wanted the picture reads the file again and reports.
class clSilentMessages final : public clMessages {
public:
    void ShowMessage(const std::string&) override {}
};

class clReadAhead {
public:
    void Start(const std::string& path) {
        const std::scoped_lock lock(mutex);
        if (reads.contains(path)) return;
        try {
            reads.emplace(path, std::async(std::launch::async, [path] {
                              clSilentMessages silent;
                              clImage image;
                              if (!ReadPicture(path, image, silent))
                                  return std::optional<clImage>();
                              return std::optional<clImage>(std::move(image));
                          }));
        } catch (const std::system_error&) {
            // No thread to spare: the picture is read when it is wanted.
        }
    }

    std::optional<clImage> Take(const std::string& path) {
        std::future<std::optional<clImage>> read;
        {
            const std::scoped_lock lock(mutex);
            const auto found = reads.find(path);
            if (found == reads.end()) return std::nullopt;
            read = std::move(found->second);
            reads.erase(found);
        }
        return read.get();
    }

    void Forget() {
        std::map<std::string, std::future<std::optional<clImage>>> dropped;
        {
            const std::scoped_lock lock(mutex);
            dropped.swap(reads);
        }
    }

private:
    std::mutex mutex;
    std::map<std::string, std::future<std::optional<clImage>>> reads;
};

clReadAhead& ReadAhead() {
    static clReadAhead readAhead;
    return readAhead;
}

}  // namespace

bool clImage::LoadImage(std::span<const std::uint8_t> bmp) {
    return DecodeBitmap(bmp, *this) == clBitmapStatus::Ok;
}

bool clImage::LoadFile(const std::string& path, clMessages& messages) {
    if (std::optional<clImage> early = ReadAhead().Take(path)) {
        *this = std::move(*early);
        return true;
    }
    return ReadPicture(path, *this, messages);
}

void ReadPictureAhead(const std::string& path) {
    ReadAhead().Start(path);
}

void ForgetPicturesReadAhead() {
    ReadAhead().Forget();
}
