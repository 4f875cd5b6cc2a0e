#pragma once

#include <cstddef>
#include <vector>

#include "sprites/DrawInfo.h"
#include "util/Singleton.h"

class Sprite;

// The frame's draw scheduler. Sprites queue their draws with a depth during the frame; Flush
// clears the render target and draws the backgrounds (negative depths) in queue order, then
// everything else in ascending depth, equal depths in queue order. The display's transition
// step runs just before the cursor layer (depth 11.0), or after the last draw without one.
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

    const std::vector<Entry>& GetDepthQueue() const { return depthQueue; }
    const std::vector<Entry>& GetBackgroundQueue() const { return backgroundQueue; }

private:
    friend class Singleton<RenderEngine>;
    RenderEngine();

    void SortByDepth();
    void ClearRenderTarget();

    std::vector<Entry> depthQueue;
    std::vector<Entry> backgroundQueue;
};
