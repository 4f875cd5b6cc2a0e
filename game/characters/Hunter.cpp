#include "game/characters/Hunter.h"

#include <algorithm>
#include <cmath>

#include "app/Debug.h"
#include "display/DirectDraw.h"
#include "game/board/BoardLayout.h"
#include "game/board/GameMap.h"
#include "game/figures/GameModel.h"
#include "game/items/BonusItem.h"
#include "game/level/BoardProjection.h"
#include "params/Cast.h"
#include "params/Serializer.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteManager.h"
#include "util/Factory.h"
#include "util/Randomizer.h"

QM_REGISTER_CLASS(GameElement, Hunter);

namespace {

constexpr float kAimingFramesPerSecond = 5.0f;
// Aiming starts on the frame that points straight down the board; only on this frame may he
// turn to the antler instead.
constexpr int kAimingStartFrame = 5;
// The antler is never shot in the first tenth of a second of aiming.
constexpr float kAntlerDelay = 0.1f;
// Slopes are measured from the board's centre line, and so is a point level with the hunter.
constexpr float kCentreLine = 0.5f;
// Slopes (column offset from the centre line per row below the hunter) between directions.
constexpr std::array<float, 10> kDirectionBounds = {-3.0f, -2.0f, -1.5f, -0.5f, -0.165f,
                                                    0.165f, 0.5f,  1.5f,  2.0f,  3.0f};
constexpr int kLeftmost = 0;
constexpr int kRightmost = 10;
constexpr int kDoorFrame = 1;
constexpr float kDoorDepth = -0.2f;
constexpr float kScalePerRow = 0.3f;
// The bullet is gone once the point 40 pixels above it leaves the screen area.
constexpr int kBulletLift = -40;
constexpr float kBulletScalePerRow = 0.3f;
constexpr float kBulletScaleBase = 0.4f;
constexpr float kCellsPerUnitSquared = static_cast<float>(GameMap::kSize * GameMap::kSize);

std::string ShotLabel(int dir)
{
    if (dir < kAimingStartFrame) {
        return "jaeger_schuss_r_" + std::to_string(dir + 1);
    }
    if (dir == kAimingStartFrame) {
        return "jaeger_schuss_u_0";
    }
    if (dir < Hunter::kAntlerShot) {
        return "jaeger_schuss_l_" + std::to_string(dir - kAimingStartFrame);
    }
    return "jaeger_schuss_o_0";
}

bool IsOnScreen(ScreenPoint point)
{
    return point.x >= 0 && point.x <= DirectDraw::kFrameWidth && point.y >= 0 && point.y <= DirectDraw::kFrameHeight;
}

}  // namespace

Hunter::Hunter()
{
    using character::Load;
    Load(animations[kComing], "jaeger_kommen", Animation::kStop);
    Load(animations[kTurning], "jaeger_drehen", Animation::kStop);
    Load(animations[kRaising], "jaeger_anlegen", Animation::kStop);
    Load(animations[kAiming], "jaeger_zielen", Animation::kPingPong, kAimingFramesPerSecond);
    Load(animations[kWalkingOut], "jaeger_gehen", Animation::kStop);
    for (int dir = 0; dir < static_cast<int>(shots.size()); ++dir) {
        Load(shots[static_cast<size_t>(dir)], ShotLabel(dir), Animation::kStop);
    }
    Load(bullet, "bullet", Animation::kLoop);
    doors = {SpriteManager::Instance().GetSprite("jaeger_tuer1"), SpriteManager::Instance().GetSprite("jaeger_tuer2")};
    Reset();
}

void Hunter::Parameters(Serializer& serializer, const std::string& sectionName)
{
    serializer.BeginSection("Hunter", sectionName);
    serializer.VectorFloat("Random Timer", randomTimer.least, randomTimer.spread);
    serializer.VectorFloat("Starting Position", startingPosition.column, startingPosition.row);
    serializer.VectorFloat("Speed ", velocity.column, velocity.row);
    serializer.Float("Bullet Speed ", bulletSpeed);
    serializer.Float("Bullet Radius", bulletRadius);
    serializer.VectorFloat("Search Time", searchTime.least, searchTime.spread);
    serializer.Float("Geweih prob", antlerChance);
    serializer.Float("Geweih Zeit", antlerFallSeconds);
    serializer.EndSection();
}

void Hunter::Reset()
{
    bulletActive = false;
    // An antler shot at the end of a round does not land in the next.
    antlerFalling = false;
    antlerPrototype = dynamic_cast<BonusItem*>(Cast::Instance().Find(kAntlerName));
    target = nullptr;
    SetState(kAway);
}

void Hunter::SetState(int newState)
{
    switch (newState) {
    case kComing:
        GameMap::Instance().CloseDoor();
        character::PlaySound("hunterdoor");
        position = startingPosition;
        velocity = {0.0f, kWalkingSpeed};
        animations[kComing].Rewind();
        break;
    case kTurning:
    case kRaising:
        animations[static_cast<size_t>(newState)].Rewind();
        break;
    case kAiming:
        GameMap::Instance().CloseDoor();
        animations[kAiming].SetFrame(kAimingStartFrame);
        ChooseTarget();
        timer = character::RandomTime(searchTime);
        break;
    case kWalkingOut:
        velocity = {0.0f, -kWalkingSpeed};
        animations[kWalkingOut].Rewind();
        break;
    case kShooting:
        Shoot();
        break;
    case kInert:
        break;
    case kAway:
        GameMap::Instance().OpenDoor();
        timer = character::RandomTime(randomTimer);
        break;
    default:
        return;
    }
    state = newState;
}

// ---------------------------------------------------------------- frame

void Hunter::Update(float dtSeconds)
{
    timer -= dtSeconds;
    switch (state) {
    case kComing:
        Walk(dtSeconds);
        PlayThrough(animations[kComing], dtSeconds, kRaising);
        break;
    case kTurning:
        PlayThrough(animations[kTurning], dtSeconds, kWalkingOut);
        break;
    case kRaising:
        PlayThrough(animations[kRaising], dtSeconds, kAiming);
        break;
    case kAiming:
        Aim(dtSeconds);
        break;
    case kWalkingOut:
        Walk(dtSeconds);
        PlayThrough(animations[kWalkingOut], dtSeconds, kAway);
        break;
    case kShooting:
        PlayThrough(shots[static_cast<size_t>(direction)], dtSeconds, kTurning);
        break;
    case kAway:
        if (timer < 0.0f) {
            SetState(kComing);
        }
        break;
    default:
        break;
    }
    if (bulletActive) {
        FlyBullet(dtSeconds);
    }
    if (antlerFalling) {
        antlerTimer -= dtSeconds;
        if (antlerTimer < 0.0f) {
            LandAntler();
        }
    }
}

void Hunter::PlayThrough(Animation& animation, float dtSeconds, int next)
{
    animation.Update(dtSeconds);
    if (character::PlayedThrough(animation)) {
        SetState(next);
    }
}

void Hunter::Walk(float dtSeconds) { position = position + velocity * dtSeconds; }

void Hunter::Aim(float dtSeconds)
{
    Animation& sweep = animations[kAiming];
    const int frame = sweep.GetFrame();
    if (timer < searchTime.least - kAntlerDelay && frame == kAimingStartFrame &&
        Randomizer::Instance().Fraction() < antlerChance) {
        direction = kAntlerShot;
        SetState(kShooting);
    } else if (timer < 0.0f && !target) {
        // Nobody to aim at: he lowers the gun and leaves.
        SetState(kTurning);
    } else if (timer < 0.0f && frame == DirectionTowards(target->GetPosition())) {
        direction = frame;
        SetState(kShooting);
    }
    sweep.Update(dtSeconds);
}

void Hunter::ChooseTarget()
{
    const std::vector<GameModel*>& figures = character::RoundFigures();
    target = nullptr;
    if (figures.empty()) {
        return;
    }
    // From a random figure on, the first dwarf that is awake; else the last figure.
    int skipped = Randomizer::Instance().Pick(static_cast<int>(figures.size()));
    for (GameModel* figure : figures) {
        if (skipped-- <= 0 && figure->GetState() != GameModel::kAsleep && figure->GetKind() != GameModel::kKnight) {
            target = figure;
            return;
        }
    }
    target = figures.back();
}

int Hunter::DirectionTowards(BoardPoint aim) const
{
    if (aim.row <= position.row) {
        const float from = aim.row < position.row ? position.column : kCentreLine;
        return aim.column > from ? kRightmost : kLeftmost;
    }
    const float slope = (aim.column - kCentreLine) / (aim.row - position.row);
    return static_cast<int>(std::count_if(kDirectionBounds.begin(), kDirectionBounds.end(),
                                          [slope](float bound) { return bound < slope; }));
}

void Hunter::Shoot()
{
    if (direction == kAntlerShot) {
        antlerFalling = true;
        character::PlaySound("dropSound");
        antlerTimer = antlerFallSeconds;
    } else if (target) {
        FireBullet();
    }
    shots[static_cast<size_t>(direction)].Rewind();
    character::PlaySound("huntergun");
}

void Hunter::FireBullet()
{
    const BoardPoint aim = target->GetPosition();
    Debug::Instance().Log("Shooting at %i\n", DirectionTowards(aim));
    const BoardPoint way = aim - position;
    const float length = std::sqrt(way.column * way.column + way.row * way.row);
    if (!(length > 0.0f)) {
        return;
    }
    bulletPosition = position;
    bulletVelocity = way * (bulletSpeed / length);
    bulletActive = true;
}

void Hunter::FlyBullet(float dtSeconds)
{
    bullet.Update(dtSeconds);
    bulletPosition = bulletPosition + bulletVelocity * dtSeconds;
    const float reachSquared = bulletRadius * bulletRadius / kCellsPerUnitSquared;
    for (GameModel* figure : character::RoundFigures()) {
        if (GameMap::PositionDistanceSquared(figure->GetPosition(), bulletPosition) < reachSquared) {
            bulletActive = false;
            figure->Hit(this, 0.0f);
            return;
        }
    }
}

void Hunter::LandAntler()
{
    antlerFalling = false;
    character::PlaySound("geweihCrash");
    if (!antlerPrototype) {
        return;
    }
    std::unique_ptr<BonusItem> antler = antlerPrototype->Clone();
    antler->PlaceAtRandom();
    BonusItem::Register(std::move(antler));
}

// ---------------------------------------------------------------- drawing

void Hunter::Render()
{
    if (state != kInert && state != kAway) {
        for (Sprite* door : doors) {
            if (door) {
                door->Draw(board::kDoorPictureX, board::kDoorPictureY, kDoorFrame, kDoorDepth);
            }
        }
        const Animation& drawn =
            state == kShooting ? shots[static_cast<size_t>(direction)] : animations[static_cast<size_t>(state)];
        const ScreenPoint at = Project(position);
        drawn.DrawAnchored(at.x, at.y, position.row, (position.row + 1.0f) * kScalePerRow);
    }
    if (!bulletActive) {
        return;
    }
    if (!IsOnScreen(Project(bulletPosition, kBulletLift))) {
        bulletActive = false;
        return;
    }
    const ScreenPoint at = Project(bulletPosition);
    bullet.DrawAnchored(at.x, at.y, bulletPosition.row, bulletPosition.row * kBulletScalePerRow + kBulletScaleBase);
}
