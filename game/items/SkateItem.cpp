#include "game/items/SkateItem.h"

#include "game/figures/DwarfModel.h"
#include "params/Serializer.h"
#include "util/Factory.h"

QM_REGISTER_CLASS(GameElement, SkateItem);

SkateItem::SkateItem() { spriteName = "skate_item"; }

void SkateItem::ItemParameters(Serializer& serializer)
{
    serializer.Int("Multiplicity", multiplicity);
    serializer.String("spriteName", spriteName);
    serializer.Float("skateBonus", skateBonus);
    serializer.Float("OnScreen time", onScreenTime);
    serializer.Float("Max skate factor", maxSkateFactor);
    serializer.Float("Working time", workingTime);
}

void SkateItem::CopyFrom(const BonusItem& prototype)
{
    BonusItem::CopyFrom(prototype);
    const auto& skate = static_cast<const SkateItem&>(prototype);
    skateBonus = skate.skateBonus;
    maxSkateFactor = skate.maxSkateFactor;
}

std::unique_ptr<BonusItem> SkateItem::Clone() const { return CloneAs<SkateItem>(); }

void SkateItem::PickUp(DwarfModel* dwarf)
{
    // A dwarf that would skate too far leaves the item lying.
    if (!dwarf || dwarf->GetAccelerationTime() + skateBonus >= maxSkateFactor) {
        return;
    }
    BonusItem::PickUp(dwarf);
    dwarf->SetAccelerationTime(dwarf->GetAccelerationTime() + skateBonus);
}

void SkateItem::Expire()
{
    if (holder) {
        holder->SetAccelerationTime(holder->GetAccelerationTime() - skateBonus);
        holder = nullptr;
    }
    Remove();
}
