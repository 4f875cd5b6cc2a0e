#pragma once

#include "images/ImageRect.h"
#include "sprites/DrawInfo.h"

// Clipping of sprite blits against the 1024 x 768 logical frame. Rectangles are inclusive.
namespace sprite_clipping {

inline constexpr int kFrameRight = 1023;
inline constexpr int kFrameBottom = 767;

// The draw's source rectangle over a stored picture of width x height.
ImageRect SourceRect(const DrawInfo& info, int width, int height);

// The draw's position moved by its anchor (DI_CENTER, DI_BOTTOM_CENTER) over the full size.
void AnchoredPosition(const DrawInfo& info, int fullWidth, int fullHeight, int& x, int& y);

// Cuts a source rectangle reaching outside the stored picture, moving the position with its
// leading edges, so that no draw reads past the picture. False when nothing remains.
bool LimitToPicture(int& x, int& y, ImageRect& source, int width, int height);

// An unscaled blit at (x, y): a position before an edge moves the source's leading edge, a
// source reaching past the last column or row is shortened. True while a column and a row
// remain (the rectangle is inclusive: a single column is left == right).
bool ClipUnscaled(int& x, int& y, ImageRect& source);

// A scaled blit: the destination is clipped to the frame and the source edges move by the
// clipped amount times (source size + 1) / (destination size + 1), truncated. True when the
// destination is not empty and the source stays non-empty and non-negative.
bool ClipScaled(ImageRect& destination, ImageRect& source);

}  // namespace sprite_clipping
