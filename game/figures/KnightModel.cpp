#include "game/figures/KnightModel.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/Debug.h"
#include "game/board/GameMap.h"
#include "game/figures/Direction.h"
#include "game/items/BonusItem.h"
#include "game/level/BoardProjection.h"
#include "game/steering/AStarController.h"
#include "params/Cast.h"
#include "params/ComboBox.h"
#include "params/Serializer.h"
#include "util/Factory.h"
#include "util/Randomizer.h"

QM_REGISTER_CLASS(GameElement, KnightModel);

namespace {

const std::vector<int> kKnightStates = {GameModel::kRun, GameModel::kStop, GameModel::kStart, GameModel::kStrike,
                                        GameModel::kFall};
const std::vector<std::string> kKnightNames = {"stumpf", "scharf"};
constexpr float kFallSeconds = 2.5f;
constexpr float kRunStopSeconds = 2.0f;
constexpr float kStrikeStopSeconds = 3.0f;
constexpr float kStarsScalePerRow = 0.3f;
constexpr float kStarsLiftPerScale = 200.0f;
constexpr float kStarsScaleFactor = 1.5f;
constexpr float kStarsDepthOffset = 0.01f;

}  // namespace

KnightModel::KnightModel()
{
    kind = kKnight;
    name = kKnightNames[0];
    baseSpeed = 0.3f;
    baseAccelerationTime = 0.2f;
    strikeTime = 0.7f;
    counterTime = 0.4f;
    size = 1.5f;
    scoreForKill = 20;
    carriesBoard = true;
    comesBack = true;
    Init();
}

KnightModel::~KnightModel()
{
    Debug::Instance().Log("KnightModel destructor\n");
    Debug::Instance().Log("KnightModel destructor Done\n");
}

void KnightModel::Init()
{
    if (initialised) {
        return;
    }
    Debug::Instance().Log("Knight Model Init Basename:%s\n", name.c_str());
    LoadAnimations(kKnightStates, name);
    lifeTime = lastDt = accelerationTimer = 0.0;
    facing = direction::kSouth;
    requestedDirection = direction::kStand;
    accelerationTime = baseAccelerationTime;
    SetMaxSpeed(baseSpeed);
    shadow.SetSpriteLabel("shadow");
    SetController(std::make_unique<AStarController>());
    initialised = true;
    Debug::Instance().Log("Knight Model Init Done Basename:%s\n", name.c_str());
}

void KnightModel::Parameters(Serializer& serializer, const std::string& sectionName)
{
    serializer.BeginSection("Knight Model", sectionName);
    ComboBox(serializer, "Knight Name", kKnightNames, nameIndex);
    serializer.Float("maximum Speed", baseSpeed);
    serializer.Float("Accelleration Time", baseAccelerationTime);
    serializer.Float("Swaying Time", swayingTime);
    serializer.Float("StrikeTime", strikeTime);
    serializer.Float("CounterTime", counterTime);
    serializer.Float("Board Size", reach);
    serializer.Float("Size", size);
    serializer.Int("Score f. Kill", scoreForKill);
    serializer.Float("Bomb Probab.", bombProbability);
    serializer.SubObject("Brains", GetController());
    FrameRateParameters(serializer, kKnightStates);
    serializer.EndSection();
    if (serializer.IsReading()) {
        name = kKnightNames[static_cast<size_t>(nameIndex == 1 ? 1 : 0)];
        SetMaxSpeed(baseSpeed);
    }
}

void KnightModel::Reset()
{
    Debug::Instance().Log("Knight Model Reset Basename:%s\n", name.c_str());
    LoadAnimations(kKnightStates, name);
    const Cell start = RespawnCell();
    depthCorrection = {1.0f, 1.0f};
    ApplyFrameRates(kKnightStates);
    SetPosition(GameMap::CellToPosition(start));
    StartRound();
    hitPoints = kFullHitPoints;
    comesBack = true;
    bombPrototype = dynamic_cast<BonusItem*>(Cast::Instance().Find(kBombName));
    AttachController();
    Debug::Instance().Log("Knight Model Reset Done Basename:%s\n", name.c_str());
}

// ---------------------------------------------------------------- frame

void KnightModel::Update(float dtSeconds)
{
    GameModel::Update(dtSeconds);
    if (bombPrototype && state == kRun && Randomizer::Instance().Fraction() < bombProbability) {
        DropBomb();
    }
    if (hitPoints < kFullHitPoints) {
        stars.Update(dtSeconds);
    }
}

void KnightModel::DropBomb()
{
    PlayEvent("bombThrow");
    std::unique_ptr<BonusItem> bomb = bombPrototype->Clone();
    bomb->Reset();
    bomb->PlaceAt(cell.column, cell.row);
    BonusItem::Register(std::move(bomb));
}

void KnightModel::StateStep()
{
    switch (state) {
    case kRun:
        if (velocity.IsZero()) {
            state = kStop;
            stateTimer = kRunStopSeconds;
        }
        break;
    case kStop:
        if (!velocity.IsZero()) {
            CurrentAnimation().Rewind();
            state = kStart;
        } else if (AnimationEnded() && stateTimer < 0.0f) {
            CurrentAnimation().SetFrame(0);
        }
        break;
    case kStart:
        if (AnimationEnded()) {
            CurrentAnimation().SetFrame(0);
            state = kRun;
            CurrentAnimation().SetFrame(1);
        }
        break;
    case kStrike:
        if (!struck && AnimationPosition() > strikeTime) {
            struck = true;
            GameModel* lastStruck = nullptr;
            const bool any = StrikeAround(0.0f, lastStruck);
            PlayStrikeSound(any, lastStruck);
        } else if (AnimationEnded()) {
            EndStrike();
        }
        break;
    case kFall:
        if (stateTimer < 0.0f) {
            ComeBack();
        }
        break;
    default:
        break;
    }
}

void KnightModel::EndStrike()
{
    CurrentAnimation().Rewind();
    if (velocity.IsZero()) {
        state = kStop;
        Animation& stop = CurrentAnimation();
        stop.SetFrame(stop.GetFrameCount() - 1);
        stateTimer = kStrikeStopSeconds;
    } else {
        state = kStart;
    }
    struck = false;
}

void KnightModel::ComeBack()
{
    CurrentAnimation().SetFrame(0);
    hitPoints = kFullHitPoints;
    if (!comesBack) {
        return;
    }
    const Cell next = RespawnCell();
    if (DwarfController* brains = GetController()) {
        brains->Reset();
    }
    SetPosition(GameMap::CellToPosition(next));
    // Ranked with the dwarfs, whose round scores never drop below 0.
    roundScore = std::max(roundScore - 1, 0);
    state = kStart;
}

void KnightModel::SetState(int newState)
{
    if (newState == kFall) {
        stateTimer = kFallSeconds;
        PlayFallSound();
    }
    state = newState;
}

void KnightModel::Hit(GameElement* attacker, float)
{
    lastAttacker = dynamic_cast<GameModel*>(attacker);
    if (IsDown() || !lastAttacker) {
        return;
    }
    hitPoints -= lastAttacker->CarriesBoard() ? 2 : 1;
    hitEffect = true;
    PlayEvent("starsKnight");
    if (hitPoints < 1) {
        Fell(*lastAttacker);
    }
}

void KnightModel::Fell(GameModel& attacker)
{
    attacker.AddRoundScore(1);
    attacker.AddScore(scoreForKill, position);
    const bool striking = state == kStrike || state == kBoardStrike;
    if (striking) {
        bool countered = false;
        if (!struck && CanHit(attacker, reach) && AnimationPosition() > counterTime) {
            attacker.Hit(this, 0.0f);
            countered = true;
        }
        PlayStrikeSound(countered, &attacker);
    }
    const int oldState = state;
    SetState(kFall);
    lifeTime = 0.0;
    accelerationTimer = 0.0;
    velocity = {};
    acceleration = {};
    requestedDirection = direction::kStand;
    if (state != oldState) {
        GetAnimation(oldState, facing).Rewind();
    }
}

// ---------------------------------------------------------------- drawing

void KnightModel::Render()
{
    GameModel::Render();
    if (hitPoints >= kFullHitPoints || state == kFall) {
        return;
    }
    const float starsScale = (position.row + 1.0f) * kStarsScalePerRow;
    const ScreenPoint at = Project(position);
    stars.DrawAnchored(at.x, at.y - static_cast<int>(std::trunc(kStarsLiftPerScale * starsScale)),
                       position.row + kStarsDepthOffset, starsScale * kStarsScaleFactor);
}
