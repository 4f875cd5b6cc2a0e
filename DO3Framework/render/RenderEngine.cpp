#include "render/RenderEngine.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "display/DirectDraw.h"
#include "sprites/Sprite.h"
#include "sprites/TargetLock.h"

namespace {

// Room for a busy frame, so that queuing does not allocate once the game runs.
constexpr size_t kReservedDepthEntries = 2048;
constexpr size_t kReservedBackgroundEntries = 64;

// Bitwise, so that a NaN depth or scale equals itself.
bool SameDraw(const RenderEngine::Entry& a, const RenderEngine::Entry& b)
{
    return a.sprite == b.sprite && std::memcmp(&a.info, &b.info, sizeof a.info) == 0 &&
           std::bit_cast<uint32_t>(a.depth) == std::bit_cast<uint32_t>(b.depth);
}

bool SameDraws(const std::vector<RenderEngine::Entry>& a, const std::vector<RenderEngine::Entry>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), SameDraw);
}

}  // namespace

RenderEngine::RenderEngine()
{
    depthQueue.reserve(kReservedDepthEntries);
    lastDepthQueue.reserve(kReservedDepthEntries);
    backgroundQueue.reserve(kReservedBackgroundEntries);
    lastBackgroundQueue.reserve(kReservedBackgroundEntries);
}

void RenderEngine::Add(Sprite* sprite, const DrawInfo& info, float depth)
{
    if (!sprite) {
        return;
    }
    if (depth < 0.0f) {
        backgroundQueue.push_back({sprite, info, depth});
    } else {
        depthQueue.push_back({sprite, info, depth});
    }
}

void RenderEngine::Clear()
{
    depthQueue.clear();
    backgroundQueue.clear();
}

// Stable exchange sort of neighbours: an entry moves back only past strictly greater depths,
// so equal depths keep their queue order (the order a neighbour-swapping bubble sort gives,
// at the cost of the frame's few inversions rather than full passes). A NaN depth compares
// greater with nothing and stays where it was queued.
void RenderEngine::SortByDepth()
{
    for (size_t i = 1; i < depthQueue.size(); ++i) {
        size_t j = i;
        if (!(depthQueue[j - 1].depth > depthQueue[j].depth)) {
            continue;
        }
        Entry moving = depthQueue[i];
        while (j > 0 && depthQueue[j - 1].depth > moving.depth) {
            depthQueue[j] = depthQueue[j - 1];
            --j;
        }
        depthQueue[j] = moving;
    }
}

// Colour 0 is all-zero bytes in every screen format, so the clear is one memset per row. A
// first draw that paints every pixel (the board's background) makes the clear invisible, and
// it is skipped: it costs as much as that draw.
void RenderEngine::ClearRenderTarget()
{
    TargetLock target;
    if (!target.IsLocked()) {
        return;
    }
    const Entry* first = !backgroundQueue.empty() ? &backgroundQueue.front()
                         : !depthQueue.empty()    ? &depthQueue.front()
                                                  : nullptr;
    if (first && first->sprite->CoversTarget(first->info, target.Width(), target.Height())) {
        return;
    }
    size_t rowBytes = static_cast<size_t>(target.Width()) * static_cast<size_t>(target.BitsPerPixel() / 8);
    for (int y = 0; y < target.Height(); ++y) {
        std::memset(target.Row(y), 0, rowBytes);
    }
}

bool RenderEngine::RepeatsLastFrame() const
{
    const DirectDraw& display = DirectDraw::Instance();
    return lastFrameKept && !display.IsTransitionUnderWay() &&
           display.GetBufferGeneration() == lastBufferGeneration && SameDraws(backgroundQueue, lastBackgroundQueue) &&
           SameDraws(depthQueue, lastDepthQueue);
}

void RenderEngine::KeepLastFrame()
{
    const DirectDraw& display = DirectDraw::Instance();
    lastDepthQueue = depthQueue;
    lastBackgroundQueue = backgroundQueue;
    lastBufferGeneration = display.GetBufferGeneration();
    lastFrameKept = !display.IsTransitionUnderWay();
}

void RenderEngine::Flush()
{
    KeepLastFrame();
    SortByDepth();
    ClearRenderTarget();
    DirectDraw& display = DirectDraw::Instance();
    for (Entry& entry : backgroundQueue) {
        entry.sprite->DrawEx(entry.info);
    }
    bool transitionDone = false;
    for (Entry& entry : depthQueue) {
        if (entry.depth == kCursorDepth) {
            display.UpdateTransition();
            transitionDone = true;
        }
        entry.sprite->DrawEx(entry.info);
    }
    if (!transitionDone) {
        display.UpdateTransition();
    }
}
