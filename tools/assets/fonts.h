#pragma once

#include <QPainterPath>
#include <QRawFont>
#include <QString>
#include <filesystem>
#include <initializer_list>
#include <map>

// Fonts read straight from their files, so that every machine draws the same
// lettering whatever fonts its desktop has installed. Text is turned into
// outlines and filled like any other shape.
class clFonts {
public:
    // Loads the named files from `folder`. False (with `error` set) when one
    // is missing or not a font.
    bool Load(const std::filesystem::path& folder, std::initializer_list<QString> files,
              QString& error);

    // The outline of a line of text in a loaded font whose capital letters
    // are `capHeight` pixels high; the baseline is at y = 0, the text starts
    // at x = 0.
    QPainterPath Text(const QString& file, const QString& text, double capHeight) const;

private:
    std::map<QString, QRawFont> fonts;
};

// The outline moved so that its bounding box is centred on (x, y); its box
// is first squeezed horizontally to at most `maxWidth` when one is given.
QPainterPath CentredOn(const QPainterPath& path, double x, double y, double maxWidth = 0);
