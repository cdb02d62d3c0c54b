#include "graphics/card_set.h"

#include "graphics/bmp.h"
#include "graphics/chunk.h"
#include "toolkit/memory.h"
#include "toolkit/messages.h"
#include "toolkit/operation_error.h"

namespace {

[[noreturn]] void Fail(const char* className, const char* operation) {
    throw clOperationError(std::string(className) + "::" + operation);
}

}  // namespace

const clImage* clPictureSet::Picture(int i) const {
    if (i < 0 || i >= Count()) return nullptr;
    return &pictures[static_cast<std::size_t>(i)];
}

bool clPictureSet::LoadSet(const std::string& path, int k, const clKind& kind,
                           clMessages& messages) {
    lastError.clear();
    if (path.empty() || k < 0) return false;
    clChunk chunk;
    if (!chunk.Open(path)) {
        messages.ShowMessage("Unable to load card set (" + path + ").");
        return false;
    }
    // Loaded beside the current pictures first, so that a failure leaves them whole.
    std::uint32_t newType = 0;
    std::int32_t newWidth = 0, newHeight = 0;
    clImage newBitmap;
    std::vector<clImage> cut;
    try {
        // Located directly: counting the file's chunks first would walk past
        // every set of every size once more.
        if (chunk.LocateChunk(clTag::kType, 0) && !chunk.ReadNumber(newType)) {
            Fail(kind.className, "ReadType");
        }
        if (!chunk.LocateChunk(kind.tag, k)) return false;

        std::uint32_t count = 0, w = 0, h = 0;
        if (!chunk.ReadNumber(count) || !chunk.ReadNumber(w) || !chunk.ReadNumber(h)) {
            Fail(kind.className, "ReadHeader");
        }
        const auto n = static_cast<std::int32_t>(count);
        newWidth = static_cast<std::int32_t>(w);
        newHeight = static_cast<std::int32_t>(h);
        // The corners must fit in the chunk before any is read.
        if (n < kind.minCount || n > static_cast<std::int64_t>(chunk.Remaining() / 8) ||
            !clImage::IsValidSize(newWidth, newHeight)) {
            Fail(kind.className, "Load");
        }
        std::vector<std::uint32_t> corners(2 * static_cast<std::size_t>(n));
        for (std::uint32_t& value : corners) {
            if (!chunk.ReadNumber(value)) Fail(kind.className, "ReadHeader");
        }

        clMemory block;
        if (!chunk.ReadBlock(block)) Fail(kind.className, "ReadBitmap");
        switch (DecodeBitmap(block.Bytes(), newBitmap)) {
            case clBitmapStatus::Ok:
                break;
            case clBitmapStatus::Invalid:
                lastError = "clImage::LoadImage";
                messages.ShowMessage("Invalid bitmap file data.");
                return false;
            case clBitmapStatus::Damaged:
                Fail(kind.className, "ReadBitmap");
        }

        // Every picture is a rectangle inside the bitmap.
        cut.resize(static_cast<std::size_t>(n));
        for (std::size_t i = 0; i < cut.size(); ++i) {
            const std::int64_t x = corners[2 * i];
            const std::int64_t y = corners[2 * i + 1];
            if (x + newWidth > newBitmap.Width() || y + newHeight > newBitmap.Height()) {
                Fail(kind.className, kind.createName);
            }
            const int left = static_cast<int>(x), top = static_cast<int>(y);
            if (!cut[i].SetView(newBitmap, {left, top, left + newWidth, top + newHeight})) {
                Fail(kind.className, kind.createName);
            }
        }
    } catch (const clOperationError& error) {
        lastError = error.what();
        messages.ShowMessage("Unable to load card set (" + path + ").");
        return false;
    }
    type = newType;
    width = newWidth;
    height = newHeight;
    bitmap = std::move(newBitmap);
    pictures = std::move(cut);
    AfterCut();
    return true;
}

bool clPictureSet::Resize(int newWidth, int newHeight, clMessages& messages, std::stop_token stop) {
    if (newWidth < 1 || newHeight < 1) return false;
    clWaitCursor wait(messages);
    std::vector<clImage> resized(pictures.size());
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        if (stop.stop_requested() ||
            !resized[i].Resample(pictures[i], newWidth, newHeight, clFilter::Lanczos3)) {
            return false;
        }
    }
    pictures = std::move(resized);
    // No picture views the file's bitmap any more.
    bitmap.Release();
    width = newWidth;
    height = newHeight;
    return true;
}

void clPictureSet::ApplyMask(const clImage& mask) {
    if (type != 0) return;
    for (clImage& picture : pictures) {
        const int w = std::min(picture.Width(), mask.Width());
        const int h = std::min(picture.Height(), mask.Height());
        for (int y = 0; y < h; ++y) {
            std::uint8_t* p = picture.At(0, y);
            const std::uint8_t* m = mask.At(0, y);
            for (int x = 0; x < w; ++x, p += 4, m += 4)
                p[3] = m[3];
        }
    }
}

bool clCardSet::Load(const std::string& path, int k, clMessages& messages) {
    static constexpr clKind kKind{"clCardSet", "CreateCards", clTag::kCards, kMinCount};
    return LoadSet(path, k, kKind, messages);
}

void clCardSet::AfterCut() {
    if (Type() != 0 || pictures.empty()) return;
    clImage& mask = pictures.front();
    for (int y = 0; y < mask.Height(); ++y) {
        std::uint8_t* m = mask.At(0, y);
        for (int x = 0; x < mask.Width(); ++x, m += 4) {
            if (m[0] == 0 && m[1] == 0 && m[2] == 0) m[3] = 0;
        }
    }
    for (std::size_t j = 1; j < pictures.size(); ++j) {
        clImage& face = pictures[j];
        for (int y = 0; y < face.Height(); ++y) {
            std::uint8_t* p = face.At(0, y);
            const std::uint8_t* m = mask.At(0, y);
            for (int x = 0; x < face.Width(); ++x, p += 4, m += 4)
                p[3] = m[3];
        }
    }
}

bool clCardBacks::Load(const std::string& path, int k, clMessages& messages) {
    static constexpr clKind kKind{"clCardBacks", "CreateBacks", clTag::kBacks, 1};
    return LoadSet(path, k, kKind, messages);
}

bool clCardSymbols::Load(const std::string& path, int k, clMessages& messages) {
    static constexpr clKind kKind{"clCardSymbols", "CreateSymbols", clTag::kSymbols, 1};
    return LoadSet(path, k, kKind, messages);
}
