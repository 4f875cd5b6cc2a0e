#include "game/characters/Queen.h"

#include <algorithm>

#include "game/board/BoardLayout.h"
#include "game/figures/GameModel.h"
#include "params/Serializer.h"
#include "util/Factory.h"
#include "util/Randomizer.h"

QM_REGISTER_CLASS(GameElement, Queen);

namespace {

constexpr float kFramesPerSecond = 12.0f;
constexpr float kSeatDepth = -0.5f;

}  // namespace

Queen::Queen()
{
    using character::Load;
    Load(animations[kChew], "queen_chew", Animation::kStop, kFramesPerSecond);
    Load(animations[kComplain1], "queen_complain1", Animation::kStop, kFramesPerSecond);
    Load(animations[kComplain2], "queen_complain2", Animation::kStop, kFramesPerSecond);
    Load(animations[kClap], "queen_clap", Animation::kStop, kFramesPerSecond);
    Reset();
}

void Queen::Parameters(Serializer& serializer, const std::string& sectionName)
{
    serializer.BeginSection("Queen", sectionName);
    serializer.VectorFloat("Idle Timer", idleTimer.least, idleTimer.spread);
    serializer.Float("Chew Percentage", chewChance);
    serializer.EndSection();
}

void Queen::Reset()
{
    figures = character::RoundFigures();
    SetState(kIdle);
}

void Queen::SetState(int newState)
{
    if (newState == kIdle) {
        Idle();
    } else if (newState >= kChew && newState < kIdle) {
        animations[static_cast<size_t>(newState)].Rewind();
    } else {
        return;
    }
    state = newState;
}

void Queen::Idle()
{
    animations[kChew].Rewind();
    timer = character::RandomTime(idleTimer);
}

void Queen::Update(float dtSeconds)
{
    timer -= dtSeconds;
    if (state == kIdle) {
        if (timer < 0.0f) {
            Decide();
        }
        return;
    }
    Animation& animation = animations[static_cast<size_t>(state)];
    animation.Update(dtSeconds);
    if (character::PlayedThrough(animation)) {
        SetState(kIdle);
    }
}

void Queen::Decide()
{
    const auto down = std::find_if(figures.begin(), figures.end(), [](const GameModel* figure) { return figure->IsDown(); });
    if (down == figures.end()) {
        if (Randomizer::Instance().Fraction() < chewChance) {
            SetState(kChew);
        } else {
            Idle();
        }
    } else if ((*down)->GetKind() == GameModel::kDwarf) {
        SetState(kClap);
    } else {
        SetState(kComplain1 + Randomizer::Instance().Pick(2));
    }
}

void Queen::Render()
{
    const Animation& drawn = state == kIdle ? animations[kChew] : animations[static_cast<size_t>(state)];
    drawn.Draw(board::kQueenX, board::kQueenY, kSeatDepth);
}
