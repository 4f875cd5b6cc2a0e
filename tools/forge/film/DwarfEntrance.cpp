#include "film/DwarfEntrance.h"

#include <algorithm>
#include <cmath>

#include "film/FigureMotion.h"

namespace {

// The dwarfs' top speed in the game (board widths a second) and their clips' frames and rates.
constexpr double kSpeed = 0.3;
constexpr int kRunFrames = 8;
constexpr int kStopFrames = 4;
constexpr int kIdleFrames = 12;
constexpr int kCheerFrames = 8;
constexpr double kCheerFps = 12.0;
constexpr double kRunFps = 15.0;
constexpr double kStopFps = 15.0;
constexpr double kIdleFps = 6.0;
constexpr double kTurnStepSeconds = 0.09;

}  // namespace

DwarfEntrance::DwarfEntrance(FilmCast& cast, const std::string& name, const Route& path)
    : route(path),
      heading(figure_motion::Heading(path.toColumn - path.fromColumn, path.toRow - path.fromRow))
{
    for (int d = 0; d < 8; ++d) {
        run[static_cast<size_t>(d)] = cast.Figure(name, name, "run", d, kRunFrames);
        stop[static_cast<size_t>(d)] = cast.Figure(name, name, "stop", d, kStopFrames);
        idle[static_cast<size_t>(d)] = cast.Figure(name, name, "idle", d, kIdleFrames);
        cheer[static_cast<size_t>(d)] = cast.Figure(name, name, "schach", d, kCheerFrames);
    }
}

double DwarfEntrance::Distance() const
{
    return std::hypot(route.toColumn - route.fromColumn, route.toRow - route.fromRow);
}

// Running at full speed, then the stop: decelerating evenly over the stop clip.
double DwarfEntrance::RunSeconds() const
{
    const double stopSeconds = kStopFrames / kStopFps;
    return std::max(0.0, Distance() / kSpeed - stopSeconds * 0.5);
}

double DwarfEntrance::Settled() const
{
    const int turns = figure_motion::TurnSteps(heading, route.finalFacing);
    return route.start + RunSeconds() + kStopFrames / kStopFps + turns * kTurnStepSeconds;
}

DwarfEntrance::Pose DwarfEntrance::Place(double travelled) const
{
    const double share = Distance() > 0.0 ? std::clamp(travelled / Distance(), 0.0, 1.0) : 1.0;
    Pose pose;
    pose.column = route.fromColumn + (route.toColumn - route.fromColumn) * share;
    pose.row = route.fromRow + (route.toRow - route.fromRow) * share;
    pose.facing = heading;
    return pose;
}

DwarfEntrance::Pose DwarfEntrance::At(double seconds) const
{
    const double running = seconds - route.start;
    const double runSeconds = RunSeconds();
    const double stopSeconds = kStopFrames / kStopFps;
    if (running < runSeconds) {
        Pose pose = Place(std::max(0.0, running) * kSpeed);
        pose.strip = run[static_cast<size_t>(heading)];
        pose.frame = figure_motion::LoopFrame(running, kRunFps, kRunFrames);
        return pose;
    }
    const double stopping = running - runSeconds;
    if (stopping < stopSeconds) {
        const double slowed = kSpeed * (stopping - stopping * stopping / (2.0 * stopSeconds));
        Pose pose = Place(runSeconds * kSpeed + slowed);
        pose.strip = stop[static_cast<size_t>(heading)];
        pose.frame = figure_motion::HoldFrame(stopping, kStopFps, kStopFrames);
        return pose;
    }
    Pose pose = Place(Distance());
    const double standing = stopping - stopSeconds;
    pose.facing = figure_motion::Turning(heading, route.finalFacing, standing, kTurnStepSeconds);
    const double cheering = seconds - route.cheer;
    const double fidgeting = seconds - Settled() - route.idleDelay;
    if (route.cheer >= Settled() && cheering >= 0.0 && cheering < kCheerFrames / kCheerFps) {
        pose.strip = cheer[static_cast<size_t>(pose.facing)];
        pose.frame = figure_motion::HoldFrame(cheering, kCheerFps, kCheerFrames);
    } else if (fidgeting > 0.0) {
        pose.strip = idle[static_cast<size_t>(pose.facing)];
        pose.frame = figure_motion::LoopFrame(fidgeting, kIdleFps, kIdleFrames);
    } else {
        pose.strip = stop[static_cast<size_t>(pose.facing)];
        pose.frame = kStopFrames - 1;
    }
    return pose;
}
