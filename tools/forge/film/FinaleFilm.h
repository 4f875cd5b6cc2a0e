#pragma once

#include <array>
#include <vector>

#include "film/BoardStage.h"
#include "film/FilmScript.h"
#include "screens/ScreenPainting.h"

// The finale: fenno, the winner, hops with his board held high while the queen claps; the
// knights around him fall over one after another with a clank and a thud, a beaten rival reels
// under circling stars, and the scene dims under a closing caption. A fanfare, then the close of
// the title waltz.
class FinaleFilm : public FilmScript {
public:
    FinaleFilm(FilmCast& cast, screen_painting::Fonts& fonts);

    int FrameCount() const override;
    double FadeInSeconds() const override;
    double FadeOutSeconds() const override;
    Canvas Picture(int frame) override;
    synth::Buffer Soundtrack(const StereoMix& waltz) const override;

private:
    struct Knight {
        std::array<SpriteStrip, 2> standAndFall;
        double column = 0.0;
        double row = 0.0;
        double fallsAt = 0.0;
    };

    void PlaceWinner(double seconds);
    void PlaceKnight(const Knight& knight, double seconds);
    void PlaceRival(double seconds);
    void DrawCaption(Canvas& picture, double seconds) const;

    BoardStage stage;
    SpriteStrip winnerStanding;
    SpriteStrip winnerRaising;
    SpriteStrip rivalReeling;
    SpriteStrip stars;
    SpriteStrip flash;
    SpriteStrip queenClapping;
    std::vector<Knight> knights;
    Canvas ribbon;
    Canvas subtitle;
};
