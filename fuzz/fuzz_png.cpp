// PNG pictures: picture files chosen by the player and the interface images
// (".iface"), whose pictures are cut out of the image at fixed places.
#include <vector>

#include "fuzz_support.h"
#include "graphics/image.h"
#include "graphics/interface_cache.h"
#include "graphics/interface_layout.h"
#include "graphics/picture_decoders.h"
#include "support/temp_folder.h"
#include "toolkit/messages.h"
#include "toolkit/operation_error.h"

namespace {

// Every picture the window takes from the interface image, from a file of
// these bytes; views only of rectangles inside the image.
void CutInterface(std::span<const std::uint8_t> bytes, const clImage& decoded) {
    static clTempFolder folder;
    WriteFuzzFile(folder.Path() / clCache::kInterfaceFile, bytes);
    namespace layout = clInterfaceLayout;
    std::vector<clRect> rects = {layout::kSplash,    layout::kAbout, layout::kBackgroundTile,
                                 layout::kKeyLabels, layout::kPause, {0, 0, 0, 0},
                                 {10, 20, 10, 20}};
    for (int filter = 0; filter < layout::kFilterCount; ++filter)
        for (int state = 0; state < layout::kFilterStates; ++state)
            rects.push_back(layout::FilterButton(filter, state));
    for (int tool = 0; tool < layout::kToolCount; ++tool)
        rects.push_back(layout::ToolPicture(tool));

    clCache cache(folder.Path());
    clHeadlessMessages messages;
    for (const clRect& rect : rects) {
        clImage view;
        try {
            if (!cache.GetInterfaceImage(view, rect.left, rect.top, rect.Width(), rect.Height(),
                                         messages)) {
                continue;
            }
        } catch (const clOperationError&) {
            FUZZ_CHECK(false);  // the same bytes decoded above
        }
        FUZZ_CHECK(view.Width() <= decoded.Width() && view.Height() <= decoded.Height());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    clImage picture;
    if (!DecodePng({data, size}, picture)) {
        FUZZ_CHECK(picture.IsEmpty());
        return 0;
    }
    FUZZ_CHECK(clImage::IsValidSize(picture.Width(), picture.Height()));
    CutInterface({data, size}, picture);
    return 0;
}
