#include "screens/HelpScreen.h"

#include <string>
#include <vector>

#include "items/ItemPictures.h"
#include "paint/Colour.h"
#include "paint/HalfSize.h"
#include "screens/DwarfPainter.h"

namespace {

using screen_painting::BodyStyle;
using screen_painting::DrawWrapped;
using screen_painting::HeadingStyle;

constexpr int kBodySize = 16;
constexpr int kLine = 20;
constexpr int kHeadingSize = 22;
constexpr int kLeftX = 60;
constexpr int kRightX = 540;
constexpr int kColumnWidth = 430;

struct Entry {
    const char* key;
    const char* text;
};

// Key in bold, then its explanation wrapped beside it.
int KeyEntry(Canvas& canvas, screen_painting::Fonts& fonts, int x, int y, const Entry& entry)
{
    TextPainter::Style key = BodyStyle(kBodySize);
    key.top = key.bottom = paint::Rgb(120, 40, 24);
    fonts.sansBold.Draw(canvas, x, y, entry.key, key);
    int indent = 142;
    return DrawWrapped(canvas, fonts.sans, x + indent, y, kColumnWidth - indent, entry.text, BodyStyle(kBodySize),
                       kLine) +
           4;
}

// The lower middle square of a picture, where an item stands.
Canvas BottomSquare(const Canvas& picture, int size)
{
    Canvas square(size, size);
    square.Paste(picture, (size - picture.Width()) / 2, size - picture.Height());
    return square;
}

int Heading(Canvas& canvas, screen_painting::Fonts& fonts, int x, int y, const char* text)
{
    fonts.serifBold.Draw(canvas, x, y, text, HeadingStyle(kHeadingSize));
    for (int i = 0; i < kColumnWidth; ++i) {
        canvas.Blend(x + i, y + kHeadingSize + 8, paint::Rgb(150, 70, 40, 160));
    }
    return y + kHeadingSize + 16;
}

int Controls(Canvas& canvas, screen_painting::Fonts& fonts, int y)
{
    y = Heading(canvas, fonts, kLeftX, y, "Steuerung");
    const Entry entries[] = {
        {"Pfeiltasten", "laufen; zwei Tasten zugleich laufen schr\xE4g."},
        {"Leertaste/Strg", "halten hebt das Brett, loslassen schl\xE4gt zu! Je l\xE4nger du h\xE4ltst, desto "
                           "kr\xE4"
                           "ftiger der Schlag. Doch h\xE4ltst du zu lange, sinkt das Brett ohne Schlag."},
        {"S", "\x84Schach!\x93 rufen, wenn du taumelst: so f\xE4llst du nicht um."},
        {"P", "Pause und weiter."},
        {"M", "Musik aus und wieder an."},
        {"Esc", "aufh\xF6ren (mit R\xFC"
                "ckfrage); im Men\xFC: zur\xFC"
                "ck."},
        {"Alt+Enter/F11", "Vollbild und zur\xFC"
                          "ck ins Fenster."},
        {"Gamepad", "Steuerkreuz oder linker Stick laufen; A wie Leertaste, X oder B wie S, Start wie P, "
                    "Back wie Esc."},
    };
    for (const Entry& entry : entries) {
        y = KeyEntry(canvas, fonts, kLeftX, y, entry);
    }
    return y;
}

int Goal(Canvas& canvas, screen_painting::Fonts& fonts, int y)
{
    y = Heading(canvas, fonts, kLeftX, y, "Ziel");
    return DrawWrapped(canvas, fonts.sans, kLeftX, y, kColumnWidth,
                       "Am Ende jeder Runde brauchst du mindestens so viele Rundenpunkte wie jeder andere Zwerg. "
                       "Mit jeder neuen Runde kommt ein Ritter dazu. Deine Gesamtpunkte kommen in die Bestenliste.",
                       BodyStyle(kBodySize), kLine);
}

int Scoring(Canvas& canvas, screen_painting::Fonts& fonts, int y)
{
    y = Heading(canvas, fonts, kRightX, y, "Punkte");
    const char* lines[] = {
        "Treffer auf einen Zwerg: +1 Rundenpunkt. Ritter umgehauen: +1.",
        "Haust du einen Zwerg um, gehen seine Punkte f\xFCr den Fall an dich; f\xFCr einen Ritter bekommst du seine "
        "Punkte.",
        "Ritter brauchen zwei Treffer, oder einen mit dem Holzbrett.",
        "Ein Schuss oder eine Bombe kostet 25 Punkte.",
    };
    for (const char* line : lines) {
        y = DrawWrapped(canvas, fonts.sans, kRightX, y, kColumnWidth, std::string("\x95 ") + line, BodyStyle(kBodySize),
                        kLine) +
            3;
    }
    return y;
}

int Items(Canvas& canvas, screen_painting::Fonts& fonts, int y)
{
    y = Heading(canvas, fonts, kRightX, y, "Gegenst\xE4nde");
    struct ItemEntry {
        Canvas picture;
        const char* text;
    };
    using namespace item_pictures;
    const ItemEntry entries[] = {
        {WoodenBoard(), "Holzbrett: n\xE4"
                        "chster Schlag haut um"},
        {CoinPile(), "M\xFCnzen: Punkte"},
        {WingedBoot(), "Stiefel: schneller"},
        {Snail(), "Schnecke: langsamer"},
        {Skate(), "Schlittschuh: rutschen"},
        {DizzyPotion(), "Trank: Schwindel"},
        {Nightcap(), "M\xFCtze: Schlaf"},
        {BombFrame(0), "Bombe der Ritter: trifft Zwerge in der N\xE4he"},
    };
    const int cellWidth = kColumnWidth / 2;
    const int cellHeight = 54;
    for (size_t i = 0; i < std::size(entries); ++i) {
        int x = kRightX + static_cast<int>(i % 2) * cellWidth;
        int top = y + static_cast<int>(i / 2) * cellHeight;
        Canvas icon = HalfSize(BottomSquare(entries[i].picture, kItemSize));
        canvas.Paste(icon, x + 24 - icon.Width() / 2, top + 46 - icon.Height());
        DrawWrapped(canvas, fonts.sans, x + 54, top + 4, cellWidth - 60, entries[i].text, BodyStyle(15), 18);
    }
    return y + 4 * cellHeight + 6;
}

int Jester(Canvas& canvas, screen_painting::Fonts& fonts, int y)
{
    y = Heading(canvas, fonts, kRightX, y, "Der Narr");
    return DrawWrapped(canvas, fonts.sans, kRightX, y, kColumnWidth,
                       "Sein Witz schl\xE4"
                       "fert alle Zwerge ein, die zuh\xF6ren. Schlafende Zwerge fallen "
                       "beim ersten Treffer um.",
                       BodyStyle(kBodySize), kLine);
}

}  // namespace

Canvas PaintHelpScreen(screen_painting::Fonts& fonts)
{
    Canvas canvas(1024, 768, paint::Rgb(92, 60, 34));
    screen_painting::PaintWoodBar(canvas, 0);
    screen_painting::PaintParchment(canvas, 24, 16, 1000, 668, 12);
    fonts.serifBold.DrawCentred(canvas, 512, 26, "So wird gespielt", screen_painting::TitleStyle(44));
    const int left = Controls(canvas, fonts, 88);
    Goal(canvas, fonts, left + 10);
    int right = Scoring(canvas, fonts, 88);
    right = Items(canvas, fonts, right + 10);
    Jester(canvas, fonts, right + 10);
    dwarf_painter::PaintDwarf(canvas, 120, 764, 0.44, dwarf_painter::Pose::kCheering);
    return canvas;
}
