#pragma once

// Which part of the board screen a film shows: the board pixel at the picture's top-left corner
// and the film pixels per board pixel.
struct FilmCamera {
    double left = 0.0;
    double top = 0.0;
    double zoom = 1.0;

    double FilmX(double boardX) const { return (boardX - left) * zoom; }
    double FilmY(double boardY) const { return (boardY - top) * zoom; }
    bool operator==(const FilmCamera&) const = default;
};
