#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "images/ImageRect.h"
#include "sprites/DrawInfo.h"

// A point of a sprite's picture cell (collision tests).
struct SpritePoint {
    int x = 0;
    int y = 0;
};

// Something that can be drawn into the 1024 x 768 logical frame. Nobody draws directly: the
// queuing operations hand a DrawInfo to the render engine, which calls DrawEx when the frame is
// flushed. Sprites are owned by the sprite manager and must live until that flush.
class Sprite {
public:
    Sprite() = default;
    virtual ~Sprite();
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    virtual int GetFrameCount() const { return 1; }
    // Size of what is stored for the frame (after cropping).
    virtual int GetWidth(int frame) const = 0;
    virtual int GetHeight(int frame) const = 0;
    // Size of the uncropped picture cell; the anchors use it.
    virtual int GetFullWidth() const = 0;
    virtual int GetFullHeight() const = 0;
    virtual bool IsPixelTransparent(const SpritePoint& point, int frame) const = 0;
    // Rebuilds lost display surfaces; sprites in main memory have nothing to do.
    virtual void Restore() {}
    virtual void DrawEx(const DrawInfo& info) = 0;
    // Whether this draw alone paints every pixel of a target of the given size, so that what
    // the target held before cannot show.
    virtual bool CoversTarget(const DrawInfo&, int, int) const { return false; }

    // Queuing at a depth: negative depths are backgrounds drawn first in queue order, the rest
    // in ascending depth.
    void Draw(int x, int y, int frame, float depth);
    // Bottom-centre anchored, scaled by scale unless it is 1.0 or NaN.
    void DrawAnchored(int x, int y, int frame, float depth, float scale);
    // Scaled to (width x scale, height x scale) of frame 0; anchored moves the position to the
    // bottom centre of that size.
    void DrawScaled(int x, int y, int frame, float depth, float scale, bool anchored);
    // Draws the inclusive source rectangle of the frame at (x, y).
    void DrawRect(const ImageRect& rect, int x, int y, int frame, float depth);

    // Filled by the sprite manager, copied by animations.
    std::vector<int32_t>& GetFrameTable() { return frameTable; }
    const std::vector<int32_t>& GetFrameTable() const { return frameTable; }
    // Position within the animation (0.0 start, 1.0 end) to audio-event name.
    std::map<float, std::string>& GetAudioEvents() { return audioEvents; }
    const std::map<float, std::string>& GetAudioEvents() const { return audioEvents; }

private:
    void Queue(const DrawInfo& info, float depth);

    std::vector<int32_t> frameTable;
    std::map<float, std::string> audioEvents;
};
