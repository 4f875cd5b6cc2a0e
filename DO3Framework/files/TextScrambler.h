#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Text files travel scrambled (in the archive and the highscore file): a byte-wise keystream
// XORed over the bytes with each pair of neighbouring bits exchanged. Each call starts the
// keystream afresh, so a file is always scrambled or unscrambled whole.
class TextScrambler {
public:
    static void Scramble(char* bytes, size_t count);
    static void Unscramble(char* bytes, size_t count);
    // Names ending in "txt" (any letter case) are the scrambled ones.
    static bool AppliesTo(const std::string& name);

private:
    static uint8_t SwapBitPairs(uint8_t value);
    static uint16_t NextKey(uint16_t key);

    static constexpr uint16_t kFirstKey = 0x6B27;
};
