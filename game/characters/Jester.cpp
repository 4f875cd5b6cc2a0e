#include "game/characters/Jester.h"

#include <algorithm>

#include "game/board/GameMap.h"
#include "game/figures/GameModel.h"
#include "game/level/BoardProjection.h"
#include "params/Serializer.h"
#include "util/Factory.h"
#include "util/Randomizer.h"

QM_REGISTER_CLASS(GameElement, Jester);

namespace {

constexpr int kBushAnimation = 5;
constexpr int kLookingSouth = 0;
constexpr int kLookingEast = 1;
constexpr int kLookingWest = 2;
// Where the joke is heard, from the bush, by the direction he looks in.
constexpr std::array<BoardPoint, 3> kJokeOffsets = {{{0.0f, 0.0625f}, {0.0625f, 0.03125f}, {-0.0625f, 0.03125f}}};
// The listeners fall asleep halfway through the joke.
constexpr float kPunchline = 0.5f;
constexpr int kBushLift = 20;
constexpr float kScalePerRow = 0.6f;
constexpr float kSearchFramesPerSecond = 12.0f;
constexpr float kCellsPerUnitSquared = static_cast<float>(GameMap::kSize * GameMap::kSize);

}  // namespace

Jester::Jester()
{
    using character::Load;
    Load(animations[kComingOut], "hofnarr_appear", Animation::kStop);
    Load(animations[kJokeSouth], "hofnarr_joke_S", Animation::kStop);
    Load(animations[kJokeEast], "hofnarr_joke_E", Animation::kStop);
    Load(animations[kJokeWest], "hofnarr_joke_W", Animation::kStop);
    Load(animations[kDisappearing], "hofnarr_appear", Animation::kStop);
    animations[kDisappearing].SetDirection(Animation::kBackward);
    Load(animations[kBushAnimation], "hofnarr_appear", Animation::kStop);
    Load(animations[kSearching], "hofnarr_searching", Animation::kLoop, kSearchFramesPerSecond);
    bushes[0].position = {0.2f, 0.2f};
    bushes[1].position = {0.2f, 0.6f};
    bushes[2].position = {0.4f, 0.8f};
    Reset();
}

void Jester::Parameters(Serializer& serializer, const std::string& sectionName)
{
    serializer.BeginSection("Jester", sectionName);
    serializer.VectorFloat("Random Timer", randomTimer.least, randomTimer.spread);
    serializer.Float("Sleep Time", sleepTime);
    serializer.Float("Joke Radius", jokeRadius);
    serializer.Float("Search Time", searchTime);
    for (int i = 0; i < kLocations; ++i) {
        BoardPoint& position = bushes[static_cast<size_t>(i)].position;
        serializer.VectorFloat("Location " + std::to_string(i), position.column, position.row);
    }
    serializer.EndSection();
}

void Jester::Reset()
{
    for (Bush& bush : bushes) {
        const ScreenPoint at = Project(bush.position, kBushLift);
        bush.screenX = at.x;
        bush.screenY = at.y;
        bush.scale = (bush.position.row + 1.0f) * kScalePerRow;
    }
    listeners.clear();
    SetState(kHidden);
}

void Jester::SetState(int newState)
{
    switch (newState) {
    case kComingOut:
        character::PlaySound("jesterbush");
        location = Randomizer::Instance().Pick(kLocations);
        animations[kComingOut].Rewind();
        break;
    case kJokeSouth:
    case kJokeEast:
    case kJokeWest:
        animations[static_cast<size_t>(newState)].Rewind();
        character::PlaySound("jesterjoke");
        break;
    case kDisappearing:
        character::PlaySound("jesterbush");
        animations[kDisappearing].SetPosition(1.0f);
        break;
    case kHidden:
        location = -1;
        timer = character::RandomTime(randomTimer);
        break;
    case kSearching:
        animations[kSearching].Rewind();
        timer = searchTime;
        break;
    default:
        return;
    }
    state = newState;
}

// ---------------------------------------------------------------- frame

void Jester::Update(float dtSeconds)
{
    timer -= dtSeconds;
    switch (state) {
    case kComingOut:
    case kDisappearing: {
        Animation& animation = animations[static_cast<size_t>(state)];
        animation.Update(dtSeconds);
        if (character::PlayedThrough(animation)) {
            SetState(state == kComingOut ? kSearching : kHidden);
        }
        break;
    }
    case kJokeSouth:
    case kJokeEast:
    case kJokeWest:
        TellJoke(dtSeconds);
        break;
    case kHidden:
        if (timer < 0.0f) {
            SetState(kComingOut);
        }
        break;
    case kSearching:
        Search(dtSeconds);
        break;
    default:
        break;
    }
}

void Jester::TellJoke(float dtSeconds)
{
    Animation& joke = animations[static_cast<size_t>(state)];
    joke.Update(dtSeconds);
    if (character::PlayedPosition(joke) > kPunchline) {
        // One knocked down while listening falls as usual.
        for (GameModel* listener : listeners) {
            if (!listener->IsDown()) {
                listener->Sleep(sleepTime);
            }
        }
        listeners.clear();
    }
    if (character::PlayedThrough(joke)) {
        SetState(kDisappearing);
    }
}

void Jester::Search(float dtSeconds)
{
    Animation& search = animations[kSearching];
    search.Update(dtSeconds);
    const int looking = LookingDirection(search.GetFrame());
    // He gives up only while looking ahead, so he may search a little longer than the search time.
    if (timer < 0.0f && looking == kLookingSouth) {
        SetState(kDisappearing);
        return;
    }
    if (looking < 0 || location < 0) {
        return;
    }
    CatchListeners(bushes[static_cast<size_t>(location)].position + kJokeOffsets[static_cast<size_t>(looking)]);
    if (!listeners.empty()) {
        SetState(kJokeSouth + looking);
    }
}

int Jester::LookingDirection(int frame)
{
    switch (frame) {
    case 0:
    case 5:
    case 10:
        return kLookingSouth;
    case 2:
        return kLookingWest;
    case 7:
        return kLookingEast;
    default:
        return -1;
    }
}

void Jester::CatchListeners(BoardPoint jokeCentre)
{
    const float reachSquared = jokeRadius * jokeRadius / kCellsPerUnitSquared;
    for (GameModel* figure : character::RoundFigures()) {
        const bool inReach = figure->GetKind() == GameModel::kDwarf &&
                             GameMap::PositionDistanceSquared(figure->GetPosition(), jokeCentre) < reachSquared;
        if (inReach && std::find(listeners.begin(), listeners.end(), figure) == listeners.end()) {
            figure->Hold();
            listeners.push_back(figure);
        }
    }
}

// ---------------------------------------------------------------- drawing

void Jester::Render()
{
    for (int i = 0; i < kLocations; ++i) {
        const Bush& bush = bushes[static_cast<size_t>(i)];
        const Animation& drawn = i == location ? animations[static_cast<size_t>(state)] : animations[kBushAnimation];
        drawn.DrawAnchored(bush.screenX, bush.screenY, bush.position.row, bush.scale);
    }
}
