#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "game/board/BoardPoint.h"
#include "params/GameElement.h"
#include "render/Animation.h"

class DwarfController;
class GameMap;

// A figure on the board: a dwarf or a knight. It moves with acceleration over the board map,
// is blocked by the walk grid and by other figures, strikes within a cone, and draws one
// animation per state and facing with its shadow. Its controller decides each frame where it
// goes and when it strikes; the subclass owns the state machine.
class GameModel : public GameElement {
public:
    enum Kind : int { kDwarf = 1, kKnight = 2 };
    enum State : int {
        kRun = 0,
        kAsleep = 1,
        kStop = 2,
        kStart = 3,
        kStrike = 4,
        kHit = 5,
        kStagger = 6,
        kFall = 7,
        kCheck = 8,
        kRaise = 9,
        kBoardStrike = 10,
        kIdle = 11,
        kInert = 12,
        kReappear = 13,
        kHeld = 14,
    };
    static constexpr int kAnimatedStates = 12;
    // A lying figure stops blocking and starts blinking this long before it vanishes.
    static constexpr float kVanishingSeconds = 1.2f;
    // A blow reaches a target within this cone: cos of about 40.5 degrees.
    static constexpr float kStrikeConeCosine = 0.76f;

    GameModel();
    ~GameModel() override;
    GameModel(const GameModel&) = delete;
    GameModel& operator=(const GameModel&) = delete;

    void Render() override;
    void Update(float dtSeconds) override;
    void Reset() override = 0;
    virtual void DrawStatus(int x, int y);
    virtual void Hit(GameElement* attacker, float force);
    virtual void Strike();
    virtual void StartStrike() {}
    virtual void SayCheck() {}
    virtual void Stop();
    virtual void Hold() {}
    virtual void Sleep(float) {}
    virtual void SetDirection(int dir);
    virtual void StopSounds() {}
    virtual void SetState(int newState) = 0;

    bool IsDown() const;
    // Lying for its last moments before coming back: no longer blocks others.
    bool IsVanishing() const { return state == kFall && stateTimer < kVanishingSeconds; }
    void StopMotion();
    void SetPosition(BoardPoint newPosition);
    void SetMaxSpeed(float speed);
    bool CanMoveTo(BoardPoint target) const;
    bool CanHit(const GameModel& target, float reachCells) const;
    void PlayStrikeSound(bool hit, const GameModel* target) const;
    // Points with a floating number for the player's dwarf; the total never drops below 0.
    void AddScore(int points, BoardPoint where);
    void MuteAnimations(bool muted);
    // Takes the controller (null keeps none) and returns the one it had.
    std::unique_ptr<DwarfController> ReplaceController(std::unique_ptr<DwarfController> next);
    // Lends a steering for a while (the dizzy item's wandering): the figure's own is kept aside
    // and still is what its parameters describe. False, and nothing changes, while one is lent.
    bool LendController(std::unique_ptr<DwarfController> lent);
    // Deletes the lent steering and gives the own one back; nothing while none is lent.
    void TakeBackController();
    bool HasLentController() const { return lending; }

    int GetKind() const { return kind; }
    int GetState() const { return state; }
    int GetFacing() const { return facing; }
    void SetFacing(int dir) { facing = dir; }
    int GetRequestedDirection() const { return requestedDirection; }
    bool IsPlayer() const { return isPlayer; }
    bool HasMoved() const { return moved; }
    BoardPoint GetPosition() const { return position; }
    Cell GetCell() const { return cell; }
    BoardPoint GetVelocity() const { return velocity; }
    int GetRoundScore() const { return roundScore; }
    void AddRoundScore(int points) { roundScore += points; }
    int GetTotalScore() const { return totalScore; }
    void SetTotalScore(int points) { totalScore = points; }
    int GetHitPoints() const { return hitPoints; }
    float GetMaxSpeed() const { return maxSpeed; }
    float GetBaseSpeed() const { return baseSpeed; }
    float GetAccelerationTime() const { return accelerationTime; }
    void SetAccelerationTime(float seconds) { accelerationTime = seconds; }
    float GetReach() const { return reach; }
    float GetCollisionRadius() const { return collisionRadius; }
    float GetStateTimer() const { return stateTimer; }
    bool CarriesBoard() const { return carriesBoard; }
    void SetCarriesBoard(bool on) { carriesBoard = on; }
    GameModel* GetLastAttacker() const { return lastAttacker; }
    DwarfController* GetController() const { return controller.get(); }
    // The figure's own steering, also while another is lent to it.
    DwarfController* GetOwnController() const { return lending ? ownController.get() : controller.get(); }
    void SetDepthCorrection(BoardPoint correction) { depthCorrection = correction; }
    BoardPoint GetDepthCorrection() const { return depthCorrection; }
    const std::string& GetName() const { return name; }
    Animation& GetAnimation(int animState, int dir);
    Animation& CurrentAnimation() { return GetAnimation(state, facing); }

protected:
    // The per-frame state machine, run after the controller and before the animations.
    virtual void StateStep() = 0;
    // The subclass's own sprites and offsets, after the state animations are loaded.
    virtual void LoadExtras(const std::string&) {}

    void LoadAnimations(const std::vector<int>& states, const std::string& baseName);
    void ApplyFrameRates(const std::vector<int>& states);
    void SetController(std::unique_ptr<DwarfController> brains);
    // Standing still at the start of a round, facing the viewer, at base speed, scoreless.
    void StartRound();
    void AttachController();
    void SetSpriteOffset(int dir, BoardPoint offset) { spriteOffsets[static_cast<size_t>(dir)] = offset; }
    void ClearSpriteOffsets() { spriteOffsets.fill({}); }
    // The figure's strike at everything in its cone: true when any blow landed.
    bool StrikeAround(float force, GameModel*& lastStruck);
    // A free cell far from the others, or any free cell when the map has no level.
    Cell RespawnCell() const;
    // A random entry of the shared fall sounds.
    static void PlayFallSound();
    static void PlayEvent(const std::string& eventName);
    // The frame-rate entries "<state> fps.:" of the listed states.
    void FrameRateParameters(Serializer& serializer, const std::vector<int>& states);
    bool AnimationEnded();
    // The current animation's position, 0 to 1.
    float AnimationPosition();
    // Whether this figure draws in the current frame (blinking states skip some).
    virtual bool IsBlinkedOut() const;
    static const char* StateName(int animState);

    double lifeTime = 0.0;
    double lastDt = 0.0;
    int kind = kDwarf;
    double accelerationTimer = 0.0;
    GameMap* map = nullptr;
    bool moved = false;
    int facing = 4;
    int requestedDirection = 100;
    bool isPlayer = false;
    int roundScore = 0;
    int hitPoints = 0;
    int totalScore = 0;
    std::array<std::array<Animation, 8>, kAnimatedStates> animations;
    int state = kStart;
    Animation stars;
    Animation hitAnimation;
    bool hitEffect = false;
    float stateTimer = 0.0f;
    BoardPoint position;
    Cell cell;
    float baseSpeed = 0.3f;
    BoardPoint velocity;
    BoardPoint acceleration;
    BoardPoint depthCorrection{1.0f, 0.0f};
    float maxSpeed = 0.0f;
    float diagonalSpeed = 0.0f;
    float accelerationTime = 0.2f;
    float swayingTime = 1.0f;
    float baseAccelerationTime = 0.2f;
    float reach = 4.0f;
    std::string name;
    std::string loadedName;
    GameModel* lastAttacker = nullptr;
    std::array<BoardPoint, 8> spriteOffsets{};
    Animation shadow;
    int scoreForKill = 10;
    std::array<float, kAnimatedStates> frameRates{};
    float strikeTime = 0.5f;
    float counterTime = 0.3f;
    float size = 1.0f;
    float collisionRadius = 0.03125f;
    bool struck = false;
    bool carriesBoard = false;

private:
    void UpdateVelocity(float dtSeconds);
    void Move(float dtSeconds);
    void AdvanceAnimations(float dtSeconds);

    std::unique_ptr<DwarfController> controller;
    std::unique_ptr<DwarfController> ownController;
    bool lending = false;
};
