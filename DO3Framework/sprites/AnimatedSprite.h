#pragma once

#include <memory>
#include <vector>

#include "sprites/Sprite.h"

// A sequence of frames, each a sprite of its own (owned). Operations that take a frame forward
// to that frame's sprite; a frame outside the list is limited to the first or last.
class AnimatedSprite : public Sprite {
public:
    AnimatedSprite(int fullWidth, int fullHeight);
    ~AnimatedSprite() override;

    void AddFrame(std::unique_ptr<Sprite> frame);
    Sprite* GetFrameSprite(int frame) const;

    int GetFrameCount() const override { return static_cast<int>(frames.size()); }
    int GetWidth(int frame) const override;
    int GetHeight(int frame) const override;
    int GetFullWidth() const override { return fullWidth; }
    int GetFullHeight() const override { return fullHeight; }
    bool IsPixelTransparent(const SpritePoint& point, int frame) const override;
    void Restore() override;
    void DrawEx(const DrawInfo& info) override;

private:
    std::vector<std::unique_ptr<Sprite>> frames;
    int fullWidth = 0;
    int fullHeight = 0;
};
