#include "game/items/PointsItem.h"

#include "app/Debug.h"
#include "game/figures/DwarfModel.h"
#include "params/Serializer.h"
#include "util/Factory.h"

QM_REGISTER_CLASS(GameElement, PointsItem);

PointsItem::PointsItem() { soundName = "pointsItemSound"; }

void PointsItem::ItemParameters(Serializer& serializer)
{
    serializer.String("spriteName", spriteName);
    serializer.Int("Multiplicity", multiplicity);
    serializer.Float("OnScreen time", onScreenTime);
    serializer.Int("Points", points);
}

std::unique_ptr<BonusItem> PointsItem::Clone() const { return CloneAs<PointsItem>(); }

void PointsItem::PickUp(DwarfModel* dwarf)
{
    if (!dwarf || !dwarf->IsPlayer()) {
        return;
    }
    PlaySound();
    dwarf->AddScore(points, boardPosition);
    holder = dwarf;
    Remove();
}

void PointsItem::Expire()
{
    // A collected points item leaves at once; one that expires with a holder is inconsistent.
    if (holder) {
        Debug::Instance().Error("EXPIRATION ERROR\n");
    }
    Remove();
}
