// qarvel-iface: draws the two interface images.
//
//   qarvel-iface --fonts DIR --out DIR
//
// Writes qarvel.iface (the chooser's filter buttons, the splash and About
// pictures, the chooser's background tile, the keyboard labels, the pause
// picture and the tool bar pictures) and qarvel_help.iface (the Help Center),
// both PNG files laid out as graphics/interface_layout.h says, and the
// default table background qarvel.bmp, a 24-bit BMP file.
#include <QGuiApplication>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "assets/iface_painter.h"
#include "assets/offscreen.h"
#include "assets/qt_image.h"
#include "graphics/bmp.h"

int main(int argc, char** argv) {
    std::string fontFolder, out;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string word = argv[i];
        if (word == "--fonts") {
            fontFolder = argv[i + 1];
        } else if (word == "--out") {
            out = argv[i + 1];
        }
    }
    if (argc != 5 || fontFolder.empty() || out.empty()) {
        std::fprintf(stderr, "usage: qarvel-iface --fonts DIR --out DIR\n");
        return 2;
    }
    PrepareOffscreen();
    QGuiApplication app(argc, argv);
    clFonts fonts;
    QString error;
    if (!fonts.Load(fontFolder, {kTitleFont, kLabelFont, kTextFont, kCardFont}, error)) {
        std::fprintf(stderr, "qarvel-iface: %s\n", qPrintable(error));
        return 1;
    }
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    const std::filesystem::path folder = out;
    const struct {
        QImage image;
        const char* name;
    } files[] = {{PaintInterfaceImage(fonts), "qarvel.iface"},
                 {PaintHelpCenterImage(fonts), "qarvel_help.iface"}};
    for (const auto& file : files) {
        const std::string path = (folder / file.name).string();
        if (!file.image.save(QString::fromStdString(path), "PNG")) {
            std::fprintf(stderr, "qarvel-iface: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    clImage background;
    if (!ToImage(PaintTableBackground(), background)) return 1;
    const std::vector<std::uint8_t> table = EncodeBitmap(background, 24);
    const std::string tablePath = (folder / "qarvel.bmp").string();
    std::ofstream file(tablePath, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(table.data()),
               static_cast<std::streamsize>(table.size()));
    if (!file.flush()) {
        std::fprintf(stderr, "qarvel-iface: cannot write %s\n", tablePath.c_str());
        return 1;
    }
    return 0;
}
