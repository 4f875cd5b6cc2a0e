#pragma once

class FigureStripWriter;

// The jester in motley with bells, in his bush: "hofnarr_appear" (frame 0 the bush alone),
// "hofnarr_joke_S", "_E", "_W" and "hofnarr_searching" (south on frames 0, 5 and 10, west on 2,
// east on 7).
void ForgeJester(FigureStripWriter& writer);
