#pragma once

#include "game/items/BonusItem.h"

// Makes the dwarf start and stop sluggishly, as if skating, by lengthening its acceleration
// time for the working time.
class SkateItem : public BonusItem {
public:
    SkateItem();

    std::unique_ptr<BonusItem> Clone() const override;
    void PickUp(DwarfModel* dwarf) override;

protected:
    const char* SectionLabel() const override { return "SkateItem"; }
    void ItemParameters(Serializer& serializer) override;
    void CopyFrom(const BonusItem& prototype) override;
    void Expire() override;

private:
    float skateBonus = 0.1f;
    // Exclusive bound of the raised acceleration time.
    float maxSkateFactor = 1.0f;
};
