#pragma once

#include <optional>
#include <span>
#include <vector>

#include "graphics/image.h"
#include "graphics/table_coords.h"

// A soft shadow under a floating picture: the cards' outline moved right and
// down, blurred and darkened, as if the cards were held above the table.
struct clShadow {
    int offset = 0;   // pixels right and down
    int blur = 0;     // radius of the soft edge in pixels
    int opacity = 0;  // 0 (none) .. 255, under the middle of the cards

    bool IsNone() const { return opacity <= 0 || (offset <= 0 && blur <= 0); }
    // The shadow of cards that wide: a few pixels for small cards, more for large ones.
    static clShadow ForCardWidth(int cardWidth);
};

// A picture of one card or of a group of cards that floats above the table: a
// card on its way to its pile, or the cards under the mouse. It is drawn over
// the screen with the pixels under it saved first, so taking it off puts the
// screen back exactly as it was. Its buffers grow as needed and are kept
// between moves.
class clFloatingPicture {
public:
    // The vertical distance between the cards of a group.
    static constexpr int kGroupSpacing = 16;

    // The cards' pictures (bottom card first; a null picture leaves its place
    // transparent), each composed kGroupSpacing pixels below the previous one
    // on a transparent picture of width x ((n - 1) * kGroupSpacing + height),
    // with a margin around it for the shadow when there is one. The picture
    // must not be shown. False, with no picture, when there is no card or a
    // buffer cannot be made.
    bool Build(std::span<const clImage* const> pictures, int width, int height,
               const clShadow& shadow = {});
    // No picture (the buffers stay).
    void Clear();
    bool HasPicture() const { return !picture.IsEmpty(); }
    // The picture at its exact size, shadow included; empty when there is none.
    const clImage& Picture() const { return picture; }
    // Where the first card's top-left corner lies in the picture (the
    // shadow's margin above and left of it).
    clPoint Origin() const { return origin; }

    // Draws the picture with alpha, its top-left corner at `at`, limited to
    // `area` of the screen (the logical virtual screen), after saving the
    // pixels under it. Yields the rectangle it changed. The picture must not
    // be shown already.
    clRect Show(clImage& screen, clPoint at, const clRect& area);
    // Puts the saved pixels back; yields the rectangle it changed (empty when
    // the picture was not shown).
    clRect Hide(clImage& screen);
    // Forgets the saved pixels without putting them back, when the screen
    // under the picture was made again.
    void Forget() { shown = false; }
    bool IsShown() const { return shown; }
    // Where the picture's top-left corner is drawn, when it is shown.
    std::optional<clPoint> Position() const;

private:
    // Puts the shadow under the composed cards.
    void AddShadow(const clShadow& shadow);
    // Finds each row's runs, for drawing it quickly.
    void FindRuns();
    void DrawRuns(clImage& screen, clPoint at) const;

    clImage buffer;     // grows, never shrinks
    clImage picture;    // view of the buffer at the picture's size
    clImage saveUnder;  // the screen pixels under the shown picture, at (0, 0)
    // A row of the picture: transparent, then partly transparent (the shadow,
    // the cards' rounded corners), opaque from `opaque` to `opaqueEnd`, partly
    // transparent again up to `end` and transparent after it.
    struct clRowRuns {
        int begin = 0;
        int opaque = 0;
        int opaqueEnd = 0;
        int end = 0;
    };
    std::vector<clRowRuns> runs;
    clPoint origin;
    bool shown = false;
    clPoint position;
    clRect saved;  // the screen rectangle saveUnder holds; may be empty
};
