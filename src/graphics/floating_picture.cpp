#include "graphics/floating_picture.h"

#include <algorithm>
#include <cstdint>

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

}  // namespace

bool clFloatingPicture::Build(std::span<const clImage* const> pictures, int width, int height) {
    Clear();
    const std::int64_t n = static_cast<std::int64_t>(pictures.size());
    if (n < 1 || width < 1 || height < 1) return false;
    const std::int64_t fullHeight = (n - 1) * kGroupSpacing + height;
    if (!clImage::IsValidSize(width, fullHeight)) return false;
    const int h = static_cast<int>(fullHeight);

    if (buffer.Width() < width || buffer.Height() < h) {
        const int w = std::max(buffer.Width(), width);
        const int grown = std::max(buffer.Height(), h);
        try {
            if (!buffer.CreateImage(w, grown) || !saveUnder.CreateImage(w, grown)) {
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
    if (!picture.SetView(buffer, {0, 0, width, h})) return false;
    picture.Fill(0);
    for (std::int64_t i = 0; i < n; ++i) {
        if (const clImage* card = pictures[static_cast<std::size_t>(i)]) {
            picture.Compose(*card, {0, static_cast<int>(i * kGroupSpacing)});
        }
    }
    return true;
}

void clFloatingPicture::Clear() {
    picture.Release();
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
