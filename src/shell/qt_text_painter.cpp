#include "shell/qt_text_painter.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include "graphics/image.h"

namespace {

QColor ColourOf(std::uint32_t bgr) {
    return QColor(bgr & 0xff, (bgr >> 8) & 0xff, (bgr >> 16) & 0xff);
}

Qt::Alignment AlignmentOf(clTextAlign align) {
    switch (align) {
        case clTextAlign::Centre:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case clTextAlign::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case clTextAlign::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace

void clQtTextPainter::DrawText(clImage& into, const clRect& rect, std::string_view text,
                               const clTextStyle& style) {
    if (into.IsEmpty() || rect.IsEmpty()) return;
    // A view of the picture's own bytes: blue, green, red, alpha is ARGB32 here.
    QImage view(into.Pixels(), into.Width(), into.Height(), into.Stride(), QImage::Format_ARGB32);
    QPainter painter(&view);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(1, style.height * 3 / 4));
    font.setWeight(static_cast<QFont::Weight>(style.weight));
    painter.setFont(font);
    const QString line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QRect box(rect.left, rect.top, rect.Width(), rect.Height());
    painter.setClipRect(box);
    if (style.shadowX != 0 || style.shadowY != 0) {
        painter.setPen(ColourOf(style.shadowColour));
        painter.drawText(box.translated(style.shadowX, style.shadowY), AlignmentOf(style.align),
                         line);
    }
    painter.setPen(ColourOf(style.colour));
    painter.drawText(box, AlignmentOf(style.align), line);
}
