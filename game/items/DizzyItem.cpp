#include "game/items/DizzyItem.h"

#include "game/figures/DwarfModel.h"
#include "game/steering/DumbComputerController.h"
#include "params/Serializer.h"
#include "util/Factory.h"

QM_REGISTER_CLASS(GameElement, DizzyItem);

DizzyItem::DizzyItem()
{
    spriteName = "dizzy_item";
    workingTime = 5.0f;
}

DizzyItem::~DizzyItem() { GiveSteeringBack(); }

void DizzyItem::ItemParameters(Serializer& serializer)
{
    serializer.String("spriteName", spriteName);
    serializer.Int("Multiplicity", multiplicity);
    serializer.Float("OnScreen time", onScreenTime);
    serializer.Float("Working time", workingTime);
}

void DizzyItem::Reset()
{
    GiveSteeringBack();
    BonusItem::Reset();
}

std::unique_ptr<BonusItem> DizzyItem::Clone() const { return CloneAs<DizzyItem>(); }

void DizzyItem::PickUp(DwarfModel* dwarf)
{
    BonusItem::PickUp(dwarf);
    if (!holder) {
        return;
    }
    // A dwarf that already wanders keeps the steering of the item that made it dizzy, so
    // that item alone gives its own back.
    if (!holder->LendController(std::make_unique<DumbComputerController>())) {
        holder = nullptr;
    }
}

void DizzyItem::Update(float dtSeconds)
{
    BonusItem::Update(dtSeconds);
    // A blow clears the head before the working time is up.
    if (holder && holder->IsDown()) {
        Expire();
    }
}

void DizzyItem::Expire()
{
    GiveSteeringBack();
    Remove();
}

void DizzyItem::GiveSteeringBack()
{
    if (holder) {
        holder->TakeBackController();
        holder = nullptr;
    }
}
