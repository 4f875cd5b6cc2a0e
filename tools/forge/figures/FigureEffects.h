#pragma once

class FigureStripWriter;
class ForgeOutput;

// The sprites every figure shares: "shadow" (with a translucent alpha strip), the circling
// "sternchen" and the "hitAnimation" flash.
void ForgeFigureEffects(ForgeOutput& output, FigureStripWriter& writer, const char* listPath, const char* directory);
