#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/AviFile.h"
#include "platform/JpegDecoder.h"
#include "platform/PixelSurface.h"
#include "platform/VideoFrameScaler.h"

namespace platform {

class SoundBuffer;
class SoundDevice;

// Plays a Motion-JPEG film held in memory: each picture scaled into a band of the frame
// and presented when its time comes, the sound through a device of its own (the
// caller has shut its own sound down). The clock is the wall clock from the start, which the
// sound device follows closely enough for a film of a few seconds; a frame that is due late
// is skipped rather than shown late, since every frame stands alone.
class VideoPlayer {
public:
    struct Hooks {
        // The surface to draw the next picture into, with the picture's rectangle in it; null
        // while there is none. Asked before every picture, since a switch of the display mode
        // makes new surfaces.
        std::function<PixelSurface*(PixelRect& band)> frame;
        // Lets the window handle what waits (paint, focus, a quit).
        std::function<void()> pumpEvents;
        // True once the film should end early (a key held, the program closing).
        std::function<bool()> stopRequested;
        // Shows the surface after a picture was drawn into it.
        std::function<void()> present;
    };
    struct Report {
        int framesShown = 0;
        // Pictures that did not decode; the one before stayed on screen.
        int framesBroken = 0;
        bool stoppedEarly = false;
        bool soundPlayed = false;
    };

    VideoPlayer();
    ~VideoPlayer();
    VideoPlayer(const VideoPlayer&) = delete;
    VideoPlayer& operator=(const VideoPlayer&) = delete;

    // Checks the film's structure and decodes its first picture; false with the reason. The
    // bytes must outlive the player.
    bool Open(const uint8_t* data, size_t size, std::string& why);
    // Clears the frame and plays the opened film to its end or until a stop is requested.
    Report Play(const Hooks& hooks);
    const AviFile& Film() const { return *film; }

private:
    std::unique_ptr<SoundBuffer> StartSound(SoundDevice& device) const;
    bool DecodeFrame(size_t index);
    // Draws the picture into its band and keeps the rest of the frame black.
    void DrawPicture(PixelSurface& target, const PixelRect& band);

    const uint8_t* bytes = nullptr;
    std::optional<AviFile> film;
    JpegDecoder::Picture picture;
    VideoFrameScaler scaler;
};

}  // namespace platform
