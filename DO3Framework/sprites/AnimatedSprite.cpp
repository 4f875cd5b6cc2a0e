#include "sprites/AnimatedSprite.h"

#include <algorithm>

AnimatedSprite::AnimatedSprite(int width, int height) : fullWidth(width), fullHeight(height) {}

AnimatedSprite::~AnimatedSprite() = default;

void AnimatedSprite::AddFrame(std::unique_ptr<Sprite> frame)
{
    if (frame) {
        frames.push_back(std::move(frame));
    }
}

Sprite* AnimatedSprite::GetFrameSprite(int frame) const
{
    if (frames.empty()) {
        return nullptr;
    }
    return frames[static_cast<size_t>(std::clamp(frame, 0, static_cast<int>(frames.size()) - 1))].get();
}

int AnimatedSprite::GetWidth(int frame) const
{
    Sprite* sprite = GetFrameSprite(frame);
    return sprite ? sprite->GetWidth(0) : 0;
}

int AnimatedSprite::GetHeight(int frame) const
{
    Sprite* sprite = GetFrameSprite(frame);
    return sprite ? sprite->GetHeight(0) : 0;
}

bool AnimatedSprite::IsPixelTransparent(const SpritePoint& point, int frame) const
{
    Sprite* sprite = GetFrameSprite(frame);
    return !sprite || sprite->IsPixelTransparent(point, 0);
}

void AnimatedSprite::Restore()
{
    for (auto& frame : frames) {
        frame->Restore();
    }
}

void AnimatedSprite::DrawEx(const DrawInfo& info)
{
    if (Sprite* sprite = GetFrameSprite(info.frame)) {
        DrawInfo single = info;
        single.frame = 0;
        sprite->DrawEx(single);
    }
}
