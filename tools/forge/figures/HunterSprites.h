#pragma once

class FigureStripWriter;
class ForgeOutput;

// The hunter in green with hat and musket, authored at three times his size on the board:
// coming in, turning, raising the gun, the eleven-way aiming sweep, walking out, the twelve
// shots; his "bullet"; and the two door pictures ("jaeger_tuer1" the open doorway,
// "jaeger_tuer2" the swung-open door leaf, drawn together at (515, 190)).
void ForgeHunter(ForgeOutput& output, FigureStripWriter& writer, const char* listPath, const char* directory);
