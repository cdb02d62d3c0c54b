#include "assets/fonts.h"

#include <QFile>
#include <QTransform>
#include <QVector>

namespace {

// Outlines are taken at this size and scaled, which keeps their curves exact.
constexpr double kReferenceSize = 200.0;

}  // namespace

bool clFonts::Load(const std::filesystem::path& folder, std::initializer_list<QString> files,
                   QString& error) {
    for (const QString& file : files) {
        if (fonts.count(file)) continue;
        const QString path = QString::fromStdString((folder / file.toStdString()).string());
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly)) {
            error = QString("cannot read the font file %1").arg(path);
            return false;
        }
        QRawFont font(in.readAll(), kReferenceSize);
        if (!font.isValid()) {
            error = QString("%1 is not a font file").arg(path);
            return false;
        }
        fonts.emplace(file, font);
    }
    return true;
}

QPainterPath clFonts::Text(const QString& file, const QString& text, double capHeight) const {
    QPainterPath path;
    const auto it = fonts.find(file);
    if (it == fonts.end()) return path;
    const QRawFont& font = it->second;
    const QVector<quint32> glyphs = font.glyphIndexesForString(text);
    const QVector<QPointF> advances = font.advancesForGlyphIndexes(glyphs);
    double x = 0;
    for (int i = 0; i < glyphs.size(); ++i) {
        QPainterPath glyph = font.pathForGlyph(glyphs[i]);
        glyph.translate(x, 0);
        path.addPath(glyph);
        x += advances[i].x();
    }
    const double scale = capHeight / font.capHeight();
    return QTransform::fromScale(scale, scale).map(path);
}

QPainterPath CentredOn(const QPainterPath& path, double x, double y, double maxWidth) {
    const QRectF box = path.boundingRect();
    const double squeeze = maxWidth > 0 && box.width() > maxWidth ? maxWidth / box.width() : 1.0;
    QTransform t;
    t.translate(x, y);
    t.scale(squeeze, 1.0);
    t.translate(-box.center().x(), -box.center().y());
    return t.map(path);
}
