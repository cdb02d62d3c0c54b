#pragma once

#include <QImage>
#include <QRect>

#include "assets/fonts.h"
#include "graphics/table_coords.h"

// The fonts the interface pictures are lettered in.
inline constexpr const char* kTitleFont = "DejaVuSerif-Bold.ttf";
inline constexpr const char* kLabelFont = "DejaVuSans-Bold.ttf";
inline constexpr const char* kTextFont = "DejaVuSans.ttf";
inline constexpr const char* kCardFont = "DejaVuSansCondensed-Bold.ttf";

// Draws "qarvel.iface": every picture at its place of the interface layout,
// transparent where nothing is drawn.
QImage PaintInterfaceImage(const clFonts& fonts);

// Draws "qarvel_help.iface", the Help Center's picture.
QImage PaintHelpCenterImage(const clFonts& fonts);

// The default table background "qarvel.bmp": green baize, stretched over the
// table by the game. The soft cloth needs no more pixels than this, and a
// smaller file is read faster at every start.
inline constexpr int kTableWidth = 800;
inline constexpr int kTableHeight = 600;
QImage PaintTableBackground();

inline QRect ToQRect(const clRect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}
