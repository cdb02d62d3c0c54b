#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <stop_token>
#include <string>
#include <vector>

#include "graphics/card_set.h"
#include "graphics/card_set_info.h"
#include "graphics/display_options.h"
#include "graphics/image.h"
#include "graphics/table_coords.h"

class clMessages;

// Loading the card pictures at one size, worked out by the display from its
// files and size mode so that the work can run on another thread: the file
// and set number of the faces, backs and symbols, and the size all three are
// resampled to.
struct clCardLoadPlan {
    struct clSource {
        std::string path;
        int set = 0;
        bool operator==(const clSource&) const = default;
    };
    clSource faces;
    clSource backs;
    clSource symbols;
    clPictureSize size;
    bool operator==(const clCardLoadPlan&) const = default;
};

struct clCardPictures {
    clCardSet cards;
    clCardBacks backs;
    clCardSymbols symbols;
};

// Loads a plan's pictures, resampled to its size; backs and symbols take the
// faces' mask. False when a load fails (with the loads' messages) or a stop
// is requested. It touches nothing but its arguments, so any thread may run it.
bool LoadCardPictures(const clCardLoadPlan& plan, clCardPictures& pictures, clMessages& messages,
                      std::stop_token stop = {});

// The one drawing surface of the program: the virtual screen, an off-screen
// 32-bit picture the current screen composes the table on and the window
// paints from. The display owns the background picture and the loaded card
// faces, backs and symbols, decides the card size, and maps card units to
// pixels.
//
// The virtual screen has an allocated size (its picture) and a logical size
// (what is shown, never larger). It only grows: a smaller window changes
// only the logical size. The screen's pixels move when it grows
// (ScreenGeneration() tells a window to view them again).
class clDisplay {
public:
    // The virtual screen's smallest logical size and the largest side it may have.
    static constexpr int kMinVirtualWidth = 640;
    static constexpr int kMinVirtualHeight = 480;
    static constexpr int kMaxVirtualSide = 8192;
    // The largest card side a custom size may ask for.
    static constexpr int kMaxCardSide = 600;
    // When no table is set, or no better size is known.
    static constexpr clPictureSize kFallbackCardSize{53, 72};

    clDisplay(clDisplayOptions& options, clCardSetList& catalogue, clMessages& messages);

    // Builds the virtual screen for a drawing area of that size (the larger
    // of it and the virtual-size settings, which are raised to at least
    // 640 x 480), draws the background and loads the card pictures. False,
    // with the display left unusable, when a step fails.
    bool Create(int areaWidth, int areaHeight);
    bool IsCreated() const { return !screen.IsEmpty(); }

    // Draws the current screen's background into the background picture,
    // falling back to the player's picture, then to solid dark green.
    bool ChangeBackground();
    // The file the background is first drawn from under these options
    // (empty for a solid colour), for reading it ahead.
    static std::string BackgroundFile(const clDisplayOptions& options,
                                      const clCardSetList& catalogue);
    // The picture the background is drawn from stays loaded while the size
    // changes; once the size has settled the window lets it go, and the next
    // change reads it again.
    void ReleaseBackgroundSource() {
        backgroundSource.Release();
        sourcePath.clear();
    }
    // Reloads faces, backs and symbols for the current size mode. When the
    // player's card-set file fails, the default "qarvel.cards" is tried, then
    // every other file of the catalogue with card faces, in its order; the
    // first that loads becomes the player's. Backs fall back the same way,
    // and symbols too, except that the piles go without symbols when no file
    // has any. A fallback is told to the player once, in one message saying
    // what failed, why, and what is used instead; when nothing loads, the
    // message names the folders searched, and the result is false.
    bool ChangeCardSet();
    // The last ChangeCardSet found no card set that loads.
    bool CardSetsFailed() const { return cardSetsFailed; }
    // The size modes: card set number k at its own size; a typed size (each
    // side limited to kMaxCardSide; ignored unless both are at least 1); or
    // the automatic rule. Each reloads the card pictures.
    bool SetNativeSize(int k);
    bool SetCustomSize(int width, int height);
    bool SetAutomaticSize();
    // The "Card Size" menu: index 0..5 becomes both limits, then automatic;
    // or Fit to Window. Either ends a native or custom size, and the virtual
    // screen then follows the drawing area again (a larger size may have
    // grown it).
    bool ChooseCardSize(int index);
    bool ChooseFitToWindow();
    // The card size Fit to Window gives for the current table and drawing
    // area: the largest of the card set's shape (3 : 4 for the shipped sets)
    // whose table fits the area, never below the tiny size and never above
    // kMaxCardSide high.
    clPictureSize FitCardSize() const;
    bool IsFitToWindow() const { return options.fitWindow && !nativeFlag && !customFlag; }
    // The current table in card units (both at least 1). Reloads the card
    // pictures when the size the rule gives changes, and grows the virtual
    // screen when the table does not fit it.
    void SetLayout(int columns, int rows);
    // The current back, when 0 <= i < the number of backs.
    void SetCardBack(int i);
    // The current screen's background (a playing screen's own, or Global).
    void SetScreenBackground(const clBackgroundChoice& choice) {
        options.current = choice;
        failedSources.clear();
    }

    // Device pixels per desktop pixel (1 to 4): the virtual screen, the
    // drawing area and the card pictures are in device pixels, and the card
    // sizes of the menu, typed sizes and the smallest virtual size grow by
    // it, so the table looks the same size and stays sharp on a doubled
    // screen. Takes effect at Create, or at the next ReloadForArea.
    void SetScale(double deviceScale);
    double Scale() const { return scale; }

    // A new logical size; false when a side is below 1 or nothing changes.
    // Grows the pictures when needed and then redraws the background.
    bool UpdateVirtualScreen(int width, int height);
    // The window's drawing area changed: the logical size follows it within
    // the minimum the table needs; the background is redrawn, the card
    // pictures follow the automatic rule and the background is copied to the
    // screen. True when the size changed: the window then has the screen lay
    // itself out again and repaints.
    //
    // With `reloadCards` off the card pictures stay as they are (the window
    // does that while the player drags its edge) until ReloadForArea.
    bool OnWindowSize(int areaWidth, int areaHeight, bool reloadCards = true);
    // The card pictures follow the size mode for the current drawing area,
    // and the virtual screen shrinks back to what the area and the table
    // need. True when the cards or the screen changed (the window then has
    // the screen lay itself out again).
    bool ReloadForArea();
    // Deferred loading, for a window that must never wait for resampling: a
    // change of the card size alone (the drawing area, the size mode, the
    // table) leaves the pictures as they are, and the owner has the new ones
    // loaded on another thread (PendingCardLoad, LoadCardPictures, then
    // AdoptCardPictures). A full load (Create, another card-set file) takes
    // the nearest native size that fits meanwhile, as it is.
    void SetDeferredLoading(bool on) { deferred = on; }
    // The load that brings the pictures to the size the mode gives; nothing
    // when they have it, or when the card file has no sizes to choose from.
    std::optional<clCardLoadPlan> PendingCardLoad();
    // Takes pictures loaded for `plan` while that is still the pending load,
    // and grows the virtual screen when the table needs it; false, changing
    // nothing, when the display has moved on.
    bool AdoptCardPictures(const clCardLoadPlan& plan, clCardPictures&& pictures);

    // The smallest logical size for the current table and settings.
    clPictureSize MinimumVirtualSize() const;
    // The card size the size mode gives, starting from a proposed size.
    clPictureSize DesiredCardSize(clPictureSize proposed);

    void CopyBackgroundToScreen();

    // Table coordinates.
    clTableMetrics Metrics() const;
    clPoint TableToScreen(double fx, double fy, std::int32_t dx, std::int32_t dy) const;
    // The rectangle moved so that its centre lies at the fractions (fx, fy)
    // of the table area, and the inverse.
    clRect PositionInTable(double fx, double fy, const clRect& rect) const;
    void TableFraction(const clRect& rect, double& fx, double& fy) const;

    // The pictures. The screen is allocated-size; the window shows its
    // top-left logical part.
    clImage& Screen() { return screen; }
    const clImage& Screen() const { return screen; }
    const clImage& Background() const { return background; }
    const clCardSet& Cards() const { return cards; }
    const clCardBacks& Backs() const { return backs; }
    const clCardSymbols& Symbols() const { return symbols; }
    // The back picture in use, or null when none is loaded.
    const clImage* CurrentBack() const { return backs.Picture(options.cardBack); }

    int VirtualWidth() const { return virtualWidth; }
    int VirtualHeight() const { return virtualHeight; }
    int CardWidth() const { return cards.Width(); }
    int CardHeight() const { return cards.Height(); }
    int Columns() const { return columns; }
    int Rows() const { return rows; }
    bool IsNativeSize() const { return nativeFlag; }
    bool IsCustomSize() const { return customFlag; }
    std::uint64_t ScreenGeneration() const { return screenGeneration; }

    const clDisplayOptions& Options() const { return options; }

    // Changed rectangles of the virtual screen go to the window through this.
    void SetInvalidateHandler(std::function<void(const clRect&)> handler) {
        onInvalidate = std::move(handler);
    }
    void Invalidate(const clRect& rect) const;

private:
    // A card-set file that could not be used, why, and the one used instead
    // (empty: none, for symbols).
    struct clFallback {
        clCardFile which;
        std::string asked;
        std::string why;
        std::string used;
    };

    void MakePictures(int width, int height);
    // One try at faces, backs and symbols from the player's files; a damaged
    // file's operation error is a failure like any other. The backs' and the
    // symbols' own fallbacks go into `notes`.
    bool TryPictures(clMessages& out, std::vector<clFallback>& notes);
    bool LoadPictures(clMessages& out, std::vector<clFallback>& notes);
    bool LoadCardFaces(clMessages& out);
    // Backs or symbols at the card size, with the type-0 mask applied.
    bool LoadToCardSize(clPictureSet& set, clCardFile which, std::string& fileName, clMessages& out,
                        std::vector<clFallback>& notes);
    // The catalogue entry of that name, made the current one of its kind;
    // null when the catalogue has none.
    const clCardSetInfo* Named(clCardFile which, const std::string& name);
    // The files to try after `failed` for a kind: the default file, then the
    // catalogue's files that have sets of that kind.
    std::vector<std::string> Candidates(clCardFile which, const std::string& failed) const;
    // Why a file gave no sets of a kind, in words for the player.
    std::string WhyNotLoaded(clCardFile which, const std::string& name) const;
    // The one message of a fallback: what failed, why, what is used instead.
    std::string FallbackText(const std::vector<clFallback>& notes) const;
    void TellOnce(const std::string& text);
    // The file and set of backs or symbols that suit cards of that size.
    clCardLoadPlan::clSource Source(clCardFile which, const std::string& fileName,
                                    clPictureSize card);
    // The virtual screen grows, per side, to hold the whole table; true when it did.
    bool GrowForTable();
    // Reloads when the rule's size differs from the loaded one.
    void ReloadForSize(clPictureSize proposed);
    // A size change is left to the owner's loads.
    bool DefersLoad();
    bool LoadBackgroundSource(const std::string& image);
    void DrawBackground(const clBackgroundChoice& choice);
    clRect TableArea() const;

    clDisplayOptions& options;
    clCardSetList& catalogue;
    clMessages& messages;

    clImage screen;
    clImage background;
    clImage backgroundSource;
    std::string sourcePath;
    // Pictures that could not be read: not tried (nor reported) again at every
    // redraw of the background, such as each step of a window resize, until a
    // screen sets its background.
    std::set<std::string> failedSources;
    // Card-set messages already shown: each is said once in a run.
    std::set<std::string> told;
    bool cardSetsFailed = false;
    clCardSet cards;
    clCardBacks backs;
    clCardSymbols symbols;

    int virtualWidth = 0;
    int virtualHeight = 0;
    // The window's drawing area, last told.
    int areaWidth = 0;
    int areaHeight = 0;
    int columns = 0;
    int rows = 0;
    bool nativeFlag = false;
    int nativeSet = 0;
    bool customFlag = false;
    int customWidth = 0;
    int customHeight = 0;
    std::uint64_t screenGeneration = 0;
    double scale = 1.0;
    bool deferred = false;
    // A size of desktop pixels in device pixels.
    clPictureSize Scaled(clPictureSize size) const;
    int Scaled(int length) const;
    std::function<void(const clRect&)> onInvalidate;
};
