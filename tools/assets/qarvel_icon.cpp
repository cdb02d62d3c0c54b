// qarvel-icon: draws the program's icon at one size.
//
//   qarvel-icon --size N --out FILE
//
// Writes a square PNG picture of N pixels (8 to 1024) for the desktop's icon
// theme folders.
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "assets/app_icon.h"
#include "assets/offscreen.h"

int main(int argc, char** argv) {
    std::string sizeText, out;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string word = argv[i];
        if (word == "--size") {
            sizeText = argv[i + 1];
        } else if (word == "--out") {
            out = argv[i + 1];
        }
    }
    char* end = nullptr;
    const long size = sizeText.empty() ? 0 : std::strtol(sizeText.c_str(), &end, 10);
    if (argc != 5 || out.empty() || !end || *end != '\0' || size < 8 || size > 1024) {
        std::fprintf(stderr, "usage: qarvel-icon --size N --out FILE (N from 8 to 1024)\n");
        return 2;
    }
    PrepareOffscreen();
    QGuiApplication app(argc, argv);
    if (!PaintAppIcon(static_cast<int>(size)).save(QString::fromStdString(out), "PNG")) {
        std::fprintf(stderr, "qarvel-icon: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
