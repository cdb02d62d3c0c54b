#include "assets/back_painter.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "assets/suit_shapes.h"

namespace {

const QColor kGold(0xf2, 0xc1, 0x4e);

// A pixel width that scales with the card but never drops below one pixel.
double Line(const clFaceMetrics& m, double atLargest) {
    return std::max(1.0, atLargest * m.width / 150.0);
}

// A pattern step that scales with the card but keeps at least `minimum` pixels.
double Step(const clFaceMetrics& m, double atLargest, double minimum) {
    return std::max(minimum, atLargest * m.width / 150.0);
}

void Lattice(QPainter& p, const QRectF& f, const clFaceMetrics& m, const QColor& ground,
             const QColor& light) {
    p.fillRect(f, ground);
    const double step = Step(m, 12, 5);
    QPen pen(light, Line(m, 1.4));
    p.setPen(pen);
    const double span = f.width() + f.height();
    for (double d = -span; d < span; d += step) {
        p.drawLine(QPointF(f.left() + d, f.top()), QPointF(f.left() + d + f.height(), f.bottom()));
        p.drawLine(QPointF(f.right() - d, f.top()),
                   QPointF(f.right() - d - f.height(), f.bottom()));
    }
    // A diamond of the ground colour at each crossing keeps the weave open.
    p.setPen(Qt::NoPen);
    p.setBrush(ground.darker(115));
    const double r = step * 0.2;
    for (double y = f.top(); y <= f.bottom() + step; y += step / 2) {
        const int row = static_cast<int>(std::lround((y - f.top()) / (step / 2)));
        for (double x = f.left() + (row % 2 ? step / 2 : 0); x <= f.right() + step; x += step) {
            QPainterPath d;
            d.moveTo(x, y - r);
            d.lineTo(x + r, y);
            d.lineTo(x, y + r);
            d.lineTo(x - r, y);
            d.closeSubpath();
            p.drawPath(d);
        }
    }
}

void CrimsonLattice(QPainter& p, const QRectF& f, const clFaceMetrics& m) {
    Lattice(p, f, m, QColor(0xb3, 0x12, 0x22), QColor(0xf4, 0xc8, 0xc8));
}

void BlueLattice(QPainter& p, const QRectF& f, const clFaceMetrics& m) {
    Lattice(p, f, m, QColor(0x1c, 0x3f, 0x95), QColor(0xc6, 0xd4, 0xf4));
}

void Tartan(QPainter& p, const QRectF& f, const clFaceMetrics& m) {
    p.fillRect(f, QColor(0x14, 0x5a, 0x32));
    const double step = Step(m, 24, 9);
    const QColor bands[] = {QColor(0x0c, 0x2c, 0x5c, 150), QColor(0xe8, 0xc4, 0x3a, 170),
                            QColor(0xb0, 0x1c, 0x24, 140)};
    const double widths[] = {step * 0.42, Line(m, 1.5), Line(m, 2.5)};
    const double offsets[] = {0, step * 0.5, step * 0.72};
    for (int b = 0; b < 3; ++b) {
        for (double x = f.left() + offsets[b]; x < f.right(); x += step) {
            p.fillRect(QRectF(x, f.top(), widths[b], f.height()), bands[b]);
        }
        for (double y = f.top() + offsets[b]; y < f.bottom(); y += step) {
            p.fillRect(QRectF(f.left(), y, f.width(), widths[b]), bands[b]);
        }
    }
}

void StarPath(QPainterPath& path, QPointF c, double r) {
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double rr = i % 2 ? r * 0.42 : r;
        const QPointF pt(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
        if (i == 0) {
            path.moveTo(pt);
        } else {
            path.lineTo(pt);
        }
    }
    path.closeSubpath();
}

void MidnightStars(QPainter& p, const QRectF& f, const clFaceMetrics& m) {
    QLinearGradient sky(f.topLeft(), f.bottomLeft());
    sky.setColorAt(0, QColor(0x0e, 0x16, 0x3c));
    sky.setColorAt(1, QColor(0x1c, 0x2e, 0x6e));
    p.fillRect(f, sky);
    const double step = Step(m, 20, 9);
    QPainterPath stars;
    int row = 0;
    for (double y = f.top() + step / 2; y < f.bottom(); y += step * 0.87, ++row) {
        for (double x = f.left() + (row % 2 ? step : step / 2); x < f.right(); x += step) {
            StarPath(stars, {x, y}, step * 0.26);
        }
    }
    p.fillPath(stars, kGold);
    // A crescent moon in the middle.
    const QPointF c = f.center();
    const double r = f.width() * 0.22;
    QPainterPath moon;
    moon.addEllipse(c, r, r);
    QPainterPath bite;
    bite.addEllipse(QPointF(c.x() + r * 0.45, c.y() - r * 0.2), r * 0.85, r * 0.85);
    QPainterPath halo;
    halo.addEllipse(c, r * 1.25, r * 1.25);
    p.fillPath(halo, QColor(0x0e, 0x16, 0x3c));
    p.fillPath(moon.subtracted(bite), QColor(0xfb, 0xe7, 0xa6));
}

void Rosette(QPainter& p, const QRectF& f, const clFaceMetrics& m) {
    QRadialGradient ground(f.center(), f.height() * 0.6);
    ground.setColorAt(0, QColor(0x7a, 0x2c, 0x9c));
    ground.setColorAt(1, QColor(0x3c, 0x12, 0x5c));
    p.fillRect(f, ground);
    const QPointF c = f.center();
    QPen pen(QColor(0xe6, 0xc8, 0xf4), Line(m, 1.2));
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const double radius = f.width() * 0.42;
    const int petals = 12;
    for (int i = 0; i < petals; ++i) {
        const double a = i * 2 * M_PI / petals;
        const QPointF at(c.x() + radius * 0.5 * std::cos(a), c.y() + radius * 0.5 * std::sin(a));
        p.drawEllipse(at, radius * 0.5, radius * 0.5);
    }
    p.setPen(QPen(kGold, Line(m, 2.0)));
    p.drawEllipse(c, radius * 1.02, radius * 1.02);
    p.setBrush(kGold);
    p.drawEllipse(c, radius * 0.14, radius * 0.14);
    // Small rosettes in the corners of the field.
    p.setPen(QPen(QColor(0xe6, 0xc8, 0xf4), Line(m, 1.0)));
    p.setBrush(Qt::NoBrush);
    const double small = f.width() * 0.12;
    for (const QPointF corner : {f.topLeft(), f.topRight(), f.bottomLeft(), f.bottomRight()}) {
        const QPointF at(corner.x() + (corner.x() < c.x() ? small * 1.3 : -small * 1.3),
                         corner.y() + (corner.y() < c.y() ? small * 1.3 : -small * 1.3));
        for (int i = 0; i < 6; ++i) {
            const double a = i * M_PI / 3;
            p.drawEllipse(
                QPointF(at.x() + small * 0.5 * std::cos(a), at.y() + small * 0.5 * std::sin(a)),
                small * 0.5, small * 0.5);
        }
    }
}

void Sunburst(QPainter& p, const QRectF& f, const clFaceMetrics& m) {
    p.fillRect(f, QColor(0xe0, 0x6a, 0x12));
    const QPointF c = f.center();
    const double reach = std::hypot(f.width(), f.height());
    const int rays = m.detail == 0 ? 16 : 24;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf6, 0x9c, 0x2a));
    for (int i = 0; i < rays; ++i) {
        const double a0 = i * 2 * M_PI / rays;
        const double a1 = a0 + M_PI / rays;
        QPainterPath ray;
        ray.moveTo(c);
        ray.lineTo(c.x() + reach * std::cos(a0), c.y() + reach * std::sin(a0));
        ray.lineTo(c.x() + reach * std::cos(a1), c.y() + reach * std::sin(a1));
        ray.closeSubpath();
        p.drawPath(ray);
    }
    const double r = f.width() * 0.2;
    p.setBrush(QColor(0xfd, 0xd8, 0x5a));
    p.setPen(QPen(QColor(0xa8, 0x40, 0x08), Line(m, 1.5)));
    p.drawEllipse(c, r, r);
}

void Waves(QPainter& p, const QRectF& f, const clFaceMetrics& m) {
    p.fillRect(f, QColor(0x0e, 0x6e, 0x78));
    const double step = Step(m, 10, 4.5);
    const double wave = step * 1.6;
    QPen pen(QColor(0xb8, 0xec, 0xe8), Line(m, 1.3));
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    int row = 0;
    for (double y = f.top() + step / 2; y < f.bottom() + step; y += step, ++row) {
        QPainterPath path;
        const double shift = row % 2 ? wave / 2 : 0;
        path.moveTo(f.left() - wave + shift, y);
        for (double x = f.left() - wave + shift; x < f.right() + wave; x += wave) {
            path.quadTo(x + wave / 4, y - step * 0.35, x + wave / 2, y);
            path.quadTo(x + 3 * wave / 4, y + step * 0.35, x + wave, y);
        }
        p.drawPath(path);
    }
}

void Crest(QPainter& p, const QRectF& f, const clFaceMetrics& m) {
    p.fillRect(f, QColor(0x8e, 0x10, 0x1e));
    // A fine diagonal grain, then a gold frame with the four suits round a medallion.
    p.setPen(QPen(QColor(0xa4, 0x1c, 0x2c), Line(m, 1.0)));
    const double step = Step(m, 5, 3);
    for (double d = -f.height(); d < f.width(); d += step) {
        p.drawLine(QPointF(f.left() + d, f.bottom()), QPointF(f.left() + d + f.height(), f.top()));
    }
    const double inset = Step(m, 8, 3);
    p.setPen(QPen(kGold, Line(m, 1.5)));
    p.setBrush(Qt::NoBrush);
    p.drawRect(f.adjusted(inset, inset, -inset, -inset));
    const QPointF c = f.center();
    const double r = f.width() * 0.3;
    p.setBrush(QColor(0x6c, 0x08, 0x14));
    p.drawEllipse(c, r, r);
    const double pip = r * 0.46;
    const QPointF at[] = {{c.x(), c.y() - r * 0.5},
                          {c.x() + r * 0.5, c.y()},
                          {c.x(), c.y() + r * 0.5},
                          {c.x() - r * 0.5, c.y()}};
    for (int suit = 1; suit <= 4; ++suit) {
        QTransform t;
        t.translate(at[suit - 1].x() - pip / 2, at[suit - 1].y() - pip / 2);
        t.scale(pip, pip);
        QPainterPath path = t.map(SuitPath(suit));
        path.setFillRule(Qt::WindingFill);
        p.fillPath(path, kGold);
    }
}

// The second set's backs: quieter, one colour each with a fine pattern.
void Checks(QPainter& p, const QRectF& f, const clFaceMetrics& m, const QColor& a,
            const QColor& b) {
    p.fillRect(f, a);
    const double step = Step(m, 6, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(b);
    int row = 0;
    for (double y = f.top(); y < f.bottom(); y += step, ++row) {
        for (double x = f.left() + (row % 2 ? step : 0); x < f.right(); x += 2 * step) {
            p.drawRect(QRectF(x, y, step, step));
        }
    }
}

void GreenChecks(QPainter& p, const QRectF& f, const clFaceMetrics& m) {
    Checks(p, f, m, QColor(0x1b, 0x6d, 0x3a), QColor(0x23, 0x82, 0x48));
}

void SlateChecks(QPainter& p, const QRectF& f, const clFaceMetrics& m) {
    Checks(p, f, m, QColor(0x34, 0x40, 0x52), QColor(0x42, 0x50, 0x66));
}

}  // namespace

const std::vector<clBackDesign>& ClassicBacks() {
    static const std::vector<clBackDesign> designs = {
        {"Crimson Lattice", CrimsonLattice},
        {"Royal Lattice", BlueLattice},
        {"Highland Tartan", Tartan},
        {"Midnight Stars", MidnightStars},
        {"Purple Rosette", Rosette},
        {"Sunburst", Sunburst},
        {"Harbour Waves", Waves},
        {"Four Suits Crest", Crest},
    };
    return designs;
}

const std::vector<clBackDesign>& FourColourBacks() {
    static const std::vector<clBackDesign> designs = {
        {"Green Checks", GreenChecks},
        {"Slate Checks", SlateChecks},
        {"Blue Lattice", BlueLattice},
    };
    return designs;
}

QImage PaintBack(const clBackDesign& design, const clFaceMetrics& m) {
    QImage image(m.width, m.height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath outer;
    outer.addRoundedRect(QRectF(0, 0, m.width, m.height), m.radius + 0.5, m.radius + 0.5);
    p.fillPath(outer, Qt::white);
    // The field sits inside a white border of a few whole pixels.
    const double border = std::max(3.0, std::round(m.width * 0.055));
    const QRectF field(border, border, m.width - 2 * border, m.height - 2 * border);
    QPainterPath fieldPath;
    const double fieldRadius = std::max(1.5, m.radius - border * 0.6);
    fieldPath.addRoundedRect(field, fieldRadius, fieldRadius);
    p.save();
    p.setClipPath(fieldPath);
    design.paint(p, field, m);
    p.restore();
    p.setPen(QPen(QColor(0x6e, 0x6e, 0x6e), m.stroke));
    p.setBrush(Qt::NoBrush);
    const double inset = m.stroke / 2;
    p.drawRoundedRect(QRectF(inset, inset, m.width - m.stroke, m.height - m.stroke), m.radius,
                      m.radius);
    return image;
}
