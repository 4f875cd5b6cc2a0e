#include "game/figures/DwarfModel.h"

#include <algorithm>
#include <cmath>

#include "app/Debug.h"
#include "audio/SoundEngine.h"
#include "audio/Voice.h"
#include "game/board/GameMap.h"
#include "game/figures/Direction.h"
#include "game/items/BonusItem.h"
#include "game/steering/AStarController.h"
#include "game/steering/PlayerController.h"
#include "params/Cast.h"
#include "params/ComboBox.h"
#include "params/Serializer.h"
#include "platform/GamePadHooks.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteManager.h"
#include "text/TextDisplay.h"
#include "util/Factory.h"
#include "util/Randomizer.h"

QM_REGISTER_CLASS(GameElement, DwarfModel);

namespace {

const std::vector<int> kDwarfStates = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
constexpr int kDefaultNameIndex = 1;
constexpr float kStartCharge = -0.5f;
// While the strike key is held the raised board waits at this point of the swing.
constexpr float kHeldSwingPosition = 0.3f;
constexpr float kStopSeconds = 1.5f;
constexpr float kRunStopSeconds = 2.0f;
constexpr float kStrikeStopSeconds = 3.0f;
constexpr float kPlayerFallSeconds = 1.5f;
constexpr float kComputerFallSeconds = 2.5f;
constexpr float kIdleSeconds = 3.0f;
constexpr float kIdleSpreadSeconds = 2.0f;
constexpr float kReappearSeconds = 1.0f;
constexpr int kShotPenalty = -25;
constexpr const char* kHunterName = "Hunter";
constexpr const char* kStatusFont = "font_ziffern_klein";
constexpr int kStatusTextCentre = 40;
constexpr int kStatusTextTop = 83;
constexpr float kStatusDepth = 10.0f;
// The player's pad feels a blow taken harder than one dealt.
constexpr float kHitRumbleStrength = 0.8f;
constexpr float kBlowRumbleStrength = 0.4f;
constexpr int kRumbleMilliseconds = 150;
// quirn holds his board far out to the side; his pictures are shifted to keep him centred.
constexpr const char* kWideDwarf = "quirn";
constexpr std::array<float, 8> kWideDwarfColumnOffsets = {0.0f, 21.0f, 21.0f, -15.0f, 0.0f, 15.0f, -21.0f, -21.0f};

}  // namespace

const std::vector<std::string>& DwarfModel::Names()
{
    static const std::vector<std::string> names = {"fenno", "tabor", "quirn", "marlo", "gandel", "ruvik", "holvo"};
    return names;
}

DwarfModel::DwarfModel()
{
    kind = kDwarf;
    nameIndex = kDefaultNameIndex;
    name = Names()[static_cast<size_t>(nameIndex)];
    frameRates.fill(Animation::kDefaultFramesPerSecond);
    frameRates[kAsleep] = 8.0f;
    frameRates[kIdle] = 0.0f;
    Init();
}

DwarfModel::~DwarfModel()
{
    Debug::Instance().Log("Deleteing Dwarf %s\n", name.c_str());
    if (player == this) {
        player = nullptr;
    }
    Debug::Instance().Log("Deleting Dwarf Done\n");
}

void DwarfModel::Init()
{
    Debug::Instance().Log("Dwarf Model Init Basename:%s\n", name.c_str());
    LoadAnimations(kDwarfStates, name);
    LoadCheckSounds();
    shadow.SetSpriteLabel("shadow");
    accelerationTime = baseAccelerationTime;
    facing = direction::kSouth;
    SetMaxSpeed(baseSpeed);
    SetController(std::make_unique<AStarController>());
    initialised = true;
    Debug::Instance().Log("Dwarf Model Init Done\n");
}

void DwarfModel::Parameters(Serializer& serializer, const std::string& sectionName)
{
    serializer.BeginSection("Dwarf Model", sectionName);
    ComboBox(serializer, "Dwarf Name", Names(), nameIndex);
    serializer.Float("maximum Speed", baseSpeed);
    serializer.Float("Accelleration Time", baseAccelerationTime);
    serializer.Float("Swaying Time", dwarfSwayingTime);
    serializer.Int("Score f. Kill", scoreForKill);
    serializer.Float("StrikeTime", strikeTime);
    serializer.Float("Force Factor", forceFactor);
    serializer.Float("Force Max", forceMax);
    serializer.Float("CounterTime", counterTime);
    serializer.Float("Size", size);
    serializer.Float("Board Size", reach);
    serializer.SubObject("Brains", isPlayer && computerBrains ? computerBrains.get() : GetOwnController());
    FrameRateParameters(serializer, kDwarfStates);
    serializer.EndSection();
    if (serializer.IsReading()) {
        name = Names()[static_cast<size_t>(std::clamp(nameIndex, 0, static_cast<int>(Names().size()) - 1))];
        SetMaxSpeed(baseSpeed);
    }
}

void DwarfModel::LoadCheckSounds()
{
    checkSounds.clear();
    const SoundEngine& engine = SoundEngine::Instance();
    for (int i = 1;; ++i) {
        std::string eventName = name + "Schach" + std::to_string(i);
        if (!engine.FindAudioEvent(eventName)) {
            break;
        }
        checkSounds.push_back(std::move(eventName));
    }
}

void DwarfModel::LoadExtras(const std::string& baseName)
{
    ClearSpriteOffsets();
    if (baseName == kWideDwarf) {
        for (int dir = 0; dir < direction::kCount; ++dir) {
            SetSpriteOffset(dir, {kWideDwarfColumnOffsets[static_cast<size_t>(dir)], 0.0f});
        }
    }
    if (baseName == kPlayerName) {
        MakePlayer();
    } else if (isPlayer) {
        // Renamed away from the player: the computer steers it again.
        isPlayer = false;
        if (player == this) {
            player = nullptr;
        }
        SetController(computerBrains ? std::move(computerBrains) : std::make_unique<AStarController>());
    }
}

// The computer's steering it had stays aside: the dwarf's parameters still describe it, so a
// saved settings file keeps its "Brains", and it steers again if the dwarf is renamed away.
void DwarfModel::MakePlayer()
{
    std::unique_ptr<DwarfController> previous = ReplaceController(std::make_unique<PlayerController>());
    GetController()->Attach(this);
    if (!isPlayer) {
        computerBrains = std::move(previous);
    }
    isPlayer = true;
    player = this;
}

void DwarfModel::Reset()
{
    Debug::Instance().Log("Dwarf Model Reset Basename:%s\n", name.c_str());
    if (name != loadedName) {
        LoadAnimations(kDwarfStates, name);
        LoadCheckSounds();
    }
    icon = SpriteManager::Instance().GetSprite(name + "_icon");
    depthCorrection = {1.0f, 1.0f};
    SetPosition(GameMap::CellToPosition(RespawnCell()));
    ApplyFrameRates(kDwarfStates);
    StartRound();
    totalScore = 0;
    released = carriesBoard = false;
    AttachController();
    Debug::Instance().Log("Dwarf Model Reset Done Basename:%s\n", name.c_str());
}

// ---------------------------------------------------------------- frame

void DwarfModel::Update(float dtSeconds)
{
    GameModel::Update(dtSeconds);
    switch (state) {
    case kRun:
    case kStop:
    case kStart:
        PickUpItems();
        break;
    case kStrike:
    case kBoardStrike:
        if (!released) {
            HoldStrike(dtSeconds);
        }
        break;
    case kRaise:
        charge += dtSeconds;
        if (charge > forceMax) {
            SetState(kStart);
            CurrentAnimation().Rewind();
        }
        break;
    default:
        break;
    }
}

void DwarfModel::PickUpItems()
{
    if (BonusItem* item = BonusItem::FindCollectableNear(position, BonusItem::kPickUpRadiusSquared)) {
        item->PickUp(this);
    }
}

void DwarfModel::HoldStrike(float dtSeconds)
{
    charge += dtSeconds;
    if (charge > forceMax) {
        // Held too long: the board sinks without a blow.
        SetState(kStart);
        CurrentAnimation().Rewind();
    } else if (CurrentAnimation().GetPosition() > kHeldSwingPosition) {
        CurrentAnimation().SetPosition(kHeldSwingPosition);
    }
}

void DwarfModel::StateStep()
{
    switch (state) {
    case kRun:
        if (velocity.IsZero()) {
            SetState(kStop);
            stateTimer = kRunStopSeconds;
        }
        break;
    case kAsleep:
        if (stateTimer < 0.0f) {
            StopSounds();
            SetState(kStart);
        }
        break;
    case kStop:
        if (!velocity.IsZero()) {
            CurrentAnimation().SetFrame(0);
            SetState(kStart);
        } else if (stateTimer < 0.0f) {
            SetState(kIdle);
        }
        break;
    case kStart:
        if (AnimationEnded()) {
            CurrentAnimation().SetFrame(0);
            SetState(kRun);
            CurrentAnimation().SetFrame(1);
        }
        break;
    case kStrike:
    case kBoardStrike:
        if (!struck && AnimationPosition() > strikeTime) {
            LandBlow();
        } else if (AnimationEnded()) {
            EndStrike();
        }
        break;
    case kHit:
        if (AnimationEnded()) {
            CurrentAnimation().Rewind();
            SetState(lastAttacker ? kStagger : kStart);
        }
        break;
    case kStagger:
        if (stateTimer < 0.0f) {
            if (lastAttacker) {
                SetState(kFall);
                if (!isPlayer) {
                    map->SetFigure(nullptr, cell.column, cell.row);
                }
            } else {
                SetState(kStart);
            }
            StopSounds();
        }
        break;
    case kFall:
        if (stateTimer < 0.0f && (!isPlayer || AnimationEnded())) {
            Respawn();
        }
        break;
    case kCheck:
        if (AnimationEnded()) {
            CurrentAnimation().SetFrame(0);
            SetState(kRun);
        }
        break;
    case kRaise:
        if (AnimationEnded()) {
            CurrentAnimation().Rewind();
            SetState(carriesBoard ? kBoardStrike : kStrike);
        }
        break;
    case kIdle:
        if (!velocity.IsZero()) {
            CurrentAnimation().Rewind();
            SetState(kStart);
        } else if (stateTimer < 0.0f && AnimationEnded()) {
            CurrentAnimation().Rewind();
            stateTimer = kIdleSeconds + Randomizer::Instance().Fraction() * kIdleSpreadSeconds;
        }
        break;
    case kReappear:
        if (stateTimer < 0.0f) {
            SetState(kStart);
        }
        break;
    default:
        break;
    }
}

void DwarfModel::LandBlow()
{
    struck = true;
    const float force = charge > 0.0f ? forceFactor * charge : 0.0f;
    GameModel* lastStruck = nullptr;
    const bool any = StrikeAround(force, lastStruck);
    PlayStrikeSound(any, lastStruck);
    if (isPlayer && any) {
        platform::RumbleGamePads(kBlowRumbleStrength, kRumbleMilliseconds);
    }
}

void DwarfModel::EndStrike()
{
    CurrentAnimation().Rewind();
    if (!velocity.IsZero()) {
        SetState(kStart);
    } else {
        SetState(kStop);
        Animation& stop = CurrentAnimation();
        stop.SetFrame(stop.GetFrameCount() - 1);
        stateTimer = kStrikeStopSeconds;
    }
    released = carriesBoard = struck = false;
}

void DwarfModel::Respawn()
{
    if (isPlayer) {
        CurrentAnimation().Rewind();
    } else {
        CurrentAnimation().SetFrame(0);
    }
    const Cell next = RespawnCell();
    if (!isPlayer) {
        if (DwarfController* brains = GetController()) {
            brains->Reset();
        }
    }
    SetPosition(GameMap::CellToPosition(next));
    SetState(isPlayer ? kReappear : kStart);
}

// ---------------------------------------------------------------- states and reactions

void DwarfModel::SetState(int newState)
{
    switch (newState) {
    case kStop:
        stateTimer = kStopSeconds;
        break;
    case kStagger:
        PlayOwnSound("stars");
        stateTimer = swayingTime;
        swayingTime = dwarfSwayingTime;
        break;
    case kFall:
        roundScore = std::max(roundScore - 1, 0);
        if (lastAttacker) {
            lastAttacker->AddScore(scoreForKill, position);
            AddScore(-scoreForKill, position);
        }
        stateTimer = isPlayer ? kPlayerFallSeconds : kComputerFallSeconds;
        StopSounds();
        PlayFallSound();
        break;
    case kIdle:
        stateTimer = kIdleSeconds + Randomizer::Instance().Fraction() * kIdleSpreadSeconds;
        break;
    case kReappear:
        GetAnimation(kStart, facing).Rewind();
        stateTimer = kReappearSeconds;
        break;
    default:
        break;
    }
    if (state == kStagger || state == kAsleep) {
        StopSounds();
    }
    state = newState;
}

void DwarfModel::Hit(GameElement* attacker, float force)
{
    // A dwarf already down keeps the attacker that felled it, so that one gets the kill.
    if (IsDown()) {
        return;
    }
    if (isPlayer) {
        platform::RumbleGamePads(kHitRumbleStrength, kRumbleMilliseconds);
    }
    lastAttacker = dynamic_cast<GameModel*>(attacker);
    const int oldState = state;
    if (lastAttacker) {
        HitByFigure(*lastAttacker, force);
    } else {
        HitByOther(attacker);
    }
    if (state != oldState) {
        GetAnimation(oldState, facing).Rewind();
    }
    StopMotion();
}

void DwarfModel::HitByFigure(GameModel& attacker, float force)
{
    attacker.AddRoundScore(1);
    hitEffect = true;
    bool countered = false;
    if (IsStriking() && !struck && CanHit(attacker, reach) && AnimationPosition() > counterTime) {
        attacker.Hit(this, 0.0f);
        countered = true;
    }
    PlayStrikeSound(countered, &attacker);
    if (!attacker.CarriesBoard() && state != kAsleep) {
        swayingTime = dwarfSwayingTime - force;
        SetState(kHit);
    } else {
        SetState(kFall);
    }
}

void DwarfModel::HitByOther(GameElement* attacker)
{
    swayingTime = dwarfSwayingTime;
    PlayEvent((Randomizer::Instance().Rand() & 1) != 0 ? "hitByGun2" : "hitByGun1");
    AddScore(kShotPenalty, position);
    const bool shot = attacker && Cast::Instance().NameOf(attacker) == kHunterName;
    SetState(shot ? kHit : kStagger);
}

void DwarfModel::Strike()
{
    if (!IsDown() && state != kAsleep) {
        StartStrike();
        released = true;
    }
}

void DwarfModel::StartStrike()
{
    if (IsDown() || state == kRaise || state == kStrike || state == kBoardStrike || state == kAsleep) {
        return;
    }
    SetState(kRaise);
    StopMotion();
    charge = kStartCharge;
}

void DwarfModel::SayCheck()
{
    if (state != kStagger || !lastAttacker) {
        return;
    }
    if (!checkSounds.empty()) {
        PlayEvent(checkSounds[static_cast<size_t>(Randomizer::Instance().Pick(static_cast<int>(checkSounds.size())))]);
    }
    StopSounds();
    SetState(kCheck);
}

void DwarfModel::Hold()
{
    SetState(kHeld);
    GetAnimation(kStart, facing).Rewind();
}

void DwarfModel::Sleep(float seconds)
{
    StopMotion();
    PlayOwnSound(Randomizer::Instance().Fraction() < 0.5f ? "snore1" : "snore2");
    stateTimer = seconds;
    SetState(kAsleep);
}

void DwarfModel::SetDirection(int dir)
{
    if (state == kHeld) {
        return;
    }
    const bool turnsOnly = state == kRaise || (IsStriking() && !released);
    if (turnsOnly) {
        if (direction::IsFacing(dir)) {
            facing = dir;
        }
        return;
    }
    GameModel::SetDirection(dir);
}

// ---------------------------------------------------------------- sound and status

void DwarfModel::PlayOwnSound(const std::string& eventName)
{
    StopSounds();
    ownSound = SoundEngine::Instance().PlayAudioEvent(eventName, false);
    if (ownSound) {
        ownSound->Play();
    }
}

void DwarfModel::StopSounds()
{
    if (ownSound) {
        SoundEngine::Instance().DestroyVoice(ownSound);
        ownSound = nullptr;
    }
}

void DwarfModel::DrawStatus(int x, int y)
{
    if (icon) {
        icon->Draw(x, y, 1, kStatusDepth);
    }
    const std::string text = std::to_string(roundScore);
    TextDisplay& display = TextDisplay::Instance();
    const int width = display.GetTextWidth(kStatusFont, text);
    display.DrawText(x + kStatusTextCentre - width / 2, y + kStatusTextTop, text);
}
