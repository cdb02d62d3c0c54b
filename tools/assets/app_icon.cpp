#include "assets/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <algorithm>
#include <cmath>

#include "assets/suit_shapes.h"

namespace {

const QColor kBackRed(0xb3, 0x12, 0x22);
const QColor kBackLight(0xf4, 0xc8, 0xc8);
const QColor kFace(0xff, 0xff, 0xff);
const QColor kOutline(0x2a, 0x2a, 0x2a);
const QColor kSpade(0x14, 0x14, 0x14);
constexpr int kSpades = 4;

QPainterPath Rounded(const QRectF& box, double radius) {
    QPainterPath path;
    path.addRoundedRect(box, radius, radius);
    return path;
}

// A suit mark of the given width centred on (x, y).
QPainterPath Pip(double x, double y, double width) {
    return QTransform::fromTranslate(x - width / 2, y - width / 2)
        .scale(width, width)
        .map(SuitPath(kSpades));
}

// One card's picture in its own frame (top left at 0, 0), `line` the
// outline's width. The outline lies inside the w × h box.
struct clCardShape {
    double width;
    double height;
    double line;
    double radius;

    QRectF Box() const { return {line / 2, line / 2, width - line, height - line}; }
    QPainterPath Outline() const { return Rounded(Box(), radius); }
};

void PaintBack(QPainter& p, const clCardShape& card, int size) {
    p.setPen(QPen(kOutline, card.line));
    p.setBrush(kBackRed);
    p.drawPath(card.Outline());
    if (size < 24) return;
    // A light frame inside the edge, and from 48 pixels a lattice within it.
    const double inset = std::max(2.0, card.width / 7);
    const QRectF inner = card.Box().adjusted(inset, inset, -inset, -inset);
    const double thin = std::max(1.0, size / 64.0);
    if (size >= 48) {
        p.save();
        p.setClipPath(Rounded(inner, card.radius / 2));
        p.setPen(QPen(kBackLight, thin * 0.8));
        const double step = std::max(4.0, size / 14.0);
        const double span = inner.width() + inner.height();
        for (double d = -span; d < span; d += step) {
            p.drawLine(QPointF(inner.left() + d, inner.top()),
                       QPointF(inner.left() + d + inner.height(), inner.bottom()));
            p.drawLine(QPointF(inner.right() - d, inner.top()),
                       QPointF(inner.right() - d - inner.height(), inner.bottom()));
        }
        p.restore();
    }
    p.setPen(QPen(kBackLight, thin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(Rounded(inner, card.radius / 2));
}

void PaintFront(QPainter& p, const clCardShape& card, int size) {
    p.setPen(QPen(kOutline, card.line));
    p.setBrush(kFace);
    p.drawPath(card.Outline());
    p.setPen(Qt::NoPen);
    p.setBrush(kSpade);
    // The Ace's one large pip, a little above the middle as printed aces have it.
    const double pip = card.width * (size < 32 ? 0.66 : 0.56);
    p.drawPath(Pip(card.width / 2, card.height * 0.49, pip));
    if (size < 48) return;
    // Corner pips, the lower one turned round.
    const double corner = card.width * 0.16;
    const double margin = card.line + corner * 0.75;
    p.drawPath(Pip(margin, margin + corner * 0.1, corner));
    p.save();
    p.translate(card.width - margin, card.height - margin - corner * 0.1);
    p.rotate(180);
    p.drawPath(Pip(0, 0, corner));
    p.restore();
}

// A soft shadow under a card, from 48 pixels on.
void PaintShadow(QPainter& p, const clCardShape& card, int size) {
    if (size < 48) return;
    const double offset = size / 64.0;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawPath(Rounded(card.Box().translated(offset, offset * 1.5), card.radius));
}

}  // namespace

QImage PaintAppIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (size <= 0) return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    if (size < 32) {
        // Upright and on whole pixels: the back up and left, the Ace down
        // and right over it.
        const clCardShape card{std::round(s * 0.625), std::round(s * 0.8125), 1.0,
                               size < 24 ? 1.5 : 2.0};
        PaintBack(p, card, size);
        p.translate(s - card.width, s - card.height);
        PaintFront(p, card, size);
        return image;
    }
    // Fanned: both cards turn about a point below their centres.
    const clCardShape card{s * 0.56, s * 0.76, std::max(1.0, s / 48.0), s / 18.0};
    const QPointF pivot(s * 0.5, s * 1.05);
    const struct {
        double angle;
        bool front;
    } cards[] = {{-14.0, false}, {12.0, true}};
    for (const auto& c : cards) {
        p.save();
        p.translate(pivot);
        p.rotate(c.angle);
        // The card's bottom edge sits a little above the pivot.
        p.translate(-card.width / 2, -card.height - s * 0.16);
        PaintShadow(p, card, size);
        if (c.front) {
            PaintFront(p, card, size);
        } else {
            PaintBack(p, card, size);
        }
        p.restore();
    }
    return image;
}
