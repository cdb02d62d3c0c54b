#include "assets/court_painter.h"

#include <QPainterPath>
#include <QTransform>
#include <cmath>

#include "assets/suit_shapes.h"

namespace {

const QColor kInk(0x1c, 0x1c, 0x24);
const QColor kSilver(0xdc, 0xe0, 0xe8);
const QColor kWood(0x7a, 0x4a, 0x22);
const QColor kPaper(0xfd, 0xf9, 0xee);

// Shapes are drawn in units of a hundredth of the frame's width; outlines are
// a fixed number of device pixels (times the size's stroke) so that they stay
// crisp at every size.
class clCourtCanvas {
public:
    clCourtCanvas(QPainter& painter, int detail, double stroke)
        : painter(painter), detail(detail), stroke(stroke) {}

    // A line width in device pixels at this size.
    double Pixels(double atSmallest) const { return atSmallest * stroke; }
    QPen Outline() const {
        QPen pen(kInk, Pixels(detail >= 2 ? 1.0 : detail == 1 ? 0.8 : 0.6));
        pen.setCosmetic(true);
        pen.setJoinStyle(Qt::RoundJoin);
        return pen;
    }
    void Fill(const QPainterPath& path, const QColor& colour, bool outlined = true) {
        painter.setBrush(colour);
        painter.setPen(outlined ? Outline() : QPen(Qt::NoPen));
        painter.drawPath(path);
    }
    void Ellipse(QPointF centre, double rx, double ry, const QColor& colour, bool outlined = true) {
        QPainterPath path;
        path.addEllipse(centre, rx, ry);
        Fill(path, colour, outlined);
    }
    void Polygon(std::initializer_list<QPointF> points, const QColor& colour,
                 bool outlined = true) {
        QPainterPath path;
        bool first = true;
        for (const QPointF& p : points) {
            if (first) {
                path.moveTo(p);
            } else {
                path.lineTo(p);
            }
            first = false;
        }
        path.closeSubpath();
        Fill(path, colour, outlined);
    }
    void Line(QPointF a, QPointF b, const QColor& colour, double pixels) {
        QPen pen(colour, Pixels(pixels));
        pen.setCosmetic(true);
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        painter.drawLine(a, b);
    }

    QPainter& painter;
    const int detail;
    const double stroke;
};

void PaintSuitMark(QPainter& painter, int suit, QPointF centre, double height,
                   const QColor& colour) {
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.scale(height, height);
    t.translate(-0.5, -0.5);
    QPainterPath path = t.map(SuitPath(suit));
    path.setFillRule(Qt::WindingFill);
    painter.setPen(Qt::NoPen);
    painter.fillPath(path, colour);
}

QColor Darker(const QColor& colour, int factor = 130) {
    return colour.darker(factor);
}

// The robe and collar, from the shoulders down to the card's middle.
void PaintRobe(clCourtCanvas& c, int rank, double bottom, const clCardStyle& style, int suit) {
    const QColor robe = style.courtRobe[static_cast<std::size_t>(suit - 1)];
    const QColor trim = style.courtTrim[static_cast<std::size_t>(suit - 1)];
    QPainterPath body;
    body.moveTo(6, bottom + 1);
    body.lineTo(9, 66);
    body.cubicTo(11, 55, 28, 50, 41, 48);
    body.lineTo(59, 48);
    body.cubicTo(72, 50, 89, 55, 91, 66);
    body.lineTo(94, bottom + 1);
    body.closeSubpath();
    c.Fill(body, robe);

    // Sleeves in a deeper shade, with gold cuffs above the belt.
    c.Polygon({{9, 66}, {17, 57}, {25, bottom - 5}, {7, bottom - 5}}, Darker(robe, 125));
    c.Polygon({{91, 66}, {83, 57}, {75, bottom - 5}, {93, bottom - 5}}, Darker(robe, 125));
    // A panel of the second colour down the front, studded in gold.
    c.Polygon({{43, 49}, {57, 49}, {62, bottom + 1}, {38, bottom + 1}}, trim);
    if (c.detail > 0) {
        for (double y = 58; y < bottom - 3; y += 8) {
            c.Ellipse({50, y}, 2.2, 2.2, style.gold);
        }
        // Gold hems on the shoulders.
        QPainterPath hem;
        hem.moveTo(12, 60);
        hem.cubicTo(20, 54, 30, 52, 38, 51);
        hem.moveTo(62, 51);
        hem.cubicTo(70, 52, 80, 54, 88, 60);
        QPen pen(style.gold, c.Pixels(c.detail >= 2 ? 2.0 : 1.2));
        pen.setCosmetic(true);
        c.painter.setPen(pen);
        c.painter.setBrush(Qt::NoBrush);
        c.painter.drawPath(hem);
    }

    // The belt lies on the line between the two halves.
    c.Polygon({{6, bottom - 5}, {94, bottom - 5}, {94, bottom + 1}, {6, bottom + 1}}, style.gold);
    switch (rank) {
        case 13: {
            // An ermine collar.
            QPainterPath collar;
            collar.moveTo(28, 52);
            collar.cubicTo(36, 46, 64, 46, 72, 52);
            collar.cubicTo(66, 60, 34, 60, 28, 52);
            collar.closeSubpath();
            c.Fill(collar, Qt::white);
            if (c.detail > 0) {
                for (const double x : {36.0, 44.0, 56.0, 64.0}) {
                    c.Ellipse({x, 53.5}, 1.1, 1.6, kInk, false);
                }
            }
            break;
        }
        case 12: {
            // A ruff of gold scallops.
            for (double x = 34; x <= 66.1; x += 5.3) {
                c.Ellipse({x, 51.5}, 3.4, 3.0, style.gold);
            }
            break;
        }
        default:
            c.Polygon({{38, 48}, {50, 62}, {62, 48}}, style.gold);
            c.Polygon({{43, 48}, {50, 56}, {57, 48}}, Qt::white);
            break;
    }
}

void PaintFace(clCourtCanvas& c, int rank, const clCardStyle& style) {
    c.Polygon({{45, 40}, {55, 40}, {55.5, 50}, {44.5, 50}}, style.skin);
    c.Ellipse({50, 31}, 10.5, 12.5, style.skin);
    if (c.detail == 0) {
        c.Ellipse({46, 30.5}, 1.3, 1.3, kInk, false);
        c.Ellipse({54, 30.5}, 1.3, 1.3, kInk, false);
        return;
    }
    c.Ellipse({45.8, 30.5}, 1.4, 1.1, kInk, false);
    c.Ellipse({54.2, 30.5}, 1.4, 1.1, kInk, false);
    if (c.detail >= 2) {
        c.Line({43.5, 27.6}, {47.8, 27.2}, style.hair, 1.0);
        c.Line({52.2, 27.2}, {56.5, 27.6}, style.hair, 1.0);
    }
    QPainterPath nose;
    nose.moveTo(50, 31.5);
    nose.lineTo(48.8, 36);
    nose.lineTo(51, 36.4);
    QPen pen(Darker(style.skin, 150), c.Pixels(c.detail >= 2 ? 1.0 : 0.7));
    pen.setCosmetic(true);
    c.painter.setPen(pen);
    c.painter.setBrush(Qt::NoBrush);
    c.painter.drawPath(nose);
    if (rank != 13) {
        c.Line({47.3, 39.3}, {52.7, 39.3}, QColor(0xc0, 0x3a, 0x3a), c.detail >= 2 ? 1.4 : 1.0);
    }
    if (rank == 12 && c.detail >= 2) {
        c.Ellipse({43.5, 35}, 2.0, 1.3, QColor(0xf2, 0xa6, 0x9a), false);
        c.Ellipse({56.5, 35}, 2.0, 1.3, QColor(0xf2, 0xa6, 0x9a), false);
    }
}

void PaintKing(clCourtCanvas& c, double bottom, const clCardStyle& style, int suit) {
    // The sword stands on the right, held below its guard.
    c.Polygon({{78, 4}, {81, 8}, {81, 42}, {75, 42}, {75, 8}}, kSilver);
    c.Polygon({{69, 42}, {87, 42}, {87, 46}, {69, 46}}, style.gold);
    c.Polygon({{76.5, 46}, {79.5, 46}, {79.5, 58}, {76.5, 58}}, kWood);
    PaintRobe(c, 13, bottom, style, suit);
    c.Ellipse({78, 55}, 4.6, 4.2, style.skin);
    // Hair behind the face, then the face, beard and moustache.
    c.Ellipse({50, 30}, 13.5, 14, style.hair);
    PaintFace(c, 13, style);
    QPainterPath beard;
    beard.moveTo(39.6, 33);
    beard.cubicTo(40, 42, 44, 50, 50, 53);
    beard.cubicTo(56, 50, 60, 42, 60.4, 33);
    beard.cubicTo(57, 39, 43, 39, 39.6, 33);
    beard.closeSubpath();
    c.Fill(beard, style.hair);
    QPainterPath moustache;
    moustache.moveTo(50, 37.2);
    moustache.cubicTo(47, 36, 44, 37, 42.5, 40);
    moustache.cubicTo(46, 39.2, 48, 39.4, 50, 38.6);
    moustache.cubicTo(52, 39.4, 54, 39.2, 57.5, 40);
    moustache.cubicTo(56, 37, 53, 36, 50, 37.2);
    c.Fill(moustache, Darker(style.hair, 120), c.detail > 0);
    // A crown of three points with jewels.
    c.Polygon({{36, 20}, {36, 8}, {42.5, 14}, {50, 3}, {57.5, 14}, {64, 8}, {64, 20}}, style.gold);
    c.Polygon({{35, 17.5}, {65, 17.5}, {65, 21.5}, {35, 21.5}}, style.gold);
    if (c.detail > 0) {
        c.Ellipse({50, 6.5}, 1.9, 1.9, QColor(0xd0, 0x20, 0x30));
        c.Ellipse({36, 8.5}, 1.5, 1.5, QColor(0x20, 0x50, 0xc0));
        c.Ellipse({64, 8.5}, 1.5, 1.5, QColor(0x20, 0x50, 0xc0));
        c.Ellipse({50, 19.5}, 1.6, 1.3, QColor(0x20, 0x90, 0x50), false);
    }
}

void PaintQueen(clCourtCanvas& c, double bottom, const clCardStyle& style, int suit) {
    const QColor trim = style.courtTrim[static_cast<std::size_t>(suit - 1)];
    // A veil falls behind her to the shoulders.
    QPainterPath veil;
    veil.moveTo(36, 16);
    veil.cubicTo(28, 30, 26, 46, 22, 60);
    veil.lineTo(78, 60);
    veil.cubicTo(74, 46, 72, 30, 64, 16);
    veil.closeSubpath();
    c.Fill(veil, trim.lighter(150));
    PaintRobe(c, 12, bottom, style, suit);
    // Long hair framing the face.
    QPainterPath hair;
    hair.moveTo(50, 16);
    hair.cubicTo(34, 16, 35, 34, 34, 48);
    hair.lineTo(40, 48);
    hair.cubicTo(40, 36, 42, 24, 50, 22);
    hair.cubicTo(58, 24, 60, 36, 60, 48);
    hair.lineTo(66, 48);
    hair.cubicTo(65, 34, 66, 16, 50, 16);
    hair.closeSubpath();
    c.Fill(hair, style.hair.lighter(135));
    PaintFace(c, 12, style);
    // A tiara of pearls.
    c.Polygon({{39, 17}, {61, 17}, {60, 21}, {40, 21}}, style.gold);
    for (int i = 0; i < 5; ++i) {
        const double x = 40.5 + i * 4.75;
        const double y = 14.5 - (i == 2 ? 3.5 : (i == 1 || i == 3) ? 2.0 : 0.0);
        c.Ellipse({x, y}, 2.1, 2.1, style.gold);
    }
    if (c.detail > 0) c.Ellipse({50, 11}, 1.1, 1.1, QColor(0xd0, 0x20, 0x30), false);
    // A rose in her left hand.
    c.Line({24, 44}, {25, 58}, QColor(0x2a, 0x7a, 0x3a), c.detail >= 2 ? 1.6 : 1.0);
    const QColor petal(0xd8, 0x2a, 0x3c);
    for (int i = 0; i < 5; ++i) {
        const double a = i * 2 * M_PI / 5 - M_PI / 2;
        c.Ellipse({24 + 3.6 * std::cos(a), 41 + 3.6 * std::sin(a)}, 2.6, 2.6, petal, c.detail > 1);
    }
    c.Ellipse({24, 41}, 1.8, 1.8, style.gold, false);
    c.Ellipse({25, 56}, 4.4, 4.0, style.skin);
}

void PaintJack(clCourtCanvas& c, double bottom, const clCardStyle& style, int suit) {
    const QColor trim = style.courtTrim[static_cast<std::size_t>(suit - 1)];
    // A halberd on his right.
    c.Polygon({{21, 12}, {24, 12}, {24, bottom + 1}, {21, bottom + 1}}, kWood);
    QPainterPath blade;
    blade.moveTo(22.5, 1);
    blade.cubicTo(27, 6, 27, 10, 22.5, 14);
    blade.cubicTo(18, 10, 18, 6, 22.5, 1);
    blade.closeSubpath();
    c.Fill(blade, kSilver);
    c.Polygon({{24, 15}, {32, 12}, {32, 22}, {24, 19}}, kSilver);
    PaintRobe(c, 11, bottom, style, suit);
    c.Ellipse({22.5, 54}, 4.4, 4.0, style.skin);
    // Short hair with curls, the face, then a cap with a feather.
    c.Ellipse({50, 27}, 12.5, 11, style.hair);
    c.Ellipse({39.5, 38}, 3.2, 4.0, style.hair);
    c.Ellipse({60.5, 38}, 3.2, 4.0, style.hair);
    PaintFace(c, 11, style);
    QPainterPath feather;
    feather.moveTo(58, 15);
    feather.cubicTo(66, 8, 74, 4, 84, 4);
    feather.cubicTo(76, 9, 68, 14, 60, 19);
    feather.closeSubpath();
    c.Fill(feather, style.gold.lighter(120));
    QPainterPath cap;
    cap.moveTo(35, 21);
    cap.cubicTo(34, 8, 60, 4, 66, 17);
    cap.lineTo(66, 21);
    cap.closeSubpath();
    c.Fill(cap, trim);
    c.Polygon({{34, 19}, {66, 19}, {66, 23}, {34, 23}}, style.gold);
}

void PaintFigureHalf(clCourtCanvas& c, int rank, int suit, double bottom,
                     const clCardStyle& style) {
    switch (rank) {
        case 13:
            PaintKing(c, bottom, style, suit);
            break;
        case 12:
            PaintQueen(c, bottom, style, suit);
            break;
        default:
            PaintJack(c, bottom, style, suit);
            break;
    }
    PaintSuitMark(c.painter, suit, {rank == 11 ? 88.0 : 11.0, 11.0}, 13, style.SuitColour(suit));
}

void PaintFigure(QPainter& painter, const QRectF& frame, int rank, int suit,
                 const clCardStyle& style, int detail, double stroke) {
    const double scale = frame.width() / 100.0;
    const double half = frame.height() / 2 / scale;
    const QColor line = style.SuitColour(suit);

    painter.save();
    painter.setPen(Qt::NoPen);
    painter.fillRect(frame, kPaper);
    for (const bool turned : {false, true}) {
        painter.save();
        painter.translate(frame.topLeft());
        painter.scale(scale, scale);
        if (turned) {
            painter.translate(100, 2 * half);
            painter.rotate(180);
        }
        painter.setClipRect(QRectF(0, 0, 100, half));
        clCourtCanvas canvas(painter, detail, stroke);
        PaintFigureHalf(canvas, rank, suit, half, style);
        painter.restore();
    }
    // The frame and the line between the two halves.
    QPen pen(line, stroke * (detail >= 2 ? 1.2 : 1.0));
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const double middle = frame.center().y();
    painter.drawLine(QPointF(frame.left(), middle), QPointF(frame.right(), middle));
    painter.drawRect(frame);
    painter.restore();
}

// The second style's court: the letter under a gold ornament, twice.
void PaintMonogram(QPainter& painter, const QRectF& frame, int rank, int suit,
                   const clCardStyle& style, const clFonts& fonts, int detail, double stroke) {
    const double scale = frame.width() / 100.0;
    const double half = frame.height() / 2 / scale;
    const QColor colour = style.SuitColour(suit);
    painter.save();
    const auto mix = [](const QColor& a, const QColor& b, double t) {
        return QColor::fromRgbF(a.redF() * (1 - t) + b.redF() * t,
                                a.greenF() * (1 - t) + b.greenF() * t,
                                a.blueF() * (1 - t) + b.blueF() * t);
    };
    painter.fillRect(frame, mix(style.face, colour, 0.10));
    for (const bool turned : {false, true}) {
        painter.save();
        painter.translate(frame.topLeft());
        painter.scale(scale, scale);
        if (turned) {
            painter.translate(100, 2 * half);
            painter.rotate(180);
        }
        clCourtCanvas c(painter, detail, stroke);
        const QString letter = rank == 13 ? "K" : rank == 12 ? "Q" : "J";
        const double letterHeight = half * 0.36;
        const double letterMiddle = half * 0.52;
        painter.fillPath(
            CentredOn(fonts.Text(style.rankFont, letter, letterHeight), 50, letterMiddle), colour);
        // The ornament above the letter tells the ranks apart at a glance.
        const double top = letterMiddle - letterHeight / 2 - 6;
        if (rank == 13) {
            c.Polygon({{34, top},
                       {34, top - 12},
                       {42, top - 6},
                       {50, top - 16},
                       {58, top - 6},
                       {66, top - 12},
                       {66, top}},
                      style.gold);
        } else if (rank == 12) {
            c.Polygon({{38, top}, {62, top}, {62, top - 4}, {38, top - 4}}, style.gold);
            for (int i = 0; i < 5; ++i) {
                c.Ellipse({38 + i * 6.0, top - 6 - (i == 2 ? 3 : 0)}, 2.6, 2.6, style.gold);
            }
        } else {
            QPainterPath cap;
            cap.moveTo(36, top);
            cap.cubicTo(36, top - 14, 64, top - 14, 64, top);
            cap.closeSubpath();
            c.Fill(cap, style.gold);
            c.Line({60, top - 8}, {76, top - 16}, style.gold, detail >= 2 ? 2.5 : 1.5);
        }
        PaintSuitMark(painter, suit, {50, letterMiddle + letterHeight / 2 + 11}, 12, colour);
        painter.restore();
    }
    QPen pen(colour, stroke * (detail >= 2 ? 1.5 : 1.0));
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);
    if (detail > 0) {
        const double inset = stroke * (detail >= 2 ? 3 : 2);
        pen.setWidthF(stroke * (detail >= 2 ? 1.0 : 0.7));
        pen.setColor(style.gold);
        painter.setPen(pen);
        painter.drawRect(frame.adjusted(inset, inset, -inset, -inset));
    }
    painter.restore();
}

}  // namespace

void PaintCourt(QPainter& painter, const QRectF& frame, int rank, int suit,
                const clCardStyle& style, const clFonts& fonts, int detail, double stroke) {
    if (style.courts == clCourtLook::Monogram) {
        PaintMonogram(painter, frame, rank, suit, style, fonts, detail, stroke);
    } else {
        PaintFigure(painter, frame, rank, suit, style, detail, stroke);
    }
}

void PaintJester(QPainter& painter, const QRectF& frame, bool first, const clCardStyle& style,
                 int detail, double stroke) {
    const double scale = frame.width() / 100.0;
    const double height = frame.height() / scale;
    const QColor main = first ? QColor(0x22, 0x22, 0x2c) : style.SuitColour(3);
    const QColor second = first ? QColor(0x22, 0x4e, 0xa8) : style.gold;
    painter.save();
    painter.translate(frame.topLeft());
    painter.scale(scale, scale);
    // The jester is drawn for a frame 100 wide and enlarged to fill this one.
    const double cy = height * 0.5;
    painter.translate(50, cy);
    painter.scale(1.3, 1.3);
    painter.translate(-50, -cy + 4);
    clCourtCanvas c(painter, detail, stroke);
    // Collar points, face, then the three-pointed cap with bells.
    for (int i = 0; i < 6; ++i) {
        const double x = 22 + i * 11.2;
        c.Polygon({{x, cy + 14}, {x + 11.2, cy + 14}, {x + 5.6, cy + 30}}, i % 2 ? main : second);
    }
    c.Ellipse({50, cy + 2}, 16, 17, style.skin);
    c.Ellipse({44, cy}, 2.0, 2.0, kInk, false);
    c.Ellipse({56, cy}, 2.0, 2.0, kInk, false);
    QPainterPath smile;
    smile.moveTo(42, cy + 8);
    smile.cubicTo(46, cy + 14, 54, cy + 14, 58, cy + 8);
    QPen pen(QColor(0xb0, 0x20, 0x30), c.Pixels(detail >= 1 ? 1.6 : 1.0));
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(smile);
    c.Ellipse({50, cy + 4}, 2.6, 2.4, QColor(0xe0, 0x40, 0x40));
    QPainterPath left;
    left.moveTo(34, cy - 10);
    left.cubicTo(26, cy - 24, 14, cy - 30, 8, cy - 22);
    left.cubicTo(22, cy - 22, 30, cy - 16, 46, cy - 12);
    left.closeSubpath();
    c.Fill(left, main);
    QPainterPath right;
    right.moveTo(66, cy - 10);
    right.cubicTo(74, cy - 24, 86, cy - 30, 92, cy - 22);
    right.cubicTo(78, cy - 22, 70, cy - 16, 54, cy - 12);
    right.closeSubpath();
    c.Fill(right, main);
    QPainterPath middle;
    middle.moveTo(38, cy - 10);
    middle.cubicTo(38, cy - 28, 46, cy - 38, 50, cy - 42);
    middle.cubicTo(54, cy - 38, 62, cy - 28, 62, cy - 10);
    middle.closeSubpath();
    c.Fill(middle, second);
    c.Polygon({{32, cy - 13}, {68, cy - 13}, {68, cy - 7}, {32, cy - 7}}, style.gold);
    for (const QPointF bell : {QPointF(8, cy - 22), QPointF(50, cy - 42), QPointF(92, cy - 22)}) {
        c.Ellipse(bell, 4, 4, style.gold);
    }
    painter.restore();
}
