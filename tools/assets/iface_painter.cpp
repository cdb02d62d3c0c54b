#include "assets/iface_painter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStringList>
#include <cmath>

#include "assets/card_metrics.h"
#include "assets/card_style.h"
#include "assets/face_painter.h"
#include "assets/icons.h"
#include "assets/suit_shapes.h"
#include "graphics/interface_layout.h"

namespace {

namespace layout = clInterfaceLayout;

const QColor kFeltLight(0x2f, 0x8f, 0x5a);
const QColor kFeltDark(0x0c, 0x45, 0x28);
const QColor kGold(0xf5, 0xc8, 0x4c);
const QColor kGoldDeep(0xc0, 0x84, 0x10);

// Text in one of the loaded fonts, centred on a point.
void CentredText(QPainter& p, const clFonts& fonts, const char* font, const QString& text,
                 double capHeight, QPointF centre, const QBrush& brush, double maxWidth = 0) {
    QPainterPath path = fonts.Text(font, text, capHeight);
    // Centre on the capital letters, not on the descenders.
    const QRectF box = path.boundingRect();
    double squeeze = maxWidth > 0 && box.width() > maxWidth ? maxWidth / box.width() : 1.0;
    QTransform t;
    t.translate(centre.x(), centre.y() + capHeight / 2);
    t.scale(squeeze, 1.0);
    t.translate(-box.center().x(), 0);
    p.fillPath(t.map(path), brush);
}

// Text with its baseline starting at a point.
void TextAt(QPainter& p, const clFonts& fonts, const char* font, const QString& text,
            double capHeight, QPointF baseline, const QBrush& brush) {
    QPainterPath path = fonts.Text(font, text, capHeight);
    path.translate(baseline);
    p.fillPath(path, brush);
}

double TextWidth(const clFonts& fonts, const char* font, const QString& text, double capHeight) {
    return fonts.Text(font, text, capHeight).boundingRect().right();
}

// Words laid into lines no wider than `width`, each centred on `centreX`.
void WrappedText(QPainter& p, const clFonts& fonts, const char* font, const QString& text,
                 double capHeight, double centreX, double firstBaseline, double width,
                 double lineStep, const QBrush& brush) {
    const QStringList words = text.split(' ');
    QString line;
    double baseline = firstBaseline;
    const auto flush = [&] {
        const double w = TextWidth(fonts, font, line, capHeight);
        TextAt(p, fonts, font, line, capHeight, {centreX - w / 2, baseline}, brush);
        baseline += lineStep;
    };
    for (const QString& word : words) {
        const QString candidate = line.isEmpty() ? word : line + ' ' + word;
        if (!line.isEmpty() && TextWidth(fonts, font, candidate, capHeight) > width) {
            flush();
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.isEmpty()) flush();
}

// Green baize with a faint woven grain.
void PaintFelt(QPainter& p, const QRectF& area) {
    QRadialGradient ground(area.center(), std::hypot(area.width(), area.height()) * 0.6);
    ground.setColorAt(0, kFeltLight);
    ground.setColorAt(1, kFeltDark);
    p.fillRect(area, ground);
    std::uint32_t seed = 12345;
    p.setPen(Qt::NoPen);
    for (int i = 0; i < static_cast<int>(area.width() * area.height() / 18); ++i) {
        seed = seed * 1664525u + 1013904223u;
        const double x = area.left() + (seed >> 8) % static_cast<std::uint32_t>(area.width());
        seed = seed * 1664525u + 1013904223u;
        const double y = area.top() + (seed >> 8) % static_cast<std::uint32_t>(area.height());
        p.fillRect(QRectF(x, y, 1, 1),
                   (seed >> 4) % 2 ? QColor(255, 255, 255, 10) : QColor(0, 0, 0, 14));
    }
}

void PaintGoldFrame(QPainter& p, const QRectF& area, double inset) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGold, 2));
    p.drawRoundedRect(area.adjusted(inset, inset, -inset, -inset), 8, 8);
    p.setPen(QPen(QColor(0xf5, 0xc8, 0x4c, 110), 1));
    p.drawRoundedRect(area.adjusted(inset + 4, inset + 4, -inset - 4, -inset - 4), 5, 5);
}

// The title in gold letters with a dark shadow.
void PaintTitle(QPainter& p, const clFonts& fonts, const QString& text, double capHeight,
                QPointF baseline) {
    QPainterPath path = fonts.Text(kTitleFont, text, capHeight);
    path.translate(baseline);
    p.fillPath(path.translated(3, 3), QColor(0, 0, 0, 120));
    QLinearGradient gold(0, baseline.y() - capHeight, 0, baseline.y());
    gold.setColorAt(0, QColor(0xff, 0xef, 0xa8));
    gold.setColorAt(0.5, kGold);
    gold.setColorAt(1, kGoldDeep);
    p.fillPath(path, gold);
    p.setPen(QPen(QColor(0x5a, 0x34, 0x00), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

// Real cards of the default set, fanned round a point below them.
void PaintFan(QPainter& p, const clFonts& fonts, const std::vector<int>& values, QPointF pivot,
              double radius, double spread, int sizeIndex) {
    const clCardStyle style = ClassicStyle();
    const clFaceMetrics& metrics = kFaceMetrics[static_cast<std::size_t>(sizeIndex)];
    const clFacePainter painter(style, metrics, fonts);
    const int n = static_cast<int>(values.size());
    for (int i = 0; i < n; ++i) {
        const double angle = n > 1 ? -spread / 2 + spread * i / (n - 1) : 0;
        p.save();
        p.translate(pivot);
        p.rotate(angle);
        p.translate(-metrics.width / 2.0, -radius - metrics.height);
        // A soft shadow under each card.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawRoundedRect(QRectF(3, 3, metrics.width, metrics.height), metrics.radius,
                          metrics.radius);
        p.drawImage(0, 0, painter.Face(values[static_cast<std::size_t>(i)]));
        p.restore();
    }
}

constexpr int Card(int rank, int suit) {
    return (suit - 1) * 13 + rank - 1;
}

void PaintFilterButtons(QPainter& p, const clFonts& fonts) {
    const clIcon icons[] = {clIcon::AllGames, clIcon::Star, clIcon::Heart, clIcon::Chart,
                            clIcon::Clock};
    for (int filter = 0; filter < layout::kFilterCount; ++filter) {
        for (int state = 0; state < layout::kFilterStates; ++state) {
            const QRectF cell = ToQRect(layout::FilterButton(filter, state));
            const double shift = state == 2 ? 1 : 0;
            const QRectF button = cell.adjusted(2, 2, -2, -2);
            QLinearGradient ground(button.topLeft(), button.bottomLeft());
            QColor text, border;
            if (state == 1) {
                ground.setColorAt(0, QColor(0xff, 0xe2, 0x7a));
                ground.setColorAt(1, QColor(0xe0, 0x9c, 0x1c));
                text = QColor(0x3a, 0x22, 0x00);
                border = QColor(0xff, 0xf4, 0xc4);
            } else if (state == 2) {
                ground.setColorAt(0, QColor(0x1a, 0x10, 0x34));
                ground.setColorAt(1, QColor(0x2e, 0x20, 0x58));
                text = QColor(0xe8, 0xd8, 0x90);
                border = QColor(0x70, 0x60, 0xb0);
            } else {
                ground.setColorAt(0, QColor(0x4a, 0x36, 0x86));
                ground.setColorAt(1, QColor(0x28, 0x1a, 0x50));
                text = QColor(0xf4, 0xf0, 0xff);
                border = QColor(0x9c, 0x8c, 0xdc);
            }
            p.setPen(QPen(border, 1));
            p.setBrush(ground);
            p.drawRoundedRect(button.adjusted(0.5, 0.5, -0.5, -0.5), 7, 7);
            const QColor iconColour = state == 1 ? QColor(0x8a, 0x2a, 0x00) : kGold;
            PaintIcon(p, icons[filter],
                      QRectF(button.left() + 10 + shift, button.top() + 8 + shift, 20, 20),
                      iconColour);
            // The caption is centred in the room right of the icon.
            const double left = button.left() + 36 + shift;
            const double right = button.right() - 6 + shift;
            CentredText(p, fonts, kLabelFont,
                        QString::fromUtf8(layout::kFilterCaptions[filter].data(),
                                          static_cast<int>(layout::kFilterCaptions[filter].size())),
                        10, {(left + right) / 2, button.center().y() + shift}, text, right - left);
        }
    }
}

void PaintSplash(QPainter& p, const clFonts& fonts) {
    const QRectF area = ToQRect(layout::kSplash);
    p.save();
    p.setClipRect(area);
    PaintFelt(p, area);
    PaintFan(p, fonts, {Card(10, 4), Card(11, 2), Card(12, 1), Card(13, 3), Card(1, 4)},
             {area.left() + 300, area.top() + 372}, 120, 40, 2);
    PaintTitle(p, fonts, "Qarvel", 50, {area.left() + 22, area.top() + 92});
    TextAt(p, fonts, kLabelFont, "ARCADE SOLITAIRE", 11, {area.left() + 26, area.top() + 118},
           QColor(0xff, 0xf4, 0xd0));
    // The version line is written here by the program (20, 150), white on the felt.
    TextAt(p, fonts, kTextFont, "75 patience games", 10, {area.left() + 24, area.top() + 200},
           QColor(255, 255, 255, 220));
    TextAt(p, fonts, kTextFont, "played in timed rounds", 10, {area.left() + 24, area.top() + 216},
           QColor(255, 255, 255, 220));
    PaintGoldFrame(p, area, 5);
    p.restore();
}

void PaintAbout(QPainter& p, const clFonts& fonts) {
    const QRectF area = ToQRect(layout::kAbout);
    p.save();
    p.setClipRect(area);
    PaintFelt(p, area);
    // The program writes the name, version and date in white on the dark band.
    QLinearGradient band(area.topLeft(), QPointF(area.left(), area.top() + 50));
    band.setColorAt(0, QColor(0x06, 0x24, 0x14));
    band.setColorAt(1, QColor(0x0a, 0x34, 0x1e));
    p.fillRect(QRectF(area.left(), area.top(), area.width(), 50), band);
    p.fillRect(QRectF(area.left(), area.top() + 50, area.width(), 1.5), kGold);
    PaintFan(p, fonts, {Card(1, 1), Card(1, 2), Card(1, 3), Card(1, 4)},
             {area.center().x(), area.top() + 215}, 30, 36, 3);
    // Below the text the program puts its OK button (160, 250, 80, 24).
    const QColor text(255, 255, 255, 230);
    CentredText(p, fonts, kLabelFont, "Seventy-five solitaire games", 9.5,
                {area.center().x(), area.top() + 200}, text);
    CentredText(p, fonts, kTextFont, "Cards, sounds and pictures drawn for Qarvel", 8.5,
                {area.center().x(), area.top() + 218}, text);
    CentredText(p, fonts, kTextFont, "Ternwick", 8.5, {area.center().x(), area.top() + 234},
                QColor(0xf5, 0xc8, 0x4c));
    PaintGoldFrame(p, area, 3);
    p.restore();
}

// A seamless tile: a suit mark in the middle and a quarter of one in each
// corner, so that neighbouring tiles complete each other.
void PaintTile(QPainter& p) {
    const QRectF area = ToQRect(layout::kBackgroundTile);
    p.save();
    p.setClipRect(area);
    p.fillRect(area, QColor(0x46, 0x12, 0x6a));
    const QColor mark(0x5a, 0x22, 0x84);
    const double size = 13;
    const auto suit = [&](int s, QPointF c) {
        QTransform t;
        t.translate(c.x() - size / 2, c.y() - size / 2);
        t.scale(size, size);
        QPainterPath path = t.map(SuitPath(s));
        path.setFillRule(Qt::WindingFill);
        p.fillPath(path, mark);
    };
    const QPointF c = area.center();
    suit(3, c);
    for (const QPointF corner :
         {area.topLeft(), area.topRight(), area.bottomLeft(), area.bottomRight()}) {
        suit(4, corner);
    }
    p.restore();
}

void PaintKeyLabels(QPainter& p, const clFonts& fonts) {
    const QRectF strip = ToQRect(layout::kKeyLabels);
    const auto label = [&](const QRectF& cell, const QString& text) {
        const QRectF box = cell.adjusted(2.5, 3.5, -2.5, -2.5);
        p.setPen(QPen(QColor(255, 255, 255, 200), 1));
        p.setBrush(QColor(0x10, 0x18, 0x40, 205));
        p.drawRoundedRect(box, 4, 4);
        CentredText(p, fonts, kLabelFont, text, 10, box.center(), QColor(0xff, 0xf0, 0xb0),
                    box.width() - 4);
    };
    for (int i = 0; i < layout::kKeyCells; ++i) {
        const QString text = i < 10 ? QString(QChar('0' + i)) : QString(QChar('A' + i - 10));
        label(QRectF(strip.left() + i * layout::kKeyCell, strip.top(), layout::kKeyCell,
                     layout::kKeyCell),
              text);
    }
    label(QRectF(strip.left() + layout::kKeyCells * layout::kKeyCell, strip.top(),
                 2 * layout::kKeyCell, layout::kKeyCell),
          "Tab");
}

void PaintPause(QPainter& p, const clFonts& fonts) {
    const QRectF area = ToQRect(layout::kPause);
    const QRectF panel = area.adjusted(2, 2, -2, -2);
    p.setPen(QPen(kGold, 2));
    p.setBrush(QColor(0x08, 0x14, 0x10, 215));
    p.drawRoundedRect(panel.adjusted(1, 1, -1, -1), 12, 12);
    PaintIcon(p, clIcon::Pause, QRectF(panel.left() + 18, panel.top() + 16, 36, 36), kGold);
    TextAt(p, fonts, kLabelFont, "PAUSED", 26, {panel.left() + 70, panel.top() + 40}, Qt::white);
    TextAt(p, fonts, kTextFont, "Press Esc to play on", 9.5, {panel.left() + 72, panel.top() + 58},
           QColor(0xf5, 0xe0, 0xa0));
}

void PaintToolPictures(QPainter& p) {
    const clIcon icons[layout::kToolCount] = {
        clIcon::Help,  clIcon::Close, clIcon::NewGame, clIcon::Undo, clIcon::Pause, clIcon::Chart,
        clIcon::Globe, clIcon::Gear,  clIcon::Dice,    clIcon::Play, clIcon::Trophy};
    const QColor colours[layout::kToolCount] = {
        QColor(0x1f, 0x5b, 0xc4), QColor(0xb4, 0x22, 0x2a), QColor(0x1b, 0x7d, 0x3a),
        QColor(0x6a, 0x3a, 0xa8), QColor(0x2a, 0x6a, 0x8a), QColor(0xd0, 0x7a, 0x10),
        QColor(0x1f, 0x7a, 0xa8), QColor(0x50, 0x58, 0x68), QColor(0xb0, 0x30, 0x70),
        QColor(0x1b, 0x8d, 0x3a), QColor(0xd8, 0x9a, 0x10)};
    for (int i = 0; i < layout::kToolCount; ++i) {
        const QRectF cell = ToQRect(layout::ToolPicture(i));
        PaintIcon(p, icons[i], cell.adjusted(4, 4, -4, -4), colours[i]);
    }
}

}  // namespace

QImage PaintInterfaceImage(const clFonts& fonts) {
    QImage image(layout::kWidth, layout::kHeight, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    PaintFilterButtons(p, fonts);
    PaintSplash(p, fonts);
    PaintAbout(p, fonts);
    PaintTile(p);
    PaintKeyLabels(p, fonts);
    PaintPause(p, fonts);
    PaintToolPictures(p);
    return image;
}

QImage PaintTableBackground() {
    QImage image(kTableWidth, kTableHeight, QImage::Format_ARGB32);
    QPainter p(&image);
    PaintFelt(p, QRectF(0, 0, kTableWidth, kTableHeight));
    return image;
}

QImage PaintHelpCenterImage(const clFonts& fonts) {
    QImage image(layout::kHelpWidth, layout::kHelpHeight, QImage::Format_ARGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(0, 0, layout::kHelpWidth, layout::kHelpHeight);
    PaintFelt(p, all);
    p.fillRect(QRectF(0, 0, all.width(), 120), QColor(0x06, 0x24, 0x14, 200));
    p.fillRect(QRectF(0, 120, all.width(), 1.5), kGold);

    const clInterfaceLayout::clHotRectangle& logo = layout::kHelpHotRectangles[0];
    const QRectF logoBox = ToQRect(logo.rect);
    PaintTitle(p, fonts, "Qarvel", 48, {logoBox.left() + 8, logoBox.top() + 64});
    const double titleEnd = logoBox.left() + 8 + TextWidth(fonts, kTitleFont, "Qarvel", 48);
    TextAt(p, fonts, kLabelFont, "HELP CENTER", 13, {titleEnd + 18, logoBox.top() + 64},
           QColor(0xff, 0xf4, 0xd0));
    TextAt(p, fonts, kTextFont, "Everything about the game, one click away.", 9.5,
           {logoBox.left() + 10, logoBox.top() + 84}, QColor(255, 255, 255, 210));
    PaintFan(p, fonts, {Card(1, 3), Card(13, 4), Card(12, 2)}, {700, 136}, 22, 40, 4);

    struct clTile {
        clIcon icon;
        const char* text;
    };
    const clTile tiles[] = {
        {clIcon::Book, "Rounds, goals, the time bonus and how to move cards."},
        {clIcon::Cards, "The rules and scoring of every game."},
        {clIcon::Download, "More card faces and backs for the Card Set menu."},
        {clIcon::Star, "See whether a newer Qarvel is out."},
        {clIcon::Globe, "News, tips and the high-score tables."},
        {clIcon::Envelope, "Hear about new games first."},
        {clIcon::Speech, "Trade strategies with other players."},
        {clIcon::Help, "Questions, ideas and problems."},
    };
    for (std::size_t i = 1; i < layout::kHelpHotRectangles.size(); ++i) {
        const clInterfaceLayout::clHotRectangle& hot = layout::kHelpHotRectangles[i];
        const QRectF box = ToQRect(hot.rect);
        const clTile& tile = tiles[i - 1];
        p.setPen(QPen(QColor(0xf5, 0xc8, 0x4c, 170), 1.2));
        p.setBrush(QColor(0xff, 0xfc, 0xf2, 236));
        p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
        const QPointF centre(box.center().x(), box.top() + 52);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1b, 0x6d, 0x3a));
        p.drawEllipse(centre, 30, 30);
        PaintIcon(p, tile.icon, QRectF(centre.x() - 18, centre.y() - 18, 36, 36), Qt::white);
        CentredText(p, fonts, kLabelFont,
                    QString::fromUtf8(hot.caption.data(), static_cast<int>(hot.caption.size())), 11,
                    {box.center().x(), box.top() + 106}, QColor(0x1c, 0x24, 0x20),
                    box.width() - 12);
        WrappedText(p, fonts, kTextFont, tile.text, 8, box.center().x(), box.top() + 136,
                    box.width() - 24, 15, QColor(0x40, 0x48, 0x44));
    }

    const QRectF check = ToQRect(layout::kHelpCheckBox);
    TextAt(p, fonts, kTextFont,
           QString::fromUtf8(layout::kHelpCheckBoxCaption.data(),
                             static_cast<int>(layout::kHelpCheckBoxCaption.size())),
           9, {check.right() + 8, check.center().y() + 4.5}, Qt::white);
    return image;
}
