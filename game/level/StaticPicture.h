#pragma once

class Sprite;

// A picture the level draws every frame at a fixed place: the board or a foreground mask.
struct StaticPicture {
    Sprite* sprite = nullptr;
    int x = 0;
    int y = 0;
    float depth = 0.0f;
    float scale = 1.0f;
    bool anchored = false;

    void Draw() const;
};
