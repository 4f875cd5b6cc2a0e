#pragma once

class FigureStripWriter;

// The queen with her crown on her seat, facing the board from above its back edge, drawn
// unscaled: "queen_chew" (frame 0 is her idle picture), "queen_complain1", "queen_complain2"
// and "queen_clap".
void ForgeQueen(FigureStripWriter& writer);
