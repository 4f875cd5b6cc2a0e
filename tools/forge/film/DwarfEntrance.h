#pragma once

#include <array>
#include <string>

#include "film/FilmCast.h"
#include "film/SpriteStrip.h"

// A dwarf running onto the board: from a place off the picture to his spot at the game's running
// speed, slowing down over his stop, turning to face where he is told, then fidgeting, with one
// call of triumph when his turn comes.
class DwarfEntrance {
public:
    struct Route {
        double fromColumn, fromRow;
        double toColumn, toRow;
        double start;        // seconds into the film
        int finalFacing;     // direction once he stands
        double idleDelay;    // seconds standing still before fidgeting
        double cheer;        // seconds into the film when he calls out once (before he stands: never)
    };
    struct Pose {
        SpriteStrip strip;
        int frame = 0;
        double column = 0.0;
        double row = 0.0;
        int facing = 0;
    };

    DwarfEntrance(FilmCast& cast, const std::string& name, const Route& route);

    Pose At(double seconds) const;

private:
    // Seconds into the film when he stands still, turned.
    double Settled() const;
    double Distance() const;
    double RunSeconds() const;
    Pose Place(double travelled) const;

    Route route;
    int heading;
    std::array<SpriteStrip, 8> run;
    std::array<SpriteStrip, 8> stop;
    std::array<SpriteStrip, 8> idle;
    std::array<SpriteStrip, 8> cheer;
};
