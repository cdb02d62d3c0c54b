#include "dialogs/dialog_style.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWidget>
#include <algorithm>

clDialogUnits::clDialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    averageWidth = std::max(1, (metrics.horizontalAdvance(letters) / 26 + 1) / 2);
    lineHeight = std::max(1, metrics.height());
}

QColor ColourOf(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

std::uint32_t BgrOf(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.red() | (colour.green() << 8) | (colour.blue() << 16));
}

QFont ControlFont(const QFont& base) {
    QFont font(base);
    font.setBold(true);
    const int basePixels = QFontInfo(base).pixelSize();
    font.setPixelSize(std::max(16, (basePixels * 4 + 1) / 3));
    return font;
}

void PaintDialog(QWidget* dialog, std::uint32_t background, std::uint32_t text) {
    QPalette palette = dialog->palette();
    palette.setColor(QPalette::Window, ColourOf(background));
    palette.setColor(QPalette::WindowText, ColourOf(text));
    dialog->setPalette(palette);
    dialog->setAutoFillBackground(true);
}

void FitToDigits(QLineEdit* edit) {
    const QFontMetrics metrics = edit->fontMetrics();
    const QMargins margins = edit->textMargins();
    // The box's own text margin is 2 pixels a side.
    const QSize text(metrics.horizontalAdvance(QLatin1Char('0')) * edit->maxLength() + 4 +
                         margins.left() + margins.right(),
                     metrics.height());
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const QSize size = edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, edit);
    edit->setFixedWidth(size.width());
}
