#pragma once

#include <string>

#include "core/Canvas.h"
#include "paint/TextPainter.h"

// The look shared by the menu screens: parchment panels, a wooden button bar, the title
// lettering and the text styles.
namespace screen_painting {

// The DejaVu faces the screens letter with.
struct Fonts {
    TextPainter serifBold{TextPainter::FontPath("DejaVuSerif-Bold.ttf")};
    TextPainter sans{TextPainter::FontPath("DejaVuSans.ttf")};
    TextPainter sansBold{TextPainter::FontPath("DejaVuSans-Bold.ttf")};
};

// Gold lettering with a dark brown outline and a soft shadow.
TextPainter::Style TitleStyle(int pixelSize);
// Dark red-brown headings and dark brown body text for parchment.
TextPainter::Style HeadingStyle(int pixelSize);
TextPainter::Style BodyStyle(int pixelSize);
// Cream captions for wooden buttons.
TextPainter::Style CaptionStyle(int pixelSize);

// The board scene under a warm, light veil (strength 0..1), as the screens' backdrop.
Canvas VeiledScene(const Canvas& scene, double strength);
void PaintParchment(Canvas& canvas, double left, double top, double right, double bottom, unsigned seed);
// Dark wooden planks from y = top to the bottom edge, for the button row.
void PaintWoodBar(Canvas& canvas, int top);
// Gold title with a ribbon behind it, centred at x.
void PaintTitleRibbon(Canvas& canvas, Fonts& fonts, int centreX, int top, const char* title, int pixelSize);

// Word-wrapped text from (x, y) within width; returns the y below the last line.
int DrawWrapped(Canvas& canvas, TextPainter& painter, int x, int y, int width, const std::string& text,
                const TextPainter::Style& style, int lineHeight);

}  // namespace screen_painting
