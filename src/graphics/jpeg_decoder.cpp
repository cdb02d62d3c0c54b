#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>

#include "graphics/image.h"
#include "graphics/picture_decoders.h"

namespace {

// A progressive file may hold any number of scans, and each costs a pass
// over the whole picture; real files have a few dozen at most.
constexpr int kMaxScans = 1000;

struct clJpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void OnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<clJpegError*>(info->err)->jump, 1);
}

void OnMessage(j_common_ptr info, int level) {
    auto* error = reinterpret_cast<clJpegError*>(info->err);
    // The data source reports the end of the bytes and would pad with an end
    // marker: such a picture is incomplete and refused at once, not decoded
    // on to its stated size (seconds for a few hundred bytes claiming
    // millions of pixels).
    if (level < 0 && error->manager.msg_code == JWRN_JPEG_EOF) OnError(info);
}

void OnProgress(j_common_ptr info) {
    auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number > kMaxScans) OnError(info);
}

// libjpeg reports errors by a long jump back into the frame that set it. The
// reader keeps every object with a destructor outside the frames that set
// the jump, so the jump skips none.
class clJpegReader {
public:
    explicit clJpegReader(std::span<const std::uint8_t> bytes) : bytes(bytes) {
        info.err = jpeg_std_error(&error.manager);
        error.manager.error_exit = OnError;
        error.manager.emit_message = OnMessage;
        progress.progress_monitor = OnProgress;
    }
    ~clJpegReader() {
        if (created) jpeg_destroy_decompress(&info);
    }
    clJpegReader(const clJpegReader&) = delete;
    clJpegReader& operator=(const clJpegReader&) = delete;

    bool ReadHeader(std::uint32_t& width, std::uint32_t& height) {
        if (setjmp(error.jump)) return false;
        jpeg_create_decompress(&info);
        created = true;
        info.progress = &progress;
        jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
        if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
        width = info.image_width;
        height = info.image_height;
        return true;
    }

    bool ReadRows(clImage& picture) {
        if (setjmp(error.jump)) return false;
        // Grey and YCbCr pictures come out as red, green, blue; four-channel
        // (CMYK) pictures have no such conversion and fail here.
        info.out_color_space = JCS_RGB;
        jpeg_start_decompress(&info);
        if (info.output_components != 3 || static_cast<int>(info.output_width) != picture.Width() ||
            static_cast<int>(info.output_height) != picture.Height()) {
            return false;
        }
        while (info.output_scanline < info.output_height) {
            std::uint8_t* row = picture.Row(static_cast<int>(info.output_scanline));
            // Decode into the right-hand three quarters of the row, then
            // spread the colours out from the left; the write never passes
            // the read.
            JSAMPROW target = row + picture.Width();
            jpeg_read_scanlines(&info, &target, 1);
            for (int x = 0; x < picture.Width(); ++x) {
                const std::uint8_t* s = target + 3 * x;
                const std::uint8_t r = s[0], g = s[1], b = s[2];
                std::uint8_t* d = row + 4 * x;
                d[0] = b, d[1] = g, d[2] = r, d[3] = 255;
            }
        }
        jpeg_finish_decompress(&info);
        return true;
    }

private:
    std::span<const std::uint8_t> bytes;
    jpeg_decompress_struct info{};
    clJpegError error{};
    jpeg_progress_mgr progress{};
    bool created = false;
};

}  // namespace

bool DecodeJpeg(std::span<const std::uint8_t> file, clImage& picture) {
    if (file.empty()) return false;
    clJpegReader reader(file);
    std::uint32_t width = 0, height = 0;
    if (!reader.ReadHeader(width, height)) return false;
    if (!clImage::IsValidSize(width, height)) return false;
    clImage decoded;
    if (!decoded.CreateImage(static_cast<int>(width), static_cast<int>(height))) return false;
    if (!reader.ReadRows(decoded)) return false;
    picture = std::move(decoded);
    return true;
}
