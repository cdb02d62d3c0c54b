#include "toolkit/font_warm_up.h"

#include <system_error>

#include <fontconfig/fontconfig.h>

std::jthread WarmUpFonts() {
    try {
        return std::jthread([] { FcInit(); });
    } catch (const std::system_error&) {
        return {};  // no thread to spare: the first text reads the configuration
    }
}
