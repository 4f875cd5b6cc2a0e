#pragma once

#include <array>
#include <string>
#include <vector>

#include "game/characters/CharacterSupport.h"
#include "params/GameElement.h"
#include "render/Animation.h"

class GameModel;

// The queen on her seat at the back of the board: she chews, claps when a dwarf is down and
// complains when a knight is. She watches the round and changes nothing in it.
class Queen : public GameElement {
public:
    enum State : int {
        kChew = 0,
        kComplain1 = 1,
        kComplain2 = 2,
        kClap = 3,
        kIdle = 4,
    };

    Queen();

    void Parameters(Serializer& serializer, const std::string& sectionName) override;
    void Render() override;
    void Update(float dtSeconds) override;
    // Idle, watching the figures of the round as it starts.
    void Reset() override;
    void SetState(int newState);

    int GetState() const { return state; }

private:
    void Decide();
    void Idle();

    int state = kIdle;
    float timer = 0.0f;
    std::vector<GameModel*> figures;
    std::array<Animation, 4> animations;
    character::TimeRange idleTimer{2.0f, 3.0f};
    float chewChance = 0.15f;
};
