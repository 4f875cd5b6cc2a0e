#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sprites/DrawInfo.h"
#include "util/Singleton.h"

class Sprite;

// The frame's draw scheduler. Sprites queue their draws with a depth during the frame; Flush
// clears the render target and draws the backgrounds (negative depths) in queue order, then
// everything else in ascending depth, equal depths in queue order. The display's transition
// step runs just before the cursor layer (depth 11.0), or after the last draw without one.
// The engine remembers what it drew last, so that a frame that would repeat it pixel for pixel
// need not be drawn (or shown) again.
class RenderEngine : public Singleton<RenderEngine> {
public:
    static constexpr float kCursorDepth = 11.0f;

    struct Entry {
        Sprite* sprite = nullptr;
        DrawInfo info;
        float depth = 0.0f;
    };

    bool Init() { return true; }
    // Depth >= 0 (or NaN) joins the depth queue, a negative depth the background queue.
    void Add(Sprite* sprite, const DrawInfo& info, float depth);
    // Empties both queues; their storage is kept so that later frames do not allocate.
    void Clear();
    void Flush();
    // True when the queued frame is the one the last Flush drew (the same draws in the same
    // order), no transition is under way and the display's buffers kept that picture: drawing
    // it again would change no pixel.
    bool RepeatsLastFrame() const;
    // A picture that queued draws show changed without their draws changing (a sprite freed
    // or given other pixels): the next frame is drawn in full.
    void ForgetLastFrame() { lastFrameKept = false; }

    const std::vector<Entry>& GetDepthQueue() const { return depthQueue; }
    const std::vector<Entry>& GetBackgroundQueue() const { return backgroundQueue; }

private:
    friend class Singleton<RenderEngine>;
    RenderEngine();

    void SortByDepth();
    void ClearRenderTarget();
    void KeepLastFrame();

    std::vector<Entry> depthQueue;
    std::vector<Entry> backgroundQueue;
    // The queues of the last Flush as they were queued, and the display's buffer generation
    // then; not kept for a frame drawn during a transition.
    std::vector<Entry> lastDepthQueue;
    std::vector<Entry> lastBackgroundQueue;
    uint32_t lastBufferGeneration = 0;
    bool lastFrameKept = false;
};
