// BMP pictures: the table background, picture files chosen by the player and
// the bitmaps inside card-set files.
#include <algorithm>

#include "fuzz_support.h"
#include "graphics/bmp.h"
#include "graphics/image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    clImage picture;
    const clBitmapStatus status = DecodeBitmap({data, size}, picture);
    if (status != clBitmapStatus::Ok) {
        FUZZ_CHECK(picture.IsEmpty());
        return 0;
    }
    FUZZ_CHECK(clImage::IsValidSize(picture.Width(), picture.Height()));
    // What was read writes back and reads again as the same picture, at 32 bits.
    clImage again;
    FUZZ_CHECK(DecodeBitmap(EncodeBitmap(picture, 32), again) == clBitmapStatus::Ok);
    FUZZ_CHECK(again.Width() == picture.Width() && again.Height() == picture.Height());
    for (int y = 0; y < picture.Height(); ++y) {
        FUZZ_CHECK(std::equal(picture.Row(y), picture.Row(y) + 4 * picture.Width(), again.Row(y)));
    }
    return 0;
}
