#pragma once

#include <QImage>
#include <QPainter>

#include "assets/card_metrics.h"
#include "assets/card_style.h"
#include "assets/fonts.h"

// Card values as the deck numbers them: (suit - 1) * 13 + (rank - 1) for the
// 52 cards, then the two jokers and the value that stands for no card.
inline constexpr int kFirstJoker = 52;
inline constexpr int kSecondJoker = 53;
inline constexpr int kNoCard = 54;
// A card set holds the mask and one face for every value up to kNoCard.
inline constexpr int kFaceCount = kNoCard + 1;

// Draws the faces of one style at one native size. Pictures are 32-bit with
// alpha (transparent outside the rounded card).
class clFacePainter {
public:
    clFacePainter(const clCardStyle& style, const clFaceMetrics& metrics, const clFonts& fonts);

    // The card's outline: opaque white inside, transparent black outside.
    QImage Mask() const;
    // The face of a card value (0 .. kNoCard).
    QImage Face(int value) const;

    // A blank transparent picture of the card size, and a painter set up on it.
    QImage NewPicture() const;
    // The rounded card shape at this size.
    QPainterPath Outline() const;

private:
    void PaintBlank(QPainter& painter) const;
    void PaintIndex(QPainter& painter, const QString& rank, int suit, const QColor& colour) const;
    void PaintPips(QPainter& painter, int rank, int suit) const;
    void PaintAce(QPainter& painter, int suit) const;
    void PaintJoker(QPainter& painter, bool first) const;
    // Draws a suit mark of the given height centred on a point.
    void PaintSuit(QPainter& painter, int suit, QPointF centre, double height, bool upsideDown,
                   const QColor& colour) const;

    const clCardStyle& style;
    const clFaceMetrics& metrics;
    const clFonts& fonts;
};
