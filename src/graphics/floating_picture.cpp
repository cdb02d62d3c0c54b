#include "graphics/floating_picture.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "graphics/pixel_blend.h"
#include "toolkit/operation_error.h"

namespace {

clRect Intersection(const clRect& a, const clRect& b) {
    const clRect cut{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                     std::min(a.bottom, b.bottom)};
    return cut.IsEmpty() ? clRect{} : cut;
}

// Runs a transfer onto the screen limited to `area`, leaving the screen's own
// clip as it was (the table model may have set one).
template <typename Transfer>
void WithinArea(clImage& screen, const clRect& area, Transfer transfer) {
    const clRect keep = screen.Clip();
    screen.SetClip(area);
    if (!screen.Clip().IsEmpty()) transfer();
    screen.SetClip(keep);
}

// One pass of a box of radius r along a line of n values `step` apart; the
// values beyond the ends count as 0.
void BoxLine(const std::uint8_t* in, std::uint8_t* out, int n, int step, int r) {
    const int width = 2 * r + 1;
    int sum = 0;
    for (int k = 0; k <= r && k < n; ++k)
        sum += in[k * step];
    for (int i = 0; i < n; ++i) {
        out[i * step] = static_cast<std::uint8_t>(sum / width);
        if (i + r + 1 < n) sum += in[(i + r + 1) * step];
        if (i - r >= 0) sum -= in[(i - r) * step];
    }
}

// Two box passes along the rows, then two along the columns: a soft edge
// close to a Gaussian's, of about 2r pixels.
void BlurAlpha(std::vector<std::uint8_t>& alpha, int w, int h, int r) {
    std::vector<std::uint8_t> pass(alpha.size());
    for (int round = 0; round < 2; ++round) {
        for (int y = 0; y < h; ++y)
            BoxLine(&alpha[std::size_t(y) * w], &pass[std::size_t(y) * w], w, 1, r);
        for (int x = 0; x < w; ++x)
            BoxLine(&pass[std::size_t(x)], &alpha[std::size_t(x)], h, w, r);
    }
}

// Shadow pixels lighter than this are not drawn.
constexpr unsigned kFaintest = 5;

}  // namespace

clShadow clShadow::ForCardWidth(int cardWidth) {
    return {std::max(3, cardWidth / 16), std::max(4, cardWidth / 10), 140};
}

bool clFloatingPicture::Build(std::span<const clImage* const> pictures, int width, int height,
                              const clShadow& shadow) {
    Clear();
    const std::int64_t n = static_cast<std::int64_t>(pictures.size());
    if (n < 1 || width < 1 || height < 1) return false;
    // The shadow's margin: its soft edge all round, and its offset right and down.
    const bool shaded = !shadow.IsNone();
    const int blur = shaded ? std::clamp(shadow.blur, 0, 64) : 0;
    const int offset = shaded ? std::clamp(shadow.offset, 0, 64) : 0;
    const int before = std::max(0, blur - offset);
    const int after = blur + offset;
    const std::int64_t fullWidth = std::int64_t{width} + before + after;
    const std::int64_t fullHeight = (n - 1) * kGroupSpacing + height + before + after;
    if (!clImage::IsValidSize(fullWidth, fullHeight)) return false;
    const int w = static_cast<int>(fullWidth);
    const int h = static_cast<int>(fullHeight);

    if (buffer.Width() < w || buffer.Height() < h) {
        const int wide = std::max(buffer.Width(), w);
        const int grown = std::max(buffer.Height(), h);
        try {
            if (!buffer.CreateImage(wide, grown) || !saveUnder.CreateImage(wide, grown)) {
                buffer.Release();
                saveUnder.Release();
                return false;
            }
        } catch (const clOperationError&) {
            // The memory cannot be had: nothing floats, the move still happens.
            buffer.Release();
            saveUnder.Release();
            return false;
        }
    }
    if (!picture.SetView(buffer, {0, 0, w, h})) return false;
    picture.Fill(0);
    origin = {before, before};
    for (std::int64_t i = 0; i < n; ++i) {
        if (const clImage* card = pictures[static_cast<std::size_t>(i)]) {
            picture.Compose(*card, {origin.x, origin.y + static_cast<int>(i * kGroupSpacing)});
        }
    }
    if (shaded) AddShadow({offset, blur, std::clamp(shadow.opacity, 0, 255)});
    FindRuns();
    return true;
}

void clFloatingPicture::FindRuns() {
    const int w = picture.Width();
    runs.assign(static_cast<std::size_t>(picture.Height()), {});
    for (int y = 0; y < picture.Height(); ++y) {
        const std::uint8_t* row = picture.Row(y);
        const auto alpha = [row](int x) { return row[4 * x + 3]; };
        clRowRuns& r = runs[static_cast<std::size_t>(y)];
        r.begin = 0;
        while (r.begin < w && alpha(r.begin) == 0)
            ++r.begin;
        r.end = w;
        while (r.end > r.begin && alpha(r.end - 1) == 0)
            --r.end;
        r.opaque = r.begin;
        while (r.opaque < r.end && alpha(r.opaque) != 255)
            ++r.opaque;
        r.opaqueEnd = r.opaque;
        while (r.opaqueEnd < r.end && alpha(r.opaqueEnd) == 255)
            ++r.opaqueEnd;
        // A row with a hole in it is drawn by blending from end to end.
        for (int x = r.opaqueEnd; x < r.end; ++x) {
            if (alpha(x) == 255) {
                r.opaque = r.opaqueEnd = r.begin;
                break;
            }
        }
    }
}

// The shadow is black under the cards' outline; the cards are composed over
// it, so it shows only where they are not opaque (around them and through
// their rounded corners).
void clFloatingPicture::AddShadow(const clShadow& shadow) {
    const int w = picture.Width();
    const int h = picture.Height();
    std::vector<std::uint8_t> alpha(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int y = 0; y + shadow.offset < h; ++y) {
        const std::uint8_t* row = picture.Row(y);
        std::uint8_t* to = &alpha[std::size_t(y + shadow.offset) * w + shadow.offset];
        for (int x = 0; x + shadow.offset < w; ++x)
            to[x] = row[4 * x + 3];
    }
    if (shadow.blur > 0) BlurAlpha(alpha, w, h, std::max(1, shadow.blur / 2));
    for (int y = 0; y < h; ++y) {
        std::uint8_t* p = picture.Row(y);
        const std::uint8_t* s = &alpha[std::size_t(y) * w];
        for (int x = 0; x < w; ++x, p += 4) {
            const unsigned a = p[3];
            // The faintest edge is left out: it would only widen the rows to blend.
            const unsigned under = s[x] * unsigned(shadow.opacity) / 255;
            if (a == 255 || under < kFaintest) continue;
            // The card's colour over black: the colours keep their share a / out.
            const unsigned out = a + under * (255 - a) / 255;
            for (int i = 0; i < 3; ++i)
                p[i] = static_cast<std::uint8_t>(p[i] * a / out);
            p[3] = static_cast<std::uint8_t>(out);
        }
    }
}

void clFloatingPicture::Clear() {
    picture.Release();
    origin = {};
}

clRect clFloatingPicture::Show(clImage& screen, clPoint at, const clRect& area) {
    if (!HasPicture()) return {};
    const clRect visible = Intersection(area, screen.Bounds());
    const clRect place{at.x, at.y, at.x + picture.Width(), at.y + picture.Height()};
    saved = Intersection(place, visible);
    position = at;
    shown = true;
    if (saved.IsEmpty()) return {};
    saveUnder.Copy(screen, {0, 0}, saved);
    DrawRuns(screen, at);
    return saved;
}

// What Draw would draw within `saved`, row by row in runs: the opaque run
// takes the picture's colours, the rest is blended (without a branch: alpha
// 0 leaves the screen's colours) and the transparent ends are skipped. The
// screen keeps its alpha.
void clFloatingPicture::DrawRuns(clImage& screen, clPoint at) const {
    const auto blend = [](std::uint8_t* d, const std::uint8_t* s, int n) {
        int i = 0;
        for (; i + 1 < n; i += 2, d += 8, s += 8)
            BlendPair(d, s);
        if (i < n) {
            std::uint32_t source, target;
            std::memcpy(&source, s, 4);
            std::memcpy(&target, d, 4);
            target = (target & 0xFF000000u) | BlendWord(target, source, source >> 24);
            std::memcpy(d, &target, 4);
        }
    };
    // Two pixels at a time.
    const auto take = [](std::uint8_t* d, const std::uint8_t* s, int n) {
        constexpr std::uint64_t kAlpha = 0xFF000000FF000000u;
        int i = 0;
        for (; i + 1 < n; i += 2, d += 8, s += 8) {
            std::uint64_t source, target;
            std::memcpy(&source, s, 8);
            std::memcpy(&target, d, 8);
            target = (target & kAlpha) | (source & ~kAlpha);
            std::memcpy(d, &target, 8);
        }
        if (i < n) {
            std::uint32_t source, target;
            std::memcpy(&source, s, 4);
            std::memcpy(&target, d, 4);
            target = (target & 0xFF000000u) | (source & 0x00FFFFFFu);
            std::memcpy(d, &target, 4);
        }
    };
    const int left = saved.left - at.x;
    const int right = saved.right - at.x;
    for (int y = saved.top; y < saved.bottom; ++y) {
        const int sy = y - at.y;
        const clRowRuns& r = runs[static_cast<std::size_t>(sy)];
        const auto run = [&](int from, int to, auto transfer) {
            from = std::max(from, left);
            to = std::min(to, right);
            if (from < to) transfer(screen.At(at.x + from, y), picture.At(from, sy), to - from);
        };
        run(r.begin, r.opaque, blend);
        run(r.opaque, r.opaqueEnd, take);
        run(r.opaqueEnd, r.end, blend);
    }
}

clRect clFloatingPicture::Hide(clImage& screen) {
    if (!shown) return {};
    shown = false;
    if (saved.IsEmpty()) return {};
    WithinArea(screen, saved, [&] {
        screen.Copy(saveUnder, {saved.left, saved.top}, {0, 0, saved.Width(), saved.Height()});
    });
    return saved;
}

std::optional<clPoint> clFloatingPicture::Position() const {
    if (!shown) return std::nullopt;
    return position;
}
