#include "sprites/Sprite.h"

#include <cmath>

#include "render/RenderEngine.h"

namespace {

bool IsUnscaled(float scale)
{
    return scale == 1.0f || std::isnan(scale);
}

DrawInfo PositionedAt(int x, int y, int frame)
{
    DrawInfo info;
    info.flags = DI_DEST_POS;
    info.frame = frame;
    info.destX = x;
    info.destY = y;
    return info;
}

}  // namespace

// Another sprite may take this one's place in memory and be queued alike: the render engine
// must not take its draws for the last frame's.
Sprite::~Sprite()
{
    if (RenderEngine::Exists()) {
        RenderEngine::Instance().ForgetLastFrame();
    }
}

void Sprite::Queue(const DrawInfo& info, float depth)
{
    RenderEngine::Instance().Add(this, info, depth);
}

void Sprite::Draw(int x, int y, int frame, float depth)
{
    Queue(PositionedAt(x, y, frame), depth);
}

void Sprite::DrawAnchored(int x, int y, int frame, float depth, float scale)
{
    DrawInfo info = PositionedAt(x, y, frame);
    info.flags |= DI_BOTTOM_CENTER;
    if (!IsUnscaled(scale)) {
        info.flags |= DI_SCALE;
        info.scale = scale;
    }
    Queue(info, depth);
}

void Sprite::DrawScaled(int x, int y, int frame, float depth, float scale, bool anchored)
{
    if (IsUnscaled(scale)) {
        if (anchored) {
            x -= GetWidth(0) / 2;
            y -= GetHeight(0);
        }
        Queue(PositionedAt(x, y, frame), depth);
        return;
    }
    int width = static_cast<int>(static_cast<float>(GetWidth(0)) * scale);
    int height = static_cast<int>(static_cast<float>(GetHeight(0)) * scale);
    if (anchored) {
        x -= width / 2;
        y -= height;
    }
    DrawInfo info = PositionedAt(x, y, frame);
    info.flags |= DI_DEST_SIZE;
    info.destWidth = width;
    info.destHeight = height;
    Queue(info, depth);
}

void Sprite::DrawRect(const ImageRect& rect, int x, int y, int frame, float depth)
{
    DrawInfo info = PositionedAt(x, y, frame);
    info.flags |= DI_SRC_POS | DI_SRC_SIZE;
    info.srcX = rect.left;
    info.srcY = rect.top;
    info.srcWidth = rect.Width();
    info.srcHeight = rect.Height();
    Queue(info, depth);
}
