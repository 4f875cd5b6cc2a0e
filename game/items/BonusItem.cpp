#include "game/items/BonusItem.h"

#include <algorithm>
#include <cmath>

#include "audio/SoundEngine.h"
#include "audio/Voice.h"
#include "game/board/GameMap.h"
#include "game/figures/DwarfModel.h"
#include "game/level/BoardProjection.h"
#include "game/level/QMMainLevel.h"
#include "params/Serializer.h"

BonusItem::BonusItem() = default;

BonusItem::~BonusItem()
{
    Unlist();
    LeaveGrid();
}

void BonusItem::Parameters(Serializer& serializer, const std::string& sectionName)
{
    serializer.BeginSection(SectionLabel(), sectionName);
    ItemParameters(serializer);
    serializer.EndSection();
    if (serializer.IsReading()) {
        ParametersChanged();
    }
}

void BonusItem::ItemParameters(Serializer& serializer)
{
    serializer.String("spriteName", spriteName);
    serializer.Int("Multiplicity", multiplicity);
    serializer.Float("OnScreen time", onScreenTime);
    serializer.Float("Working time", workingTime);
    serializer.Int("Points", points);
}

void BonusItem::ParametersChanged() { spriteAnimation.SetSpriteLabel(spriteName); }

void BonusItem::Reset()
{
    spriteAnimation.Reset();
    spriteAnimation.SetSpriteLabel(spriteName);
    level = GameMap::Instance().GetLevel();
    done = false;
    holder = nullptr;
    timer = onScreenTime;
}

void BonusItem::CopyFrom(const BonusItem& prototype)
{
    spriteName = prototype.spriteName;
    soundName = prototype.soundName;
    points = prototype.points;
    onScreenTime = prototype.onScreenTime;
    workingTime = prototype.workingTime;
}

std::unique_ptr<BonusItem> BonusItem::Clone() const { return CloneAs<BonusItem>(); }

// ---------------------------------------------------------------- the board

void BonusItem::PlaceAt(int column, int row)
{
    LeaveGrid();
    GameMap::Instance().SetItem(this, column, row);
    cell = {column, row};
    const float size = static_cast<float>(GameMap::kSize);
    boardPosition = {static_cast<float>(column + 1) / size, static_cast<float>(row + 1) / size};
    scale = (boardPosition.row + 1.0f) * 0.3f;
    depth = boardPosition.row;
    const ScreenPoint at = Project(boardPosition);
    screenX = at.x;
    screenY = at.y;
}

void BonusItem::LowerOnScreen(float pixelsPerScale)
{
    screenY += static_cast<int>(std::trunc(scale * pixelsPerScale));
}

void BonusItem::LeaveGrid()
{
    if (GameMap::Exists() && GameMap::Instance().ItemAt(cell.column, cell.row) == this) {
        GameMap::Instance().SetItem(nullptr, cell.column, cell.row);
    }
}

void BonusItem::PlaceAtRandom()
{
    GameMap& map = GameMap::Instance();
    const DwarfModel* player = DwarfModel::Player();
    Cell drawn = map.RandomFreeCell();
    for (int draw = 1; draw < kPlacementDraws && player; ++draw) {
        if (GameMap::CellDistanceSquared(drawn, player->GetCell()) >= kMinPlayerDistanceSquared) {
            break;
        }
        drawn = map.RandomFreeCell();
    }
    PlaceAt(drawn.column, drawn.row);
}

void BonusItem::Register(std::unique_ptr<BonusItem> item)
{
    QMMainLevel* owner = item->level ? item->level : GameMap::Instance().GetLevel();
    if (!owner) {
        return;
    }
    item->level = owner;
    collectables.push_back(item.get());
    owner->AddDynamic(std::move(item));
}

BonusItem* BonusItem::FindCollectableNear(BoardPoint position, float radiusSquared)
{
    for (BonusItem* item : collectables) {
        if (GameMap::PositionDistanceSquared(item->boardPosition, position) < radiusSquared) {
            return item;
        }
    }
    return nullptr;
}

void BonusItem::Unlist()
{
    collectables.erase(std::remove(collectables.begin(), collectables.end(), this), collectables.end());
}

void BonusItem::Remove()
{
    Unlist();
    if (level && !removed) {
        removed = true;
        level->Forget(this);
    }
}

// ---------------------------------------------------------------- frame

void BonusItem::Update(float dtSeconds)
{
    timer -= dtSeconds;
    // Collected earlier in this pass, it is already on its way out.
    if (timer < 0.0f && !removed) {
        Expire();
    }
}

void BonusItem::Render()
{
    if (!done) {
        spriteAnimation.DrawAnchored(screenX, screenY, depth, scale);
    }
}

void BonusItem::PlaySound() const
{
    if (Voice* voice = SoundEngine::Instance().PlayAudioEvent(soundName)) {
        voice->Play();
    }
}

void BonusItem::PickUp(DwarfModel* dwarf)
{
    PlaySound();
    if (dwarf) {
        dwarf->AddScore(points, boardPosition);
    }
    holder = dwarf;
    done = true;
    timer = workingTime;
    Unlist();
}

void BonusItem::PickUpChangingSpeed(DwarfModel* dwarf, float change, float bound)
{
    BonusItem::PickUp(dwarf);
    if (!holder) {
        return;
    }
    const float changed = holder->GetMaxSpeed() + change;
    const bool inside = change > 0.0f ? changed < bound : changed > bound;
    if (inside) {
        holder->SetMaxSpeed(changed);
    } else {
        holder = nullptr;
    }
}

void BonusItem::ExpireChangingSpeed(float change)
{
    if (holder) {
        holder->SetMaxSpeed(holder->GetMaxSpeed() - change);
    }
    Remove();
}
