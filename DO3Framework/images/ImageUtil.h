#pragma once

#include <cstddef>
#include <cstdint>

#include "images/Image.h"
#include "images/ImageRect.h"
#include "util/Singleton.h"

// Clean-up and combination of pictures: the transparent colour, masks, rectangle copies,
// bounding rectangles and the run-length coding of 8-bit frames.
class ImageUtil : public Singleton<ImageUtil> {
public:
    // Magenta becomes black (transparent); near-black is lifted so it stays visible.
    bool RemapTransparentColor(Image& image);
    // Magenta palette entries become black; near-black stays (alpha maps).
    bool RemapTransparentColorAlpha(Image& image);
    // Every set bit of the 1-bit mask makes the image pixel black.
    bool ApplyMask(Image& image, const Image& mask);
    bool CopyRect(const Image& source, Image& destination, const ImageRect& sourceRect, int x, int y);
    ImageRect GetBoundingRect(const Image& image);

    // Packs every row into literal packets (control -n, n pixels) and runs (control k, one
    // pixel) of at most 127 pixels. Nothing happens to an image already encoded.
    bool RunLengthEncode(Image& image);
    // Unpacks an encoded 8-bit image into width x height values 0xAARRGGBB. Colour 0 is
    // transparent and every other colour opaque, unless an encoded alpha image of the same
    // size gives the alpha (its palette's blue). A frame larger than the output or a stream
    // that ends early stops decoding with a log line; false then.
    bool RunLengthDecode(const Image* image, const Image* alpha, uint32_t* output, size_t outputPixels);
    // The same, every colour multiplied by a tint 0x00BBGGRR (alpha unchanged).
    bool RunLengthDecodeTinted(const Image* image, const Image* alpha, uint32_t* output, size_t outputPixels,
                               uint32_t tint);

    // The colours of a run-length frame's palette (null: grey levels) as 0xAARRGGBB, as both
    // the decoder and the run-length sprites use them. On 16-bit screens every colour but black
    // is rounded to the nearest 5-bit step. Without an alpha frame the entry 0 is transparent
    // and every other entry opaque, decided before the rounding so that a near-black colour
    // is drawn on every screen.
    static void RunLengthColors(const Color* palette, int screenDepth, bool withAlphaFrame, uint32_t table[256]);

private:
    bool Decode(const Image* image, const Image* alpha, uint32_t* output, size_t outputPixels, const uint32_t* tint);
};
