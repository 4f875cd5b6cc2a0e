#pragma once

#include "game/items/BonusItem.h"

class DwarfController;

// Lends the dwarf a wandering steering for the working time and then gives its own back, at
// once if the dwarf is struck, and at the latest when the item is deleted.
class DizzyItem : public BonusItem {
public:
    DizzyItem();
    ~DizzyItem() override;

    void Update(float dtSeconds) override;
    void Reset() override;
    std::unique_ptr<BonusItem> Clone() const override;
    void PickUp(DwarfModel* dwarf) override;

protected:
    const char* SectionLabel() const override { return "DizzyItem"; }
    void ItemParameters(Serializer& serializer) override;
    void Expire() override;

private:
    void GiveSteeringBack();
};
