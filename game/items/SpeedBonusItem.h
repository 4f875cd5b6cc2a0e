#pragma once

#include "game/items/BonusItem.h"

// Raises the dwarf's top speed for the working time, unless that would reach the bound.
class SpeedBonusItem : public BonusItem {
public:
    SpeedBonusItem();

    std::unique_ptr<BonusItem> Clone() const override;
    void PickUp(DwarfModel* dwarf) override;

protected:
    const char* SectionLabel() const override { return "SpeedBonusItem"; }
    void ItemParameters(Serializer& serializer) override;
    void CopyFrom(const BonusItem& prototype) override;
    void Expire() override;

private:
    float speedBonus = 0.01f;
    // Exclusive upper bound of the raised top speed.
    float maxBonusSpeed = 1.0f;
};
