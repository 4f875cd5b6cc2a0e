#pragma once

#include "core/Canvas.h"

// The obstacles standing on their blocked cells. Each paints its soft shadow onto the ground
// canvas and itself onto its own layer, so that a mask can later be cut where the layer covers.
namespace board {

void PaintHouseGarden(Canvas& ground, Canvas& layer);
void PaintHayBales(Canvas& ground, Canvas& layer);
void PaintWoodPile(Canvas& ground, Canvas& layer);
void PaintWell(Canvas& ground, Canvas& layer);
// The side along column 30 goes onto the ground canvas (nothing stands behind it); only the
// cross part, which figures can stand behind, goes onto the layer its mask is cut from.
void PaintFence(Canvas& ground, Canvas& layer);
void PaintTable(Canvas& ground, Canvas& layer);
void PaintVegetableBed(Canvas& ground, Canvas& layer);
void PaintFlowerBed(Canvas& ground, Canvas& layer);
void PaintFallenTree(Canvas& ground, Canvas& layer);
void PaintBarrels(Canvas& ground, Canvas& layer);
// Front shrubs 0..2 around their mask positions.
void PaintFrontShrub(int index, Canvas& layer);
// Small flowers and tufts on the grass outside the courtyard.
void PaintMeadowDetails(Canvas& ground);
// A hand cart on the meadow left of the board, clear of every cell.
void PaintCart(Canvas& ground);

}  // namespace board
