#include "graphics/floating_picture.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/operation_error.h"

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
    return true;
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
            const unsigned under = s[x] * unsigned(shadow.opacity) / 255;
            if (a == 255 || under == 0) continue;
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
    WithinArea(screen, saved, [&] { screen.Draw(picture, at); });
    return saved;
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
