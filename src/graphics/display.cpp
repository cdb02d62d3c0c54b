#include "graphics/display.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "graphics/card_size.h"
#include "toolkit/file.h"
#include "toolkit/messages.h"
#include "toolkit/operation_error.h"

namespace {

using clMode = clBackgroundChoice::Mode;

constexpr clPictureSize kLargestCard{150, 200};

std::int64_t Area(const clPictureSize& size) {
    return std::int64_t{size.width} * size.height;
}

// The set of exactly that size; else the nearest larger one, the smallest
// set at least as wide and as high as wanted (the first of equal areas),
// which scales down with the least work and loss; only when no set is large
// enough, the first of the largest area. -1 when there is none.
int ChooseSet(const std::vector<clPictureSize>& sizes, clPictureSize wanted) {
    int larger = -1, largest = -1;
    for (int k = 0; k < static_cast<int>(sizes.size()); ++k) {
        const clPictureSize& size = sizes[static_cast<std::size_t>(k)];
        if (size == wanted) return k;
        if (size.width >= wanted.width && size.height >= wanted.height &&
            (larger < 0 || Area(size) < Area(sizes[static_cast<std::size_t>(larger)]))) {
            larger = k;
        }
        if (largest < 0 || Area(size) > Area(sizes[static_cast<std::size_t>(largest)])) largest = k;
    }
    return larger >= 0 ? larger : largest;
}

// What a deferred load shows until the resampled pictures arrive: the set of
// exactly that size, else the largest that fits inside it, else the
// smallest. -1 when there is none.
int ChooseStandIn(const std::vector<clPictureSize>& sizes, clPictureSize wanted) {
    int inside = -1, smallest = -1;
    for (int k = 0; k < static_cast<int>(sizes.size()); ++k) {
        const clPictureSize& size = sizes[static_cast<std::size_t>(k)];
        if (size == wanted) return k;
        if (size.width <= wanted.width && size.height <= wanted.height &&
            (inside < 0 || Area(size) > Area(sizes[static_cast<std::size_t>(inside)]))) {
            inside = k;
        }
        if (smallest < 0 || Area(size) < Area(sizes[static_cast<std::size_t>(smallest)])) {
            smallest = k;
        }
    }
    return inside >= 0 ? inside : smallest;
}

// Keeps the messages of the loads tried while the card pictures fall back,
// so that the player is told once, in one message; the wait cursor shows.
class clQuietMessages final : public clMessages {
public:
    explicit clQuietMessages(clMessages& shown) : shown(shown) {}
    void ShowMessage(const std::string&) override {}
    void BeginWait() override { shown.BeginWait(); }
    void EndWait() override { shown.EndWait(); }

private:
    clMessages& shown;
};

// A load that raises the operation error of a damaged file fails like one
// that returns false.
template <class F>
bool Attempt(F&& load) {
    try {
        return load();
    } catch (const clOperationError&) {
        return false;
    }
}

int SetCount(const clCardSetInfo& info, clCardFile which) {
    switch (which) {
        case clCardFile::Cards:
            return info.CardSetCount();
        case clCardFile::Backs:
            return info.BackSetCount();
        case clCardFile::Symbols:
            return info.SymbolSetCount();
    }
    return 0;
}

bool SameFile(const std::string& a, const std::string& b) {
    return AsciiLower(a) == AsciiLower(b);
}

// Set `source.set` of a file at `size`: resampled when its own size differs,
// then given the mask, if any.
bool LoadAtSize(clPictureSet& set, const clCardLoadPlan::clSource& source, clPictureSize size,
                const clImage* mask, clMessages& messages, std::stop_token stop) {
    if (source.set < 0 || !set.Load(source.path, source.set, messages)) return false;
    if ((set.Width() != size.width || set.Height() != size.height) &&
        !set.Resize(size.width, size.height, messages, stop)) {
        return false;
    }
    if (mask != nullptr) set.ApplyMask(*mask);
    return !stop.stop_requested();
}

}  // namespace

bool LoadCardPictures(const clCardLoadPlan& plan, clCardPictures& pictures, clMessages& messages,
                      std::stop_token stop) {
    if (!LoadAtSize(pictures.cards, plan.faces, plan.size, nullptr, messages, stop) ||
        !LoadAtSize(pictures.backs, plan.backs, plan.size, pictures.cards.Mask(), messages, stop)) {
        return false;
    }
    // No symbols file: the piles go without symbols.
    if (plan.symbols.path.empty()) {
        pictures.symbols = clCardSymbols();
        return !stop.stop_requested();
    }
    return LoadAtSize(pictures.symbols, plan.symbols, plan.size, pictures.cards.Mask(), messages,
                      stop);
}

void SanitizeDisplayOptions(clDisplayOptions& options, int maxVirtualSide) {
    if (options.minSize < 0 || options.minSize > kSmallestSizeIndex) options.minSize = 0;
    if (options.maxSize < 0 || options.maxSize > kSmallestSizeIndex) options.maxSize = 0;
    if (options.cardBack < 0) options.cardBack = 0;
    options.virtualWidth = std::clamp(options.virtualWidth, 1, maxVirtualSide);
    options.virtualHeight = std::clamp(options.virtualHeight, 1, maxVirtualSide);
    const auto mode = static_cast<std::int32_t>(options.global.mode);
    if (mode < 0 || mode > 2) options.global.mode = clMode::Stretched;
    const auto current = static_cast<std::int32_t>(options.current.mode);
    if (current < 0 || current > 3) options.current.mode = clMode::Global;
    options.global.colour &= 0xFFFFFF;
    options.current.colour &= 0xFFFFFF;
    // An empty name: the symbols were given up in an earlier run; they are
    // looked for again.
    for (std::string* name : {&options.cardSet, &options.backs, &options.symbols}) {
        if (name->empty()) *name = clDisplayOptions::kDefaultCardFile;
    }
}

clDisplay::clDisplay(clDisplayOptions& options, clCardSetList& catalogue, clMessages& messages)
    : options(options), catalogue(catalogue), messages(messages) {}

bool clDisplay::Create(int areaWidth, int areaHeight) {
    try {
        SanitizeDisplayOptions(options, kMaxVirtualSide);
        options.virtualWidth = std::max(options.virtualWidth, kMinVirtualWidth);
        options.virtualHeight = std::max(options.virtualHeight, kMinVirtualHeight);
        const int width = std::clamp(
            areaWidth, std::min(Scaled(options.virtualWidth), kMaxVirtualSide), kMaxVirtualSide);
        const int height = std::clamp(
            areaHeight, std::min(Scaled(options.virtualHeight), kMaxVirtualSide), kMaxVirtualSide);
        MakePictures(width, height);
        this->areaWidth = std::max(1, areaWidth);
        this->areaHeight = std::max(1, areaHeight);
        virtualWidth = width;
        virtualHeight = height;
        if (!ChangeBackground()) throw clOperationError("clDisplay::ChangeBackground");
        if (!ChangeCardSet()) throw clOperationError("clDisplay::ChangeCardSet");
        CopyBackgroundToScreen();
        return true;
    } catch (const clOperationError&) {
        screen.Release();
        background.Release();
        backgroundSource.Release();
        sourcePath.clear();
        virtualWidth = virtualHeight = 0;
        return false;
    }
}

void clDisplay::MakePictures(int width, int height) {
    clImage newScreen, newBackground;
    if (!newScreen.CreateImage(width, height) || !newBackground.CreateImage(width, height)) {
        throw clOperationError("clImage::CreateImage");
    }
    screen = std::move(newScreen);
    background = std::move(newBackground);
    ++screenGeneration;
}

bool clDisplay::LoadBackgroundSource(const std::string& image) {
    if (image.empty()) return false;
    const std::string path = catalogue.FullPath(image).string();
    if (path == sourcePath && !backgroundSource.IsEmpty()) return true;
    if (failedSources.contains(path)) return false;
    if (!backgroundSource.LoadFile(path, messages)) {
        failedSources.insert(path);
        return false;
    }
    sourcePath = path;
    return true;
}

void clDisplay::DrawBackground(const clBackgroundChoice& choice) {
    if (choice.mode == clMode::Stretched) {
        background.Stretch(backgroundSource, virtualWidth, virtualHeight);
    } else if (choice.mode == clMode::Tiled) {
        background.Tile(backgroundSource, virtualWidth, virtualHeight);
    } else {
        background.Fill(choice.colour & 0xFFFFFF);
    }
}

namespace {

// A screen that defers to the player's background draws that one.
template <class Options>
auto& ChosenBackground(Options& options) {
    return options.current.mode == clMode::Global ? options.global : options.current;
}

}  // namespace

std::string clDisplay::BackgroundFile(const clDisplayOptions& options,
                                      const clCardSetList& catalogue) {
    const clBackgroundChoice& choice = ChosenBackground(options);
    if (choice.image.empty() || (choice.mode != clMode::Stretched && choice.mode != clMode::Tiled))
        return {};
    return catalogue.FullPath(choice.image).string();
}

bool clDisplay::ChangeBackground() {
    if (background.IsEmpty()) return false;
    // A picture that fails turns the player's background solid.
    clBackgroundChoice& choice = ChosenBackground(options);
    if (choice.mode == clMode::Stretched || choice.mode == clMode::Tiled) {
        const bool isGlobal = &choice == &options.global;
        if (!LoadBackgroundSource(choice.image) &&
            (isGlobal || !LoadBackgroundSource(options.global.image))) {
            choice.mode = clMode::Solid;
            choice.colour = clBackgroundChoice::kDefaultColour;
        }
    }
    DrawBackground(choice);
    return true;
}

void clDisplay::CopyBackgroundToScreen() {
    if (screen.IsEmpty()) return;
    const clRect keep = screen.Clip();
    screen.ClearClip();
    screen.Copy(background, {0, 0});
    screen.SetClip(keep);
}

void clDisplay::SetScale(double deviceScale) {
    scale = std::isfinite(deviceScale) ? std::clamp(deviceScale, 1.0, 4.0) : 1.0;
}

int clDisplay::Scaled(int length) const {
    return static_cast<int>(std::lround(length * scale));
}

clPictureSize clDisplay::Scaled(clPictureSize size) const {
    return {Scaled(size.width), Scaled(size.height)};
}

// The rule works in desktop pixels; the size it gives is in device pixels.
clPictureSize clDisplay::DesiredCardSize(clPictureSize proposed) {
    if (customFlag && customWidth > 0 && customHeight > 0) {
        return Scaled(clPictureSize{customWidth, customHeight});
    }
    customFlag = false;
    if (nativeFlag) {
        const clCardSetInfo* info = catalogue.Current(clCardFile::Cards);
        if (info) {
            if (const auto size = info->CardSize(nativeSet)) return Scaled(*size);
        }
    }
    nativeFlag = false;
    if (options.fitWindow) return FitCardSize();
    const auto desktop = [this](int device) {
        return static_cast<int>(std::floor(device / scale));
    };
    const clPictureSize size =
        AutomaticCardSize({options.minSize, options.maxSize, columns, rows, desktop(virtualWidth),
                           desktop(virtualHeight)},
                          {desktop(proposed.width), desktop(proposed.height)});
    return Scaled(size);
}

const clCardSetInfo* clDisplay::Named(clCardFile which, const std::string& name) {
    const std::optional<int> index = catalogue.Find(name);
    if (!index) return nullptr;
    catalogue.SelectFile(which, name);
    return &catalogue.Entry(*index);
}

bool clDisplay::LoadCardFaces(clMessages& out) {
    const clCardSetInfo* info = Named(clCardFile::Cards, options.cardSet);
    if (info == nullptr) {
        return cards.Load(catalogue.FullPath(options.cardSet).string(), 0, out);
    }
    const std::string path = catalogue.FullPath(info->Path()).string();
    const clPictureSize wanted = DesiredCardSize(Scaled(kLargestCard));
    if (deferred) {
        const int set = ChooseStandIn(info->CardSizes(), wanted);
        return set >= 0 && cards.Load(path, set, out);
    }
    return LoadAtSize(cards, {path, ChooseSet(info->CardSizes(), wanted)}, wanted, nullptr, out,
                      {});
}

clCardLoadPlan::clSource clDisplay::Source(clCardFile which, const std::string& fileName,
                                           clPictureSize card) {
    if (fileName.empty()) return {"", -1};  // no symbols
    if (const clCardSetInfo* info = Named(which, fileName)) {
        return {
            catalogue.FullPath(info->Path()).string(),
            ChooseSet(which == clCardFile::Backs ? info->BackSizes() : info->SymbolSizes(), card)};
    }
    return {catalogue.FullPath(fileName).string(), 0};
}

std::vector<std::string> clDisplay::Candidates(clCardFile which, const std::string& failed) const {
    std::vector<std::string> names;
    const auto add = [&](const std::string& name) {
        const bool seen =
            SameFile(name, failed) || std::any_of(names.begin(), names.end(),
                                                  [&](const auto& n) { return SameFile(n, name); });
        if (!name.empty() && !seen) names.push_back(name);
    };
    add(clDisplayOptions::kDefaultCardFile);
    // The faces' own file first, so that faces and backs match when they can.
    if (const std::optional<int> faces = catalogue.Find(options.cardSet)) {
        if (SetCount(catalogue.Entry(*faces), which) > 0) add(catalogue.Entry(*faces).Path());
    }
    for (int i = 0; i < catalogue.Count(); ++i) {
        if (SetCount(catalogue.Entry(i), which) > 0) add(catalogue.Entry(i).Path());
    }
    return names;
}

std::string clDisplay::WhyNotLoaded(clCardFile which, const std::string& name) const {
    const std::string path = catalogue.FullPath(name).string();
    std::error_code error;
    const std::filesystem::file_type type = std::filesystem::status(path, error).type();
    if (type == std::filesystem::file_type::not_found) return path + " is missing";
    if (type != std::filesystem::file_type::regular) return path + " is not a regular file";
    if (const std::optional<int> index = catalogue.Find(name)) {
        if (SetCount(catalogue.Entry(*index), which) == 0) {
            switch (which) {
                case clCardFile::Cards:
                    return path + " has no card faces";
                case clCardFile::Backs:
                    return path + " has no card backs";
                case clCardFile::Symbols:
                    return path + " has no pile symbols";
            }
        }
    }
    return path + " is damaged or cannot be read";
}

bool clDisplay::LoadToCardSize(clPictureSet& set, clCardFile which, std::string& fileName,
                               clMessages& out, std::vector<clFallback>& notes) {
    const clPictureSize card{cards.Width(), cards.Height()};
    const auto load = [&](const std::string& name) {
        return Attempt([&] {
            return LoadAtSize(set, Source(which, name, card), card, cards.Mask(), out, {});
        });
    };
    // Symbols given up already in this run.
    if (fileName.empty() && which == clCardFile::Symbols) {
        set = clCardSymbols();
        return true;
    }
    if (load(fileName)) return true;
    const std::string asked = fileName;
    const std::string why = WhyNotLoaded(which, asked);
    for (const std::string& name : Candidates(which, asked)) {
        if (load(name)) {
            fileName = name;
            notes.push_back({which, asked, why, name});
            return true;
        }
    }
    if (which != clCardFile::Symbols) return false;
    // The piles can do without their symbols; a game cannot do without backs.
    set = clCardSymbols();
    fileName.clear();
    notes.push_back({which, asked, why, ""});
    return true;
}

bool clDisplay::GrowForTable() {
    const std::int64_t tableWidth = std::int64_t{columns} * cards.Width();
    const std::int64_t tableHeight = std::int64_t{rows} * cards.Height();
    if (tableWidth <= virtualWidth && tableHeight <= virtualHeight) return false;
    return UpdateVirtualScreen(
        static_cast<int>(std::min<std::int64_t>(std::max<std::int64_t>(tableWidth, virtualWidth),
                                                kMaxVirtualSide)),
        static_cast<int>(std::min<std::int64_t>(std::max<std::int64_t>(tableHeight, virtualHeight),
                                                kMaxVirtualSide)));
}

bool clDisplay::LoadPictures(clMessages& out, std::vector<clFallback>& notes) {
    if (!LoadCardFaces(out)) return false;
    if (!LoadToCardSize(backs, clCardFile::Backs, options.backs, out, notes)) return false;
    if (options.cardBack >= backs.Count() || options.cardBack < 0) options.cardBack = 0;
    if (!LoadToCardSize(symbols, clCardFile::Symbols, options.symbols, out, notes)) return false;
    GrowForTable();
    return true;
}

bool clDisplay::TryPictures(clMessages& out, std::vector<clFallback>& notes) {
    notes.clear();
    return Attempt([&] { return LoadPictures(out, notes); });
}

std::optional<clCardLoadPlan> clDisplay::PendingCardLoad() {
    if (!IsCreated() || cards.Count() == 0) return std::nullopt;
    const clCardSetInfo* info = Named(clCardFile::Cards, options.cardSet);
    if (info == nullptr) return std::nullopt;
    const clPictureSize wanted = DesiredCardSize({cards.Width(), cards.Height()});
    if (wanted.width == cards.Width() && wanted.height == cards.Height()) return std::nullopt;
    const int set = ChooseSet(info->CardSizes(), wanted);
    if (set < 0) return std::nullopt;
    clCardLoadPlan plan;
    plan.faces = {catalogue.FullPath(info->Path()).string(), set};
    plan.backs = Source(clCardFile::Backs, options.backs, wanted);
    plan.symbols = Source(clCardFile::Symbols, options.symbols, wanted);
    plan.size = wanted;
    return plan;
}

bool clDisplay::AdoptCardPictures(const clCardLoadPlan& plan, clCardPictures&& pictures) {
    const std::optional<clCardLoadPlan> pending = PendingCardLoad();
    if (!pending || *pending != plan || pictures.cards.Width() != plan.size.width ||
        pictures.cards.Height() != plan.size.height) {
        return false;
    }
    cards = std::move(pictures.cards);
    backs = std::move(pictures.backs);
    symbols = std::move(pictures.symbols);
    if (options.cardBack >= backs.Count() || options.cardBack < 0) options.cardBack = 0;
    GrowForTable();
    CopyBackgroundToScreen();
    return true;
}

bool clDisplay::ChangeCardSet() {
    clQuietMessages quiet(messages);
    std::vector<clFallback> notes;
    const std::string asked = options.cardSet;
    bool loaded = TryPictures(quiet, notes);
    if (!loaded) {
        const std::string why = WhyNotLoaded(clCardFile::Cards, asked);
        for (const std::string& name : Candidates(clCardFile::Cards, asked)) {
            options.cardSet = name;
            loaded = TryPictures(quiet, notes);
            if (loaded) {
                notes.insert(notes.begin(), {clCardFile::Cards, asked, why, name});
                break;
            }
        }
    }
    cardSetsFailed = !loaded;
    if (!loaded) {
        options.cardSet = asked;
        TellOnce(NoCardSetText(catalogue));
        return false;
    }
    if (!notes.empty()) TellOnce(FallbackText(notes));
    return true;
}

// The faces' story first; then what backs and symbols add to it.
std::string clDisplay::FallbackText(const std::vector<clFallback>& notes) const {
    const clFallback* faces = notes.front().which == clCardFile::Cards ? &notes.front() : nullptr;
    const auto shown = [this](const std::string& name) {
        const std::optional<int> index = catalogue.Find(name);
        const std::string description =
            index ? catalogue.Entry(*index).ShownDescription() : std::string(name);
        return description == name ? "\"" + name + "\"" : "\"" + description + "\" (" + name + ")";
    };
    std::string text;
    const auto add = [&text](const std::string& sentence) {
        text += text.empty() ? sentence : "\n\n" + sentence;
    };
    for (const clFallback& note : notes) {
        // The faces' file failed for backs or symbols too: said with the faces.
        const bool sameFile = faces && &note != faces && SameFile(note.asked, faces->asked);
        if (sameFile && SameFile(note.used, faces->used)) continue;
        const std::string failed = "\"" + note.asked + "\" could not be loaded: " + note.why + ".";
        switch (note.which) {
            case clCardFile::Cards:
                add("The card set " + failed + " Qarvel uses the card set " + shown(note.used) +
                    " instead.");
                break;
            case clCardFile::Backs:
                add(sameFile ? "The card backs come from " + shown(note.used) + "."
                             : "The card backs of " + failed + " Those of " + shown(note.used) +
                                   " are used instead.");
                break;
            case clCardFile::Symbols:
                if (note.used.empty()) {
                    add((sameFile ? std::string() : "The pile symbols of " + failed + " ") +
                        "No card set that could be loaded has pile symbols, so the piles are "
                        "shown without them.");
                } else {
                    add(sameFile ? "The pile symbols come from " + shown(note.used) + "."
                                 : "The pile symbols of " + failed + " Those of " +
                                       shown(note.used) + " are used instead.");
                }
                break;
        }
    }
    return text;
}

void clDisplay::TellOnce(const std::string& text) {
    if (told.insert(text).second) messages.ShowMessage(text);
}

bool clDisplay::SetNativeSize(int k) {
    nativeFlag = true;
    nativeSet = k;
    customFlag = false;
    return ChangeCardSet();
}

bool clDisplay::SetCustomSize(int width, int height) {
    if (width < 1 || height < 1) return false;
    customFlag = true;
    customWidth = std::min(width, kMaxCardSide);
    customHeight = std::min(height, kMaxCardSide);
    nativeFlag = false;
    return ChangeCardSet();
}

bool clDisplay::SetAutomaticSize() {
    nativeFlag = false;
    customFlag = false;
    return ChangeCardSet();
}

bool clDisplay::ChooseCardSize(int index) {
    if (index < 0 || index > kSmallestSizeIndex) return false;
    options.minSize = options.maxSize = index;
    options.fitWindow = false;
    nativeFlag = customFlag = false;
    ReloadForArea();
    return !IsCreated() || cards.Width() > 0;
}

bool clDisplay::ChooseFitToWindow() {
    options.fitWindow = true;
    nativeFlag = customFlag = false;
    ReloadForArea();
    return !IsCreated() || cards.Width() > 0;
}

clPictureSize clDisplay::FitCardSize() const {
    // The shape of the set's largest pictures.
    clPictureSize shape{3, 4};
    if (const clCardSetInfo* info = catalogue.Current(clCardFile::Cards)) {
        for (const clPictureSize& size : info->CardSizes()) {
            if (size.width > 0 && size.height > 0 && Area(size) > Area(shape)) shape = size;
        }
    }
    const clPictureSize smallest = Scaled(CardSizeOf(kSmallestSizeIndex));
    if (columns < 1 || rows < 1 || areaWidth < 1 || areaHeight < 1) return smallest;
    const std::int64_t byWidth = areaWidth / columns;
    const std::int64_t byHeight = std::int64_t{areaHeight / rows} * shape.width / shape.height;
    const std::int64_t tallest = std::int64_t{Scaled(kMaxCardSide)} * shape.width / shape.height;
    int width = static_cast<int>(std::min({byWidth, byHeight, tallest}));
    // The height rounds to the nearest pixel; the table must still fit.
    auto heightOf = [&shape](int w) {
        return static_cast<int>((std::int64_t{w} * shape.height + shape.width / 2) / shape.width);
    };
    while (width > smallest.width && std::int64_t{rows} * heightOf(width) > areaHeight)
        --width;
    if (width <= smallest.width) return smallest;
    return {width, heightOf(width)};
}

void clDisplay::ReloadForSize(clPictureSize proposed) {
    const clPictureSize wanted = DesiredCardSize(proposed);
    if (wanted.width == cards.Width() && wanted.height == cards.Height()) return;
    if (!DefersLoad()) ChangeCardSet();
}

// Only resampling is left to the owner: a native size loads at once.
bool clDisplay::DefersLoad() {
    if (!deferred) return false;
    const std::optional<clCardLoadPlan> plan = PendingCardLoad();
    if (!plan) return false;
    const clCardSetInfo* info = catalogue.Current(clCardFile::Cards);
    return info == nullptr || info->CardSize(plan->faces.set) != plan->size;
}

void clDisplay::SetLayout(int newColumns, int newRows) {
    if (newColumns < 1 || newRows < 1) return;
    columns = newColumns;
    rows = newRows;
    if (!IsCreated()) return;
    ReloadForSize({cards.Width(), cards.Height()});
    // A table larger than the virtual screen would lie partly out of reach.
    if (GrowForTable()) CopyBackgroundToScreen();
}

void clDisplay::SetCardBack(int i) {
    if (i >= 0 && i < backs.Count()) options.cardBack = i;
}

bool clDisplay::UpdateVirtualScreen(int width, int height) {
    if (width < 1 || height < 1 || screen.IsEmpty()) return false;
    width = std::min(width, kMaxVirtualSide);
    height = std::min(height, kMaxVirtualSide);
    if (width == virtualWidth && height == virtualHeight) return false;
    if (width > screen.Width() || height > screen.Height()) {
        MakePictures(std::max(width, screen.Width()), std::max(height, screen.Height()));
    }
    virtualWidth = width;
    virtualHeight = height;
    ChangeBackground();
    return true;
}

clPictureSize clDisplay::MinimumVirtualSize() const {
    int width = Scaled(kMinVirtualWidth), height = Scaled(kMinVirtualHeight);
    if (columns > 0 && rows > 0) {
        clPictureSize card = Scaled(kFallbackCardSize);
        if (customFlag) {
            card = Scaled(clPictureSize{customWidth, customHeight});
        } else if (nativeFlag) {
            const clCardSetInfo* info = catalogue.Current(clCardFile::Cards);
            if (info && info->CardSize(nativeSet)) card = Scaled(*info->CardSize(nativeSet));
        } else if (options.minSize > 0 && options.minSize <= kSmallestSizeIndex &&
                   !options.fitWindow) {
            card = Scaled(CardSizeOf(options.minSize));
        }
        width = static_cast<int>(
            std::clamp<std::int64_t>(std::int64_t{columns} * card.width, width, kMaxVirtualSide));
        height = static_cast<int>(
            std::clamp<std::int64_t>(std::int64_t{rows} * card.height, height, kMaxVirtualSide));
    }
    if (options.forceVirtual) {
        width = std::clamp(Scaled(options.virtualWidth), width, kMaxVirtualSide);
        height = std::clamp(Scaled(options.virtualHeight), height, kMaxVirtualSide);
    }
    return {width, height};
}

bool clDisplay::OnWindowSize(int areaWidth, int areaHeight, bool reloadCards) {
    if (areaWidth < 1 || areaHeight < 1 || !IsCreated()) return false;
    this->areaWidth = areaWidth;
    this->areaHeight = areaHeight;
    if (areaWidth == virtualWidth && areaHeight == virtualHeight) return false;
    const clPictureSize minimum = MinimumVirtualSize();
    if (!UpdateVirtualScreen(std::max(areaWidth, minimum.width),
                             std::max(areaHeight, minimum.height))) {
        return false;
    }
    if (reloadCards) ReloadForSize(Scaled(kLargestCard));
    CopyBackgroundToScreen();
    return true;
}

bool clDisplay::ReloadForArea() {
    if (!IsCreated()) return false;
    const int cardWidth = cards.Width(), cardHeight = cards.Height();
    const clPictureSize minimum = MinimumVirtualSize();
    bool changed = UpdateVirtualScreen(std::max(areaWidth, minimum.width),
                                       std::max(areaHeight, minimum.height));
    const clPictureSize wanted = DesiredCardSize(Scaled(kLargestCard));
    if ((wanted.width != cardWidth || wanted.height != cardHeight) && !DefersLoad()) {
        // Grows the virtual screen again when the table needs it.
        ChangeCardSet();
        changed = true;
    }
    if (changed) CopyBackgroundToScreen();
    return changed;
}

clTableMetrics clDisplay::Metrics() const {
    return {cards.Width(), cards.Height(), columns, rows, virtualWidth, virtualHeight, scale};
}

clPoint clDisplay::TableToScreen(double fx, double fy, std::int32_t dx, std::int32_t dy) const {
    return ::TableToScreen(Metrics(), fx, fy, dx, dy);
}

clRect clDisplay::TableArea() const {
    const clPoint origin = TableToScreen(0.0, 0.0, 0, 0);
    return {origin.x, origin.y, origin.x + static_cast<int>(columns * cards.Width() + 0.5),
            origin.y + static_cast<int>(rows * cards.Height() + 0.5)};
}

void clDisplay::TableFraction(const clRect& rect, double& fx, double& fy) const {
    const clRect area = TableArea();
    const int cx = (rect.left + rect.right) / 2;
    const int cy = (rect.top + rect.bottom) / 2;
    fx = area.Width() > 0 ? (cx - (area.left + area.right) / 2.0) / area.Width() : 0.0;
    fy = area.Height() > 0 ? (cy - (area.top + area.bottom) / 2.0) / area.Height() : 0.0;
}

clRect clDisplay::PositionInTable(double fx, double fy, const clRect& rect) const {
    const clRect area = TableArea();
    const int cx = static_cast<int>(area.Width() * fx + (area.left + area.right) / 2.0 + 0.5);
    const int cy = static_cast<int>(area.Height() * fy + (area.top + area.bottom) / 2.0 + 0.5);
    const int dx = cx - (rect.left + rect.right) / 2;
    const int dy = cy - (rect.top + rect.bottom) / 2;
    return {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

void clDisplay::Invalidate(const clRect& rect) const {
    const clRect clamped = rect.ClampedToScreen();
    if (onInvalidate && !clamped.IsEmpty()) onInvalidate(clamped);
}
