#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "graphics/table_coords.h"
#include "toolkit/memory.h"

class clMessages;

// The resampling filters; any other number resamples as Lanczos-3.
enum class clFilter : int {
    Box = 1,
    Triangle = 2,
    Bell = 3,
    BSpline = 4,
    Hermite = 5,
    Lanczos3 = 6,
    Mitchell = 7,
};

// A 32-bit picture: four bytes a pixel in the order blue, green, red, alpha
// (alpha 0 transparent, 255 opaque; colours not premultiplied). Rows are
// stored top-down: row y starts at Pixels() + y * Stride().
//
// A picture owns its pixels, or is a view of another picture's rectangle
// (sharing the parent's pixels and stride) or of foreign pixels. A view must
// not outlive its parent. Moving a picture keeps its pixels where they are,
// so views of it stay valid.
//
// Every copy and draw is limited by the clip rectangle, which covers the
// whole picture whenever the picture is made.
class clImage {
public:
    // Limits that keep a size read from a file from allocating without bound.
    static constexpr int kMaxSide = 16384;
    static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;

    clImage() = default;
    clImage(clImage&& other) noexcept;
    clImage& operator=(clImage&& other) noexcept;
    clImage(const clImage&) = delete;
    clImage& operator=(const clImage&) = delete;

    // Whether a picture of that size may be made.
    static bool IsValidSize(std::int64_t width, std::int64_t height);

    // A new zero-filled picture (every pixel transparent black). False,
    // leaving the picture as it was, unless both sides are at least 1 and
    // within the limits.
    bool CreateImage(int width, int height);
    // Makes this picture a view of a rectangle of `parent`; false, leaving
    // this picture empty, unless the rectangle is non-empty and inside it.
    bool SetView(clImage& parent, const clRect& rect);
    // Makes this picture a view of foreign pixels.
    void Attach(std::uint8_t* pixels, int width, int height, int stride);
    // Back to an empty picture.
    void Release();

    int Width() const { return width; }
    int Height() const { return height; }
    int Stride() const { return stride; }
    bool IsEmpty() const { return pixels == nullptr; }
    bool OwnsPixels() const { return !memory.Empty(); }
    std::uint8_t* Pixels() { return pixels; }
    const std::uint8_t* Pixels() const { return pixels; }
    std::uint8_t* Row(int y) { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
    const std::uint8_t* Row(int y) const {
        return pixels + static_cast<std::ptrdiff_t>(y) * stride;
    }
    std::uint8_t* At(int x, int y) { return Row(y) + 4 * x; }
    const std::uint8_t* At(int x, int y) const { return Row(y) + 4 * x; }
    // The pixel as 0xAARRGGBB, for tests and tools.
    std::uint32_t PixelValue(int x, int y) const;
    clRect Bounds() const { return {0, 0, width, height}; }

    const clRect& Clip() const { return clip; }
    // Limits drawing to a rectangle (cut to the picture).
    void SetClip(const clRect& rect);
    void ClearClip() { clip = Bounds(); }

    // The source (or its rectangle `from`) with its top-left corner at `at`:
    // Copy takes all four bytes; Draw treats this picture as opaque and
    // blends by the source's alpha; Compose blends over a picture that may
    // itself be transparent (drag pictures); DrawInverted draws like Draw
    // with the source colours inverted (the selected card).
    void Copy(const clImage& source, clPoint at);
    void Copy(const clImage& source, clPoint at, const clRect& from);
    void Draw(const clImage& source, clPoint at);
    void Draw(const clImage& source, clPoint at, const clRect& from);
    void Compose(const clImage& source, clPoint at);
    void Compose(const clImage& source, clPoint at, const clRect& from);
    void DrawInverted(const clImage& source, clPoint at);
    void DrawInverted(const clImage& source, clPoint at, const clRect& from);

    // Every pixel gets blue, green and red of a 0xAABBGGRR colour and its top
    // byte as alpha (0 for the usual 0x00BBGGRR colours).
    void Fill(std::uint32_t colour);
    void FillAlpha(std::uint8_t alpha);
    // The source stretched by nearest neighbour over (0, 0, width, height).
    void Stretch(const clImage& source, int width, int height);
    // The source repeated from the top-left corner over (0, 0, width, height).
    void Tile(const clImage& source, int width, int height);
    // This picture becomes a new width x height picture filtered from the
    // source (two passes, each channel clamped to 0..255 and truncated). A
    // target side below 2 leaves the new picture transparent black. False
    // when the picture cannot be made.
    bool Resample(const clImage& source, int width, int height,
                  clFilter filter = clFilter::Lanczos3);

    // A BMP file held in memory; false, leaving the picture as it was, when
    // the bytes are not a supported, complete bitmap.
    bool LoadImage(std::span<const std::uint8_t> bmp);
    // A picture file, by its extension: ".jpg"/".jpeg" as JPEG, ".png" and
    // ".iface" as PNG, anything else as BMP. JPEG and PNG failures are silent;
    // BMP failures show "Cannot find '%s' file.", "Unable to load '%s' file."
    // or "Unable to load bitmap file.". A failure leaves the picture as it was.
    bool LoadFile(const std::string& path, clMessages& messages);

private:
    clMemory memory;
    std::uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
    clRect clip;
};
