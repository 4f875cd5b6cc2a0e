#include "game/VideoShow.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/DO3Application.h"
#include "app/Debug.h"
#include "display/DirectDraw.h"
#include "files/File.h"
#include "platform/Clock.h"
#include "platform/Keyboard.h"
#include "platform/VideoPlayer.h"
#include "platform/VirtualKeys.h"

namespace {

// The film's band: full width, from 11.33 % of the height, 77.33 % of it high.
constexpr double kTopShare = 0.1133;
constexpr double kHeightShare = 0.7733;
constexpr uint32_t kDrainNapMilliseconds = 10;

bool ReadFilm(const std::string& fileName, std::vector<uint8_t>& bytes)
{
    Debug& debug = Debug::Instance();
    File file;
    if (!file.Open(fileName.c_str(), "rb")) {
        debug.Log("VideoShow::Play: No video <%s>\n", fileName.c_str());
        return false;
    }
    const int length = file.Length();
    if (length > VideoShow::kMaxFileBytes) {
        debug.Warning("VideoShow::Play: <%s> is too large for a film\n", fileName.c_str());
        return false;
    }
    bytes.resize(static_cast<size_t>(std::max(length, 0)));
    if (length < 0 || file.Read(bytes.data(), length) != length) {
        debug.Warning("VideoShow::Play: <%s> could not be read\n", fileName.c_str());
        return false;
    }
    return true;
}

bool OpenFilm(const std::string& fileName, const std::vector<uint8_t>& bytes, platform::VideoPlayer& player)
{
    std::string why;
    if (!player.Open(bytes.data(), bytes.size(), why)) {
        Debug::Instance().Warning("VideoShow::Play: <%s> can't be played: %s\n", fileName.c_str(), why.c_str());
        return false;
    }
    return true;
}

// The frame to draw into now (a switch to or from full screen makes a new one) and the film's
// band in it.
platform::PixelSurface* FrameAndBand(platform::PixelRect& band)
{
    platform::PixelSurface* frame = DirectDraw::Instance().GetRenderTarget();
    if (frame) {
        const int top = static_cast<int>(frame->Height() * kTopShare);
        const int height = static_cast<int>(frame->Height() * kHeightShare);
        band = {0, top, frame->Width(), top + height};
    }
    return frame;
}

bool SkipWanted(const DO3Application* app)
{
    return platform::IsKeyHeld(vk::kEscape) || platform::IsKeyHeld(vk::kSpace) ||
           (app && (app->IsVideoSkipRequested() || app->IsQuitRequested()));
}

platform::VideoPlayer::Hooks HooksFor(DO3Application* app)
{
    platform::VideoPlayer::Hooks hooks;
    hooks.frame = &FrameAndBand;
    hooks.pumpEvents = [app] {
        if (app) {
            app->PumpOneEvent();
        }
    };
    hooks.stopRequested = [app] { return SkipWanted(app); };
    hooks.present = [] { DirectDraw::Instance().Present(); };
    return hooks;
}

// What waited behind the film (the skipping key among it) goes to the window now that
// input counts again.
void DrainEvents(DO3Application* app)
{
    while (app && !app->IsQuitRequested() && app->PumpOneEvent()) {
        platform::Clock::Sleep(kDrainNapMilliseconds);
    }
}

void LogStart(const std::string& fileName, const platform::AviFile& film)
{
    Debug::Instance().Log("VideoShow::Play: <%s> playing, %d x %d, %zu pictures, %.1f s%s\n", fileName.c_str(),
                          film.Video().width, film.Video().height, film.VideoFrames().size(), film.DurationSeconds(),
                          film.HasAudio() ? " with sound" : "");
}

void ReportShowing(const std::string& fileName, const platform::VideoPlayer& player,
                   const platform::VideoPlayer::Report& report)
{
    Debug& debug = Debug::Instance();
    debug.Log("VideoShow::Play: <%s> %d of %zu pictures shown%s%s\n", fileName.c_str(), report.framesShown,
              player.Film().VideoFrames().size(), report.stoppedEarly ? ", ended early" : "",
              report.soundPlayed ? "" : ", without sound");
    if (report.framesBroken > 0) {
        debug.Warning("VideoShow::Play: <%s> %d pictures did not decode\n", fileName.c_str(), report.framesBroken);
    }
}

}  // namespace

bool VideoShow::Play(const std::string& fileName)
{
    std::vector<uint8_t> bytes;
    platform::VideoPlayer player;
    platform::PixelRect band;
    if (!ReadFilm(fileName, bytes) || !OpenFilm(fileName, bytes, player) || !FrameAndBand(band)) {
        return false;
    }
    LogStart(fileName, player.Film());
    DirectDraw::Instance().FlipToGDI();
    DO3Application* app = DO3Application::Current();
    if (app) {
        app->SetVideoRunning(true);
    }
    const platform::VideoPlayer::Report report = player.Play(HooksFor(app));
    if (app) {
        app->SetVideoRunning(false);
    }
    DrainEvents(app);
    ReportShowing(fileName, player, report);
    return true;
}
