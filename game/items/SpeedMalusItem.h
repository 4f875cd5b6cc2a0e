#pragma once

#include "game/items/BonusItem.h"

// Lowers the dwarf's top speed for the working time, unless that would reach the bound.
class SpeedMalusItem : public BonusItem {
public:
    SpeedMalusItem();

    std::unique_ptr<BonusItem> Clone() const override;
    void PickUp(DwarfModel* dwarf) override;

protected:
    const char* SectionLabel() const override { return "SpeedMalusItem"; }
    void ItemParameters(Serializer& serializer) override;
    void CopyFrom(const BonusItem& prototype) override;
    void Expire() override;

private:
    float speedMalus = 0.01f;
    // Exclusive lower bound of the lowered top speed.
    float minMalusSpeed = 0.01f;
};
