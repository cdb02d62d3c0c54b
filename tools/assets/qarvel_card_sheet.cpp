// qarvel-card-sheet: a contact sheet of a card-set file, to look at.
//
//   qarvel-card-sheet FILE --size WxH --out PNG
//
// Reads the file back and lays out, on table green, the mask and every face
// of its card set of that size, then its backs and its pile symbols of the
// same size when it has them, each with the transparency the file gives it.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <string>

#include "assets/card_file_reader.h"
#include "assets/card_file_writer.h"
#include "assets/offscreen.h"
#include "assets/qt_picture.h"

namespace {

constexpr int kColumns = 14;
constexpr int kGap = 6;

int Fail(const std::string& text) {
    std::fprintf(stderr, "qarvel-card-sheet: %s\n", text.c_str());
    return 1;
}

// The set of that kind and size, or none.
bool FindSet(clCardFileReader& reader, std::uint32_t tag, int width, int height,
             clPictureSet& set) {
    for (int k = 0; k < reader.Count(tag); ++k) {
        if (!reader.ReadSet(tag, k, set)) return false;
        if (set.width == width && set.height == height) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    std::string file, out;
    int width = 0, height = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--size" && i + 1 < argc) {
            if (std::sscanf(argv[++i], "%dx%d", &width, &height) != 2) width = height = 0;
        } else if (word == "--out" && i + 1 < argc) {
            out = argv[++i];
        } else if (file.empty() && word.rfind("--", 0) != 0) {
            file = word;
        } else {
            return Fail("usage: qarvel-card-sheet FILE --size WxH --out PNG");
        }
    }
    if (file.empty() || out.empty() || width < 1 || height < 1) {
        return Fail("usage: qarvel-card-sheet FILE --size WxH --out PNG");
    }
    PrepareOffscreen();
    QGuiApplication app(argc, argv);

    clCardFileReader reader;
    if (!reader.Open(file)) return Fail(file + ": " + reader.Error());
    clPictureSet cards, backs, symbols;
    if (!FindSet(reader, clCardFileTag::kCards, width, height, cards)) {
        return Fail(file + ": no card set of that size");
    }
    const bool masked = reader.Type() == kMaskTransparency;
    const bool hasBacks = FindSet(reader, clCardFileTag::kBacks, width, height, backs);
    const bool hasSymbols = FindSet(reader, clCardFileTag::kSymbols, width, height, symbols);
    if (masked) {
        const clPicture mask = cards.pictures.front();
        clCardFileReader::ApplyMask(mask, cards.pictures.front());
        for (std::size_t i = 1; i < cards.pictures.size(); ++i) {
            clCardFileReader::ApplyMask(mask, cards.pictures[i]);
        }
        for (clPicture& picture : backs.pictures)
            clCardFileReader::ApplyMask(mask, picture);
        for (clPicture& picture : symbols.pictures)
            clCardFileReader::ApplyMask(mask, picture);
    }

    const auto rowsOf = [](std::size_t n) {
        return static_cast<int>((n + kColumns - 1) / kColumns);
    };
    const int rows = rowsOf(cards.pictures.size()) +
                     (hasBacks ? rowsOf(backs.pictures.size()) : 0) +
                     (hasSymbols ? rowsOf(symbols.pictures.size()) : 0);
    QImage sheet(kGap + kColumns * (width + kGap), kGap + rows * (height + kGap),
                 QImage::Format_ARGB32);
    sheet.fill(QColor(0x1e, 0x6b, 0x3a));
    QPainter painter(&sheet);
    int row = 0;
    for (const clPictureSet* set :
         {&cards, hasBacks ? &backs : nullptr, hasSymbols ? &symbols : nullptr}) {
        if (!set) continue;
        for (std::size_t i = 0; i < set->pictures.size(); ++i) {
            const int x = kGap + static_cast<int>(i % kColumns) * (width + kGap);
            const int y = kGap + (row + static_cast<int>(i / kColumns)) * (height + kGap);
            painter.drawImage(x, y, ToQImage(set->pictures[i]));
        }
        row += rowsOf(set->pictures.size());
    }
    painter.end();
    if (!sheet.save(QString::fromStdString(out), "PNG")) return Fail("cannot write " + out);
    return 0;
}
