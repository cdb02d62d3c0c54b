#pragma once

#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

#include "engine/move.h"
#include "engine/solitaire_type.h"
#include "engine/table_snapshot.h"
#include "piles/group.h"
#include "piles/location.h"
#include "piles/pile.h"

// How a dealt card lies: face up and free, face down but free (a stock's
// cards, which the stock turns itself; a memory game's), or face down and
// blocked until the rules turn it up.
enum class clFacing { Up, Down, DownBlocked };

// The rules engine of a playing screen: the pile registry, move validation,
// playing and recording moves, automatic play to the foundations, and undo by
// re-dealing and replaying the history. It knows piles only through clPile.
class clSolitaireRules : public clSolitaireType {
public:
    // Capacities of the pile lists, and of the move and drag groups.
    static constexpr std::size_t kMaxPiles = 160;
    static constexpr std::size_t kMaxFoundations = 16;
    static constexpr std::size_t kMaxTableau = 128;
    static constexpr std::size_t kMaxReserves = 16;
    static constexpr std::uint32_t kGroupCapacity = 216;

    clSolitaireRules();

    // The deck with deckCount packs and no jokers; cardCount follows.
    bool CreateDeck() override;
    // The generic deal: tableau round-robin (the first faceDownCount cards face
    // down and blocked), then stock, reserves round-robin and waste.
    void Deal() override;
    // Every foundation full; every tableau pile, reserve, stock and waste empty.
    bool IsGameWon() override;
    bool AutoPlay() override;
    bool ValidateMove(const clMove& move) override;
    void ResetDeal() override;
    // The piles, then the pictures of the cards in flight over them.
    void DrawTable() override;
    void DrawPausedTable() override;
    // The cards leave the stock one by one, in the order dealt, to their
    // places; without a stock they come in from below the middle of the
    // screen. The stock's own cards lie there from the start.
    void AnimateDeal() override;
    void DoMove(const clMove& move) override;
    void PlayMove(const clMove& move) override;
    void UndoMove(const clMove& move) override;
    bool IsAutoPlayOn() override;
    // The points of a move from the variant's point values, on the table before it.
    std::int32_t ScoreMove(const clMove& move) override;

    // Pointer and keyboard play (points are virtual-screen pixels). A press
    // picks from the pile under the point and lets it act; a drag lifts the
    // picked cards on the first movement and drops them on release; a right
    // press or a double click plays the pressed cards to the first place that
    // takes them; a key chooses the pile that carries it and plays from it.
    // Every refused press, right click and key plays the error sound; a
    // refused drop makes none.
    void OnLeftDown(clPoint point) override;
    void OnMouseMove(clPoint point) override;
    void OnLeftUp(clPoint point) override;
    void OnRightDown(clPoint point) override;
    void OnDoubleClick(clPoint point) override;
    void OnChar(int character) override;
    // Pausing drops any pick, so no dragged card shows over the concealed table.
    void Pause() override;

    virtual void OnEmptyPick();
    virtual void OnPileClick();
    virtual bool OnRightClick() { return false; }
    virtual bool CanStartDrag() { return true; }
    virtual bool RetargetDrop(clMove& move);
    virtual bool FindMove(clMove& move);
    virtual bool FindKeyMove(clMove& move);
    // Tries the card on every foundation with room and plays the first valid move.
    virtual bool MoveToFoundation(std::int32_t dealIndex, const clLocation& from);
    virtual bool TakeCards(const clMove& move);
    virtual bool PlaceCards(const clMove& move);
    virtual void RemoveCards(int count, const std::int32_t* cards);
    virtual void RemovePair(std::int32_t first, std::int32_t second);
    virtual void StockAction(bool animated);
    virtual bool ValidateCompound(const clMove& move);
    virtual bool ValidateCardMove(const clMove& move);
    virtual bool ValidateRemoval(int count, const std::int32_t* cards) {
        (void)count, (void)cards;
        return false;
    }
    virtual bool ValidatePair(std::int32_t first, std::int32_t second) {
        (void)first, (void)second;
        return false;
    }
    // The move a pair selection of these two cards makes: the pair removal,
    // or a compound of it and what the variant adds to it (the refills of
    // the spaces it leaves). A pair record is valid only when it is that
    // whole move.
    virtual clMove PairMoveFor(std::int32_t first, std::int32_t second) const {
        return clMove::PairMove(first, second);
    }
    virtual bool ValidateStockAction() { return false; }
    // How many cards a press has selected for a pair or set removal.
    virtual int SelectionCount() const { return 0; }
    virtual bool CanTake(const clLocation& from, const clLocation& to, clGroup& into);
    virtual bool CanPlace(const clLocation& to, const clGroup& moving, const clLocation& from);

    // Re-deals the current deal and replays the history up to its position.
    // Does nothing while no deal is in progress.
    void Rebuild() override;
    // The whole position, for a search that goes back without re-dealing
    // (clTableSnapshot). Taking one changes nothing; restoring one drops any
    // pick and lays the piles out again. Neither touches the program-wide
    // generator (only this screen's) nor anything program-wide.
    void SaveSnapshot(clTableSnapshot& snapshot) const;
    void RestoreSnapshot(const clTableSnapshot& snapshot);

    // As Rebuild, but every record must pass ValidateMove first; false at the
    // first that does not (the table then holds the records before it), and
    // false without a deal in progress.
    bool CheckedRebuild();

    // A left press on a pile, once the pile is known: the cards from
    // `position` up are picked, the clock starts and the pile decides: a
    // click-action pile with cards runs OnPileClick (whether or not they could
    // be picked), an empty pile OnEmptyPick, otherwise the cards may be
    // dragged (true, picked) when CanStartDrag agrees. A refused pick, an
    // inert pile and a refused drag play the error sound and give false.
    bool PressPile(clPile& pile, int position);
    // The pile under a point in the search order of a press: the first with
    // an unblocked card there (and that card's position), else the first
    // empty pile whose outline holds the point (position 0). Null when none;
    // always null without a display.
    clPile* HitTest(clPoint point, int& position) const;
    // Drops whatever a press picked up.
    void ReleasePick() { CancelPick(); }

    // Commit paths. Each performs the move and does the bookkeeping (record,
    // commit hook, automatic play, win check). Nothing happens after the round
    // has ended or when the history is full; false then.
    bool CommitDraggedMove(const clMove& move);
    bool CommitPlayedMove(const clMove& move, bool stockDeal = false);
    bool CommitChainedMove(const clMove& move);

    // The pile at a location, or null for kind none and out-of-range indexes.
    clPile* PileAt(const clLocation& location) const;
    // Whether every card move of a record, its parts included, starts and
    // ends on a pile this variant has.
    bool NamesOwnPiles(const clMove& move) const;
    // A pile's location with a card position (kind none outside the typed lists).
    clLocation LocationOf(const clPile* pile, std::int32_t position) const;

    const std::vector<std::unique_ptr<clPile>>& AllPiles() const { return allPiles; }
    int FoundationCount() const { return static_cast<int>(foundations.size()); }
    int TableauCount() const { return static_cast<int>(tableau.size()); }
    int ReserveCount() const { return static_cast<int>(reserves.size()); }
    clPile* Foundation(int i) const { return ItemAt(foundations, i); }
    clPile* Tableau(int i) const { return ItemAt(tableau, i); }
    clPile* Reserve(int i) const { return ItemAt(reserves, i); }
    clPile* Stock() const { return stock; }
    clPile* Waste() const { return waste; }

    int CardCount() const { return cardCount; }
    int DeckCount() const { return deckCount; }
    bool OffersAutoPlay() const override { return autoPlaySupported; }
    std::vector<clPileExtent> PileExtents() const override;
    // A card move's cards from the one it names up and the destination's top
    // card (or its empty place); a pair's or a set's cards; the stock's top
    // card. A compound shows its first part.
    void HighlightMove(const clMove& move) override;

    std::int32_t StockActions() const { return stockActions; }
    std::int32_t Streak() const { return streak; }
    std::int32_t LongestStreak() const { return longestStreak; }
    std::int32_t CountingPilesEmptied() const { return countingPilesEmptied; }
    bool TableauCleared() const { return tableauCleared; }

protected:
    // Registration: each pile joins its typed list and the all-piles list,
    // which owns it, and gets its index in the typed list as pile number.
    template <class P>
    P* AddFoundation(std::unique_ptr<P> pile) {
        return Register(std::move(pile), &foundations, kMaxFoundations);
    }
    template <class P>
    P* AddTableau(std::unique_ptr<P> pile) {
        return Register(std::move(pile), &tableau, kMaxTableau);
    }
    template <class P>
    P* AddReserve(std::unique_ptr<P> pile) {
        return Register(std::move(pile), &reserves, kMaxReserves);
    }
    template <class P>
    P* SetStock(std::unique_ptr<P> pile) {
        stock = Register(std::move(pile), nullptr, 0);
        return static_cast<P*>(stock);
    }
    template <class P>
    P* SetWaste(std::unique_ptr<P> pile) {
        waste = Register(std::move(pile), nullptr, 0);
        return static_cast<P*>(waste);
    }
    template <class P>
    P* AddOther(std::unique_ptr<P> pile) {
        return Register(std::move(pile), nullptr, 0);
    }

    // Deals deal position k onto a pile, lying as `facing` says.
    void DealCard(clPile& pile, int k, clFacing facing);
    // A tableau card of a deal: face up and free, or face down and blocked.
    static clFacing TableauFacing(bool faceUp) {
        return faceUp ? clFacing::Up : clFacing::DownBlocked;
    }

    // How many cards each phase of a deal takes: the tableau count, when 0,
    // is what the other phases leave; otherwise an unset stock count is.
    struct clDealCounts {
        int tableau = 0;
        int stock = 0;
        int reserve = 0;
        int waste = 0;
    };
    clDealCounts DealCounts() const;
    // The phases after the tableau, from deal position k on: the stock face
    // down, the reserves round-robin and the waste face up.
    void DealOutside(int& k, const clDealCounts& counts);
    // The generic deal without drawing the table.
    void DealGeneric();

    // The two safe forms of automatic play: a card goes up only when no card
    // of the other colour could still need it. Neither tests IsAutoPlayOn.
    bool SafeAutoPlay();
    // The same for foundations that start at `baseRank`.
    bool SafeAutoPlayFromBase(int baseRank);

    // What a variant keeps of its own beyond its piles and the engine's
    // counters (a selection, the cards a memory game turned), for a
    // snapshot. A variant appends its words after its base's.
    virtual void SaveGameState(clStateWords& words) const { (void)words; }
    virtual void RestoreGameState(clStateReader& words) { (void)words; }

    // The rounds bookkeeping after a committed move.
    void Bookkeeping(const clMove& move);
    // Replays the game on a new headless screen of this variant, made by the
    // registry, with a generator of its own.
    bool ReplaysCleanly(const clSavedGame& game) const override;
    // Whether a commit may go ahead: a round in play and room in the history.
    bool CanCommit(const clMove& move) const;

    int cardCount = 52;
    int deckCount = 1;
    bool autoPlaySupported = false;
    int tableauDealCount = 0;
    int stockDealCount = 0;
    int reserveDealCount = 0;
    int wasteDealCount = 0;
    int faceDownCount = 0;

    std::vector<std::unique_ptr<clPile>> allPiles;
    std::vector<clPile*> foundations;
    std::vector<clPile*> tableau;
    std::vector<clPile*> reserves;
    clPile* stock = nullptr;
    clPile* waste = nullptr;

    clGroup moveGroup{kGroupCapacity};
    clGroup dragGroup{kGroupCapacity};
    clGroup scratchGroup{kGroupCapacity};  // cards a move would take, while validating
    clGroup dealGroup{1};                  // the card being dealt
    clLocation pickLocation;
    clPile* sourcePile = nullptr;
    bool lifted = false;
    clPoint grabPoint;  // where the left press took the picked cards

    std::int32_t stockActions = 0;
    std::int32_t streak = 0;
    std::int32_t longestStreak = 0;
    std::int32_t countingPilesEmptied = 0;
    bool tableauCleared = false;

    // The rotating start of the tableau search; program-wide, never reset.
    static inline int findMoveIndex = 0;
    // The character typed before the current one, upper-cased (two-key
    // labels); program-wide.
    static inline int previousKey = 0;

private:
    template <class P>
    P* Register(std::unique_ptr<P> pile, std::vector<clPile*>* list, std::size_t limit) {
        static_assert(std::is_base_of_v<clPile, P>);
        P* raw = pile.get();
        RegisterPile(std::move(pile), list, limit);
        return raw;
    }
    void RegisterPile(std::unique_ptr<clPile> pile, std::vector<clPile*>* list, std::size_t limit);
    static clPile* ItemAt(const std::vector<clPile*>& list, int i) {
        return i >= 0 && static_cast<std::size_t>(i) < list.size() ? list[i] : nullptr;
    }
    clPile* PileWithTop(std::int32_t dealIndex) const;

    // Move scoring, on the table before the move.
    std::int32_t ScoreCardMove(const clMove& move, const clPointValues& v);
    std::int32_t ScoreStockAction(const clPointValues& v);
    std::int32_t ScorePair(std::int32_t a, std::int32_t b, const clPointValues& v);
    std::int32_t ScoreSet(const clMove& move, const clPointValues& v);
    std::int64_t FoundationPoints(const clLocation& at, int count, const clPointValues& v) const;
    std::int64_t ReservePoints(const clLocation& at, const clPointValues& v) const;
    std::int64_t TableauPoints(const clMove& move, const clLocation& at, const clCard& card,
                               int count, const clPointValues& v) const;
    bool IsSuitRun(const clPile& pile, int first, const clMove& move) const;
    bool OtherBasesComplete(const clPile* except) const;
    std::int64_t TotalPoints(const clPile& pile, const clCard& card, const clPointValues& v) const;
    std::int64_t RowPoints(const clPile* pile, const clCard& card, const clPointValues& v) const;
    void PlayPart(const clMove& move);
    // Places the taken cards of a card move, and lets their picture travel
    // there from where they were.
    void MoveAnimated(const clMove& move);
    // Replays the history records before `target` onto a fresh deal.
    bool Replay(std::size_t target, bool checked);

    // The piles in the order presses and keys search them: foundations,
    // tableau piles, reserves, stock, waste, then the other piles in
    // registration order.
    std::vector<clPile*> SearchOrder() const;
    // The pick of a press: the pile becomes the source and the cards from
    // `position` up are copied into the drag group. False when the press
    // misses: the cards may not be picked up and the pile has no click action
    // of its own (or is inert).
    bool PickFrom(clPile& pile, int position);
    enum class clButton { Left, Right };
    // What the picked pile does: the clock starts; an inert pile refuses; a
    // right press may be taken by OnRightClick; a click-action pile with cards
    // runs OnPileClick and an empty pile OnEmptyPick. Otherwise the cards stay
    // picked for the caller (true) when CanStartDrag agrees.
    bool ActOnPick(clPile& pile, clButton button);

protected:
    // Ends the drag picture and shows lifted cards again, then empties the drag group.
    void CancelPick();
};
