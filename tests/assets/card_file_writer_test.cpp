#include "assets/card_file_writer.h"

#include <cstring>

#include <gtest/gtest.h>

#include "assets/bmp_file.h"
#include "assets/card_file_reader.h"

namespace {

clPicture Filled(int width, int height, std::uint8_t b, std::uint8_t g, std::uint8_t r,
                 std::uint8_t a) {
    clPicture picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = picture.At(x, y);
            p[0] = b;
            p[1] = g;
            p[2] = r;
            p[3] = a;
        }
    }
    return picture;
}

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    std::uint32_t v = 0;
    std::memcpy(&v, &bytes[at], 4);
    return v;
}

TEST(BmpFileTest, WritesBottomUpRowsPaddedToFourBytes) {
    clPicture picture = Filled(3, 2, 0, 0, 0, 255);
    picture.At(0, 0)[2] = 200;  // top-left pixel red
    const std::vector<std::uint8_t> bmp = EncodeBmp(picture, 24);
    ASSERT_EQ(bmp.size(), 54u + 2 * 12);  // 3 pixels x 3 bytes, padded to 12
    EXPECT_EQ(U32At(bmp, 2), bmp.size());
    EXPECT_EQ(U32At(bmp, 10), 54u);
    EXPECT_EQ(U32At(bmp, 22), 2u);  // positive height: bottom-up
    // The top row is the second row in the file.
    EXPECT_EQ(bmp[54 + 12 + 2], 200);
    EXPECT_EQ(bmp[54 + 2], 0);
}

TEST(BmpFileTest, TwentyFourBitsKeyTransparencyAsMagenta) {
    clPicture picture = Filled(2, 1, 10, 20, 30, 255);
    picture.At(1, 0)[3] = 0;
    const std::vector<std::uint8_t> bmp = EncodeBmp(picture, 24);
    ASSERT_EQ(bmp.size(), 54u + 8);
    EXPECT_EQ(std::vector<std::uint8_t>(bmp.begin() + 54, bmp.begin() + 60),
              (std::vector<std::uint8_t>{10, 20, 30, 255, 0, 255}));
    clPicture back;
    ASSERT_TRUE(DecodeBmp(bmp.data(), bmp.size(), back));
    EXPECT_EQ(back.At(0, 0)[3], 255);
    EXPECT_EQ(back.At(1, 0)[3], 0);
}

TEST(BmpFileTest, RefusesWhatItCannotWrite) {
    EXPECT_TRUE(EncodeBmp(clPicture(), 32).empty());
    EXPECT_TRUE(EncodeBmp(Filled(2, 2, 0, 0, 0, 0), 16).empty());
}

TEST(CardFileWriterTest, LaysOutTheContainerAndReadsBack) {
    clCardFileWriter writer;
    writer.AddVersion(1, 2);
    writer.AddType(kOwnTransparency);
    writer.AddDescription("Test Set");
    std::vector<clPicture> pictures;
    for (int i = 0; i < 5; ++i)
        pictures.push_back(Filled(4, 6, 0, 0, static_cast<std::uint8_t>(i), 128));
    ASSERT_TRUE(writer.AddPictureSet(clCardFileTag::kBacks, pictures, 32, 2));
    const std::vector<std::uint8_t> bytes = writer.Bytes();

    // "DSQX", then the length of everything after the first eight bytes.
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "DSQX");
    EXPECT_EQ(U32At(bytes, 4), bytes.size() - 8);
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 12), "SREV");

    clCardFileReader reader;
    ASSERT_TRUE(reader.Parse(bytes)) << reader.Error();
    EXPECT_EQ(reader.Type(), kOwnTransparency);
    EXPECT_EQ(reader.Description(), "Test Set");
    ASSERT_EQ(reader.Count(clCardFileTag::kBacks), 1);
    clPictureSet set;
    ASSERT_TRUE(reader.ReadSet(clCardFileTag::kBacks, 0, set)) << reader.Error();
    ASSERT_EQ(set.pictures.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(set.pictures[i].At(3, 5)[2], i) << "picture " << i;
        EXPECT_EQ(set.pictures[i].At(0, 0)[3], 128);
    }
}

TEST(CardFileWriterTest, RefusesSetsItCannotLayOut) {
    clCardFileWriter writer;
    const std::vector<clPicture> mixed = {Filled(4, 6, 0, 0, 0, 255), Filled(4, 5, 0, 0, 0, 255)};
    EXPECT_FALSE(writer.AddPictureSet(clCardFileTag::kCards, mixed, 32, 14));
    EXPECT_FALSE(writer.AddPictureSet(clCardFileTag::kCards, {}, 32, 14));
    EXPECT_FALSE(writer.AddPictureSet(clCardFileTag::kCards, {Filled(4, 6, 0, 0, 0, 255)}, 8, 14));
    EXPECT_EQ(writer.Bytes().size(), 8u);
}

}  // namespace
