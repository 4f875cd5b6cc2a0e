#include "game/characters/CharacterSupport.h"

#include "audio/SoundEngine.h"
#include "audio/Voice.h"
#include "game/board/GameMap.h"
#include "game/level/QMMainLevel.h"
#include "util/Randomizer.h"

namespace character {

float RandomTime(const TimeRange& range) { return range.least + Randomizer::Instance().Fraction() * range.spread; }

void Load(Animation& animation, const std::string& label, int mode, float framesPerSecond)
{
    animation.SetSpriteLabel(label);
    animation.SetMode(mode);
    if (framesPerSecond > 0.0f) {
        animation.SetSpeed(framesPerSecond);
    }
}

bool PlayedThrough(const Animation& animation) { return animation.IsEndReached() || !animation.GetSprite(); }

float PlayedPosition(const Animation& animation) { return animation.GetSprite() ? animation.GetPosition() : 1.0f; }

void PlaySound(const char* eventName)
{
    if (Voice* voice = SoundEngine::Instance().PlayAudioEvent(eventName)) {
        voice->Play();
    }
}

const std::vector<GameModel*>& RoundFigures()
{
    static const std::vector<GameModel*> kNone;
    const QMMainLevel* level = GameMap::Instance().GetLevel();
    return level ? level->GetActiveFigures() : kNone;
}

}  // namespace character
