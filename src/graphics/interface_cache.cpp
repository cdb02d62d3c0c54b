#include "graphics/interface_cache.h"

#include "toolkit/file.h"
#include "toolkit/operation_error.h"

bool clCache::GetInterfaceImage(clImage& view, int x, int y, int width, int height,
                                clMessages& messages) {
    if (image.IsEmpty()) {
        const std::filesystem::path path = folder / fileName;
        if (!FileExists(path) && quietFailure) {
            quietFailure = false;
            return false;
        }
        if (!image.LoadFile(path.string(), messages)) throw clOperationError("clImage::LoadFile");
    }
    if (width == 0) width = image.Width() - x;
    if (height == 0) height = image.Height() - y;
    if (x < 0 || y < 0 || x > image.Width() || y > image.Height() || width < 1 || height < 1 ||
        width > image.Width() || height > image.Height()) {
        return false;
    }
    return view.SetView(image, {x, y, x + width, y + height});
}
