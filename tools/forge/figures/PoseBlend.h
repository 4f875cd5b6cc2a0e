#pragma once

#include "figures/FigurePose.h"

// Poses in between two key poses; flags switch at the half-way point.
FigurePose BlendPoses(const FigurePose& from, const FigurePose& to, float t);
