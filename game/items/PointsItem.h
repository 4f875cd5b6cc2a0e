#pragma once

#include "game/items/BonusItem.h"

// Points for the player's dwarf only; the computer dwarfs walk over it. The hunter's antler
// on the board is one of these.
class PointsItem : public BonusItem {
public:
    PointsItem();

    std::unique_ptr<BonusItem> Clone() const override;
    void PickUp(DwarfModel* dwarf) override;

protected:
    const char* SectionLabel() const override { return "PointsItem"; }
    void ItemParameters(Serializer& serializer) override;
    void Expire() override;
};
