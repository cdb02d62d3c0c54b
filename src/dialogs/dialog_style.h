#pragma once

#include <QColor>
#include <QFont>
#include <QSize>
#include <cstdint>

class QLineEdit;
class QWidget;

// Sizes given in dialog units, which follow the dialog's font: a horizontal
// unit is a quarter of its average character width, a vertical one an eighth
// of its line height.
class clDialogUnits {
public:
    explicit clDialogUnits(const QFont& font);
    int X(int units) const { return (units * averageWidth + 2) / 4; }
    int Y(int units) const { return (units * lineHeight + 4) / 8; }
    QSize Size(int width, int height) const { return {X(width), Y(height)}; }

private:
    int averageWidth;
    int lineHeight;
};

// A colour given as 0x00BBGGRR, and back.
QColor ColourOf(std::uint32_t bgr);
std::uint32_t BgrOf(const QColor& colour);

// The font of the controls of the coloured dialogs: bold, 16 pixels at the
// usual 12-pixel dialog font, and a third larger than a larger one.
QFont ControlFont(const QFont& base);

// The dialog's background and the colour of its static texts.
void PaintDialog(QWidget* dialog, std::uint32_t background, std::uint32_t text);

// A box for a number as wide as its longest number (its maximum length in
// digits), not stretched across the dialog.
void FitToDigits(QLineEdit* edit);
