#include "film/OpeningFilm.h"

#include <cmath>

#include "film/FigureMotion.h"
#include "film/FilmCaptions.h"
#include "film/FilmFormat.h"
#include "film/FilmSoundtrack.h"
#include "film/Resampler.h"
#include "sound/EffectRecipes.h"

namespace {

using figure_motion::kSouth;

constexpr double kSeconds = 16.0;
constexpr double kFadeIn = 1.2;
constexpr double kFadeOut = 1.6;
// The whole width of the board screen, from the top of the sky: the title goes on the sky.
const FilmCamera kCamera{0.0, 0.0, 0.625};

// fenno comes last, up from the front; the others from the sides, each to his place in a loose
// arc that leaves the middle to him (routes keep to walkable cells and pass clear of obstacles).
const DwarfEntrance::Route kHeroRoute{0.44, 1.05, 0.49, 0.72, 3.4, kSouth, 0.0, -1.0};
struct Entry {
    const char* name;
    DwarfEntrance::Route route;
};
const Entry kOthers[] = {
    {"gandel", {-0.45, 0.82, 0.17, 0.56, 0.4, kSouth, 1.0, 8.6}},
    {"ruvik", {1.40, 0.47, 0.82, 0.56, 1.0, kSouth, 1.7, 9.3}},
    {"tabor", {-0.45, 0.58, 0.30, 0.66, 1.6, kSouth, 0.5, 10.0}},
    {"marlo", {1.40, 0.63, 0.66, 0.68, 2.1, kSouth, 1.2, 10.7}},
};

// fenno raises his board as the tune sets in (the waltz's fifth bar starts at 6 s), hops for
// joy, and again when the others have called out; the title falls into place on a downbeat.
constexpr double kRaise = 5.8;
constexpr int kRaiseFrames = 5;
constexpr double kRaiseFps = 15.0;
constexpr double kHops[] = {6.45, 6.95, 11.5, 12.0};
constexpr double kHopSeconds = 0.45;
constexpr double kHopHeight = 16.0;
constexpr double kTitleAt = 7.5;
constexpr double kTitleDrop = 0.6;
constexpr double kTitleScale = 0.55;
constexpr double kTitleTop = 6.0;

// The queen chews now and then, and claps when fenno shows his board.
constexpr int kQueenFrames = 8;
constexpr double kChewAt = 2.5;
constexpr double kChewFps = 8.0;
constexpr double kClapFrom = 6.0;
constexpr double kClapTo = 9.0;
constexpr double kClapFps = 6.0;

constexpr float kMusicRms = 0.14f;
constexpr float kSwishRms = 0.06f;

}  // namespace

OpeningFilm::OpeningFilm(FilmCast& cast, screen_painting::Fonts& fonts)
    : stage(cast),
      hero(cast, "fenno", kHeroRoute),
      raise(cast.Figure("fenno", "fenno", "brett", kSouth, kRaiseFrames)),
      queenChewing(cast.Strip("characters", "queen_chew", kQueenFrames)),
      queenClapping(cast.Strip("characters", "queen_clap", kQueenFrames)),
      title(film_captions::TitleRibbon(fonts, "Das Quillmark", 76))
{
    for (const Entry& entry : kOthers) {
        dwarfs.emplace_back(cast, entry.name, entry.route);
    }
}

int OpeningFilm::FrameCount() const { return static_cast<int>(std::lround(kSeconds * film_format::kFramesPerSecond)); }

double OpeningFilm::FadeInSeconds() const { return kFadeIn; }

double OpeningFilm::FadeOutSeconds() const { return kFadeOut; }

void OpeningFilm::PlaceQueen(double seconds)
{
    if (seconds >= kClapFrom && seconds < kClapTo) {
        // Frame 0 is her resting pose; the clap itself is frames 1 to 6.
        stage.AddQueen(queenClapping, 1 + figure_motion::LoopFrame(seconds - kClapFrom, kClapFps, kQueenFrames - 2));
        return;
    }
    const double chewing = seconds - kChewAt;
    const bool chews = chewing >= 0.0 && chewing < kQueenFrames / kChewFps;
    stage.AddQueen(queenChewing, chews ? figure_motion::HoldFrame(chewing, kChewFps, kQueenFrames) : 0);
}

void OpeningFilm::PlaceHero(double seconds)
{
    const DwarfEntrance::Pose pose = hero.At(seconds);
    if (seconds < kRaise) {
        stage.AddFigure(pose.strip, pose.frame, pose.column, pose.row);
        return;
    }
    const int frame = figure_motion::HoldFrame(seconds - kRaise, kRaiseFps, kRaiseFrames);
    const double lift = figure_motion::Hops(seconds, kHops, kHopSeconds, kHopHeight);
    stage.AddFigure(raise, frame, pose.column, pose.row, lift);
}

void OpeningFilm::DrawTitle(Canvas& picture, double seconds) const
{
    const double shown = figure_motion::Smooth((seconds - kTitleAt) / kTitleDrop);
    if (shown <= 0.0) {
        return;
    }
    // It drops from above and settles, growing from a little smaller.
    const double scale = kTitleScale * (0.85 + 0.15 * shown);
    resampler::Placement at;
    at.scale = scale;
    at.x = film_format::kWidth * 0.5 - title.Width() * scale * 0.5;
    at.y = kTitleTop - (1.0 - shown) * 40.0;
    at.opacity = shown;
    resampler::Draw(picture, title, 0, title.Height(), at);
}

Canvas OpeningFilm::Picture(int frame)
{
    const double seconds = film_format::Seconds(frame);
    PlaceQueen(seconds);
    for (const DwarfEntrance& dwarf : dwarfs) {
        const DwarfEntrance::Pose pose = dwarf.At(seconds);
        stage.AddFigure(pose.strip, pose.frame, pose.column, pose.row);
    }
    PlaceHero(seconds);
    Canvas picture = stage.Shoot(seconds, kCamera);
    DrawTitle(picture, seconds);
    return picture;
}

synth::Buffer OpeningFilm::Soundtrack(const StereoMix& waltz) const
{
    FilmSoundtrack sound(kSeconds);
    sound.AddMusic(waltz, 0.0, kSeconds, 0.0, kMusicRms, 0.3);
    sound.AddEffect(recipes::Swoosh(0), kRaise, kSwishRms);
    return sound.Master(0.3, kFadeOut + 0.4);
}
