#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <unordered_map>
#include <vector>

#include "util/Singleton.h"

class Image;

// Run-length frames unpacked whole, kept within a byte budget and dropped least recently used
// first. A figure drawn every frame is then unpacked once, not once per draw. Keys are handed
// out once and never reused, so a frame that died can never be mistaken for a new one.
class DecodedFrameCache : public Singleton<DecodedFrameCache> {
public:
    static constexpr size_t kBudgetBytes = size_t{8} << 20;

    static uint64_t NewKey();

    // The frame's colour indices (width x height), followed by its alpha values when it has an
    // alpha frame; unpacked on a miss. Null when the frame would take more than an eighth of
    // the budget or its stream ends early: the caller then unpacks rows itself.
    const uint8_t* Find(uint64_t key, const Image& frame, const Image* alpha);
    void Forget(uint64_t key);
    size_t HeldBytes() const { return held; }

private:
    struct Entry {
        std::vector<uint8_t> pixels;
        std::list<uint64_t>::iterator use;
    };

    static bool Unpack(const Image& frame, const Image* alpha, std::vector<uint8_t>& pixels);
    void MakeRoom(size_t bytes);

    std::unordered_map<uint64_t, Entry> entries;
    std::list<uint64_t> uses;  // most recently used first
    size_t held = 0;
};
