// The window tests run real widgets on Qt's offscreen platform: no display
// server, no sound device.
#include <QApplication>
#include <cstdlib>
#include <string_view>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Options given to the offscreen platform (a screen's size for pictures,
    // "offscreen:configfile=screen.json") are kept.
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!platform || std::string_view(platform).substr(0, 10) != "offscreen:") {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
