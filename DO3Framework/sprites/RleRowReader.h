#pragma once

#include <cstddef>
#include <cstdint>

class Image;

// Walks the packets of a run-length coded 8-bit picture one row at a time: a control byte
// k > 0 repeats the next index k times, k < 0 copies -k indices. A packet reaching past the
// row's end is cut there. Nothing is ever read past the stream or written past a row.
class RleRowReader {
public:
    explicit RleRowReader(const Image& image);

    // Unpacks the next row's indices into row (the picture's width of bytes); false when the
    // stream ends early or holds a control byte of 0.
    bool ReadRow(uint8_t* row) { return Walk<true>(row); }
    bool SkipRow() { return Walk<false>(nullptr); }

private:
    template <bool unpack>
    bool Walk(uint8_t* row);

    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t position = 0;
    int width = 0;
};
