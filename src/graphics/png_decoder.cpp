#include <csetjmp>
#include <vector>

#include <png.h>

#include "graphics/image.h"
#include "graphics/picture_decoders.h"

namespace {

// Deflate cannot compress better than about 1032 to 1: a header promising
// more pixel bytes than that from the file's size is a lie, refused before
// the picture is made.
constexpr std::uint64_t kMaxInflation = 1100;

// libpng reports errors by a long jump back into the frame that set it. The
// reader keeps every object with a destructor outside the frames that set
// the jump, so the jump skips none.
class clPngReader {
public:
    explicit clPngReader(std::span<const std::uint8_t> bytes) : bytes(bytes) {
        png = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, OnError, OnWarning);
        if (png) info = png_create_info_struct(png);
    }
    ~clPngReader() {
        if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    }
    clPngReader(const clPngReader&) = delete;
    clPngReader& operator=(const clPngReader&) = delete;

    // Reads the header and sets the transforms that give four bytes a pixel
    // in blue, green, red, alpha order.
    bool ReadHeader(std::uint32_t& width, std::uint32_t& height, std::uint64_t& rawBytes) {
        if (png == nullptr || info == nullptr) return false;
        if (setjmp(png_jmpbuf(png))) return false;
        png_set_user_limits(png, clImage::kMaxSide, clImage::kMaxSide);
        // Only the chunks the picture needs are read; the others (texts,
        // profiles, times) are skipped unread, since libpng would make room
        // for whatever length such a chunk states, gigabytes included.
        png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
        png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_AS_DEFAULT,
                                    reinterpret_cast<png_const_bytep>("tRNS"), 1);
        png_set_read_fn(png, this, OnRead);
        png_read_info(png, info);
        width = png_get_image_width(png, info);
        height = png_get_image_height(png, info);
        const int depth = png_get_bit_depth(png, info);
        const int channels = png_get_channels(png, info);
        rawBytes = (std::uint64_t{width} * channels * depth + 7) / 8 * height;

        png_set_strip_16(png);
        png_set_packing(png);
        png_set_expand(png);  // palette to colour, small grey to 8 bits, tRNS to alpha
        png_set_gray_to_rgb(png);
        png_set_filler(png, 0xff, PNG_FILLER_AFTER);
        png_set_bgr(png);
        passes = png_set_interlace_handling(png);
        png_read_update_info(png, info);
        return png_get_rowbytes(png, info) == std::size_t{width} * 4;
    }

    bool ReadRows(png_bytep* rows) {
        if (setjmp(png_jmpbuf(png))) return false;
        png_read_image(png, rows);
        png_read_end(png, nullptr);
        return true;
    }

private:
    static void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
    static void OnWarning(png_structp, png_const_charp) {}
    static void OnRead(png_structp png, png_bytep out, png_size_t count) {
        auto* reader = static_cast<clPngReader*>(png_get_io_ptr(png));
        if (count > reader->bytes.size() - reader->position) png_error(png, "read past the end");
        std::copy_n(reader->bytes.data() + reader->position, count, out);
        reader->position += count;
    }

    std::span<const std::uint8_t> bytes;
    std::size_t position = 0;
    png_structp png = nullptr;
    png_infop info = nullptr;
    int passes = 1;
};

}  // namespace

bool DecodePng(std::span<const std::uint8_t> file, clImage& picture) {
    if (file.size() < 8 || png_sig_cmp(file.data(), 0, 8) != 0) return false;
    clPngReader reader(file);
    std::uint32_t width = 0, height = 0;
    std::uint64_t rawBytes = 0;
    if (!reader.ReadHeader(width, height, rawBytes)) return false;
    if (!clImage::IsValidSize(width, height) || rawBytes > file.size() * kMaxInflation) {
        return false;
    }
    clImage decoded;
    if (!decoded.CreateImage(static_cast<int>(width), static_cast<int>(height))) return false;
    std::vector<png_bytep> rows(height);
    for (std::uint32_t y = 0; y < height; ++y)
        rows[y] = decoded.Row(static_cast<int>(y));
    if (!reader.ReadRows(rows.data())) return false;
    picture = std::move(decoded);
    return true;
}
