#pragma once

#include <string>
#include <vector>

#include "display/DirectDraw.h"
#include "sprites/Sprite.h"

// A test sprite that fills its rectangle of the render target with one pixel value and notes
// its name in a shared list when drawn.
class FillSprite : public Sprite {
public:
    FillSprite(std::string spriteName, uint32_t pixel, std::vector<std::string>& drawOrder)
        : name(std::move(spriteName)), value(pixel), order(drawOrder)
    {
    }

    int GetWidth(int) const override { return 20; }
    int GetHeight(int) const override { return 20; }
    int GetFullWidth() const override { return 20; }
    int GetFullHeight() const override { return 20; }
    bool IsPixelTransparent(const SpritePoint&, int) const override { return false; }

    void DrawEx(const DrawInfo& info) override
    {
        order.push_back(name);
        platform::PixelRect rect{info.destX, info.destY, info.destX + 20, info.destY + 20};
        DirectDraw::Instance().GetRenderTarget()->Fill(&rect, value);
    }

private:
    std::string name;
    uint32_t value;
    std::vector<std::string>& order;
};
