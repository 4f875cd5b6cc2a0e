#pragma once

#include <array>
#include <string>

#include "game/board/BoardPoint.h"
#include "game/characters/CharacterSupport.h"
#include "params/GameElement.h"
#include "render/Animation.h"

class BonusItem;
class GameModel;
class Sprite;

// The hunter: walks in through the door at the back of the board, aims at a dwarf, fires one
// bullet that hits the first figure it touches, and walks out again. Now and then he shoots
// the antler off the wall instead; it falls and lands on the board as an item.
class Hunter : public GameElement {
public:
    enum State : int {
        kComing = 0,
        kTurning = 1,
        kRaising = 2,
        kAiming = 3,
        kWalkingOut = 4,
        kShooting = 5,
        kInert = 6,
        kAway = 7,
    };
    // Shooting directions 0 to 10 sweep from left to right; this one is the antler on the wall.
    static constexpr int kAntlerShot = 11;
    static constexpr const char* kAntlerName = "Geweih";
    static constexpr float kWalkingSpeed = 0.1f;
    // Without a setting a bullet touches a figure within a cell and a half of its centre: the
    // figure's own size and half a cell more, so that no frame carries it past a figure in its
    // path, and one standing beside the path is spared.
    static constexpr float kDefaultBulletRadius = 1.5f;

    Hunter();

    void Parameters(Serializer& serializer, const std::string& sectionName) override;
    void Render() override;
    void Update(float dtSeconds) override;
    // Away behind the door, lane open, no bullet in flight and no antler falling.
    void Reset() override;
    void SetState(int newState);

    int GetState() const { return state; }
    BoardPoint GetPosition() const { return position; }
    const GameModel* GetTarget() const { return target; }
    bool IsBulletActive() const { return bulletActive; }
    bool IsAntlerFalling() const { return antlerFalling; }

private:
    void PlayThrough(Animation& animation, float dtSeconds, int next);
    void Walk(float dtSeconds);
    void Aim(float dtSeconds);
    void ChooseTarget();
    // 0 to 10, from the centre line of the board; 0 and 10 also for points behind the hunter.
    int DirectionTowards(BoardPoint aim) const;
    void Shoot();
    void FireBullet();
    void FlyBullet(float dtSeconds);
    void LandAntler();

    int state = kAway;
    float timer = 0.0f;
    BoardPoint position;
    BoardPoint velocity;
    GameModel* target = nullptr;
    int direction = 0;
    bool bulletActive = false;
    BoardPoint bulletPosition;
    BoardPoint bulletVelocity;
    Animation bullet;
    float bulletSpeed = 0.3f;
    float bulletRadius = kDefaultBulletRadius;
    bool antlerFalling = false;
    float antlerTimer = 0.0f;
    BonusItem* antlerPrototype = nullptr;
    std::array<Animation, 5> animations;
    std::array<Animation, 12> shots;
    std::array<Sprite*, 2> doors{};
    character::TimeRange randomTimer{5.0f, 5.0f};
    BoardPoint startingPosition{0.5f, -0.1f};
    character::TimeRange searchTime{0.5f, 1.0f};
    float antlerChance = 0.1f;
    float antlerFallSeconds = 2.0f;
};
