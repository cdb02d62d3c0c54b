// qarvel-table-shot: a picture of a dealt table drawn with the shipped data.
//
//   qarvel-table-shot DATA GAME --deal N --size WxH [--labels] --out PNG
//
// Deals deal N of GAME and draws it the way the game's display does, from the
// card sets, background and key labels in the data folder DATA, on a virtual
// screen of W x H pixels; --labels shows the keyboard labels. For looking at
// the shipped pictures together, as a player sees them.
#include <QGuiApplication>
#include <charconv>
#include <cstdio>
#include <memory>
#include <string>

#include "assets/offscreen.h"
#include "assets/qt_image.h"
#include "engine/catalogue.h"
#include "engine/solitaire_rules.h"
#include "graphics/card_set_info.h"
#include "graphics/display.h"
#include "graphics/display_target.h"
#include "graphics/interface_cache.h"
#include "graphics/interface_layout.h"
#include "toolkit/messages.h"
#include "toolkit/operation_error.h"
#include "variants/registry.h"

namespace {

int Fail(const std::string& text) {
    std::fprintf(stderr, "qarvel-table-shot: %s\n", text.c_str());
    return 1;
}

constexpr const char* kUsage =
    "usage: qarvel-table-shot DATA GAME --deal N --size WxH [--labels] --out PNG";

}  // namespace

int main(int argc, char** argv) {
    std::string data, gameName, out;
    std::int32_t deal = 0;
    int width = 0, height = 0;
    bool labels = false;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--deal" && i + 1 < argc) {
            const std::string text = argv[++i];
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), deal);
            if (ec != std::errc{} || end != text.data() + text.size()) deal = 0;
        } else if (word == "--size" && i + 1 < argc) {
            if (std::sscanf(argv[++i], "%dx%d", &width, &height) != 2) width = height = 0;
        } else if (word == "--out" && i + 1 < argc) {
            out = argv[++i];
        } else if (word == "--labels") {
            labels = true;
        } else if (data.empty() && word.rfind("--", 0) != 0) {
            data = word;
        } else if (gameName.empty() && word.rfind("--", 0) != 0) {
            gameName = word;
        } else {
            return Fail(kUsage);
        }
    }
    if (data.empty() || gameName.empty() || out.empty() || deal < 1 || width < 1 || height < 1) {
        return Fail(kUsage);
    }
    const clCatalogueRow* row = LookUpVariant(gameName, true);
    if (!row) return Fail("no game " + gameName);
    PrepareOffscreen();
    QGuiApplication app(argc, argv);

    try {
        clHeadlessMessages messages(true);
        clCardSetList catalogue;
        catalogue.Build(data, {});
        if (catalogue.Count() == 0) return Fail("no card-set file in " + data);
        clDisplayOptions options;
        clDisplay display(options, catalogue, messages);
        if (!display.Create(width, height)) return Fail("the display cannot be made");
        clDisplayTarget target(display);
        clCache cache(data);
        clImage strip;
        const clRect& r = clInterfaceLayout::kKeyLabels;
        if (cache.GetInterfaceImage(strip, r.left, r.top, r.Width(), r.Height(), messages)) {
            target.SetLabelStrip(&strip);
        }

        std::unique_ptr<clSolitaireType> screen = CreateVariant(row->displayName);
        auto* game = dynamic_cast<clSolitaireRules*>(screen.get());
        if (!game) return Fail("the game cannot be made");
        display.SetLayout(game->TableWidth(), game->TableHeight());
        game->Graphics().SetShowKeyLabels(labels);
        game->Graphics().Attach(&target);
        game->StartRound(deal);
        game->DrawTable();

        const clImage& pixels = display.Screen();
        clImage shown;
        if (!shown.CreateImage(display.VirtualWidth(), display.VirtualHeight())) {
            return Fail("the picture cannot be made");
        }
        shown.Copy(pixels, {0, 0}, {0, 0, display.VirtualWidth(), display.VirtualHeight()});
        shown.FillAlpha(255);  // the screen's alpha is not shown
        if (!ToQImage(shown).save(QString::fromStdString(out), "PNG")) {
            return Fail("cannot write " + out);
        }
    } catch (const clOperationError& error) {
        return Fail(error.what());
    }
    return 0;
}
