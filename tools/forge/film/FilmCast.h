#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/Canvas.h"
#include "film/SpriteStrip.h"

// The pictures the films are made of, taken from what the forge has already rendered for the
// game (its review-sheet entries: the board, the figures' strips, the queen), so that the films
// cost no rendering of their own and always show the game's current art.
class FilmCast {
public:
    using Sheets = std::map<std::string, std::vector<std::pair<std::string, Canvas>>>;

    explicit FilmCast(const Sheets& sheets);

    // The picture under label in group, split into frames; an invalid strip (and one line on
    // stderr) when the forge made no such picture or its height does not divide into frames.
    SpriteStrip Strip(const std::string& group, const std::string& label, int frames = 1);
    // A dwarf's or knight's strip: name_clip_direction, direction 0 north, clockwise to 7.
    SpriteStrip Figure(const std::string& group, const std::string& name, const std::string& clip, int direction,
                       int frames);
    // False once a strip was missing.
    bool Complete() const { return complete; }

private:
    std::map<std::pair<std::string, std::string>, const Canvas*> pictures;
    bool complete = true;
};
