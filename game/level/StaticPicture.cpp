#include "game/level/StaticPicture.h"

#include "sprites/Sprite.h"

void StaticPicture::Draw() const
{
    if (sprite) {
        sprite->DrawScaled(x, y, 1, depth, scale, anchored);
    }
}
