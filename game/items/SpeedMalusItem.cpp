#include "game/items/SpeedMalusItem.h"

#include "params/Serializer.h"
#include "util/Factory.h"

QM_REGISTER_CLASS(GameElement, SpeedMalusItem);

SpeedMalusItem::SpeedMalusItem() { soundName = "speedMalusItemSound"; }

void SpeedMalusItem::ItemParameters(Serializer& serializer)
{
    serializer.String("spriteName", spriteName);
    serializer.Int("Multiplicity", multiplicity);
    serializer.Float("speedMalus", speedMalus);
    serializer.Float("Min Malus Speed", minMalusSpeed);
    serializer.Int("Points", points);
    serializer.Float("OnScreen time", onScreenTime);
    serializer.Float("Working time", workingTime);
}

void SpeedMalusItem::CopyFrom(const BonusItem& prototype)
{
    BonusItem::CopyFrom(prototype);
    const auto& malus = static_cast<const SpeedMalusItem&>(prototype);
    speedMalus = malus.speedMalus;
    minMalusSpeed = malus.minMalusSpeed;
}

std::unique_ptr<BonusItem> SpeedMalusItem::Clone() const { return CloneAs<SpeedMalusItem>(); }

void SpeedMalusItem::PickUp(DwarfModel* dwarf) { PickUpChangingSpeed(dwarf, -speedMalus, minMalusSpeed); }

void SpeedMalusItem::Expire() { ExpireChangingSpeed(-speedMalus); }
