#pragma once

#include <cstdint>
#include <stop_token>
#include <string>
#include <vector>

#include "graphics/image.h"

class clMessages;

// One set of same-sized pictures cut out of the bitmap of a card-set file
// chunk (card faces with their mask, card backs, or pile symbols).
//
// Card-set files are untrusted: every count, size, corner and bitmap byte is
// checked against what the file holds. A file that cannot be opened, or
// whose chunk is damaged, makes Load return false after the message "Unable
// to load card set (%s)." ("Invalid bitmap file data." for a bitmap of an
// unsupported kind), so the caller's fallback runs; the set keeps what it
// held before. A set number the file does not have is false without a message.
class clPictureSet {
public:
    virtual ~clPictureSet() = default;
    // Moving keeps the pictures' pixels where they are (they may view the
    // file's bitmap), so a set loaded on one thread can be handed to another.
    clPictureSet(clPictureSet&&) noexcept = default;
    clPictureSet& operator=(clPictureSet&&) noexcept = default;

    // Set number k of this kind from a card-set file.
    virtual bool Load(const std::string& path, int k, clMessages& messages) = 0;
    int Count() const { return static_cast<int>(pictures.size()); }
    int Width() const { return width; }
    int Height() const { return height; }
    std::uint32_t Type() const { return type; }
    // Picture i, or null outside 0..Count() - 1.
    const clImage* Picture(int i) const;
    // Why the last load failed: the failing operation ("clCardSet::Load"),
    // empty after a success or a quiet failure.
    const std::string& LastError() const { return lastError; }

    // Resamples every picture to width x height with Lanczos-3, under the
    // wait cursor; false unless both are at least 1, or when a stop is
    // requested (checked between pictures). The set changes only on success.
    bool Resize(int newWidth, int newHeight, clMessages& messages, std::stop_token stop = {});
    // Type 0 only: every picture takes, pixel by pixel, the alpha of the mask
    // pixel at the same position (where the two overlap).
    void ApplyMask(const clImage& mask);

protected:
    struct clKind {
        const char* className;   // "clCardSet"
        const char* createName;  // "CreateCards"
        std::uint32_t tag;
        int minCount;
    };
    clPictureSet() = default;
    bool LoadSet(const std::string& path, int k, const clKind& kind, clMessages& messages);
    // After the pictures are cut (the card faces' mask rule).
    virtual void AfterCut() {}

    std::vector<clImage> pictures;

private:
    std::uint32_t type = 0;
    int width = 0;
    int height = 0;
    clImage bitmap;
    std::string lastError;
};

// The card faces: picture 0 is the mask (the card's outline), face j is
// picture j + 1, and a face-up card shows the face of its value (0..53).
class clCardSet : public clPictureSet {
public:
    static constexpr int kMinCount = 56;

    // CARD set number k of the file. With transparency type 0, mask pixels
    // of pure black become transparent and every face takes the mask's alpha.
    bool Load(const std::string& path, int k, clMessages& messages) override;
    int FaceCount() const { return Count() > 0 ? Count() - 1 : 0; }
    // Face j, or null outside 0..FaceCount() - 1.
    const clImage* Face(int j) const { return j >= 0 ? Picture(j + 1) : nullptr; }
    const clImage* Mask() const { return Picture(0); }

protected:
    void AfterCut() override;
};

// The card backs, one design a picture.
class clCardBacks : public clPictureSet {
public:
    bool Load(const std::string& path, int k, clMessages& messages) override;
};

// The pile symbols.
class clCardSymbols : public clPictureSet {
public:
    bool Load(const std::string& path, int k, clMessages& messages) override;
};
