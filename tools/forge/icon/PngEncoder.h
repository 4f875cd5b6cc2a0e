#pragma once

#include <string>

#include "core/Canvas.h"

// Writes a canvas as a PNG file (8-bit RGBA, not interlaced) for the desktop, which wants its
// icons in that format. The deflate stream uses stored blocks only: no library is needed and the
// bytes depend on the pixels alone; icons stay small enough for that.
namespace png {

std::string EncodeRgba(const Canvas& canvas);

}  // namespace png
