// PNG and JPEG pictures from files nobody here wrote: PngSuite, a photograph,
// and JPEGs made from it at test time, each compared pixel for pixel with
// the netpbm, ImageMagick and libjpeg-turbo command-line decoders.
#include <algorithm>
#include <array>

#include <gtest/gtest.h>

#include "graphics/image.h"
#include "graphics/interface_cache.h"
#include "graphics/picture_decoders.h"
#include "support/picture_files.h"
#include "toolkit/messages.h"
#include "toolkit/operation_error.h"

namespace {

namespace fs = std::filesystem;

// PNG's CRC-32, to make chunks by hand.
std::uint32_t Crc(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = crc & 1 ? 0xEDB88320 ^ (crc >> 1) : crc >> 1;
    }
    return ~crc;
}

void PutBig32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    for (int i = 3; i >= 0; --i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A PNG signature and a well-formed header chunk claiming the given size,
// followed by nothing.
std::vector<std::uint8_t> PngHeaderOnly(std::uint32_t width, std::uint32_t height) {
    std::vector<std::uint8_t> b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutBig32(b, 13);
    const std::size_t start = b.size();
    b.insert(b.end(), {'I', 'H', 'D', 'R'});
    PutBig32(b, width);
    PutBig32(b, height);
    b.insert(b.end(), {8, 6, 0, 0, 0});  // 8-bit colour with alpha
    PutBig32(b, Crc(b.data() + start, b.size() - start));
    return b;
}

// A PNG file without its chunks of the given name (each chunk carries its own
// checksum, so the rest stays valid).
std::vector<std::uint8_t> WithoutChunk(const std::vector<std::uint8_t>& png, const char* name) {
    std::vector<std::uint8_t> out(png.begin(), png.begin() + 8);
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::size_t size = static_cast<std::size_t>(png[at]) << 24 | png[at + 1] << 16 |
                                 png[at + 2] << 8 | png[at + 3];
        const std::size_t end = std::min(png.size(), at + 12 + size);
        if (!std::equal(name, name + 4, png.begin() + static_cast<long>(at) + 4)) {
            out.insert(out.end(), png.begin() + static_cast<long>(at),
                       png.begin() + static_cast<long>(end));
        }
        at = end;
    }
    return out;
}

// Compares a decoded picture with reference colours and alpha values.
void ExpectSamePixels(const clImage& picture, const clPnm& colour,
                      const std::vector<std::uint8_t>* alpha) {
    ASSERT_TRUE(colour.ok);
    ASSERT_EQ(picture.Width(), colour.width);
    ASSERT_EQ(picture.Height(), colour.height);
    if (alpha) {
        ASSERT_EQ(alpha->size(), colour.samples.size() / colour.channels);
    }
    int differences = 0;
    for (int y = 0; y < colour.height; ++y) {
        for (int x = 0; x < colour.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * colour.width + x;
            const std::uint8_t* c = &colour.samples[i * colour.channels];
            const std::uint8_t red = c[0];
            const std::uint8_t green = colour.channels == 3 ? c[1] : c[0];
            const std::uint8_t blue = colour.channels == 3 ? c[2] : c[0];
            const std::uint8_t a = alpha ? (*alpha)[i] : 255;
            const std::uint8_t* p = picture.At(x, y);
            differences += p[0] != blue || p[1] != green || p[2] != red || p[3] != a;
        }
    }
    EXPECT_EQ(differences, 0);
}

std::vector<fs::path> SuiteFiles(bool corrupted) {
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(PngSuiteFolder(), error)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".png" && (name[0] == 'x') == corrupted) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

class PngSuiteTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::is_directory(PngSuiteFolder())) {
            GTEST_SKIP() << "PngSuite not found at " << PngSuiteFolder()
                         << " (libsixel-examples; scripts/install-deps installs it)";
        }
        convert = FindTool("convert");
        if (FindTool("pngtopnm").empty() || convert.empty()) {
            GTEST_SKIP() << "netpbm or ImageMagick is not installed (scripts/install-deps)";
        }
    }
    std::string convert;
    clTempFolder folder;
    clHeadlessMessages messages;
};

// The colours come from netpbm, which would narrow the samples of files with
// an sBIT chunk, so it reads a copy without; the alpha values come from
// ImageMagick (netpbm misses the transparent colour of grey and colour
// pictures, and ImageMagick's colours are gamma-corrected).
TEST_F(PngSuiteTest, EveryValidFileMatchesTheReferenceDecoders) {
    const std::vector<fs::path> files = SuiteFiles(false);
    ASSERT_GT(files.size(), 100u);
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        const fs::path plain = folder / "plain.png";
        const fs::path colour = folder / "colour.pnm";
        const fs::path alpha = folder / "alpha.gray";
        WriteBytes(plain, WithoutChunk(ReadBytes(file), "sBIT"));
        ASSERT_TRUE(RunCommand("/usr/bin/pngtopnm " + Quoted(plain) + " > " + Quoted(colour)));
        ASSERT_TRUE(RunCommand(convert + " " + Quoted(file) +
                               " -alpha extract -endian MSB -depth 16 gray:" + Quoted(alpha)));
        std::vector<std::uint8_t> alphaValues;
        const std::vector<std::uint8_t> wide = ReadBytes(alpha);
        for (std::size_t i = 0; i < wide.size(); i += 2)
            alphaValues.push_back(wide[i]);

        clImage picture;
        ASSERT_TRUE(picture.LoadFile(file.string(), messages));
        ExpectSamePixels(picture, ReadPnm(colour), &alphaValues);
    }
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(PngSuiteTest, CorruptedFilesAreRefusedQuietly) {
    const std::vector<fs::path> files = SuiteFiles(true);
    ASSERT_GE(files.size(), 10u);
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        clImage picture = SolidPicture(1, 1, 0xFF123456);
        EXPECT_FALSE(picture.LoadFile(file.string(), messages));
        EXPECT_EQ(picture.PixelValue(0, 0), 0xFF123456u);
    }
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(PngSuiteTest, TruncatedFilesAreRefused) {
    const std::vector<std::uint8_t> whole = ReadBytes(PngSuiteFolder() / "basic" / "basn6a08.png");
    ASSERT_GT(whole.size(), 100u);
    for (const std::size_t size : {std::size_t{0}, std::size_t{7}, std::size_t{8}, std::size_t{33},
                                   whole.size() / 2, whole.size() - 13}) {
        SCOPED_TRACE(size);
        std::vector<std::uint8_t> part(whole.begin(), whole.begin() + static_cast<long>(size));
        clImage picture;
        EXPECT_FALSE(DecodePng(part, picture));
        EXPECT_TRUE(picture.IsEmpty());
    }
    // A header promising far more pixels than the file could hold is refused
    // before anything is allocated for them.
    for (const auto& [w, h] : {std::pair{16000u, 4000u}, std::pair{1u << 30, 1u}}) {
        clImage picture;
        EXPECT_FALSE(DecodePng(PngHeaderOnly(w, h), picture));
    }
}

// The interface image is a PNG file read once and handed out as views.
TEST_F(PngSuiteTest, TheInterfaceCacheHandsOutViewsOfTheInterfaceImage) {
    clCache cache(folder.Path());
    clImage view;
    // The first miss is quiet (the shell then looks in the installation
    // folder); a later one is fatal.
    EXPECT_FALSE(cache.GetInterfaceImage(view, 0, 0, 10, 10, messages));
    EXPECT_THROW(cache.GetInterfaceImage(view, 0, 0, 10, 10, messages), clOperationError);

    fs::copy_file(PngSuiteFolder() / "basic" / "basn6a08.png", folder / "qarvel.iface");
    ASSERT_TRUE(cache.GetInterfaceImage(view, 16, 8, 0, 0, messages));
    EXPECT_EQ(view.Width(), 16);  // to the right and bottom edges of the 32 x 32 image
    EXPECT_EQ(view.Height(), 24);
    EXPECT_FALSE(view.OwnsPixels());
    clImage whole;
    ASSERT_TRUE(whole.LoadFile((folder / "qarvel.iface").string(), messages));
    EXPECT_EQ(view.PixelValue(3, 4), whole.PixelValue(19, 12));

    EXPECT_FALSE(cache.GetInterfaceImage(view, 30, 0, 5, 5, messages));
    EXPECT_FALSE(cache.GetInterfaceImage(view, 40, 0, 0, 0, messages));
    EXPECT_FALSE(cache.GetInterfaceImage(view, 0, 0, 2147483647, 1, messages));
    EXPECT_TRUE(messages.Texts().empty());
}

class JpegTest : public ::testing::Test {
protected:
    void SetUp() override {
        photo = SampleImagesFolder() / "egret.jpg";
        if (!fs::exists(photo)) GTEST_SKIP() << "libsixel-examples is not installed";
        if (FindTool("djpeg").empty() || FindTool("cjpeg").empty()) {
            GTEST_SKIP() << "libjpeg-turbo-progs is not installed";
        }
    }
    clPnm Reference(const fs::path& jpeg) {
        const fs::path out = folder / "reference.pnm";
        EXPECT_TRUE(RunCommand("/usr/bin/djpeg -pnm " + Quoted(jpeg) + " > " + Quoted(out)));
        return ReadPnm(out);
    }
    fs::path photo;
    clTempFolder folder;
    clHeadlessMessages messages;
};

TEST_F(JpegTest, ColourAndGreyPicturesMatchTheLibjpegDecode) {
    const fs::path grey = folder / "grey.jpg";
    ASSERT_TRUE(RunCommand("/usr/bin/djpeg -pnm " + Quoted(photo) +
                           " | /usr/bin/cjpeg -grayscale > " + Quoted(grey)));
    const fs::path progressive = folder / "progressive.jpeg";
    ASSERT_TRUE(RunCommand("/usr/bin/djpeg -pnm " + Quoted(photo) +
                           " | /usr/bin/cjpeg -progressive > " + Quoted(progressive)));
    for (const fs::path& file : {photo, grey, progressive}) {
        SCOPED_TRACE(file.filename().string());
        const clPnm reference = Reference(file);
        EXPECT_EQ(reference.channels, file == grey ? 1 : 3);
        clImage picture;
        ASSERT_TRUE(picture.LoadFile(file.string(), messages));
        ExpectSamePixels(picture, reference, nullptr);
    }
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(JpegTest, TheExtensionIsComparedWithoutRegardToCase) {
    const fs::path upper = folder / "EGRET.JPG";
    fs::copy_file(photo, upper);
    clImage picture;
    EXPECT_TRUE(picture.LoadFile(upper.string(), messages));
}

TEST_F(JpegTest, DamagedPicturesAreRefusedQuietly) {
    const std::vector<std::uint8_t> whole = ReadBytes(photo);
    std::vector<std::vector<std::uint8_t>> damaged = {
        {},
        {0xFF, 0xD8},
        std::vector<std::uint8_t>(whole.begin(), whole.begin() + 200),
        std::vector<std::uint8_t>(whole.begin(), whole.begin() + whole.size() / 2),
        std::vector<std::uint8_t>(whole.begin(), whole.end() - 2),  // no end marker
    };
    std::vector<std::uint8_t> noise = whole;
    for (std::size_t i = 600; i < noise.size(); i += 97)
        noise[i] ^= 0x5A;
    damaged.push_back(noise);
    for (std::size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(i);
        clImage picture = SolidPicture(1, 1, 0xFF123456);
        const bool decoded = DecodeJpeg(damaged[i], picture);
        // Bit noise may still decode to some picture; it must never crash or
        // read outside the bytes. Every cut file is refused.
        if (i < 5) {
            EXPECT_FALSE(decoded);
            EXPECT_EQ(picture.PixelValue(0, 0), 0xFF123456u);
        }
    }

    clImage picture;

    // Four-channel (CMYK) pictures have no colour conversion here.
    const std::string convert = FindTool("convert");
    if (!convert.empty()) {
        const fs::path cmyk = folder / "cmyk.jpg";
        ASSERT_TRUE(
            RunCommand(convert + " " + Quoted(photo) + " -colorspace CMYK " + Quoted(cmyk)));
        EXPECT_FALSE(picture.LoadFile(cmyk.string(), messages));
    }
    EXPECT_TRUE(messages.Texts().empty());
}

}  // namespace
