#include "render/Animation.h"

#include <cmath>

#include "app/Debug.h"
#include "audio/SoundEngine.h"
#include "audio/Voice.h"
#include "params/Serializer.h"
#include "sprites/Sprite.h"
#include "sprites/SpriteManager.h"

namespace {

// 1.0 plus eight units of the last place: a backward move from the very end includes a mark at 1.0.
constexpr float kJustPastEnd = 1.00000095f;

// trunc(value) limited to 0..upper; NaN counts as 0.
int TruncatedIndex(float value, int upper)
{
    if (!(value > 0.0f)) {
        return 0;
    }
    if (value >= static_cast<float>(upper)) {
        return upper;
    }
    return static_cast<int>(value);
}

float ClampUnit(float value)
{
    if (!(value > 0.0f)) {
        return 0.0f;
    }
    return value > 1.0f ? 1.0f : value;
}

}  // namespace

bool Animation::SetSpriteLabel(const std::string& label)
{
    if (label.empty()) {
        return false;
    }
    Reset();
    spriteLabel = label;
    if (label == kNoSprite) {
        return true;
    }
    sprite = SpriteManager::Instance().GetSprite(label);
    if (!sprite) {
        return false;
    }
    frameTable = sprite->GetFrameTable();
    audioEvents = sprite->GetAudioEvents();
    return true;
}

void Animation::Reset()
{
    sprite = nullptr;
    frameTable.clear();
    audioEvents.clear();
}

int Animation::GetFrameCount() const
{
    if (!frameTable.empty()) {
        return static_cast<int>(frameTable.size());
    }
    // A sprite without frames still counts as one, so steps never divide by zero.
    return sprite && sprite->GetFrameCount() > 0 ? sprite->GetFrameCount() : 1;
}

int Animation::GetFrame() const
{
    if (!sprite) {
        return 0;
    }
    int lastFrame = sprite->GetFrameCount() - 1;
    int frame = 0;
    if (!frameTable.empty()) {
        int last = static_cast<int>(frameTable.size()) - 1;
        frame = frameTable[static_cast<size_t>(TruncatedIndex(static_cast<float>(frameTable.size()) * position, last))];
    } else {
        frame = TruncatedIndex(static_cast<float>(sprite->GetFrameCount()) * position, lastFrame);
    }
    if (frame > lastFrame) {
        frame = lastFrame;
    }
    return frame < 0 ? 0 : frame;
}

float Animation::GetFramePosition() const
{
    if (!sprite || sprite->GetFrameCount() <= 1) {
        return 0.0f;
    }
    return static_cast<float>(GetFrame()) / static_cast<float>(sprite->GetFrameCount() - 1);
}

void Animation::SetFrame(int frame)
{
    int count = GetFrameCount();
    position = count > 1 ? ClampUnit(static_cast<float>(frame) / static_cast<float>(count - 1)) : 0.0f;
}

void Animation::Rewind()
{
    position = 0.0f;
    reverseFlag = false;
}

void Animation::SetSpeed(float framesPerSecond)
{
    speed = framesPerSecond;
    useDefaultSpeed = false;
}

void Animation::Update(float dtSeconds)
{
    endReached = false;
    if (!sprite) {
        return;
    }
    float framesPerSecond = useDefaultSpeed ? kDefaultFramesPerSecond : speed;
    Advance(framesPerSecond * dtSeconds / static_cast<float>(GetFrameCount()));
}

void Animation::Advance(float step)
{
    float from = position;
    float sign = (mode == kPingPong && reverseFlag) ? -1.0f : 1.0f;
    position += direction == kBackward ? -step * sign : step * sign;
    CheckAudioEvents(from, position);
    ApplyEnds();
}

void Animation::ApplyEnds()
{
    if (!std::isfinite(position)) {
        position = 0.0f;
        endReached = true;
        return;
    }
    bool below = position < 0.0f;
    bool above = position > 1.0f;
    if (mode == kStop) {
        if (below || above) {
            position = below ? 0.0f : 1.0f;
            endReached = true;
        }
    } else if (mode == kPingPong) {
        if (below || above) {
            position = below ? 0.0f : 1.0f;
            reverseFlag = !reverseFlag;
            endReached = endReached || below;
        }
    } else if (below || above) {
        // Whole turns in one step, so a long step cannot loop for ever.
        position += below ? std::ceil(-position) : -std::ceil(position - 1.0f);
        endReached = true;
    }
}

bool Animation::MovesBackward() const
{
    bool backward = direction == kBackward;
    return (mode == kPingPong && reverseFlag) ? !backward : backward;
}

void Animation::CheckAudioEvents(float from, float to)
{
    if (to == lastEventPosition || muted) {
        return;
    }
    lastEventPosition = -1.0f;
    if (audioEvents.empty()) {
        return;
    }
    if (MovesBackward()) {
        FireMarksIn(to, from == 1.0f ? kJustPastEnd : from, true, to);
        return;
    }
    FireMarksIn(from, to, false, to);
    if (mode != kStop && to > 1.0f) {
        FireMarksIn(0.0f, to - 1.0f, false, to);
    }
}

void Animation::FireMarksIn(float begin, float end, bool backward, float to)
{
    for (const auto& [mark, name] : audioEvents) {
        float at = mark;
        if (at < 0.0f) {
            if (backward) {
                continue;
            }
            at = 0.0f;
        } else if (at > 1.0f) {
            if (!backward) {
                continue;
            }
            at = 1.0f;
        }
        if (at >= begin && at < end) {
            FireAudioEvent(name, to);
        }
    }
}

void Animation::FireAudioEvent(const std::string& name, float to)
{
    SoundEngine& sound = SoundEngine::Instance();
    if (!sound.FindAudioEvent(name)) {
        Debug::Instance().Warning("Animation::CheckAudioEvents: Failed to receive audio event <%s>!\n", name.c_str());
        return;
    }
    if (Voice* voice = sound.PlayAudioEvent(name)) {
        voice->Play();
    }
    lastEventPosition = to;
}

void Animation::Draw(int x, int y, float depth) const
{
    if (sprite) {
        sprite->Draw(x, y, GetFrame(), depth);
    }
}

void Animation::DrawAnchored(int x, int y, float depth, float scale) const
{
    if (sprite) {
        sprite->DrawAnchored(x, y, GetFrame(), depth, scale);
    }
}

void Animation::AdoptLabel(const std::string& label)
{
    if (label != spriteLabel) {
        SetSpriteLabel(label);
    }
}

void Animation::Parameters(Serializer& serializer, const std::string& name)
{
    std::string label = spriteLabel;
    serializer.BeginSection("Animation", name);
    serializer.String("sprite label", label);
    serializer.Float("time", position);
    serializer.Float("speed", speed);
    serializer.Bool("use default speed", useDefaultSpeed);
    serializer.Hint("combobox", "[stop][loop][ping pong]");
    serializer.Int("mode", mode);
    serializer.Hint("combobox", "[forward][backward]");
    serializer.Int("direction", direction);
    serializer.Bool("reverse flag", reverseFlag);
    serializer.EndSection();
    if (serializer.IsReading()) {
        AdoptLabel(label);
    }
}

void Animation::State(Serializer& serializer, const std::string& name)
{
    std::string label = spriteLabel;
    serializer.BeginSection("Animation", name);
    serializer.String("sprite label", label);
    serializer.Float("time", position);
    serializer.Float("speed", speed);
    serializer.Bool("use default speed", useDefaultSpeed);
    serializer.Bool("reverse flag", reverseFlag);
    serializer.Bool("end reached", endReached);
    serializer.Bool("muted", muted);
    serializer.EndSection();
    if (serializer.IsReading()) {
        AdoptLabel(label);
    }
}
