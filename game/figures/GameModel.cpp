#include "game/figures/GameModel.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "app/Debug.h"
#include "audio/SoundEngine.h"
#include "audio/Voice.h"
#include "game/board/GameMap.h"
#include "game/figures/Direction.h"
#include "game/level/BoardProjection.h"
#include "game/level/QMMainLevel.h"
#include "game/steering/DwarfController.h"
#include "params/Serializer.h"
#include "util/Randomizer.h"

namespace {

constexpr std::array<const char*, GameModel::kAnimatedStates> kStateNames = {
    "run", "schlaf", "stop", "start", "schlag", "getroffen", "taumeln", "umfallen", "schach", "brett", "doppel", "idle"};

constexpr std::array<const char*, 3> kFallSounds = {"bodyfall1", "bodyfall2", "bodyfall3"};
constexpr std::array<const char*, 6> kBoardHits = {"brett-hit1", "brett-hit2", "brett-hit3",
                                                   "brett-hit4", "brett-hit5", "brett-hit6"};
constexpr std::array<const char*, 3> kKnightHits = {"knight-hit1", "knight-hit2", "knight-hit3"};
constexpr std::array<const char*, 3> kBoardHitsOnKnights = {"brett-hitKnight1", "brett-hitKnight2",
                                                            "brett-hitKnight3"};

constexpr float kCellsPerUnit = 32.0f;
// Figures grow towards the front of the board; shadows and stars at half that.
constexpr float kFigureScalePerRow = 0.6f;
constexpr float kShadowScalePerRow = 0.3f;
constexpr float kFigureLiftPerScale = 20.0f;
constexpr float kStarsLiftPerScale = 200.0f;
constexpr float kStarsScaleFactor = 1.3f;
constexpr float kHitEffectScaleFactor = 1.5f;
constexpr int kShadowOffsetX = 5;
constexpr int kShadowOffsetY = -5;
constexpr float kShadowDepthOffset = -0.001f;
constexpr float kStarsDepthOffset = 0.01f;
// Blinking figures show for 10 of every 20 hundredths of a second.
constexpr int kBlinkPeriod = 20;
constexpr int kBlinkVisible = 10;
constexpr float kStarsSpeed = 15.0f;

template <size_t N>
const char* RandomEntry(const std::array<const char*, N>& list)
{
    return list[static_cast<size_t>(Randomizer::Instance().Pick(static_cast<int>(N)))];
}

bool LoopsIn(int animState)
{
    return animState == GameModel::kRun || animState == GameModel::kAsleep || animState == GameModel::kStagger;
}

}  // namespace

GameModel::GameModel()
{
    map = &GameMap::Instance();
    frameRates.fill(Animation::kDefaultFramesPerSecond);
}

GameModel::~GameModel()
{
    Debug::Instance().Log("GameModel destructor\n");
    if (GameMap::Exists() && GameMap::Instance().FigureAt(cell.column, cell.row) == this) {
        GameMap::Instance().SetFigure(nullptr, cell.column, cell.row);
    }
    controller.reset();
    Debug::Instance().Log("GameModel destructor Done\n");
}

const char* GameModel::StateName(int animState)
{
    return animState >= 0 && animState < kAnimatedStates ? kStateNames[static_cast<size_t>(animState)] : "";
}

Animation& GameModel::GetAnimation(int animState, int dir)
{
    const int safeState = std::clamp(animState, 0, kAnimatedStates - 1);
    const int safeDir = direction::IsFacing(dir) ? dir : direction::kSouth;
    return animations[static_cast<size_t>(safeState)][static_cast<size_t>(safeDir)];
}

bool GameModel::IsDown() const
{
    return state == kHit || state == kStagger || state == kFall || state == kCheck;
}

// ---------------------------------------------------------------- frame

void GameModel::Update(float dtSeconds)
{
    lifeTime += dtSeconds;
    lastDt = dtSeconds;
    stateTimer -= dtSeconds;
    if (controller) {
        controller->Update(dtSeconds);
    }
    StateStep();
    if (state == kReappear || state == kHeld) {
        return;
    }
    AdvanceAnimations(dtSeconds);
    if (IsDown()) {
        stars.Update(dtSeconds);
        return;
    }
    UpdateVelocity(dtSeconds);
    Move(dtSeconds);
}

void GameModel::AdvanceAnimations(float dtSeconds)
{
    if (state < kAnimatedStates) {
        CurrentAnimation().Update(dtSeconds);
    }
    if (hitEffect) {
        hitAnimation.Update(dtSeconds);
        if (hitAnimation.IsEndReached() || !hitAnimation.GetSprite()) {
            hitAnimation.Rewind();
            hitEffect = false;
        }
    }
}

void GameModel::UpdateVelocity(float dtSeconds)
{
    if (accelerationTimer > 0.0) {
        const float step = std::min(dtSeconds, static_cast<float>(accelerationTimer));
        velocity = velocity + acceleration * step;
        accelerationTimer -= dtSeconds;
    } else if (requestedDirection == direction::kStand) {
        velocity = {};
        acceleration = {};
    }
}

void GameModel::Move(float dtSeconds)
{
    if (velocity.IsZero()) {
        return;
    }
    const float factor = depthCorrection.column + depthCorrection.row * position.row;
    const BoardPoint delta = velocity * (factor * dtSeconds);
    if (CanMoveTo(position + delta)) {
        moved = true;
        SetPosition(position + delta);
        return;
    }
    // Slide along whichever axis is free.
    BoardPoint kept;
    if (CanMoveTo({position.column + delta.column, position.row})) {
        kept.column = delta.column;
    }
    if (CanMoveTo({position.column, position.row + delta.row})) {
        kept.row = delta.row;
    }
    moved = !kept.IsZero() && CanMoveTo(position + kept);
    if (moved) {
        SetPosition(position + kept);
    }
}

// ---------------------------------------------------------------- steering

void GameModel::SetDirection(int dir)
{
    switch (state) {
    case kAsleep:
    case kStrike:
    case kHit:
    case kStagger:
    case kFall:
    case kCheck:
    case kRaise:
    case kBoardStrike:
    case kReappear:
        return;
    default:
        break;
    }
    if (dir == requestedDirection || dir < 0) {
        return;
    }
    if (direction::IsFacing(dir)) {
        const Cell step = direction::CellStep(dir);
        const float speed = direction::IsDiagonal(dir) ? diagonalSpeed : maxSpeed;
        const BoardPoint target{static_cast<float>(step.column) * speed, static_cast<float>(step.row) * speed};
        facing = requestedDirection = dir;
        if (accelerationTime > 0.0f) {
            acceleration = (target - velocity) * (1.0f / accelerationTime);
            accelerationTimer = accelerationTime;
        } else {
            velocity = target;
        }
    } else if (dir == direction::kStand) {
        requestedDirection = direction::kStand;
        if (accelerationTime <= 0.0f) {
            velocity = {};
        } else {
            acceleration = velocity * (-1.0f / accelerationTime);
            accelerationTimer = accelerationTime;
        }
    }
}

void GameModel::Strike()
{
    if (!IsDown() && state != kStrike) {
        StopMotion();
        SetState(kStrike);
    }
}

void GameModel::Stop()
{
    StopMotion();
    SetState(kStop);
}

void GameModel::StopMotion()
{
    accelerationTimer = 0.0;
    velocity = {};
    acceleration = {};
    requestedDirection = direction::kStand;
}

void GameModel::SetPosition(BoardPoint newPosition)
{
    map->SetFigure(nullptr, cell.column, cell.row);
    cell = GameMap::PositionToCell(newPosition);
    map->SetFigure(this, cell.column, cell.row);
    position = newPosition;
}

void GameModel::SetMaxSpeed(float speed)
{
    maxSpeed = speed;
    diagonalSpeed = std::sqrt(speed * speed * 0.5f);
    accelerationTimer = 0.0;
    acceleration = {};
    const Cell step = direction::CellStep(facing);
    const float along = direction::IsDiagonal(facing) ? diagonalSpeed : maxSpeed;
    velocity = {static_cast<float>(step.column) * along, static_cast<float>(step.row) * along};
}

void GameModel::StartRound()
{
    SetMaxSpeed(baseSpeed);
    velocity = {};
    accelerationTime = baseAccelerationTime;
    stateTimer = 0.0f;
    roundScore = 0;
    struck = moved = hitEffect = false;
    lastAttacker = nullptr;
    requestedDirection = direction::kStand;
    facing = direction::kSouth;
    collisionRadius = size * 0.03125f;
    state = kStart;
}

void GameModel::AttachController()
{
    if (controller) {
        controller->Attach(this);
        controller->Reset();
    }
}

std::unique_ptr<DwarfController> GameModel::ReplaceController(std::unique_ptr<DwarfController> next)
{
    std::swap(controller, next);
    return next;
}

bool GameModel::LendController(std::unique_ptr<DwarfController> lent)
{
    if (lending) {
        return false;
    }
    ownController = ReplaceController(std::move(lent));
    lending = true;
    if (controller) {
        controller->Attach(this);
    }
    return true;
}

void GameModel::TakeBackController()
{
    if (lending) {
        controller = std::move(ownController);
        lending = false;
    }
}

void GameModel::SetController(std::unique_ptr<DwarfController> brains)
{
    controller = std::move(brains);
    if (controller) {
        controller->Attach(this);
    }
}

// ---------------------------------------------------------------- contact

bool GameModel::CanMoveTo(BoardPoint target) const
{
    if (target.column > 1.0f || target.column < 0.0f || target.row > 1.0f || target.row < 0.0f) {
        return false;
    }
    const Cell targetCell = GameMap::PositionToCell(target);
    if (!map->IsWalkable(targetCell)) {
        return false;
    }
    const QMMainLevel* level = map->GetLevel();
    if (!level) {
        return true;
    }
    for (const GameModel* other : level->GetActiveFigures()) {
        if (other == this || other->IsVanishing()) {
            continue;
        }
        const float reachSum = collisionRadius + other->collisionRadius;
        const float after = std::sqrt(GameMap::PositionDistanceSquared(other->position, target));
        // Figures that already overlap (a crowded respawn) may still move apart.
        const float before = std::sqrt(GameMap::PositionDistanceSquared(other->position, position));
        if (reachSum > after && after <= before) {
            return false;
        }
    }
    return true;
}

bool GameModel::CanHit(const GameModel& target, float reachCells) const
{
    const float distanceSquared = GameMap::PositionDistanceSquared(position, target.position);
    const float reachUnits = reachCells / kCellsPerUnit;
    if (reachUnits * reachUnits < distanceSquared) {
        return false;
    }
    BoardPoint towards;
    if (distanceSquared > 0.0f) {
        towards = (target.position - position) * (1.0f / std::sqrt(distanceSquared));
    }
    const BoardPoint look = direction::UnitVector(facing);
    return towards.column * look.column + towards.row * look.row >= kStrikeConeCosine;
}

bool GameModel::StrikeAround(float force, GameModel*& lastStruck)
{
    bool any = false;
    const QMMainLevel* level = map->GetLevel();
    if (!level) {
        return false;
    }
    const std::vector<GameModel*>& others = level->GetActiveFigures();
    for (size_t i = 0; i < others.size(); ++i) {
        GameModel* other = others[i];
        if (other == this || !CanHit(*other, reach) || (kind == kDwarf && other->IsDown())) {
            continue;
        }
        other->Hit(this, force);
        any = true;
        lastStruck = other;
    }
    return any;
}

void GameModel::Hit(GameElement*, float) {}

void GameModel::DrawStatus(int, int) {}

// ---------------------------------------------------------------- sound and score

void GameModel::PlayEvent(const std::string& eventName)
{
    if (Voice* voice = SoundEngine::Instance().PlayAudioEvent(eventName)) {
        voice->Play();
    }
}

void GameModel::PlayFallSound() { PlayEvent(RandomEntry(kFallSounds)); }

void GameModel::PlayStrikeSound(bool hit, const GameModel* target) const
{
    if (!hit) {
        PlayEvent("miss");
    } else if (carriesBoard && kind != kKnight) {
        PlayEvent("doppelkopf");
    } else if (kind == kKnight) {
        PlayEvent(RandomEntry(kKnightHits));
    } else if (target && target->kind == kKnight) {
        PlayEvent(RandomEntry(kBoardHitsOnKnights));
    } else {
        PlayEvent(RandomEntry(kBoardHits));
    }
}

void GameModel::AddScore(int points, BoardPoint where)
{
    QMMainLevel* level = map->GetLevel();
    if (isPlayer && points != 0 && level) {
        const ScreenPoint at = Project(where);
        level->AddFloatingNumber(points, at.x, at.y + static_cast<int>(std::trunc(position.row * 0.3f - 30.0f)));
    }
    totalScore = std::max(totalScore + points, 0);
}

// ---------------------------------------------------------------- animations

void GameModel::LoadAnimations(const std::vector<int>& states, const std::string& baseName)
{
    if (baseName == loadedName) {
        return;
    }
    for (int animState : states) {
        for (int dir = 0; dir < direction::kCount; ++dir) {
            Animation& animation = GetAnimation(animState, dir);
            animation.Reset();
            animation.SetSpriteLabel(baseName + "_" + StateName(animState) + "_" + direction::Suffix(dir));
            animation.SetSpeed(frameRates[static_cast<size_t>(animState)]);
            animation.SetMode(LoopsIn(animState) ? Animation::kLoop : Animation::kStop);
        }
    }
    stars.SetSpriteLabel("sternchen");
    stars.SetMode(Animation::kLoop);
    stars.SetSpeed(kStarsSpeed);
    hitAnimation.SetSpriteLabel("hitAnimation");
    hitAnimation.SetMode(Animation::kStop);
    LoadExtras(baseName);
    loadedName = baseName;
}

void GameModel::ApplyFrameRates(const std::vector<int>& states)
{
    for (int animState : states) {
        for (int dir = 0; dir < direction::kCount; ++dir) {
            GetAnimation(animState, dir).SetSpeed(frameRates[static_cast<size_t>(animState)]);
        }
    }
}

void GameModel::FrameRateParameters(Serializer& serializer, const std::vector<int>& states)
{
    for (int animState : states) {
        serializer.Float(std::string(StateName(animState)) + " fps.:", frameRates[static_cast<size_t>(animState)]);
    }
}

void GameModel::MuteAnimations(bool muted)
{
    for (auto& byDirection : animations) {
        for (Animation& animation : byDirection) {
            animation.SetMuted(muted);
        }
    }
}

bool GameModel::AnimationEnded()
{
    // A missing sprite never plays, so it counts as played through rather than freezing the figure.
    const Animation& animation = CurrentAnimation();
    return animation.IsEndReached() || !animation.GetSprite();
}

float GameModel::AnimationPosition()
{
    const Animation& animation = CurrentAnimation();
    return animation.GetSprite() ? animation.GetPosition() : 1.0f;
}

// ---------------------------------------------------------------- drawing

bool GameModel::IsBlinkedOut() const
{
    const int phase = static_cast<int>(std::trunc(stateTimer * 100.0f)) % kBlinkPeriod;
    if (!isPlayer && IsVanishing()) {
        return phase < kBlinkVisible;
    }
    return state == kReappear && phase >= kBlinkVisible;
}

void GameModel::Render()
{
    if (IsBlinkedOut()) {
        return;
    }
    const float scale = (position.row + 1.0f) * kFigureScalePerRow;
    const float shadowScale = (position.row + 1.0f) * kShadowScalePerRow;
    const ScreenPoint base = Project(position, static_cast<int>(std::trunc(scale * kFigureLiftPerScale)));
    const BoardPoint offset = spriteOffsets[static_cast<size_t>(facing)];
    const int x = base.x + static_cast<int>(std::floor(scale * offset.column));
    const int y = base.y + static_cast<int>(std::floor(scale * offset.row));
    shadow.DrawAnchored(base.x + kShadowOffsetX, base.y + kShadowOffsetY, position.row + kShadowDepthOffset,
                        shadowScale);
    if (state == kReappear || state == kHeld) {
        GetAnimation(kStart, facing).DrawAnchored(x, y, position.row, scale);
        return;
    }
    if (state < kAnimatedStates) {
        CurrentAnimation().DrawAnchored(x, y, position.row, scale);
    }
    if (state == kStagger) {
        stars.DrawAnchored(x, y - static_cast<int>(std::trunc(shadowScale * kStarsLiftPerScale)),
                           position.row + kStarsDepthOffset, shadowScale * kStarsScaleFactor);
    }
    if (hitEffect && lastAttacker) {
        const BoardPoint middle = (position + lastAttacker->position) * 0.5f;
        const ScreenPoint at = Project(middle);
        hitAnimation.DrawAnchored(at.x, at.y, middle.row, scale * kHitEffectScaleFactor);
    }
}

Cell GameModel::RespawnCell() const
{
    const Cell far = map->RespawnCell();
    return far == GameMap::kNoCell ? map->RandomFreeCell() : far;
}
