#include "game/items/SpeedBonusItem.h"

#include "params/Serializer.h"
#include "util/Factory.h"

QM_REGISTER_CLASS(GameElement, SpeedBonusItem);

SpeedBonusItem::SpeedBonusItem() { soundName = "speedBonusItemSound"; }

void SpeedBonusItem::ItemParameters(Serializer& serializer)
{
    serializer.String("spriteName", spriteName);
    serializer.Int("Multiplicity", multiplicity);
    serializer.Float("speedBonus", speedBonus);
    serializer.Float("OnScreen time", onScreenTime);
    serializer.Float("Max Bonus Speed", maxBonusSpeed);
    serializer.Int("Points", points);
    serializer.Float("Working time", workingTime);
}

void SpeedBonusItem::CopyFrom(const BonusItem& prototype)
{
    BonusItem::CopyFrom(prototype);
    const auto& bonus = static_cast<const SpeedBonusItem&>(prototype);
    speedBonus = bonus.speedBonus;
    maxBonusSpeed = bonus.maxBonusSpeed;
}

std::unique_ptr<BonusItem> SpeedBonusItem::Clone() const { return CloneAs<SpeedBonusItem>(); }

void SpeedBonusItem::PickUp(DwarfModel* dwarf) { PickUpChangingSpeed(dwarf, speedBonus, maxBonusSpeed); }

void SpeedBonusItem::Expire() { ExpireChangingSpeed(speedBonus); }
