// qarvel-card-sheet: a contact sheet of a card-set file, to look at.
//
//   qarvel-card-sheet FILE --size WxH --out PNG
//
// Reads the file back through the game's own card-set readers and lays out,
// on table green, the mask and every face of its card set of that size, then
// its backs and its pile symbols of the same size when it has them, each
// with the transparency the game gives it.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <optional>
#include <string>

#include "assets/offscreen.h"
#include "assets/qt_image.h"
#include "graphics/card_set.h"
#include "graphics/card_set_info.h"
#include "toolkit/messages.h"
#include "toolkit/operation_error.h"

namespace {

constexpr int kColumns = 14;
constexpr int kGap = 6;

int Fail(const std::string& text) {
    std::fprintf(stderr, "qarvel-card-sheet: %s\n", text.c_str());
    return 1;
}

// The number of the set of that size among `sizes`, or none.
std::optional<int> SetOfSize(const std::vector<clPictureSize>& sizes, clPictureSize size) {
    for (std::size_t k = 0; k < sizes.size(); ++k) {
        if (sizes[k] == size) return static_cast<int>(k);
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    std::string file, out;
    clPictureSize size;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--size" && i + 1 < argc) {
            if (std::sscanf(argv[++i], "%dx%d", &size.width, &size.height) != 2) size = {};
        } else if (word == "--out" && i + 1 < argc) {
            out = argv[++i];
        } else if (file.empty() && word.rfind("--", 0) != 0) {
            file = word;
        } else {
            return Fail("usage: qarvel-card-sheet FILE --size WxH --out PNG");
        }
    }
    if (file.empty() || out.empty() || size.width < 1 || size.height < 1) {
        return Fail("usage: qarvel-card-sheet FILE --size WxH --out PNG");
    }
    PrepareOffscreen();
    QGuiApplication app(argc, argv);

    clCardSetInfo info;
    if (!info.Load(file, file))
        return Fail(file + ": not a card-set file (" + info.LastError() + ")");
    const std::optional<int> cardSet = SetOfSize(info.CardSizes(), size);
    if (!cardSet) return Fail(file + ": no card set of that size");
    clHeadlessMessages messages;
    clCardSet cards;
    clCardBacks backs;
    clCardSymbols symbols;
    try {
        if (!cards.Load(file, *cardSet, messages))
            return Fail(file + ": the card set cannot be read");
        if (const auto k = SetOfSize(info.BackSizes(), size)) {
            if (!backs.Load(file, *k, messages)) return Fail(file + ": the backs cannot be read");
            backs.ApplyMask(*cards.Mask());
        }
        if (const auto k = SetOfSize(info.SymbolSizes(), size)) {
            if (!symbols.Load(file, *k, messages))
                return Fail(file + ": the symbols cannot be read");
            symbols.ApplyMask(*cards.Mask());
        }
    } catch (const clOperationError& error) {
        return Fail(file + ": " + error.what());
    }

    const auto rowsOf = [](int n) { return (n + kColumns - 1) / kColumns; };
    const int rows = rowsOf(cards.Count()) + rowsOf(backs.Count()) + rowsOf(symbols.Count());
    QImage sheet(kGap + kColumns * (size.width + kGap), kGap + rows * (size.height + kGap),
                 QImage::Format_ARGB32);
    sheet.fill(QColor(0x1e, 0x6b, 0x3a));
    QPainter painter(&sheet);
    int row = 0;
    for (const clPictureSet* set :
         {static_cast<const clPictureSet*>(&cards), static_cast<const clPictureSet*>(&backs),
          static_cast<const clPictureSet*>(&symbols)}) {
        for (int i = 0; i < set->Count(); ++i) {
            const int x = kGap + i % kColumns * (size.width + kGap);
            const int y = kGap + (row + i / kColumns) * (size.height + kGap);
            painter.drawImage(x, y, ToQImage(*set->Picture(i)));
        }
        row += rowsOf(set->Count());
    }
    painter.end();
    if (!sheet.save(QString::fromStdString(out), "PNG")) return Fail("cannot write " + out);
    return 0;
}
