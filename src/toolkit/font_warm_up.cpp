#include "toolkit/font_warm_up.h"

#include <fontconfig/fontconfig.h>

std::jthread WarmUpFonts() {
    return std::jthread([] { FcInit(); });
}
