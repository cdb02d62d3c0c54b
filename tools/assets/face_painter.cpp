#include "assets/face_painter.h"

#include <QPainterPath>
#include <QTransform>

#include "assets/court_painter.h"
#include "assets/pip_layout.h"
#include "assets/suit_shapes.h"

namespace {

const char* const kRankText[] = {"",  "A", "2", "3",  "4", "5", "6",
                                 "7", "8", "9", "10", "J", "Q", "K"};

}  // namespace

clFacePainter::clFacePainter(const clCardStyle& style, const clFaceMetrics& metrics,
                             const clFonts& fonts)
    : style(style), metrics(metrics), fonts(fonts) {}

QImage clFacePainter::NewPicture() const {
    QImage image(metrics.width, metrics.height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QPainterPath clFacePainter::Outline() const {
    QPainterPath path;
    const double inset = metrics.stroke / 2;
    path.addRoundedRect(
        QRectF(inset, inset, metrics.width - metrics.stroke, metrics.height - metrics.stroke),
        metrics.radius, metrics.radius);
    return path;
}

QImage clFacePainter::Mask() const {
    QImage image = NewPicture();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath outer;
    outer.addRoundedRect(QRectF(0, 0, metrics.width, metrics.height), metrics.radius + 0.5,
                         metrics.radius + 0.5);
    painter.fillPath(outer, Qt::white);
    painter.end();
    // Transparent pixels stay black, partly covered ones keep white.
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int a = qAlpha(row[x]);
            row[x] = a == 0 ? qRgba(0, 0, 0, 0) : qRgba(255, 255, 255, a);
        }
    }
    return image;
}

void clFacePainter::PaintBlank(QPainter& painter) const {
    QPainterPath outer;
    outer.addRoundedRect(QRectF(0, 0, metrics.width, metrics.height), metrics.radius + 0.5,
                         metrics.radius + 0.5);
    painter.fillPath(outer, style.face);
    painter.setPen(QPen(style.border, metrics.stroke));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(Outline());
}

void clFacePainter::PaintSuit(QPainter& painter, int suit, QPointF centre, double height,
                              bool upsideDown, const QColor& colour) const {
    QTransform t;
    t.translate(centre.x(), centre.y());
    if (upsideDown) t.rotate(180);
    t.scale(height, height);
    t.translate(-0.5, -0.5);
    QPainterPath path = t.map(SuitPath(suit));
    path.setFillRule(Qt::WindingFill);
    painter.fillPath(path, colour);
}

void clFacePainter::PaintIndex(QPainter& painter, const QString& rank, int suit,
                               const QColor& colour) const {
    const double rankMiddle = metrics.indexTop + metrics.rankHeight / 2;
    const QPainterPath text = CentredOn(fonts.Text(style.rankFont, rank, metrics.rankHeight),
                                        metrics.indexX, rankMiddle, metrics.indexWidth);
    const double gap = std::max(1.5, metrics.rankHeight * 0.28);
    const QPointF suitCentre(metrics.indexX,
                             metrics.indexTop + metrics.rankHeight + gap + metrics.indexSuit / 2);
    for (const bool turned : {false, true}) {
        painter.save();
        if (turned) {
            painter.translate(metrics.width, metrics.height);
            painter.rotate(180);
        }
        painter.fillPath(text, colour);
        if (suit > 0) PaintSuit(painter, suit, suitCentre, metrics.indexSuit, false, colour);
        painter.restore();
    }
}

void clFacePainter::PaintPips(QPainter& painter, int rank, int suit) const {
    const double centreX = metrics.width / 2.0;
    const double top = metrics.pipTop;
    const double bottom = metrics.height - metrics.pipTop;
    for (const clPip& pip : PipLayout(rank)) {
        const QPointF at(centreX + pip.column * metrics.pipColumn, top + pip.row * (bottom - top));
        PaintSuit(painter, suit, at, metrics.pip, pip.row > 0.5, style.SuitColour(suit));
    }
}

void clFacePainter::PaintAce(QPainter& painter, int suit) const {
    const QPointF centre(metrics.width / 2.0, metrics.height / 2.0);
    if (suit == 4) {
        // The Ace of Spades carries the maker's flourish: a ring round a larger pip.
        const double ring = metrics.acePip * 0.78;
        if (metrics.detail > 0) {
            painter.setPen(QPen(style.gold, std::max(1.0, metrics.width / 75.0)));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(centre, ring, ring);
            painter.setPen(QPen(style.SuitColour(4), std::max(0.8, metrics.width / 150.0)));
            painter.drawEllipse(centre, ring * 0.9, ring * 0.9);
        }
        PaintSuit(painter, suit, centre, metrics.acePip * 1.08, false, style.SuitColour(suit));
        return;
    }
    PaintSuit(painter, suit, centre, metrics.acePip * 0.82, false, style.SuitColour(suit));
}

void clFacePainter::PaintJoker(QPainter& painter, bool first) const {
    const QColor colour = first ? style.SuitColour(4) : style.SuitColour(3);
    // "JOKER" runs down each corner instead of a rank and suit.
    const double letter = metrics.rankHeight * 0.72;
    const QString word = "JOKER";
    for (const bool turned : {false, true}) {
        painter.save();
        if (turned) {
            painter.translate(metrics.width, metrics.height);
            painter.rotate(180);
        }
        for (int i = 0; i < word.size(); ++i) {
            const double y = metrics.indexTop + letter / 2 + i * letter * 1.28;
            painter.fillPath(CentredOn(fonts.Text(style.rankFont, word.mid(i, 1), letter),
                                       metrics.indexX, y, metrics.indexWidth),
                             colour);
        }
        painter.restore();
    }
    PaintJester(painter,
                QRectF(metrics.frameX, metrics.frameY, metrics.width - 2 * metrics.frameX,
                       metrics.height - 2 * metrics.frameY),
                first, style, metrics.detail, metrics.stroke);
}

QImage clFacePainter::Face(int value) const {
    QImage image = NewPicture();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintBlank(painter);
    if (value == kFirstJoker || value == kSecondJoker) {
        PaintJoker(painter, value == kFirstJoker);
    } else if (value >= 0 && value < 52) {
        const int rank = value % 13 + 1;
        const int suit = value / 13 + 1;
        const QColor colour = style.SuitColour(suit);
        PaintIndex(painter, kRankText[rank], suit, colour);
        if (rank == 1) {
            PaintAce(painter, suit);
        } else if (rank <= 10) {
            PaintPips(painter, rank, suit);
        } else {
            const QRectF frame(metrics.frameX, metrics.frameY, metrics.width - 2 * metrics.frameX,
                               metrics.height - 2 * metrics.frameY);
            PaintCourt(painter, frame, rank, suit, style, fonts, metrics.detail, metrics.stroke);
        }
    }
    return image;
}
