#pragma once

#include <vector>

#include "film/BoardStage.h"
#include "film/DwarfEntrance.h"
#include "film/FilmScript.h"
#include "screens/ScreenPainting.h"

// The opening: the empty courtyard under the queen's eye; the dwarfs run onto the board from its
// edges, fenno comes up from the front, raises his board and hops, the title drops in on the sky
// and the others call out in turn. The first bars of the title waltz play under it.
class OpeningFilm : public FilmScript {
public:
    OpeningFilm(FilmCast& cast, screen_painting::Fonts& fonts);

    int FrameCount() const override;
    double FadeInSeconds() const override;
    double FadeOutSeconds() const override;
    Canvas Picture(int frame) override;
    synth::Buffer Soundtrack(const StereoMix& waltz) const override;

private:
    void PlaceQueen(double seconds);
    void PlaceHero(double seconds);
    void DrawTitle(Canvas& picture, double seconds) const;

    BoardStage stage;
    std::vector<DwarfEntrance> dwarfs;
    DwarfEntrance hero;
    SpriteStrip raise;
    SpriteStrip queenChewing;
    SpriteStrip queenClapping;
    Canvas title;
};
