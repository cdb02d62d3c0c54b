// qarvel-cards: draws a card-set file.
//
//   qarvel-cards --set classic|fourcolour --fonts DIR --out FILE
//
// "classic" is the default set "qarvel.cards": faces, backs and pile symbols
// at eight native sizes from 300 x 400 down to 53 x 72, 32-bit pictures that
// carry their own alpha. "fourcolour" is a smaller second set in another
// style: faces and backs at six sizes (the three large ones, 150 x 200 and the
// two smallest), 24-bit pictures whose transparency comes from the card mask.
// Sets are written largest first.
#include <QGuiApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "assets/back_painter.h"
#include "assets/face_painter.h"
#include "assets/offscreen.h"
#include "assets/qt_image.h"
#include "assets/symbol_painter.h"
#include "graphics/card_set_writer.h"
#include "graphics/chunk.h"

namespace {

constexpr int kUsage = 2;
constexpr int kFailed = 1;

int Usage(const char* problem) {
    std::fprintf(stderr, "qarvel-cards: %s\n", problem);
    std::fprintf(stderr, "usage: qarvel-cards --set classic|fourcolour --fonts DIR --out FILE\n");
    return kUsage;
}

// Transparency types of a card-set file: with type 0 the card mask gives
// every picture its alpha; with any other type each picture keeps its own.
constexpr std::uint32_t kMaskTransparency = 0;
constexpr std::uint32_t kOwnTransparency = 1;

struct clSetPlan {
    clCardStyle style;
    std::vector<clBackDesign> backs;
    std::vector<clFaceMetrics> sizes;
    bool symbols = false;
    int bitsPerPixel = 32;
    std::uint32_t type = kOwnTransparency;
};

// A 24-bit bitmap keeps no alpha: a pixel is either drawn or keyed out. The
// mask becomes black outside the card and white inside, as a mask-type file
// wants it; every other picture turns magenta (the transparent key) where it
// is less than half covered.
void Flatten(clImage& picture, bool isMask) {
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            std::uint8_t* p = picture.At(x, y);
            const bool inside = p[3] >= 128;
            if (isMask) {
                p[0] = p[1] = p[2] = inside ? 255 : 0;
            } else if (!inside) {
                p[0] = 255;
                p[1] = 0;
                p[2] = 255;
            }
            p[3] = 255;
        }
    }
}

// The pictures of one set, ready for the writer.
class clSetPictures {
public:
    explicit clSetPictures(const clSetPlan& plan) : plan(plan) {}

    bool Add(const QImage& image, bool isMask = false) {
        clImage picture;
        if (!ToImage(image, picture)) return false;
        if (plan.bitsPerPixel == 24) Flatten(picture, isMask);
        pictures.push_back(std::move(picture));
        return true;
    }
    std::vector<const clImage*> Pointers() const {
        std::vector<const clImage*> out;
        for (const clImage& picture : pictures)
            out.push_back(&picture);
        return out;
    }

private:
    const clSetPlan& plan;
    std::vector<clImage> pictures;
};

bool Build(const clSetPlan& plan, const clFonts& fonts, const std::string& out) {
    clCardSetWriter writer;
    writer.AddVersion(1, 0);
    writer.AddType(plan.type);
    writer.AddDescription(plan.style.description.toStdString());
    writer.AddLevel(0);
    for (const clFaceMetrics& metrics : plan.sizes) {
        const clFacePainter painter(plan.style, metrics, fonts);
        clSetPictures cards(plan), backs(plan), symbols(plan);
        bool made = cards.Add(painter.Mask(), true);
        for (int value = 0; value < kFaceCount; ++value)
            made = made && cards.Add(painter.Face(value));
        for (const clBackDesign& design : plan.backs)
            made = made && backs.Add(PaintBack(design, metrics));
        for (int i = 0; plan.symbols && i < kSymbolCount; ++i) {
            made = made && symbols.Add(PaintSymbol(i, metrics, fonts, plan.style.rankFont));
        }
        if (!made) return false;
        writer.AddPictureSet(clTag::kCards, cards.Pointers(), plan.bitsPerPixel, 14);
        writer.AddPictureSet(clTag::kBacks, backs.Pointers(), plan.bitsPerPixel, 8);
        if (plan.symbols) {
            writer.AddPictureSet(clTag::kSymbols, symbols.Pointers(), plan.bitsPerPixel, 8);
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
        plan.sizes.assign(kLargeFaceMetrics.begin(), kLargeFaceMetrics.end());
        plan.sizes.insert(plan.sizes.end(), kFaceMetrics.begin(), kFaceMetrics.end());
        plan.symbols = true;
    } else if (set == "fourcolour") {
        plan.style = FourColourStyle();
        plan.backs = FourColourBacks();
        plan.sizes.assign(kLargeFaceMetrics.begin(), kLargeFaceMetrics.end());
        plan.sizes.insert(plan.sizes.end(), {kFaceMetrics[0], kFaceMetrics[3], kFaceMetrics[4]});
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
