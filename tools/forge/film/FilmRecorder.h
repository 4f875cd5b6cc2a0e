#pragma once

#include <cstdint>
#include <future>
#include <string>
#include <utility>
#include <vector>

#include "core/Canvas.h"
#include "film/FilmScript.h"

// Plays a film script through: fades the pictures, encodes them with the sound into an AVI and
// keeps pictures from the middles of ten equal stretches for the review sheet.
class FilmRecorder {
public:
    struct Reel {
        std::vector<uint8_t> avi;
        std::vector<std::pair<std::string, Canvas>> stills;
    };

    static constexpr int kStills = 10;

    // The waltz is awaited only once the pictures are done, so it can be rendered meanwhile.
    static Reel Record(FilmScript& script, std::shared_future<StereoMix> waltz, const std::string& name);

private:
    // Brightness 0..1 of the picture at seconds into a film of the given length.
    static double FadeLevel(double seconds, double length, double fadeIn, double fadeOut);
    static void Darken(Canvas& picture, double level);
    static std::vector<uint8_t> Rgb(const Canvas& picture);
};
