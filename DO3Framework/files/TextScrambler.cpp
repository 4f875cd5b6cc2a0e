#include "files/TextScrambler.h"

void TextScrambler::Scramble(char* bytes, size_t count)
{
    uint16_t key = kFirstKey;
    for (size_t i = 0; i < count; ++i) {
        uint8_t plain = static_cast<uint8_t>(bytes[i]);
        bytes[i] = static_cast<char>(SwapBitPairs(plain) ^ (key & 0xFF));
        key = NextKey(key);
    }
}

void TextScrambler::Unscramble(char* bytes, size_t count)
{
    uint16_t key = kFirstKey;
    for (size_t i = 0; i < count; ++i) {
        uint8_t scrambled = static_cast<uint8_t>(bytes[i]);
        bytes[i] = static_cast<char>(SwapBitPairs(static_cast<uint8_t>(scrambled ^ (key & 0xFF))));
        key = NextKey(key);
    }
}

bool TextScrambler::AppliesTo(const std::string& name)
{
    if (name.size() < 3) {
        return false;
    }
    std::string ending = name.substr(name.size() - 3);
    for (char& c : ending) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return ending == "txt";
}

uint8_t TextScrambler::SwapBitPairs(uint8_t value)
{
    return static_cast<uint8_t>(((value & 0x55) << 1) | ((value & 0xAA) >> 1));
}

uint16_t TextScrambler::NextKey(uint16_t key)
{
    return static_cast<uint16_t>(3u * key + 2u);
}
