#pragma once

#include <array>
#include <string>
#include <vector>

#include "game/board/BoardPoint.h"
#include "game/characters/CharacterSupport.h"
#include "params/GameElement.h"
#include "render/Animation.h"

class GameModel;

// The jester: pops out of one of three bushes, looks about, and tells a joke to the dwarfs
// standing in front of him. They stop to listen and fall asleep halfway through it.
class Jester : public GameElement {
public:
    enum State : int {
        kComingOut = 0,
        kJokeSouth = 1,
        kJokeEast = 2,
        kJokeWest = 3,
        kDisappearing = 4,
        kHidden = 5,
        kSearching = 6,
    };
    static constexpr int kLocations = 3;

    Jester();

    void Parameters(Serializer& serializer, const std::string& sectionName) override;
    void Render() override;
    void Update(float dtSeconds) override;
    // Back into hiding; the listeners of a joke cut off by a new round are forgotten.
    void Reset() override;
    void SetState(int newState);

    int GetState() const { return state; }
    int GetLocation() const { return location; }
    const std::vector<GameModel*>& GetListeners() const { return listeners; }

private:
    struct Bush {
        BoardPoint position;
        int screenX = 0;
        int screenY = 0;
        float scale = 1.0f;
    };

    void TellJoke(float dtSeconds);
    void Search(float dtSeconds);
    // The direction a frame of the search looks in, or -1.
    static int LookingDirection(int frame);
    void CatchListeners(BoardPoint jokeCentre);

    int state = kHidden;
    float timer = 0.0f;
    int location = -1;
    std::array<Bush, kLocations> bushes;
    std::vector<GameModel*> listeners;
    std::array<Animation, 7> animations;
    character::TimeRange randomTimer{5.0f, 10.0f};
    float sleepTime = 5.0f;
    float jokeRadius = 2.0f;
    float searchTime = 2.0f;
};
