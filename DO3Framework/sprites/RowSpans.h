#pragma once

#include <vector>

// Runs of marked pixels in each row of a picture, so that drawing touches only the pixels that
// change the screen and never tests the others one by one.
class RowSpans {
public:
    // Pixels begin .. end - 1 of a row.
    struct Span {
        int begin = 0;
        int end = 0;
    };

    // marked(x, y) tells whether a pixel belongs to a span.
    template <class Marked>
    void Build(int width, int height, Marked marked)
    {
        spans.clear();
        rowStart.assign(1, 0);
        for (int y = 0; y < height; ++y) {
            int x = 0;
            while (x < width) {
                while (x < width && !marked(x, y)) {
                    ++x;
                }
                int begin = x;
                while (x < width && marked(x, y)) {
                    ++x;
                }
                if (x > begin) {
                    spans.push_back({begin, x});
                }
            }
            rowStart.push_back(static_cast<int>(spans.size()));
        }
    }

    int Rows() const { return static_cast<int>(rowStart.size()) - 1; }
    const Span* RowBegin(int y) const { return spans.data() + rowStart[y]; }
    const Span* RowEnd(int y) const { return spans.data() + rowStart[y + 1]; }

private:
    std::vector<Span> spans;
    // Spans of row y are spans[rowStart[y] .. rowStart[y + 1]).
    std::vector<int> rowStart{0};
};
