#include "graphics/image.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>
#include <vector>

// Pixels are read as 32-bit words in places: blue in the low byte, alpha in the high.
static_assert(std::endian::native == std::endian::little);

namespace {

// The part of a transfer that survives clipping: `w` x `h` pixels from
// (sx, sy) of the source to (dx, dy) of the target.
struct clTransfer {
    int dx, dy, sx, sy, w, h;
};

// Cuts a transfer of the source rectangle `from` to `at` to the source, the
// target's clip rectangle and the target; false when nothing is left. The
// source offsets move by the amounts the target side is cut.
bool ClipTransfer(const clImage& target, const clImage& source, clPoint at, clRect from,
                  clTransfer& out) {
    if (target.IsEmpty() || source.IsEmpty()) return false;
    // The source rectangle within the source picture, moving the target point with it.
    std::int64_t sx0 = from.left, sy0 = from.top, sx1 = from.right, sy1 = from.bottom;
    std::int64_t dx0 = at.x, dy0 = at.y;
    if (sx0 < 0) dx0 -= sx0, sx0 = 0;
    if (sy0 < 0) dy0 -= sy0, sy0 = 0;
    sx1 = std::min<std::int64_t>(sx1, source.Width());
    sy1 = std::min<std::int64_t>(sy1, source.Height());
    if (sx1 <= sx0 || sy1 <= sy0) return false;

    const clRect& clip = target.Clip();
    std::int64_t dx1 = dx0 + (sx1 - sx0), dy1 = dy0 + (sy1 - sy0);
    const std::int64_t cutLeft = std::max<std::int64_t>(0, clip.left - dx0);
    const std::int64_t cutTop = std::max<std::int64_t>(0, clip.top - dy0);
    dx1 = std::min<std::int64_t>(dx1, clip.right);
    dy1 = std::min<std::int64_t>(dy1, clip.bottom);
    dx0 += cutLeft, sx0 += cutLeft;
    dy0 += cutTop, sy0 += cutTop;
    if (dx1 <= dx0 || dy1 <= dy0) return false;
    out = {static_cast<int>(dx0), static_cast<int>(dy0),       static_cast<int>(sx0),
           static_cast<int>(sy0), static_cast<int>(dx1 - dx0), static_cast<int>(dy1 - dy0)};
    return true;
}

// Applies a row rule, (target row, source row, width), to every row of a transfer.
template <typename RowOp>
void TransferRows(clImage& target, const clImage& source, clPoint at, const clRect& from,
                  RowOp row) {
    clTransfer t;
    if (!ClipTransfer(target, source, at, from, t)) return;
    for (int y = 0; y < t.h; ++y)
        row(target.At(t.dx, t.dy + y), source.At(t.sx, t.sy + y), t.w);
}

template <typename PixelOp>
void Transfer(clImage& target, const clImage& source, clPoint at, const clRect& from, PixelOp op) {
    TransferRows(target, source, at, from, [op](std::uint8_t* d, const std::uint8_t* s, int w) {
        for (int x = 0; x < w; ++x, d += 4, s += 4)
            op(d, s);
    });
}

inline void BlendColours(std::uint8_t* d, const std::uint8_t c[3], unsigned a) {
    for (int i = 0; i < 3; ++i)
        d[i] = static_cast<std::uint8_t>((d[i] * (255 - a) + c[i] * a) / 255);
}

// The pixel rules, as function objects so that each transfer loop is
// compiled with its rule inline.
struct clDrawPixel {
    void operator()(std::uint8_t* d, const std::uint8_t* s) const {
        const unsigned a = s[3];
        if (a == 255) {
            // Colour from the source, alpha from the target, as one word.
            std::uint32_t source, target;
            std::memcpy(&source, s, 4);
            std::memcpy(&target, d, 4);
            target = (target & 0xFF000000u) | (source & 0x00FFFFFFu);
            std::memcpy(d, &target, 4);
        } else if (a != 0) {
            BlendColours(d, s, a);
        }
    }
};

// A row of Draw, two pixels at a time: a card picture is opaque but for its
// rounded corners and its edge, so most pairs take their colours as one
// word (the target keeps its alpha) and transparent pairs are skipped; the
// other pairs go pixel by pixel.
void DrawRow(std::uint8_t* d, const std::uint8_t* s, int w) {
    constexpr std::uint64_t kAlpha = 0xFF000000FF000000u;
    int x = 0;
    for (; x + 1 < w; x += 2, d += 8, s += 8) {
        std::uint64_t source;
        std::memcpy(&source, s, 8);
        const std::uint64_t alpha = source & kAlpha;
        if (alpha == kAlpha) {
            std::uint64_t target;
            std::memcpy(&target, d, 8);
            target = (target & kAlpha) | (source & ~kAlpha);
            std::memcpy(d, &target, 8);
        } else if (alpha != 0) {
            clDrawPixel()(d, s);
            clDrawPixel()(d + 4, s + 4);
        }
    }
    if (x < w) clDrawPixel()(d, s);
}

struct clDrawInvertedPixel {
    void operator()(std::uint8_t* d, const std::uint8_t* s) const {
        const std::uint8_t inverted[4] = {static_cast<std::uint8_t>(255 - s[0]),
                                          static_cast<std::uint8_t>(255 - s[1]),
                                          static_cast<std::uint8_t>(255 - s[2]), s[3]};
        clDrawPixel()(d, inverted);
    }
};

struct clComposePixel {
    void operator()(std::uint8_t* d, const std::uint8_t* s) const {
        const unsigned a = s[3];
        const unsigned t = d[3];
        if (t == 0 || a == 255) {
            std::memcpy(d, s, 4);
        } else if (a == 0) {
            return;
        } else if (t == 255) {
            BlendColours(d, s, a);
        } else {
            const unsigned w = t * (255 - a) / 255;
            for (int i = 0; i < 3; ++i)
                d[i] = static_cast<std::uint8_t>((s[i] * a + d[i] * w) / (a + w));
            d[3] = static_cast<std::uint8_t>(255 - (255 - t) * (255 - a) / 255);
        }
    }
};

// Nearest-neighbour source index of each of `n` target positions over a
// source of `sourceSize`, by integer error accumulation.
std::vector<int> NearestIndexes(int n, int sourceSize) {
    std::vector<int> index(static_cast<std::size_t>(n));
    int source = 0;
    std::int64_t error = 0;
    for (int i = 0; i < n; ++i) {
        index[static_cast<std::size_t>(i)] = source;
        error += sourceSize;
        while (error >= n) {
            error -= n;
            ++source;
        }
    }
    return index;
}

}  // namespace

clImage::clImage(clImage&& other) noexcept
    : memory(std::move(other.memory)),
      pixels(std::exchange(other.pixels, nullptr)),
      width(std::exchange(other.width, 0)),
      height(std::exchange(other.height, 0)),
      stride(std::exchange(other.stride, 0)),
      clip(std::exchange(other.clip, clRect{})) {}

clImage& clImage::operator=(clImage&& other) noexcept {
    if (this != &other) {
        memory = std::move(other.memory);
        pixels = std::exchange(other.pixels, nullptr);
        width = std::exchange(other.width, 0);
        height = std::exchange(other.height, 0);
        stride = std::exchange(other.stride, 0);
        clip = std::exchange(other.clip, clRect{});
    }
    return *this;
}

bool clImage::IsValidSize(std::int64_t w, std::int64_t h) {
    return w >= 1 && h >= 1 && w <= kMaxSide && h <= kMaxSide && w * h <= kMaxPixels;
}

bool clImage::CreateImage(int newWidth, int newHeight) {
    if (!IsValidSize(newWidth, newHeight)) return false;
    memory.Allocate(static_cast<std::size_t>(newWidth) * static_cast<std::size_t>(newHeight) * 4);
    pixels = memory.Data();
    width = newWidth;
    height = newHeight;
    stride = 4 * newWidth;
    clip = Bounds();
    return true;
}

bool clImage::SetView(clImage& parent, const clRect& rect) {
    Release();
    if (parent.IsEmpty() || rect.IsEmpty() || rect.left < 0 || rect.top < 0 ||
        rect.right > parent.width || rect.bottom > parent.height) {
        return false;
    }
    Attach(parent.At(rect.left, rect.top), rect.Width(), rect.Height(), parent.stride);
    return true;
}

void clImage::Attach(std::uint8_t* foreign, int newWidth, int newHeight, int newStride) {
    memory.Free();
    pixels = foreign;
    width = newWidth;
    height = newHeight;
    stride = newStride;
    clip = Bounds();
}

void clImage::Release() {
    memory.Free();
    pixels = nullptr;
    width = height = stride = 0;
    clip = {};
}

std::uint32_t clImage::PixelValue(int x, int y) const {
    const std::uint8_t* p = At(x, y);
    return static_cast<std::uint32_t>(p[3]) << 24 | static_cast<std::uint32_t>(p[2]) << 16 |
           static_cast<std::uint32_t>(p[1]) << 8 | p[0];
}

void clImage::SetClip(const clRect& rect) {
    clip = {std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, width),
            std::min(rect.bottom, height)};
    if (clip.IsEmpty()) clip = {};
}

void clImage::Copy(const clImage& source, clPoint at) {
    Copy(source, at, source.Bounds());
}
void clImage::Copy(const clImage& source, clPoint at, const clRect& from) {
    clTransfer t;
    if (!ClipTransfer(*this, source, at, from, t)) return;
    for (int y = 0; y < t.h; ++y)
        std::memmove(At(t.dx, t.dy + y), source.At(t.sx, t.sy + y), 4 * std::size_t(t.w));
}

void clImage::Draw(const clImage& source, clPoint at) {
    Draw(source, at, source.Bounds());
}
void clImage::Draw(const clImage& source, clPoint at, const clRect& from) {
    TransferRows(*this, source, at, from, DrawRow);
}

void clImage::Compose(const clImage& source, clPoint at) {
    Compose(source, at, source.Bounds());
}
void clImage::Compose(const clImage& source, clPoint at, const clRect& from) {
    Transfer(*this, source, at, from, clComposePixel());
}

void clImage::DrawInverted(const clImage& source, clPoint at) {
    DrawInverted(source, at, source.Bounds());
}
void clImage::DrawInverted(const clImage& source, clPoint at, const clRect& from) {
    Transfer(*this, source, at, from, clDrawInvertedPixel());
}

void clImage::Fill(std::uint32_t colour) {
    const std::uint8_t value[4] = {
        static_cast<std::uint8_t>(colour >> 16), static_cast<std::uint8_t>(colour >> 8),
        static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(colour >> 24)};
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = Row(y);
        for (int x = 0; x < width; ++x, p += 4)
            std::memcpy(p, value, 4);
    }
}

void clImage::FillAlpha(std::uint8_t alpha) {
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = Row(y);
        for (int x = 0; x < width; ++x, p += 4)
            p[3] = alpha;
    }
}

void clImage::Stretch(const clImage& source, int w, int h) {
    if (IsEmpty() || source.IsEmpty() || w < 1 || h < 1) return;
    if (w == source.width && h == source.height) {
        const clRect keep = clip;
        ClearClip();
        Copy(source, {0, 0});
        clip = keep;
        return;
    }
    const std::vector<int> columns = NearestIndexes(w, source.width);
    const std::vector<int> rows = NearestIndexes(h, source.height);
    const int right = std::min(w, width);
    const int bottom = std::min(h, height);
    for (int y = 0; y < bottom; ++y) {
        std::uint8_t* d = Row(y);
        const std::uint8_t* s = source.Row(rows[static_cast<std::size_t>(y)]);
        for (int x = 0; x < right; ++x, d += 4)
            std::memcpy(d, s + 4 * columns[static_cast<std::size_t>(x)], 4);
    }
}

void clImage::Tile(const clImage& source, int w, int h) {
    if (IsEmpty() || source.IsEmpty()) return;
    const int right = std::min(w, width);
    const int bottom = std::min(h, height);
    for (int y = 0; y < bottom; ++y) {
        std::uint8_t* d = Row(y);
        const std::uint8_t* s = source.Row(y % source.height);
        for (int x = 0; x < right; x += source.width) {
            const int run = std::min(source.width, right - x);
            std::memcpy(d + 4 * x, s, 4 * static_cast<std::size_t>(run));
        }
    }
}
