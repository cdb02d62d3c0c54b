#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <type_traits>
#include <vector>

#include "engine/solitaire_rules.h"
#include "piles/foundation.h"
#include "piles/reserve.h"
#include "piles/tableau.h"
#include "variants/game_rules.h"

// The ready-made forms of the engine's hooks that a variant picks, as in the
// rules column of the catalogue. Operations of a variant's own override the
// virtual operations directly.
enum class clDealForm { Generic, Triangle };
enum class clAfterMoveForm { None, TurnUpTops, CellCounting, KingsCellCounting };
enum class clAutoPlayForm { Plain, Safe, SafeFromBase };
enum class clFindMoveForm { Plain, PreferBuilt, PreferSuit };
// A click on the stock deals one or three cards to the waste; a click on the
// empty stock asks for a redeal.
enum class clClickForm { None, DealOne, DealThree };

struct clForms {
    clDealForm deal = clDealForm::Generic;
    clAfterMoveForm afterMove = clAfterMoveForm::None;
    clAutoPlayForm autoPlay = clAutoPlayForm::Plain;
    clFindMoveForm findMove = clFindMoveForm::Plain;
    clClickForm clicks = clClickForm::None;
    // The stock action turns the waste back over onto the stock.
    bool redealWasteToStock = false;
    // Compounds are deals of up to three cards from the stock to the waste.
    bool dealThreeCompound = false;
};

// The base of every variant: it describes a patience game as data. A variant
// constructor describes the game by its rules row (name, table size, rounds,
// points); CreateLayout makes, places and keys the piles, sets the deal
// counts and picks the forms; SetupRounds and SetupPoints fill the point
// system from the row.
class clSolitaireGame : public clSolitaireRules {
public:
    static constexpr int kMaxSelection = 8;
    // The longest a tableau column fans, in card heights.
    static constexpr double kColumnFan = 4.0;

    // The round table and the point values of the game's rules row.
    void SetupRounds() override;
    void SetupPoints() override;
    // The deal: the game's DealCards, then the table drawn and no card selected.
    void Deal() final;
    // Lays a deal's cards out: the triangle deal or the generic one, unless
    // the game deals its own way.
    virtual void DealCards();
    void AfterMove() override;
    bool AutoPlay() override;
    bool FindMove(clMove& move) override;
    void OnPileClick() override;
    void OnEmptyPick() override;
    void StockAction(bool animated) override;
    bool ValidateStockAction() override;
    // Where a click deals three, the stock's cards go to the waste as one
    // compound deal; a card dealt alone is the stock's last.
    bool ValidateMove(const clMove& move) override;
    // Deals of up to three cards where the variant makes them; otherwise no
    // compound at all (variants that make other compounds test their own).
    bool ValidateCompound(const clMove& move) override;

    // The game's rules row.
    const clGameRules& Rules() const { return *rules; }
    const clForms& Forms() const { return forms; }
    // The base rank the current deal gave the foundations (games that deal one).
    int BaseRank() const { return baseRank; }
    int SelectionCount() const override { return selectionCount; }

protected:
    // Takes the game's identity (display name, key, help topic) and table
    // size from its rules row, which must outlive the variant. Every
    // variant's constructor describes its game.
    void Describe(const clGameRules& row);

    // Makes n piles of one class and registers each in the list of its kind:
    // foundation classes as foundations, tableau classes as tableau piles,
    // reserve and cell classes as reserves, anything else in no list.
    template <class P>
    std::vector<clPile*> MakePiles(int n) {
        std::vector<clPile*> made;
        for (int i = 0; i < n; ++i) {
            auto pile = std::make_unique<P>();
            if constexpr (std::is_base_of_v<clFoundation, P>) {
                made.push_back(AddFoundation(std::move(pile)));
            } else if constexpr (std::is_base_of_v<clStore, P>) {
                made.push_back(AddTableau(std::move(pile)));
            } else if constexpr (std::is_base_of_v<clReserve, P>) {
                made.push_back(AddReserve(std::move(pile)));
            } else {
                made.push_back(AddOther(std::move(pile)));
            }
        }
        return made;
    }

    // Rows of piles. Pile i of n lies at the x given, with pixel offsets that
    // keep 4 pixels between neighbours; a fan limit above 0 is also stored.
    void RowCentred(std::span<clPile* const> piles, double centreX, double y, double fanLimit = 0,
                    int pixelX = 0);
    void RowRightAligned(std::span<clPile* const> piles, double rightX, double y,
                         double fanLimit = 0, int pixelX = 0);
    void RowLeftAligned(std::span<clPile* const> piles, double leftX, double y, double fanLimit = 0,
                        int pixelX = 0);
    void RowSpaced(std::span<clPile* const> piles, double leftX, double y, double step,
                   double fanLimit = 0);

    // Tableau keys '1', '2', ... '9', '0', '1', ... in list order.
    void KeyTableau();
    // The piles' keys in list order; piles past the end of `keys` get none.
    static void KeyPiles(std::span<clPile* const> piles, std::string_view keys);

    // Range setters: n piles from `first` (n = 0: to the end of the list).
    void SetFoundationBaseRank(int rank, int n = 0, int first = 0);
    void SetFoundationStopRank(int rank, int n = 0, int first = 0);
    // The games whose first card dealt sets the base rank: deal position k
    // goes to the first foundation and its rank becomes the base.
    void DealBase(int& k);
    // Every foundation starts at the base rank (and shows its mark) and
    // builds up round the corner from King to Ace until full.
    void FoundationsFromBase();
    // Spaces take only Kings (and show the King's mark), or any card (and
    // show the outline).
    void KingsOnlyInSpaces();
    void AnyCardInSpaces();

    // A click on the stock deals three cards at a time, as one compound move.
    void DealThreeAtATime();
    // The triangle deal: row r gives a card to each tableau pile r..n-1; a
    // card is face up when its deal position is at least faceDownCount.
    void TriangleDeal();
    // Turns up and frees the top card of every tableau pile.
    void TurnUpTops();

    // Stock actions, each committed as a played move when valid.
    // The stock action itself (a deal, a redeal); false when it was not made.
    bool CommitStockAction();
    void DealOne();
    void DealMany(int k);
    void RequestRedeal();
    // The waste back onto the stock, top card first, so the stock regains its order.
    void RedealWasteToStock();
    // One card from the stock's top, face up, onto each pile in order, while
    // the stock lasts (a stock action's work; not a move of its own).
    void DealToEach(std::span<clPile* const> piles);
    bool ValidateRedeal();
    // A deal of m cards: 1 <= m <= stock count, part j from stock position
    // top - j to waste position free + j, and the first part valid. Checking
    // the shape rather than each part on today's table lets deals of two and
    // three cards (and saved games with them) through.
    bool ValidateDealThree(const clMove& move);

    // The destination searches that build before filling spaces.
    bool FindMovePreferBuilt(clMove& move);
    bool FindMovePreferSuit(clMove& move);

    // Card selection for the games that remove cards in pairs or sets; the
    // card meant is the top card of the pressed pile.
    void SelectPair();
    void SelectPairWithRefill();
    void SelectSet();
    void ClearSelection() { selectionCount = 0; }
    // The table drawn afresh, with nothing selected.
    void EndSelection() {
        Repaint();
        ClearSelection();
    }
    // The pair removal of the two cards with the refills of the tableau
    // piles it empties (SelectPairWithRefill's move), or the bare pair when
    // it empties none or nothing is left to refill from.
    clMove PairWithRefills(std::int32_t first, std::int32_t second) const;

    // The base rank and the selection.
    void SaveGameState(clStateWords& words) const override;
    void RestoreGameState(clStateReader& words) override;

    clForms forms;
    int baseRank = 1;

private:
    void SelectPairWith(bool refill);
    bool TryDestination(clMove& move, std::int32_t card, clLocationKind kind, int i,
                        const clPile* pile);
    // The selected card's pile and top card, or null.
    clCard* PressedTop() const;
    void CommitPair(std::int32_t first, std::int32_t second, bool withRefill);

    const clGameRules* rules = nullptr;
    int selectionCount = 0;
    std::array<std::int32_t, kMaxSelection> selection{};

    // The rotating starts of the two searches; program-wide, never reset.
    static inline int preferBuiltIndex = 0;
    static inline int preferSuitIndex = 0;
};
