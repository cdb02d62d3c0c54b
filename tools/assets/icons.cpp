#include "assets/icons.h"

#include <QPainterPath>
#include <cmath>

#include "assets/suit_shapes.h"

namespace {

// Icons are designed on a 24-unit grid.
constexpr double kGrid = 24.0;

QPainterPath RoundedBox(double x, double y, double w, double h, double r) {
    QPainterPath p;
    p.addRoundedRect(QRectF(x, y, w, h), r, r);
    return p;
}

QPainterPath Star(QPointF c, double r) {
    QPainterPath p;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double rr = i % 2 ? r * 0.45 : r;
        const QPointF pt(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
        if (i == 0) {
            p.moveTo(pt);
        } else {
            p.lineTo(pt);
        }
    }
    p.closeSubpath();
    return p;
}

QPainterPath Suit(int suit, double x, double y, double size) {
    QTransform t;
    t.translate(x, y);
    t.scale(size, size);
    QPainterPath p = t.map(SuitPath(suit));
    p.setFillRule(Qt::WindingFill);
    return p;
}

}  // namespace

void PaintIcon(QPainter& painter, clIcon icon, const QRectF& box, const QColor& colour) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(box.topLeft());
    painter.scale(box.width() / kGrid, box.height() / kGrid);
    QPen pen(colour, 2.2);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    switch (icon) {
        case clIcon::AllGames:
            for (int i = 0; i < 4; ++i) {
                painter.fillPath(RoundedBox(2 + (i % 2) * 11, 2 + (i / 2) * 11, 9, 9, 1.5), colour);
            }
            break;
        case clIcon::Star:
            painter.fillPath(Star({12, 12.8}, 11), colour);
            break;
        case clIcon::Heart:
            painter.fillPath(Suit(3, 1.5, 2, 21), colour);
            break;
        case clIcon::Chart:
            painter.fillPath(RoundedBox(3, 13, 5, 9, 1), colour);
            painter.fillPath(RoundedBox(9.5, 7, 5, 15, 1), colour);
            painter.fillPath(RoundedBox(16, 2, 5, 20, 1), colour);
            break;
        case clIcon::Clock:
            painter.drawEllipse(QPointF(12, 12), 9.5, 9.5);
            painter.drawLine(QPointF(12, 12), QPointF(12, 6));
            painter.drawLine(QPointF(12, 12), QPointF(16.5, 14));
            break;
        case clIcon::Help: {
            painter.drawEllipse(QPointF(12, 12), 10, 10);
            QPainterPath q;
            q.moveTo(8.6, 9.2);
            q.cubicTo(8.6, 5.2, 15.6, 5.2, 15.6, 9.2);
            q.cubicTo(15.6, 12, 12, 11.8, 12, 14.6);
            painter.drawPath(q);
            painter.fillPath(RoundedBox(10.6, 16.6, 2.8, 2.8, 1.4), colour);
            break;
        }
        case clIcon::Close:
            painter.drawEllipse(QPointF(12, 12), 10, 10);
            painter.drawLine(QPointF(8, 8), QPointF(16, 16));
            painter.drawLine(QPointF(16, 8), QPointF(8, 16));
            break;
        case clIcon::NewGame:
            painter.drawPath(RoundedBox(4, 2.5, 13, 19, 2));
            painter.fillPath(Star({18, 17}, 5.5), colour);
            break;
        case clIcon::Undo: {
            QPainterPath arc;
            arc.moveTo(6, 9);
            arc.lineTo(15, 9);
            arc.cubicTo(21, 9, 21, 20, 15, 20);
            arc.lineTo(9, 20);
            painter.drawPath(arc);
            QPainterPath head;
            head.moveTo(2, 9);
            head.lineTo(8, 4);
            head.lineTo(8, 14);
            head.closeSubpath();
            painter.fillPath(head, colour);
            break;
        }
        case clIcon::Pause:
            painter.fillPath(RoundedBox(5, 3, 5, 18, 1.2), colour);
            painter.fillPath(RoundedBox(14, 3, 5, 18, 1.2), colour);
            break;
        case clIcon::Globe:
            painter.drawEllipse(QPointF(12, 12), 10, 10);
            painter.drawEllipse(QPointF(12, 12), 4.5, 10);
            painter.drawLine(QPointF(2, 12), QPointF(22, 12));
            painter.drawLine(QPointF(4, 6.5), QPointF(20, 6.5));
            painter.drawLine(QPointF(4, 17.5), QPointF(20, 17.5));
            break;
        case clIcon::Gear: {
            QPainterPath gear;
            for (int i = 0; i < 8; ++i) {
                const double a = i * M_PI / 4;
                QTransform t;
                t.translate(12, 12);
                t.rotateRadians(a);
                gear.addPath(t.map(RoundedBox(-2.4, -11, 4.8, 6, 1)));
            }
            gear.addEllipse(QPointF(12, 12), 7.6, 7.6);
            QPainterPath hole;
            hole.addEllipse(QPointF(12, 12), 3.2, 3.2);
            painter.fillPath(gear.simplified().subtracted(hole), colour);
            break;
        }
        case clIcon::Dice: {
            QPainterPath die = RoundedBox(2.5, 2.5, 19, 19, 4);
            QPainterPath dots;
            for (const QPointF p : {QPointF(7.5, 7.5), QPointF(16.5, 7.5), QPointF(12, 12),
                                    QPointF(7.5, 16.5), QPointF(16.5, 16.5)}) {
                dots.addEllipse(p, 1.9, 1.9);
            }
            painter.fillPath(die.subtracted(dots), colour);
            break;
        }
        case clIcon::Play: {
            QPainterPath tri;
            tri.moveTo(7, 3.5);
            tri.lineTo(20, 12);
            tri.lineTo(7, 20.5);
            tri.closeSubpath();
            painter.fillPath(tri, colour);
            break;
        }
        case clIcon::Trophy: {
            QPainterPath cup;
            cup.moveTo(6, 3);
            cup.lineTo(18, 3);
            cup.cubicTo(18, 11, 15, 14, 12, 14);
            cup.cubicTo(9, 14, 6, 11, 6, 3);
            cup.closeSubpath();
            painter.fillPath(cup, colour);
            painter.drawArc(QRectF(1.5, 4, 6, 7), 90 * 16, 180 * 16);
            painter.drawArc(QRectF(16.5, 4, 6, 7), 90 * 16, -180 * 16);
            painter.fillPath(RoundedBox(10.5, 13, 3, 5, 0.5), colour);
            painter.fillPath(RoundedBox(6.5, 18, 11, 3.5, 1), colour);
            break;
        }
        case clIcon::Book:
            painter.drawPath(RoundedBox(3, 3, 18, 18, 2));
            painter.drawLine(QPointF(12, 3), QPointF(12, 21));
            painter.drawLine(QPointF(6, 8), QPointF(9.5, 8));
            painter.drawLine(QPointF(6, 12), QPointF(9.5, 12));
            painter.drawLine(QPointF(14.5, 8), QPointF(18, 8));
            painter.drawLine(QPointF(14.5, 12), QPointF(18, 12));
            break;
        case clIcon::Cards: {
            painter.save();
            painter.translate(12, 13);
            painter.rotate(-14);
            painter.drawPath(RoundedBox(-9, -9, 12, 17, 2));
            painter.restore();
            painter.save();
            painter.translate(12, 13);
            painter.rotate(12);
            painter.fillPath(RoundedBox(-3, -10, 12, 17, 2), colour);
            painter.restore();
            break;
        }
        case clIcon::Download:
            painter.drawLine(QPointF(12, 3), QPointF(12, 15));
            painter.drawLine(QPointF(7, 10.5), QPointF(12, 15.5));
            painter.drawLine(QPointF(17, 10.5), QPointF(12, 15.5));
            painter.drawLine(QPointF(4, 20), QPointF(20, 20));
            break;
        case clIcon::Envelope:
            painter.drawPath(RoundedBox(2.5, 5, 19, 14, 2));
            painter.drawLine(QPointF(3.5, 6.5), QPointF(12, 13));
            painter.drawLine(QPointF(20.5, 6.5), QPointF(12, 13));
            break;
        case clIcon::Speech: {
            QPainterPath bubble = RoundedBox(2.5, 3.5, 19, 13, 4);
            QPainterPath tail;
            tail.moveTo(7, 15);
            tail.lineTo(6, 21);
            tail.lineTo(12, 16);
            tail.closeSubpath();
            painter.fillPath(bubble.united(tail), colour);
            break;
        }
    }
    painter.restore();
}
