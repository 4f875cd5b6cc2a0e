#include "game/items/BombItem.h"

#include <algorithm>
#include <vector>

#include "game/board/GameMap.h"
#include "game/figures/DwarfModel.h"
#include "game/level/QMMainLevel.h"
#include "params/Serializer.h"
#include "util/Factory.h"

QM_REGISTER_CLASS(GameElement, BombItem);

namespace {

// The bomb's picture stands on its lower edge, below the cell's anchor.
constexpr float kLowerPerScale = 10.0f;
constexpr float kCellsPerUnit = static_cast<float>(GameMap::kSize);

}  // namespace

// It shows only its explosion animation, whose first frame is the bomb itself.
BombItem::BombItem() { spriteName = Animation::kNoSprite; }

void BombItem::ItemParameters(Serializer& serializer)
{
    serializer.Int("Multiplicity", multiplicity);
    serializer.String("animation Name", animationName);
    serializer.Float("OnScreen time", onScreenTime);
    serializer.Float("Explosion Radius", explosionRadius);
}

void BombItem::ParametersChanged() { explosion.SetSpriteLabel(animationName); }

void BombItem::CopyFrom(const BonusItem& prototype)
{
    BonusItem::CopyFrom(prototype);
    const auto& bomb = static_cast<const BombItem&>(prototype);
    animationName = bomb.animationName;
    explosionRadius = bomb.explosionRadius;
}

std::unique_ptr<BonusItem> BombItem::Clone() const { return CloneAs<BombItem>(); }

void BombItem::Reset()
{
    BonusItem::Reset();
    explosion.SetSpriteLabel(animationName);
    explosion.SetMode(Animation::kStop);
    explosion.SetSpeed(kExplosionFramesPerSecond);
    explosion.Rewind();
    phase = kWaiting;
    exploded = false;
}

void BombItem::PlaceAt(int column, int row)
{
    BonusItem::PlaceAt(column, row);
    bombPosition = boardPosition;
    LowerOnScreen(kLowerPerScale);
}

void BombItem::Update(float dtSeconds)
{
    timer -= dtSeconds;
    if (phase == kWaiting && timer < 0.0f) {
        phase = kDetonating;
    }
    if (phase == kDetonating) {
        Detonate(dtSeconds);
    }
}

void BombItem::Detonate(float dtSeconds)
{
    explosion.Update(dtSeconds);
    // Without its pictures the bomb still blows up, at once.
    const bool pictured = explosion.GetSprite() != nullptr;
    if (!pictured || explosion.GetPosition() > kBlastPosition) {
        Blast();
    }
    if (!pictured || explosion.IsEndReached()) {
        Remove();
    }
}

void BombItem::Blast()
{
    if (exploded || !level) {
        return;
    }
    exploded = true;
    const auto distance = [this](const GameModel* figure) {
        return GameMap::PositionDistanceSquared(figure->GetPosition(), bombPosition);
    };
    std::vector<GameModel*> figures = level->GetActiveFigures();
    std::stable_sort(figures.begin(), figures.end(),
                     [&distance](const GameModel* a, const GameModel* b) { return distance(a) < distance(b); });
    const float reach = explosionRadius / kCellsPerUnit;
    for (GameModel* figure : figures) {
        if (distance(figure) >= reach * reach) {
            break;
        }
        // Knights in reach stand the blast, and it goes on past them.
        if (auto* dwarf = dynamic_cast<DwarfModel*>(figure)) {
            dwarf->Hit(this, 0.0f);
        }
    }
}

void BombItem::Render() { explosion.DrawAnchored(screenX, screenY, depth, scale * 2.0f); }
