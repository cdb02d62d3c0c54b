// qarvel-cards: draws a card-set file.
//
//   qarvel-cards --set classic|fourcolour --fonts DIR --out FILE
//
// "classic" is the default set "qarvel.cards": faces, backs and pile symbols
// at the five native sizes, 32-bit pictures that carry their own alpha.
// "fourcolour" is a smaller second set in another style: faces and backs at
// three sizes, 24-bit pictures whose transparency comes from the card mask.
#include <QGuiApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "assets/back_painter.h"
#include "assets/card_file_writer.h"
#include "assets/face_painter.h"
#include "assets/offscreen.h"
#include "assets/qt_picture.h"
#include "assets/symbol_painter.h"

namespace {

constexpr int kUsage = 2;
constexpr int kFailed = 1;

int Usage(const char* problem) {
    std::fprintf(stderr, "qarvel-cards: %s\n", problem);
    std::fprintf(stderr, "usage: qarvel-cards --set classic|fourcolour --fonts DIR --out FILE\n");
    return kUsage;
}

struct clSetPlan {
    clCardStyle style;
    std::vector<clBackDesign> backs;
    std::vector<int> sizes;  // indexes into kFaceMetrics
    bool symbols = false;
    int bitsPerPixel = 32;
    std::uint32_t type = kOwnTransparency;
};

// A 24-bit bitmap keeps no alpha: a pixel is either drawn or keyed out. The
// mask becomes black outside the card and white inside, as a mask-type file
// wants it; every other picture is keyed where it is less than half covered.
clPicture Flatten(const QImage& image, bool isMask) {
    clPicture picture = ToPicture(image);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            std::uint8_t* p = picture.At(x, y);
            const bool inside = p[3] >= 128;
            if (isMask) {
                const std::uint8_t v = inside ? 255 : 0;
                p[0] = p[1] = p[2] = v;
                p[3] = 255;
            } else {
                p[3] = inside ? 255 : 0;
            }
        }
    }
    return picture;
}

clPicture Convert(const QImage& image, const clSetPlan& plan, bool isMask = false) {
    return plan.bitsPerPixel == 32 ? ToPicture(image) : Flatten(image, isMask);
}

bool Build(const clSetPlan& plan, const clFonts& fonts, const std::string& out) {
    clCardFileWriter writer;
    writer.AddVersion(1, 0);
    writer.AddType(plan.type);
    writer.AddDescription(plan.style.description.toStdString());
    writer.AddLevel(0);
    for (const int size : plan.sizes) {
        const clFaceMetrics& metrics = kFaceMetrics[static_cast<std::size_t>(size)];
        const clFacePainter painter(plan.style, metrics, fonts);
        std::vector<clPicture> cards;
        cards.push_back(Convert(painter.Mask(), plan, true));
        for (int value = 0; value < kFaceCount; ++value) {
            cards.push_back(Convert(painter.Face(value), plan));
        }
        std::vector<clPicture> backs;
        for (const clBackDesign& design : plan.backs) {
            backs.push_back(Convert(PaintBack(design, metrics), plan));
        }
        if (!writer.AddPictureSet(clCardFileTag::kCards, cards, plan.bitsPerPixel, 14) ||
            !writer.AddPictureSet(clCardFileTag::kBacks, backs, plan.bitsPerPixel, 8)) {
            return false;
        }
        if (plan.symbols) {
            std::vector<clPicture> symbols;
            for (int i = 0; i < kSymbolCount; ++i) {
                symbols.push_back(
                    Convert(PaintSymbol(i, metrics, fonts, plan.style.rankFont), plan));
            }
            if (!writer.AddPictureSet(clCardFileTag::kSymbols, symbols, plan.bitsPerPixel, 8)) {
                return false;
            }
        }
    }
    return writer.Write(out);
}

}  // namespace

int main(int argc, char** argv) {
    std::string set, fontFolder, out;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (i + 1 >= argc) return Usage("missing value after an option");
        if (word == "--set") {
            set = argv[++i];
        } else if (word == "--fonts") {
            fontFolder = argv[++i];
        } else if (word == "--out") {
            out = argv[++i];
        } else {
            return Usage("unknown option");
        }
    }
    if (set.empty() || fontFolder.empty() || out.empty()) return Usage("missing option");

    clSetPlan plan;
    if (set == "classic") {
        plan.style = ClassicStyle();
        plan.backs = ClassicBacks();
        plan.sizes = {0, 1, 2, 3, 4};
        plan.symbols = true;
    } else if (set == "fourcolour") {
        plan.style = FourColourStyle();
        plan.backs = FourColourBacks();
        plan.sizes = {0, 3, 4};
        plan.bitsPerPixel = 24;
        plan.type = kMaskTransparency;
    } else {
        return Usage("unknown set (classic or fourcolour)");
    }

    PrepareOffscreen();
    QGuiApplication app(argc, argv);
    clFonts fonts;
    QString error;
    if (!fonts.Load(fontFolder, {plan.style.rankFont}, error)) {
        std::fprintf(stderr, "qarvel-cards: %s\n", qPrintable(error));
        return kFailed;
    }
    if (!Build(plan, fonts, out)) {
        std::fprintf(stderr, "qarvel-cards: cannot write %s\n", out.c_str());
        return kFailed;
    }
    return 0;
}
