// The window tests run real widgets on Qt's offscreen platform: no display
// server, no sound device.
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// The offscreen screen is 800 x 800 device pixels. Under QT_SCALE_FACTOR=2
// that leaves a desktop of 400 x 400, smaller than the windows the tests
// open, where no dialog fits; a HiDPI screen has a desktop of the usual size
// in more device pixels. The screen grows by the factor, so that the tests
// see the same desktop at every factor. Returns the screen's file, if one
// was written.
std::filesystem::path ScreenForScaleFactor() {
    const char* factor = std::getenv("QT_SCALE_FACTOR");
    const double scale = factor ? std::atof(factor) : 1.0;
    if (!(scale > 1.0 && scale <= 4.0)) return {};
    const int side = static_cast<int>(800 * scale + 0.5);
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("qarvel-window-tests-" + std::to_string(getpid()) + ".json");
    std::ofstream out(file);
    out << R"({"screens": [{"name": "scaled", "x": 0, "y": 0, "width": )" << side
        << R"(, "height": )" << side << "}]}\n";
    if (!out.flush()) return {};
    setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + file.string()).c_str(), 1);
    return file;
}

}  // namespace

int main(int argc, char** argv) {
    // Options given to the offscreen platform (a screen's size for pictures,
    // "offscreen:configfile=screen.json") are kept.
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    std::filesystem::path screen;
    if (!platform || std::string_view(platform).substr(0, 10) != "offscreen:") {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        screen = ScreenForScaleFactor();
    }
    QApplication app(argc, argv);
    // The platform has read its screen.
    if (!screen.empty()) {
        std::error_code ignored;
        std::filesystem::remove(screen, ignored);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
