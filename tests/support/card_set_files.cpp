#include "support/card_set_files.h"

#include "graphics/card_set_writer.h"
#include "graphics/chunk.h"
#include "support/picture_files.h"

std::uint32_t SetColour(std::uint32_t tag, int i) {
    const std::uint32_t kind = tag == clTag::kCards ? 1 : tag == clTag::kBacks ? 2 : 3;
    return 0xFF000000 | kind << 22 | static_cast<std::uint32_t>(i * 4 + 16) << 8 | (40 + kind);
}

void AddSolidSets(clCardSetWriter& writer, const std::vector<clSetSpec>& sets) {
    for (const clSetSpec& set : sets) {
        std::vector<clImage> pictures;
        for (int i = 0; i < set.count; ++i)
            pictures.push_back(SolidPicture(set.width, set.height, SetColour(set.tag, i)));
        writer.AddPictureSet(set.tag, Pointers(pictures));
    }
}

void WriteCardSetFile(const std::filesystem::path& path, const std::vector<clSetSpec>& sets,
                      std::optional<std::uint32_t> type, const std::string& description) {
    clCardSetWriter writer;
    writer.AddVersion(1, 0);
    if (type) writer.AddType(*type);
    if (!description.empty()) writer.AddDescription(description);
    AddSolidSets(writer, sets);
    writer.Write(path);
}

std::vector<const clImage*> Pointers(const std::vector<clImage>& pictures) {
    std::vector<const clImage*> out;
    for (const clImage& picture : pictures)
        out.push_back(&picture);
    return out;
}
