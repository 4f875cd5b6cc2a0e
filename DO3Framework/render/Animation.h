#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "params/Object.h"

class Sprite;

// Plays a sprite of the sprite manager over time. The position runs from 0.0 (first frame) to
// 1.0 (last frame) at a frame rate; at the ends the animation stops, loops or turns (ping
// pong). Audio events of the sprite fire when the position passes their marks. The sprite is
// borrowed from the sprite manager and never deleted here.
class Animation : public Object {
public:
    enum Mode : int32_t {
        kStop = 0,
        kLoop = 1,
        kPingPong = 2,
    };
    enum Direction : int32_t {
        kForward = 0,
        kBackward = 1,
    };
    static constexpr const char* kNoSprite = "NONE";
    static constexpr float kDefaultFramesPerSecond = 15.0f;

    // "NONE" leaves the animation without sprite (true); otherwise false when the sprite
    // manager has no such sprite. An empty label changes nothing (false).
    bool SetSpriteLabel(const std::string& label);
    const std::string& GetSpriteLabel() const { return spriteLabel; }
    Sprite* GetSprite() const { return sprite; }
    // Drops the sprite, its frame table and its audio events.
    void Reset();

    // The frame table's length, else the sprite's frame count; 1 without sprite.
    int GetFrameCount() const;
    // The frame to draw, always a frame of the sprite; 0 without sprite.
    int GetFrame() const;
    // The drawn frame as a fraction of the sprite's last frame.
    float GetFramePosition() const;
    void SetFrame(int frame);
    void Rewind();
    void SetSpeed(float framesPerSecond);

    void Update(float dtSeconds);
    void Draw(int x, int y, float depth) const;
    // Bottom-centre anchored at (x, y), scaled.
    void DrawAnchored(int x, int y, float depth, float scale) const;

    float GetPosition() const { return position; }
    void SetPosition(float value) { position = value; }
    bool IsEndReached() const { return endReached; }
    int32_t GetMode() const { return mode; }
    void SetMode(int32_t value) { mode = value; }
    int32_t GetDirection() const { return direction; }
    void SetDirection(int32_t value) { direction = value; }
    bool IsReversed() const { return reverseFlag; }
    float GetSpeed() const { return speed; }
    bool UsesDefaultSpeed() const { return useDefaultSpeed; }
    void SetUseDefaultSpeed(bool on) { useDefaultSpeed = on; }
    bool IsMuted() const { return muted; }
    void SetMuted(bool on) { muted = on; }
    const std::vector<int32_t>& GetFrameTable() const { return frameTable; }
    const std::map<float, std::string>& GetAudioEvents() const { return audioEvents; }

    void Parameters(Serializer& serializer, const std::string& name) override;
    void State(Serializer& serializer, const std::string& name) override;

private:
    void Advance(float step);
    void ApplyEnds();
    void CheckAudioEvents(float from, float to);
    bool MovesBackward() const;
    void FireMarksIn(float begin, float end, bool backward, float to);
    void FireAudioEvent(const std::string& name, float to);
    void AdoptLabel(const std::string& label);

    std::string spriteLabel = kNoSprite;
    Sprite* sprite = nullptr;
    std::vector<int32_t> frameTable;
    std::map<float, std::string> audioEvents;
    float position = 0.0f;
    float speed = 0.0f;
    bool useDefaultSpeed = true;
    int32_t mode = kLoop;
    int32_t direction = kForward;
    bool reverseFlag = false;
    bool endReached = false;
    float lastEventPosition = -1.0f;
    bool muted = false;
};
