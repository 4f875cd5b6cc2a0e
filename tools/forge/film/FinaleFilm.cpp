#include "film/FinaleFilm.h"

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
constexpr double kFadeIn = 1.0;
constexpr double kFadeOut = 1.6;
// Closer in on the right half of the courtyard, the queen's seat at the top.
const FilmCamera kCamera{224.0, 100.0, 0.8};

constexpr double kWinnerColumn = 0.72;
constexpr double kWinnerRow = 0.44;
constexpr double kRaise = 0.5;
constexpr int kRaiseFrames = 5;
constexpr int kStopFrames = 4;
constexpr double kFigureFps = 15.0;
constexpr double kHops[] = {1.1, 1.6, 2.1, 7.9, 8.4, 8.9, 12.6, 13.1};
constexpr double kHopSeconds = 0.45;
constexpr double kHopHeight = 18.0;

// Knights about the winner, facing him; they fall in turn, each with a flash.
struct KnightPlace {
    const char* name;
    double column;
    double row;
    double fallsAt;
};
constexpr KnightPlace kKnights[] = {
    {"stumpf", 0.58, 0.36, 2.6}, {"scharf", 0.88, 0.36, 3.8}, {"scharf", 0.60, 0.54, 5.0}, {"stumpf", 0.86, 0.54, 6.2}};
constexpr int kFallFrames = 8;
constexpr int kFlashFrames = 6;
constexpr double kThudDelay = 0.25;

constexpr double kRivalColumn = 0.42;
constexpr double kRivalRow = 0.31;
constexpr int kReelFrames = 8;
constexpr double kReelFps = 12.0;
constexpr int kStarFrames = 8;

constexpr int kQueenFrames = 8;
constexpr double kClapFps = 6.0;

// The scene dims and the caption settles over it, the second line a moment later.
constexpr double kCaptionAt = 9.6;
constexpr double kVeilSeconds = 0.8;
constexpr double kVeilDepth = 0.45;
constexpr double kRibbonAt = 10.0;
constexpr double kSubtitleAt = 10.8;
constexpr double kCaptionEase = 0.6;
constexpr double kCaptionScale = 0.6;
constexpr double kRibbonTop = 84.0;
constexpr double kSubtitleTop = 322.0;

constexpr double kFanfareAt = 0.4;
// The second half of the waltz's last verse (bar 44, with the bells an octave up) to its cadence.
constexpr double kWaltzFrom = 66.0;
constexpr double kWaltzAt = 3.9;
constexpr float kMusicRms = 0.13f;
constexpr float kFanfareRms = 0.3f;
constexpr float kClankRms = 0.12f;
constexpr float kThudRms = 0.14f;

void DrawCentred(Canvas& picture, const Canvas& caption, double top, double shown)
{
    if (shown <= 0.0) {
        return;
    }
    resampler::Placement at;
    at.scale = kCaptionScale * (0.9 + 0.1 * shown);
    at.x = film_format::kWidth * 0.5 - caption.Width() * at.scale * 0.5;
    at.y = top + caption.Height() * (kCaptionScale - at.scale) * 0.5;
    at.opacity = shown;
    resampler::Draw(picture, caption, 0, caption.Height(), at);
}

}  // namespace

FinaleFilm::FinaleFilm(FilmCast& cast, screen_painting::Fonts& fonts)
    : stage(cast),
      winnerStanding(cast.Figure("fenno", "fenno", "stop", kSouth, kStopFrames)),
      winnerRaising(cast.Figure("fenno", "fenno", "brett", kSouth, kRaiseFrames)),
      rivalReeling(cast.Figure("tabor", "tabor", "taumeln", kSouth, kReelFrames)),
      stars(cast.Strip("characters", "sternchen", kStarFrames)),
      flash(cast.Strip("characters", "hitAnimation", kFlashFrames)),
      queenClapping(cast.Strip("characters", "queen_clap", kQueenFrames)),
      ribbon(film_captions::TitleRibbon(fonts, "Hoch lebe der Sieger!", 60)),
      subtitle(film_captions::Subtitle(fonts, "Bis zum n\xE4" "chsten Mal im Quillmark!", 40))
{
    for (const KnightPlace& place : kKnights) {
        const int facing = figure_motion::Heading(kWinnerColumn - place.column, kWinnerRow - place.row);
        Knight knight;
        knight.standAndFall = {cast.Figure("knights", place.name, "stop", facing, kStopFrames),
                               cast.Figure("knights", place.name, "umfallen", facing, kFallFrames)};
        knight.column = place.column;
        knight.row = place.row;
        knight.fallsAt = place.fallsAt;
        knights.push_back(knight);
    }
}

int FinaleFilm::FrameCount() const { return static_cast<int>(std::lround(kSeconds * film_format::kFramesPerSecond)); }

double FinaleFilm::FadeInSeconds() const { return kFadeIn; }

double FinaleFilm::FadeOutSeconds() const { return kFadeOut; }

void FinaleFilm::PlaceWinner(double seconds)
{
    if (seconds < kRaise) {
        stage.AddFigure(winnerStanding, kStopFrames - 1, kWinnerColumn, kWinnerRow);
        return;
    }
    const int frame = figure_motion::HoldFrame(seconds - kRaise, kFigureFps, kRaiseFrames);
    const double lift = figure_motion::Hops(seconds, kHops, kHopSeconds, kHopHeight);
    stage.AddFigure(winnerRaising, frame, kWinnerColumn, kWinnerRow, lift);
}

void FinaleFilm::PlaceKnight(const Knight& knight, double seconds)
{
    const double falling = seconds - knight.fallsAt;
    if (falling < 0.0) {
        stage.AddFigure(knight.standAndFall[0], kStopFrames - 1, knight.column, knight.row);
        return;
    }
    stage.AddFigure(knight.standAndFall[1], figure_motion::HoldFrame(falling, kFigureFps, kFallFrames), knight.column,
                    knight.row);
    if (falling < kFlashFrames / kFigureFps) {
        stage.AddFlash(flash, figure_motion::HoldFrame(falling, kFigureFps, kFlashFrames), knight.column, knight.row);
    }
}

void FinaleFilm::PlaceRival(double seconds)
{
    stage.AddFigure(rivalReeling, figure_motion::LoopFrame(seconds, kReelFps, kReelFrames), kRivalColumn, kRivalRow);
    stage.AddStars(stars, figure_motion::LoopFrame(seconds, kFigureFps, kStarFrames), kRivalColumn, kRivalRow);
}

void FinaleFilm::DrawCaption(Canvas& picture, double seconds) const
{
    const double veil = kVeilDepth * figure_motion::Smooth((seconds - kCaptionAt) / kVeilSeconds);
    if (veil <= 0.0) {
        return;
    }
    const int keep = static_cast<int>(std::lround((1.0 - veil) * 256.0));
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            Rgba& p = picture.At(x, y);
            p = {static_cast<uint8_t>(p.r * keep >> 8), static_cast<uint8_t>(p.g * keep >> 8),
                 static_cast<uint8_t>(p.b * keep >> 8), p.a};
        }
    }
    DrawCentred(picture, ribbon, kRibbonTop, figure_motion::Smooth((seconds - kRibbonAt) / kCaptionEase));
    DrawCentred(picture, subtitle, kSubtitleTop, figure_motion::Smooth((seconds - kSubtitleAt) / kCaptionEase));
}

Canvas FinaleFilm::Picture(int frame)
{
    const double seconds = film_format::Seconds(frame);
    stage.AddQueen(queenClapping, 1 + figure_motion::LoopFrame(seconds, kClapFps, kQueenFrames - 2));
    PlaceWinner(seconds);
    for (const Knight& knight : knights) {
        PlaceKnight(knight, seconds);
    }
    PlaceRival(seconds);
    Canvas picture = stage.Shoot(seconds, kCamera);
    DrawCaption(picture, seconds);
    return picture;
}

synth::Buffer FinaleFilm::Soundtrack(const StereoMix& waltz) const
{
    FilmSoundtrack sound(kSeconds);
    sound.AddEffect(recipes::VictoryFanfare(), kFanfareAt, kFanfareRms);
    sound.AddMusic(waltz, kWaltzFrom, kWaltzFrom + kSeconds - kWaltzAt, kWaltzAt, kMusicRms, 0.05);
    for (size_t i = 0; i < knights.size(); ++i) {
        const int variant = static_cast<int>(i % 3);
        sound.AddEffect(recipes::BoardOnArmour(variant), knights[i].fallsAt, kClankRms);
        sound.AddEffect(recipes::BodyFall(variant), knights[i].fallsAt + kThudDelay, kThudRms);
    }
    return sound.Master(0.05, kFadeOut - 0.4);
}
