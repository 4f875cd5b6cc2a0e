#include "game/items/SleepyItem.h"

#include "game/figures/DwarfModel.h"
#include "params/Serializer.h"
#include "util/Factory.h"

QM_REGISTER_CLASS(GameElement, SleepyItem);

SleepyItem::SleepyItem() { soundName = "sleepyItemSound"; }

void SleepyItem::ItemParameters(Serializer& serializer)
{
    serializer.Int("Multiplicity", multiplicity);
    serializer.String("spriteName", spriteName);
    serializer.String("pickupSound", soundName);
    serializer.Float("OnScreen time", onScreenTime);
    serializer.Int("Points", points);
    serializer.Float("Working time", workingTime);
}

std::unique_ptr<BonusItem> SleepyItem::Clone() const { return CloneAs<SleepyItem>(); }

void SleepyItem::PickUp(DwarfModel* dwarf)
{
    PlaySound();
    if (dwarf) {
        dwarf->Sleep(workingTime);
    }
    Remove();
}
