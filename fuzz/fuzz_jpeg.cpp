// JPEG pictures: picture files chosen by the player.
#include "fuzz_support.h"
#include "graphics/image.h"
#include "graphics/picture_decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    clImage picture;
    if (!DecodeJpeg({data, size}, picture)) {
        FUZZ_CHECK(picture.IsEmpty());
        return 0;
    }
    FUZZ_CHECK(clImage::IsValidSize(picture.Width(), picture.Height()));
    return 0;
}
