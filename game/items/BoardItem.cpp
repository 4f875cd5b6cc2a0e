#include "game/items/BoardItem.h"

#include "game/figures/DwarfModel.h"
#include "params/Serializer.h"
#include "util/Factory.h"

QM_REGISTER_CLASS(GameElement, BoardItem);

namespace {

// The board picture stands on its lower edge, below the cell's anchor.
constexpr float kLowerPerScale = 22.0f;

}  // namespace

BoardItem::BoardItem()
{
    soundName = "boardItemSound";
    points = 0;
}

void BoardItem::ItemParameters(Serializer& serializer)
{
    serializer.String("spriteName", spriteName);
    serializer.Int("Multiplicity", multiplicity);
    serializer.Float("OnScreen time", onScreenTime);
    serializer.Int("Points", points);
}

void BoardItem::PlaceAt(int column, int row)
{
    BonusItem::PlaceAt(column, row);
    LowerOnScreen(kLowerPerScale);
}

std::unique_ptr<BonusItem> BoardItem::Clone() const { return CloneAs<BoardItem>(); }

void BoardItem::PickUp(DwarfModel* dwarf)
{
    PlaySound();
    if (dwarf) {
        dwarf->SetCarriesBoard(true);
    }
    Remove();
}
