#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/Canvas.h"
#include "film/FilmCamera.h"
#include "film/FilmCast.h"
#include "film/Resampler.h"
#include "film/SpriteStrip.h"

// The board screen as the level draws it, filmed through a camera: the backdrop with its
// smoke, water and swaying forest, the queen on her seat, and figures placed and scaled by the
// board's projection with their shadows, drawn by depth so that the obstacles' masks hide
// whoever stands behind them, the corners a little darker as through a lens. Figures are added
// for one picture; Shoot draws and forgets them.
class BoardStage {
public:
    explicit BoardStage(FilmCast& cast);

    // A figure's frame standing at a board position (column, row in 0..1), lifted off the
    // ground by lift pixels of its own size, with its shadow on the ground.
    void AddFigure(const SpriteStrip& strip, int frame, double column, double row, double lift = 0.0);
    // Stars circling over a dazed figure's head, and the flash of a blow at a position.
    void AddStars(const SpriteStrip& strip, int frame, double column, double row);
    void AddFlash(const SpriteStrip& strip, int frame, double column, double row);
    void AddQueen(const SpriteStrip& strip, int frame);

    // The film picture at seconds into the film (for the backdrop's own animations).
    Canvas Shoot(double seconds, const FilmCamera& camera);

private:
    struct Item {
        SpriteStrip strip;
        int frame = 0;
        double left = 0.0;  // board pixels of the frame's top-left corner
        double top = 0.0;
        double scale = 1.0;
        double depth = 0.0;
        double opacity = 1.0;
        double softness = resampler::kCrisp;
        bool mask = false;

        double Right() const { return left + strip.Width() * scale; }
        double Bottom() const { return top + strip.FrameHeight() * scale; }
    };

    // Bottom-centre anchored, as the level draws figures.
    void AddAnchored(const SpriteStrip& strip, int frame, double x, double y, double scale, double depth,
                     double opacity = 1.0);
    void DrawBackdrop(Canvas& film, double seconds, const FilmCamera& camera) const;
    void DrawItems(Canvas& film, const FilmCamera& camera);
    static void DrawItem(Canvas& film, const Item& item, const FilmCamera& camera);
    static bool Overlaps(const Item& a, const Item& b);
    void Vignette(Canvas& film) const;

    SpriteStrip background;
    SpriteStrip smoke;
    SpriteStrip water;
    SpriteStrip forest;
    std::vector<Item> masks;
    Canvas shadowPicture;
    // Brightness in 256ths for each film pixel.
    std::vector<uint16_t> vignette;
    std::vector<Item> items;
    Canvas plate;
    std::optional<FilmCamera> plateCamera;
};
