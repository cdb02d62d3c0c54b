#include "assets/symbol_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

const QColor kShade(0, 0, 0, 56);
const QColor kMark(255, 255, 255, 190);

const char* const kRankText[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};

// The redeal mark: an arrow running round most of a circle.
void PaintRedeal(QPainter& p, QPointF c, double r, double line) {
    QPen pen(kMark, line);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
    p.drawArc(box, 100 * 16, 290 * 16);
    // The arrow head at the arc's end (the angle 30 degrees, running clockwise).
    const double a = (100 + 290) * M_PI / 180.0;
    const QPointF end(c.x() + r * std::cos(a), c.y() - r * std::sin(a));
    const double head = line * 2.4;
    // The tangent of a clockwise run at that point.
    const QPointF along(std::sin(a), std::cos(a));
    const QPointF out(std::cos(a), -std::sin(a));
    QPainterPath arrow;
    arrow.moveTo(end + along * head * 1.1);
    arrow.lineTo(end + out * head * 0.9);
    arrow.lineTo(end - out * head * 0.9);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.fillPath(arrow, kMark);
}

// The mark of a stock that cannot be dealt again: a ring crossed out.
void PaintNoRedeal(QPainter& p, QPointF c, double r, double line) {
    QPen pen(kMark, line);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
    const double d = r * std::sqrt(0.5);
    p.drawLine(QPointF(c.x() - d, c.y() + d), QPointF(c.x() + d, c.y() - d));
}

}  // namespace

QImage PaintSymbol(int index, const clFaceMetrics& m, const clFonts& fonts,
                   const QString& fontFile) {
    QImage image(m.width, m.height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double line = std::max(1.0, std::round(m.width / 60.0));
    const double inset = line / 2 + 0.5;
    QPainterPath outline;
    outline.addRoundedRect(QRectF(inset, inset, m.width - 2 * inset, m.height - 2 * inset),
                           m.radius, m.radius);
    p.fillPath(outline, kShade);
    p.setPen(QPen(kMark, line));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);

    const QPointF c(m.width / 2.0, m.height / 2.0);
    const double r = m.width * 0.26;
    const double markLine = std::max(1.5, m.width / 22.0);
    if (index == 0) {
        PaintNoRedeal(p, c, r, markLine);
    } else if (index == 1) {
        PaintRedeal(p, c, r, markLine);
    } else if (index >= 3 && index < kSymbolCount) {
        const QString rank = kRankText[index - 3];
        const double height = m.height * 0.3;
        p.fillPath(CentredOn(fonts.Text(fontFile, rank, height), c.x(), c.y(), m.width * 0.6),
                   kMark);
    }
    return image;
}
