#pragma once

#include <memory>
#include <string>
#include <vector>

#include "game/board/BoardPoint.h"
#include "params/GameElement.h"
#include "render/Animation.h"

class DwarfModel;
class QMMainLevel;

// Something that lies on a free cell of the board for a while and acts on the dwarf that walks
// over it. Items made from the settings file are prototypes; the board holds clones owned by
// the main level. A clone leaves the collectable list and its grid cell when it is deleted,
// so nothing can reach a deleted item.
class BonusItem : public GameElement {
public:
    // Draws of a random free cell that may land near the player before any cell is taken.
    static constexpr int kPlacementDraws = 8;
    static constexpr float kMinPlayerDistanceSquared = 16.0f;
    // A dwarf collects an item closer than 0.8 of a cell.
    static constexpr float kPickUpRadiusSquared = 0.000625f;

    BonusItem();
    ~BonusItem() override;
    BonusItem(const BonusItem&) = delete;
    BonusItem& operator=(const BonusItem&) = delete;

    // The item's own section, named after its class; then its pictures are loaded.
    void Parameters(Serializer& serializer, const std::string& sectionName) final;
    // Pictures come with the prototype, so that no item loads one in the middle of a round.
    void ParametersChanged() override;
    void Render() override;
    void Update(float dtSeconds) override;
    void Reset() override;
    virtual void PlaceAt(int column, int row);
    virtual std::unique_ptr<BonusItem> Clone() const;
    virtual void PickUp(DwarfModel* dwarf);

    // A random free cell, not within 4 cells of the player's dwarf if 8 draws find one.
    void PlaceAtRandom();
    // Hands a placed clone to its main level and makes it collectable.
    static void Register(std::unique_ptr<BonusItem> item);
    // The first collectable item closer than sqrt(radiusSquared) to the position, or null.
    static BonusItem* FindCollectableNear(BoardPoint position, float radiusSquared);
    static const std::vector<BonusItem*>& Collectables() { return collectables; }
    // No longer collectable; the level still owns it.
    void Unlist();
    // Unlisted and handed to the level, which deletes it at the end of its update pass.
    void Remove();

    int GetMultiplicity() const { return multiplicity; }
    bool IsDone() const { return done; }
    Cell GetCell() const { return cell; }
    BoardPoint GetBoardPosition() const { return boardPosition; }
    float GetTimer() const { return timer; }
    DwarfModel* GetHolder() const { return holder; }

protected:
    virtual const char* SectionLabel() const { return "BonusItem"; }
    // The parameters in the order the item's files hold them.
    virtual void ItemParameters(Serializer& serializer);
    // The values a clone copies from its prototype; subclasses add theirs.
    virtual void CopyFrom(const BonusItem& prototype);
    // The timer ran out (below 0).
    virtual void Expire() { Remove(); }
    void PlaySound() const;
    // The clone of this prototype as a Kind, fresh as Reset leaves it.
    template <class Kind>
    std::unique_ptr<BonusItem> CloneAs() const
    {
        std::unique_ptr<BonusItem> clone = std::make_unique<Kind>();
        clone->CopyFrom(*this);
        clone->Reset();
        return clone;
    }
    // Moves the drawn item down the screen, for pictures whose foot lies below their anchor.
    void LowerOnScreen(float pixelsPerScale);
    // Collects the item; it works on the dwarf only while the changed top speed stays strictly
    // on the near side of the bound, otherwise on nobody.
    void PickUpChangingSpeed(DwarfModel* dwarf, float change, float bound);
    void ExpireChangingSpeed(float change);

    bool done = false;
    QMMainLevel* level = nullptr;
    std::string spriteName = "item_pilze_02";
    Animation spriteAnimation;
    Cell cell{-1, -1};
    BoardPoint boardPosition;
    int screenX = 0;
    int screenY = 0;
    DwarfModel* holder = nullptr;
    std::string soundName = "defaultItemSound";
    float onScreenTime = 10.0f;
    float workingTime = 10.0f;
    float timer = 0.0f;
    float depth = 0.0f;
    float scale = 1.0f;
    int multiplicity = 1;
    int points = 10;

private:
    void LeaveGrid();

    // Handed to the level: it expires no more and is not handed over twice.
    bool removed = false;

    static inline std::vector<BonusItem*> collectables;
};
