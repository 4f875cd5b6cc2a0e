#pragma once

#include "game/items/BonusItem.h"

// Hands the dwarf a wooden board: its next blow is a "doppel" blow, which fells at once.
class BoardItem : public BonusItem {
public:
    BoardItem();

    void PlaceAt(int column, int row) override;
    std::unique_ptr<BonusItem> Clone() const override;
    void PickUp(DwarfModel* dwarf) override;

protected:
    const char* SectionLabel() const override { return "BoardItem"; }
    void ItemParameters(Serializer& serializer) override;
};
