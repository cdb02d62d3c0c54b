#include "graphics/card_set.h"

#include <gtest/gtest.h>

#include "graphics/bmp.h"
#include "graphics/card_set_info.h"
#include "graphics/card_set_writer.h"
#include "graphics/chunk.h"
#include "support/card_set_files.h"
#include "support/picture_files.h"
#include "toolkit/messages.h"

namespace {

namespace fs = std::filesystem;

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

class CardSetTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const fs::path path = folder / name;
        WriteBytes(path, bytes);
        return path.string();
    }
    std::string Write(const std::string& name, const clCardSetWriter& writer) {
        return Write(name, writer.Bytes());
    }
    clTempFolder folder;
    clHeadlessMessages messages;
};

// Chunks of one kind are numbered in file order, whatever lies between them.
TEST_F(CardSetTest, SetsAreNumberedPerKindAcrossInterleavedChunks) {
    clCardSetWriter writer;
    writer.AddVersion(1, 2);
    AddSolidSets(writer, {{clTag::kCards, 56, 4, 6}, {clTag::kBacks, 2, 4, 6}});
    writer.AddChunk(0x4B4E554A, {1, 2, 3});  // an unknown chunk is skipped
    AddSolidSets(writer, {{clTag::kSymbols, 3, 4, 6}, {clTag::kCards, 57, 8, 12}});
    writer.AddType(1);
    AddSolidSets(writer, {{clTag::kBacks, 1, 8, 12}});
    const std::string path = Write("mixed.cards", writer);

    clCardSetInfo info;
    ASSERT_TRUE(info.Load(path, "mixed.cards"));
    EXPECT_EQ(info.CardSizes(), (std::vector<clPictureSize>{{4, 6}, {8, 12}}));
    EXPECT_EQ(info.BackSizes(), (std::vector<clPictureSize>{{4, 6}, {8, 12}}));
    EXPECT_EQ(info.SymbolSizes(), (std::vector<clPictureSize>{{4, 6}}));
    EXPECT_FALSE(info.CardSize(2));
    EXPECT_FALSE(info.BackSize(-1));

    clCardSet cards;
    ASSERT_TRUE(cards.Load(path, 1, messages));
    EXPECT_EQ(cards.Width(), 8);
    EXPECT_EQ(cards.Height(), 12);
    EXPECT_EQ(cards.Type(), 1u);
    EXPECT_EQ(cards.FaceCount(), 56);
    // Face j is picture j + 1; picture 0 is the mask.
    EXPECT_EQ(cards.Face(0)->PixelValue(7, 11), SetColour(clTag::kCards, 1));
    EXPECT_EQ(cards.Face(55)->PixelValue(0, 0), SetColour(clTag::kCards, 56));
    EXPECT_EQ(cards.Mask()->PixelValue(3, 3), SetColour(clTag::kCards, 0));
    EXPECT_EQ(cards.Face(56), nullptr);
    EXPECT_EQ(cards.Face(-1), nullptr);
    EXPECT_FALSE(cards.Face(3)->OwnsPixels());  // cut from the bitmap

    clCardBacks backs;
    ASSERT_TRUE(backs.Load(path, 1, messages));
    EXPECT_EQ(backs.Count(), 1);
    EXPECT_EQ(backs.Width(), 8);
    clCardSymbols symbols;
    ASSERT_TRUE(symbols.Load(path, 0, messages));
    EXPECT_EQ(symbols.Picture(2)->PixelValue(0, 0), SetColour(clTag::kSymbols, 2));
    EXPECT_EQ(symbols.Picture(3), nullptr);

    // Set numbers the file does not have fail without a message.
    EXPECT_FALSE(cards.Load(path, 2, messages));
    EXPECT_FALSE(cards.Load(path, -1, messages));
    EXPECT_FALSE(cards.Load("", 0, messages));
    EXPECT_FALSE(symbols.Load(path, 1, messages));
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_EQ(cards.Width(), 8);  // the loaded set stays
}

TEST_F(CardSetTest, ACardSetNeedsFiftySixPictures) {
    const std::string path = (folder / "counts.cards").string();
    WriteCardSetFile(path, {{clTag::kCards, 55, 2, 3}, {clTag::kCards, 56, 2, 3}});
    clCardSet cards;
    EXPECT_FALSE(cards.Load(path, 0, messages));
    EXPECT_EQ(cards.LastError(), "clCardSet::Load");
    ASSERT_TRUE(cards.Load(path, 1, messages));
    EXPECT_EQ(cards.FaceCount(), 55);
    EXPECT_EQ(cards.LastError(), "");
}

// Faces in a 24-bit bitmap whose top-left pixels are magenta, over a mask
// whose top-left pixel is black and next pixel near-black.
class TransparencyTest : public CardSetTest {
protected:
    std::string MakeFile(std::optional<std::uint32_t> type) {
        clImage mask = SolidPicture(3, 2, 0xFFFFFFFF);
        mask.At(0, 0)[0] = mask.At(0, 0)[1] = mask.At(0, 0)[2] = 0;
        mask.At(1, 0)[0] = mask.At(1, 0)[1] = 0, mask.At(1, 0)[2] = 1;
        clImage face = SolidPicture(3, 2, 0xFF2060A0);
        for (int x : {0, 1})
            face.At(x, 0)[0] = 255, face.At(x, 0)[1] = 0, face.At(x, 0)[2] = 255;
        std::vector<const clImage*> pictures(56, &face);
        pictures[0] = &mask;
        clCardSetWriter writer;
        if (type) writer.AddType(*type);
        writer.AddPictureSet(clTag::kCards, pictures, 24);
        writer.AddPictureSet(clTag::kBacks, {&face, &face}, 24);
        return Write("transparency.cards", writer);
    }
};

TEST_F(TransparencyTest, TypeOneKeepsTheBitmapsOwnAlpha) {
    clCardSet cards;
    ASSERT_TRUE(cards.Load(MakeFile(1), 0, messages));
    EXPECT_EQ(cards.Face(10)->PixelValue(0, 0), 0x00808080u);  // the magenta key
    EXPECT_EQ(cards.Face(10)->PixelValue(1, 0), 0x00808080u);
    EXPECT_EQ(cards.Face(10)->PixelValue(2, 0), 0xFF2060A0u);
    EXPECT_EQ(cards.Mask()->PixelValue(0, 0), 0xFF000000u);  // black stays opaque

    clCardBacks backs;
    ASSERT_TRUE(backs.Load(MakeFile(1), 0, messages));
    backs.ApplyMask(*cards.Mask());
    EXPECT_EQ(backs.Picture(1)->PixelValue(2, 0), 0xFF2060A0u);
}

TEST_F(TransparencyTest, TypeZeroTakesTheMasksAlpha) {
    for (const auto type : {std::optional<std::uint32_t>(0), std::optional<std::uint32_t>()}) {
        SCOPED_TRACE(type ? "TYPE 0" : "no TYPE chunk");
        clCardSet cards;
        ASSERT_TRUE(cards.Load(MakeFile(type), 0, messages));
        EXPECT_EQ(cards.Mask()->PixelValue(0, 0), 0x00000000u);  // pure black turns transparent
        EXPECT_EQ(cards.Mask()->PixelValue(1, 0), 0xFF010000u);  // near-black stays
        for (int j : {0, 54}) {
            EXPECT_EQ(cards.Face(j)->PixelValue(0, 0), 0x00808080u);
            EXPECT_EQ(cards.Face(j)->PixelValue(1, 0), 0xFF808080u);  // the mask decides
            EXPECT_EQ(cards.Face(j)->PixelValue(2, 1), 0xFF2060A0u);
        }
        clCardBacks backs;
        ASSERT_TRUE(backs.Load(MakeFile(type), 0, messages));
        backs.ApplyMask(*cards.Mask());
        EXPECT_EQ(backs.Picture(1)->PixelValue(0, 0), 0x00808080u);
        EXPECT_EQ(backs.Picture(1)->PixelValue(1, 0), 0xFF808080u);
    }
}

// A valid one-set file with the CARD chunk first: payload at 16, N at 16,
// W at 20, H at 24, corners from 28, the bitmap at 28 + 8 * 56.
TEST_F(CardSetTest, DamagedFilesFailCleanlyAndKeepTheLoadedSet) {
    constexpr std::size_t kBitmap = 28 + 8 * 56;
    clCardSetWriter writer;
    AddSolidSets(writer, {{clTag::kCards, 56, 2, 2}});
    const std::vector<std::uint8_t> valid = writer.Bytes();

    using Mutate = void (*)(std::vector<std::uint8_t>&);
    struct Case {
        const char* what;
        Mutate mutate;
        const char* error;    // LastError(); nullptr: the load succeeds
        const char* message;  // the message shown, if any
    };
    const Case cases[] = {
        {"not a card-set file", [](auto& b) { b[0] = 'X'; }, "", "Unable to load card set"},
        {"empty file", [](auto& b) { b.clear(); }, "", "Unable to load card set"},
        {"only the file tag", [](auto& b) { b.resize(4); }, "", "Unable to load card set"},
        {"chunk area longer than the file", [](auto& b) { Put32(b, 4, 0xFFFFFFFF); }, nullptr,
         nullptr},
        {"chunk area shorter than its chunk", [](auto& b) { Put32(b, 4, 40); }, "", nullptr},
        {"chunk size past the end of the file", [](auto& b) { Put32(b, 12, 0xFFFFFFF0); }, "",
         nullptr},
        {"header cut short", [](auto& b) { Put32(b, 12, 8); }, "clCardSet::ReadHeader",
         "Unable to load card set"},
        {"55 pictures", [](auto& b) { Put32(b, 16, 55); }, "clCardSet::Load",
         "Unable to load card set"},
        {"negative count", [](auto& b) { Put32(b, 16, 0xFFFFFFFF); }, "clCardSet::Load",
         "Unable to load card set"},
        {"huge count", [](auto& b) { Put32(b, 16, 0x7FFFFFFF); }, "clCardSet::Load",
         "Unable to load card set"},
        {"more corners than the chunk holds", [](auto& b) { Put32(b, 16, 5000); },
         "clCardSet::Load", "Unable to load card set"},
        {"width 0", [](auto& b) { Put32(b, 20, 0); }, "clCardSet::Load", "Unable to load card set"},
        {"negative height", [](auto& b) { Put32(b, 24, 0xFFFFFFFE); }, "clCardSet::Load",
         "Unable to load card set"},
        {"absurd width", [](auto& b) { Put32(b, 20, 0x40000000); }, "clCardSet::Load",
         "Unable to load card set"},
        {"corner far outside the bitmap", [](auto& b) { Put32(b, 28 + 8 * 7, 0xFFFFFFFF); },
         "clCardSet::CreateCards", "Unable to load card set"},
        {"corner one pixel too far right", [](auto& b) { Put32(b, 28 + 8 * 12, 13 * 2 - 2 + 1); },
         "clCardSet::CreateCards", "Unable to load card set"},
        {"picture taller than the bitmap", [](auto& b) { Put32(b, 24, 9); },
         "clCardSet::CreateCards", "Unable to load card set"},
        {"bitmap rows past the chunk", [](auto& b) { Put32(b, kBitmap + 22, 1000); },
         "clCardSet::ReadBitmap", "Unable to load card set"},
        {"bitmap of two planes", [](auto& b) { b[kBitmap + 26] = 2; }, "clImage::LoadImage",
         "Invalid bitmap file data."},
    };
    const std::string good = Write("good.cards", valid);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::uint8_t> bytes = valid;
        c.mutate(bytes);
        const std::string path = Write("damaged.cards", bytes);
        clCardSet cards;
        ASSERT_TRUE(cards.Load(good, 0, messages));
        messages.Clear();
        const bool loaded = cards.Load(path, 0, messages);
        EXPECT_EQ(loaded, c.error == nullptr);
        if (c.error) {
            EXPECT_EQ(cards.LastError(), c.error);
        }
        if (c.message) {
            ASSERT_EQ(messages.Texts().size(), 1u);
            EXPECT_EQ(messages.Texts()[0].rfind(c.message, 0), 0u) << messages.Texts()[0];
        } else {
            EXPECT_TRUE(messages.Texts().empty());
        }
        // A failed load leaves the set it had.
        EXPECT_EQ(cards.FaceCount(), 55);
        EXPECT_EQ(cards.Face(54)->PixelValue(1, 1), SetColour(clTag::kCards, 55));
    }
    EXPECT_EQ(messages.Texts().size(), 1u);

    // The exact message names the file.
    messages.Clear();
    clCardSet cards;
    EXPECT_FALSE(cards.Load((folder / "missing.cards").string(), 0, messages));
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"Unable to load card set (" +
                                       (folder / "missing.cards").string() + ")."});
}

TEST_F(CardSetTest, AnUnreadableTypeChunkFailsTheLoad) {
    clCardSetWriter writer;
    writer.AddChunk(clTag::kType, {1, 0});
    AddSolidSets(writer, {{clTag::kBacks, 1, 2, 2}});
    clCardBacks backs;
    EXPECT_FALSE(backs.Load(Write("type.cards", writer), 0, messages));
    EXPECT_EQ(backs.LastError(), "clCardBacks::ReadType");
}

TEST_F(CardSetTest, ResizeResamplesEveryPictureUnderTheWaitCursor) {
    const std::string path = (folder / "resize.cards").string();
    WriteCardSetFile(path, {{clTag::kCards, 56, 15, 20}});
    clCardSet cards;
    ASSERT_TRUE(cards.Load(path, 0, messages));
    EXPECT_FALSE(cards.Resize(0, 12, messages));
    EXPECT_EQ(messages.Waits(), 0);
    ASSERT_TRUE(cards.Resize(9, 12, messages));
    EXPECT_EQ(messages.Waits(), 1);
    EXPECT_EQ(cards.Width(), 9);
    EXPECT_EQ(cards.Height(), 12);
    for (int i = 0; i < cards.Count(); ++i) {
        const clImage* picture = cards.Picture(i);
        ASSERT_EQ(picture->Width(), 9);
        EXPECT_TRUE(picture->OwnsPixels());
        // A solid picture stays close to its colour in the middle.
        const std::uint32_t expected = SetColour(clTag::kCards, i);
        const std::uint8_t* p = picture->At(4, 6);
        EXPECT_NEAR(p[1], (expected >> 8) & 0xFF, 3) << i;
    }
}

TEST_F(CardSetTest, InfoReadsDescriptionAndLevelAndRefusesDamage) {
    clCardSetWriter named;
    named.AddDescription("Classic");
    named.AddLevel(7);
    AddSolidSets(named, {{clTag::kSymbols, 1, 2, 2}});
    clCardSetInfo info;
    ASSERT_TRUE(info.Load(Write("named.cards", named), "named.cards"));
    EXPECT_EQ(info.Description(), "Classic");
    EXPECT_EQ(info.Level(), 7);
    EXPECT_EQ(info.CardSetCount(), 0);
    EXPECT_EQ(info.SymbolSetCount(), 1);

    clCardSetWriter plain;
    AddSolidSets(plain, {{clTag::kCards, 56, 2, 2}});
    ASSERT_TRUE(info.Load(Write("plain.cards", plain), "plain.cards"));
    EXPECT_EQ(info.Description(), "plain.cards");
    EXPECT_EQ(info.Level(), 0);

    // A long description is shown cut at a character boundary.
    std::string accents;
    for (int i = 0; i < 40; ++i)
        accents += "\xC3\xA9";  // e acute, two bytes
    clCardSetWriter wordy;
    wordy.AddDescription(accents);
    ASSERT_TRUE(info.Load(Write("wordy.cards", wordy), "wordy.cards"));
    EXPECT_EQ(info.ShownDescription(), accents.substr(0, 62));

    struct Case {
        const char* what;
        std::uint32_t tag;
        std::vector<std::uint8_t> payload;
        const char* error;
    };
    const Case cases[] = {
        {"description without its end",
         clTag::kDescription,
         {'a', 'b'},
         "clCardSetInfo::ReadDescription"},
        {"short level", clTag::kLevel, {1, 2}, "clChunk::ReadNumber"},
        {"short card header", clTag::kCards, {56, 0, 0, 0, 2, 0, 0, 0}, "clChunk::ReadNumber"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clCardSetWriter writer;
        writer.AddChunk(c.tag, c.payload);
        ASSERT_TRUE(info.Load(Write("named.cards", named), "named.cards"));
        EXPECT_FALSE(info.Load(Write("bad.cards", writer), "bad.cards"));
        EXPECT_EQ(info.LastError(), c.error);
        EXPECT_EQ(info.Path(), "");  // the record is left empty
        EXPECT_EQ(info.Level(), 0);
    }
}

TEST(CardSetListTest, TheCatalogueListsLoadableFilesOfTheInstallationFolderFirst) {
    clTempFolder install;
    clTempFolder extra;
    const std::vector<clSetSpec> sets = {{clTag::kCards, 56, 2, 2}};
    WriteCardSetFile(install / "b.cards", sets, std::nullopt, "Bee");
    WriteCardSetFile(install / "a.CARDS", sets);
    WriteCardSetFile(install / "old.dat", sets);
    WriteBytes(install / "junk.cards", {'n', 'o', 'p', 'e', 0, 0, 0, 0});
    WriteBytes(install / "notes.txt", {'x'});
    WriteCardSetFile(extra / "more.cards", sets, std::nullopt, "More");

    clCardSetList list;
    list.Build(install.Path(), {extra.Path(), install.Path(), extra.Path()});
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Entry(0).Path(), "a.CARDS");
    EXPECT_EQ(list.Entry(0).Description(), "a.CARDS");
    EXPECT_EQ(list.Entry(1).Description(), "Bee");
    EXPECT_EQ(list.Entry(2).Path(), "old.dat");
    EXPECT_EQ(list.Entry(3).Path(), (extra / "more.cards").string());
    EXPECT_EQ(list.FullPath("b.cards"), install / "b.cards");
    EXPECT_EQ(list.FullPath((extra / "more.cards").string()), extra / "more.cards");

    EXPECT_EQ(list.Find("A.cards"), 0);
    EXPECT_FALSE(list.Find("junk.cards"));
    for (const clCardFile which : {clCardFile::Cards, clCardFile::Backs, clCardFile::Symbols})
        EXPECT_EQ(list.CurrentIndex(which), 0);
    list.SelectFile(clCardFile::Backs, "OLD.DAT");
    list.SelectFile(clCardFile::Cards, "not-installed.cards");  // stays where it was
    EXPECT_EQ(list.CurrentIndex(clCardFile::Backs), 2);
    EXPECT_EQ(list.CurrentIndex(clCardFile::Cards), 0);
    EXPECT_EQ(list.Current(clCardFile::Backs)->Path(), "old.dat");

    EXPECT_EQ(list.Folders(), (std::vector<std::filesystem::path>{install.Path(), extra.Path()}));

    // Without card sets in the installation folder the player's own still
    // count; without any the catalogue is empty.
    clTempFolder empty;
    list.Build(empty.Path(), {extra.Path()});
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Entry(0).Description(), "More");
    list.Build(empty.Path(), {empty / "missing"});
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Current(clCardFile::Cards), nullptr);
    EXPECT_EQ(list.CurrentIndex(clCardFile::Cards), -1);
    // What the player is told then names every folder searched.
    const std::string told = NoCardSetText(list);
    EXPECT_NE(told.find(empty.Path().string() + "\n"), std::string::npos) << told;
    EXPECT_NE(told.find((empty / "missing").string()), std::string::npos) << told;
}

}  // namespace
