#include "dialogs/dialog_style.h"

#include <QFontMetrics>
#include <QPalette>
#include <QWidget>

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
    font.setPixelSize(16);
    return font;
}

void PaintDialog(QWidget* dialog, std::uint32_t background, std::uint32_t text) {
    QPalette palette = dialog->palette();
    palette.setColor(QPalette::Window, ColourOf(background));
    palette.setColor(QPalette::WindowText, ColourOf(text));
    dialog->setPalette(palette);
    dialog->setAutoFillBackground(true);
}
