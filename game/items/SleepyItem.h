#pragma once

#include "game/items/BonusItem.h"

// Puts the dwarf to sleep for the working time; a sleeping dwarf falls to any blow.
class SleepyItem : public BonusItem {
public:
    SleepyItem();

    std::unique_ptr<BonusItem> Clone() const override;
    void PickUp(DwarfModel* dwarf) override;

protected:
    const char* SectionLabel() const override { return "SleepyItem"; }
    void ItemParameters(Serializer& serializer) override;
};
