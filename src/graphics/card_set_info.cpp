#include "graphics/card_set_info.h"

#include <algorithm>
#include <system_error>

#include "graphics/chunk.h"
#include "toolkit/file.h"
#include "toolkit/memory.h"
#include "toolkit/operation_error.h"

namespace {

std::int32_t ReadNumber(clChunk& chunk) {
    std::uint32_t value = 0;
    if (!chunk.ReadNumber(value)) throw clOperationError("clChunk::ReadNumber");
    return static_cast<std::int32_t>(value);
}

// Width and height of a picture-set chunk: N is read and dropped.
clPictureSize ReadSize(clChunk& chunk) {
    ReadNumber(chunk);
    const std::int32_t width = ReadNumber(chunk);
    const std::int32_t height = ReadNumber(chunk);
    return {width, height};
}

// Cuts a UTF-8 text to at most `bytes` bytes without splitting a character.
std::string CutText(const std::string& text, std::size_t bytes) {
    if (text.size() <= bytes) return text;
    std::size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

bool SameName(const std::string& a, const std::string& b) {
    return AsciiLower(a) == AsciiLower(b);
}

}  // namespace

std::optional<clPictureSize> clCardSetInfo::SizeAt(const std::vector<clPictureSize>& sizes, int k) {
    if (k < 0 || k >= static_cast<int>(sizes.size())) return std::nullopt;
    return sizes[static_cast<std::size_t>(k)];
}

void clCardSetInfo::Clear() {
    description.clear();
    path.clear();
    cards.clear();
    backs.clear();
    symbols.clear();
    level = 0;
}

bool clCardSetInfo::Load(const std::filesystem::path& filePath, const std::string& name) {
    Clear();
    lastError.clear();
    clChunk chunk;
    if (!chunk.Open(filePath)) {
        lastError = "clChunk::Open";
        return false;
    }
    try {
        path = name;
        description = name;
        // One pass over the chunks: the first description and level count,
        // and every picture set of each kind in file order.
        bool described = false, levelled = false;
        std::uint32_t tag = 0;
        for (bool found = chunk.LocateFirstChunk(tag); found;
             found = chunk.LocateFollowingChunk(tag)) {
            if (tag == clTag::kDescription && !described) {
                described = true;
                clMemory text;
                if (!chunk.ReadBlock(text))
                    throw clOperationError("clCardSetInfo::ReadDescription");
                // The text must end inside its chunk.
                const auto* begin = reinterpret_cast<const char*>(text.Data());
                const auto* end = std::find(begin, begin + text.Size(), '\0');
                if (end == begin + text.Size())
                    throw clOperationError("clCardSetInfo::ReadDescription");
                description.assign(begin, end);
            } else if (tag == clTag::kLevel && !levelled) {
                levelled = true;
                level = ReadNumber(chunk);
            } else if (tag == clTag::kCards) {
                cards.push_back(ReadSize(chunk));
            } else if (tag == clTag::kBacks) {
                backs.push_back(ReadSize(chunk));
            } else if (tag == clTag::kSymbols) {
                symbols.push_back(ReadSize(chunk));
            }
        }
    } catch (const clOperationError& error) {
        Clear();
        lastError = error.what();
        return false;
    }
    return true;
}

std::string clCardSetInfo::ShownDescription() const {
    return CutText(description, kShownDescription);
}

void clCardSetList::Build(const std::filesystem::path& folder,
                          const std::vector<std::filesystem::path>& extraFolders) {
    installFolder = folder;
    entries.clear();
    std::fill(std::begin(current), std::end(current), -1);

    const auto listed = [](const std::filesystem::path& where) {
        std::vector<std::string> names = ListFiles(where, ".cards");
        std::vector<std::string> older = ListFiles(where, ".dat");
        names.insert(names.end(), older.begin(), older.end());
        return names;
    };
    const auto load = [this](const std::filesystem::path& file, const std::string& name) {
        clCardSetInfo info;
        if (info.Load(file, name)) entries.push_back(std::move(info));
    };
    for (const std::string& name : listed(installFolder))
        load(installFolder / name, name);

    searched = {installFolder};
    for (const std::filesystem::path& extra : extraFolders) {
        const bool seen = std::any_of(searched.begin(), searched.end(), [&](const auto& other) {
            std::error_code error;
            return extra == other || std::filesystem::equivalent(extra, other, error);
        });
        if (extra.empty() || seen) continue;
        searched.push_back(extra);
        for (const std::string& name : listed(extra))
            load(extra / name, (extra / name).string());
    }
    if (!entries.empty()) std::fill(std::begin(current), std::end(current), 0);
}

std::string NoCardSetText(const clCardSetList& catalogue) {
    std::string text =
        "No card set could be loaded. Qarvel looked for card-set files (*.cards, *.dat) in:\n";
    for (const std::filesystem::path& folder : catalogue.Folders())
        text += "\n" + folder.string();
    return text + "\n\nInstalling Qarvel again restores its own card sets.";
}

std::optional<int> clCardSetList::Find(const std::string& name) const {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (SameName(entries[i].Path(), name)) return static_cast<int>(i);
    }
    return std::nullopt;
}

const clCardSetInfo* clCardSetList::Current(clCardFile which) const {
    const int index = CurrentIndex(which);
    return index >= 0 && index < Count() ? &entries[static_cast<std::size_t>(index)] : nullptr;
}

void clCardSetList::SelectFile(clCardFile which, const std::string& name) {
    if (const auto index = Find(name)) current[static_cast<int>(which)] = *index;
}

std::filesystem::path clCardSetList::FullPath(const std::string& name) const {
    if (name.find('/') != std::string::npos) return name;
    return installFolder / name;
}
