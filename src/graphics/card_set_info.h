#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The size of the pictures of one set in a card-set file.
struct clPictureSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const clPictureSize&, const clPictureSize&) = default;
};

// What a card-set file holds, read from its chunk headers without decoding
// any bitmap: its description, level and the picture size of every set.
class clCardSetInfo {
public:
    // The longest description shown, in bytes (cut at a character boundary).
    static constexpr std::size_t kShownDescription = 63;

    // Reads the file at `path`; `name` is what the record keeps as its path
    // (the file name as the catalogue found it). Any damage leaves the record
    // empty and returns false; `LastError()` names the failing operation.
    bool Load(const std::filesystem::path& path, const std::string& name);

    // The DESC text, or the path when the file has none.
    const std::string& Description() const { return description; }
    // The description cut to what menus show.
    std::string ShownDescription() const;
    const std::string& Path() const { return path; }
    std::int32_t Level() const { return level; }

    int CardSetCount() const { return static_cast<int>(cards.size()); }
    int BackSetCount() const { return static_cast<int>(backs.size()); }
    int SymbolSetCount() const { return static_cast<int>(symbols.size()); }
    // The picture size of set k of a kind; nothing outside the kind's count.
    std::optional<clPictureSize> CardSize(int k) const { return SizeAt(cards, k); }
    std::optional<clPictureSize> BackSize(int k) const { return SizeAt(backs, k); }
    std::optional<clPictureSize> SymbolSize(int k) const { return SizeAt(symbols, k); }
    const std::vector<clPictureSize>& CardSizes() const { return cards; }
    const std::vector<clPictureSize>& BackSizes() const { return backs; }
    const std::vector<clPictureSize>& SymbolSizes() const { return symbols; }

    const std::string& LastError() const { return lastError; }

private:
    static std::optional<clPictureSize> SizeAt(const std::vector<clPictureSize>& sizes, int k);
    void Clear();

    std::string description;
    std::string path;
    std::vector<clPictureSize> cards;
    std::vector<clPictureSize> backs;
    std::vector<clPictureSize> symbols;
    std::int32_t level = 0;
    std::string lastError;
};

// Which of the three current files of the catalogue.
enum class clCardFile { Cards, Backs, Symbols };

// The catalogue of installed card-set files ("*.cards" and "*.dat"). Files of
// the installation folder are recorded by their bare names, files of the
// other folders (the player's own card sets) as folder/name. Files that fail
// to load are left out.
class clCardSetList {
public:
    // Lists the installation folder, then each extra folder (skipping one
    // that is the installation folder or listed already): "*.cards" first,
    // then "*.dat", each sorted by name. The three current entries become 0.
    void Build(const std::filesystem::path& installFolder,
               const std::vector<std::filesystem::path>& extraFolders);

    int Count() const { return static_cast<int>(entries.size()); }
    const clCardSetInfo& Entry(int i) const { return entries[static_cast<std::size_t>(i)]; }
    const std::filesystem::path& InstallFolder() const { return installFolder; }
    // The folders the last Build listed, the installation folder first.
    const std::vector<std::filesystem::path>& Folders() const { return searched; }

    // The entry whose path equals `name` without regard to case.
    std::optional<int> Find(const std::string& name) const;
    // The current entry's index (-1 while the catalogue is empty) and record.
    int CurrentIndex(clCardFile which) const { return current[static_cast<int>(which)]; }
    const clCardSetInfo* Current(clCardFile which) const;
    // The current entry becomes the one named `name`; stays when none is.
    void SelectFile(clCardFile which, const std::string& name);
    // The file a recorded or stored name stands for: a name holding a path
    // separator is used as it is; a bare name lies in the installation folder.
    std::filesystem::path FullPath(const std::string& name) const;

private:
    std::filesystem::path installFolder;
    std::vector<std::filesystem::path> searched;
    std::vector<clCardSetInfo> entries;
    int current[3] = {-1, -1, -1};
};

// What the player is told when no card set can be loaded: where card-set
// files were looked for.
std::string NoCardSetText(const clCardSetList& catalogue);
