#include "assets/suit_shapes.h"

#include <QRectF>
#include <QTransform>

namespace {

QPainterPath Heart() {
    QPainterPath p;
    p.moveTo(0.50, 0.24);
    p.cubicTo(0.44, 0.06, 0.27, 0.02, 0.15, 0.06);
    p.cubicTo(0.02, 0.11, -0.02, 0.27, 0.03, 0.42);
    p.cubicTo(0.09, 0.62, 0.33, 0.76, 0.50, 0.98);
    p.cubicTo(0.67, 0.76, 0.91, 0.62, 0.97, 0.42);
    p.cubicTo(1.02, 0.27, 0.98, 0.11, 0.85, 0.06);
    p.cubicTo(0.73, 0.02, 0.56, 0.06, 0.50, 0.24);
    p.closeSubpath();
    return p;
}

QPainterPath Diamond() {
    QPainterPath p;
    p.moveTo(0.50, 0.00);
    p.quadTo(0.64, 0.27, 0.88, 0.50);
    p.quadTo(0.64, 0.73, 0.50, 1.00);
    p.quadTo(0.36, 0.73, 0.12, 0.50);
    p.quadTo(0.36, 0.27, 0.50, 0.00);
    p.closeSubpath();
    return p;
}

// The flared foot shared by spades and clubs.
void AddStem(QPainterPath& p) {
    p.moveTo(0.47, 0.60);
    p.cubicTo(0.47, 0.80, 0.40, 0.92, 0.27, 1.00);
    p.lineTo(0.73, 1.00);
    p.cubicTo(0.60, 0.92, 0.53, 0.80, 0.53, 0.60);
    p.closeSubpath();
}

QPainterPath Spade() {
    QPainterPath p;
    p.moveTo(0.50, 0.00);
    p.cubicTo(0.40, 0.16, 0.17, 0.30, 0.06, 0.44);
    p.cubicTo(-0.04, 0.57, 0.00, 0.76, 0.17, 0.80);
    p.cubicTo(0.31, 0.83, 0.42, 0.76, 0.48, 0.66);
    p.lineTo(0.52, 0.66);
    p.cubicTo(0.58, 0.76, 0.69, 0.83, 0.83, 0.80);
    p.cubicTo(1.00, 0.76, 1.04, 0.57, 0.94, 0.44);
    p.cubicTo(0.83, 0.30, 0.60, 0.16, 0.50, 0.00);
    p.closeSubpath();
    AddStem(p);
    return p;
}

// The leaves, the piece between them and the foot are united into one
// outline, whichever way each runs. The union turns curves into straight
// segments as fine as the coordinates it is given, so it runs on a square
// 1000 units wide: in the unit square the leaves would come out as visible
// polygons on large cards.
QPainterPath Club() {
    constexpr double kFine = 1000;
    const QTransform fine = QTransform::fromScale(kFine, kFine);
    const double r = 0.215;
    QPainterPath shape;
    for (const QRectF& leaf :
         {QRectF(0.50 - r, 0.02, 2 * r, 2 * r), QRectF(0.03, 0.38, 2 * r, 2 * r),
          QRectF(0.97 - 2 * r, 0.38, 2 * r, 2 * r)}) {
        QPainterPath ellipse;
        ellipse.addEllipse(leaf);
        shape = shape.united(fine.map(ellipse));
    }
    // Fills the gap between the three leaves.
    QPainterPath middle;
    middle.moveTo(0.50, 0.30);
    middle.lineTo(0.30, 0.56);
    middle.lineTo(0.50, 0.66);
    middle.lineTo(0.70, 0.56);
    middle.closeSubpath();
    QPainterPath stem;
    AddStem(stem);
    shape = shape.united(fine.map(middle)).united(fine.map(stem));
    return QTransform::fromScale(1 / kFine, 1 / kFine).map(shape);
}

}  // namespace

QPainterPath SuitPath(int suit) {
    switch (suit) {
        case 1:
            return Club();
        case 2:
            return Diamond();
        case 3:
            return Heart();
        default:
            return Spade();
    }
}
