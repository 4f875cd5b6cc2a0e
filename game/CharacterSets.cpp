#include "game/CharacterSets.h"

namespace {

std::string Unused(size_t cells)
{
    return std::string(cells, '}');
}

std::string BuildText()
{
    // Printable ASCII with "+" drawn before "*", then the accented letters at their cells.
    return std::string("!\"#$%&'()+*,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`"
                       "abcdefghijklmnopqrstuvwxyz{|}~") +
           "\xA1" + Unused(12) + "\xB0" + Unused(18) + "\xC4\xC5" + Unused(3) + "\xC9" + Unused(4) + "\xCE" +
           Unused(7) + "\xD6" + Unused(5) + "\xDC" + Unused(2) + "\xDF\xE0\xE1\xE2" + Unused(1) + "\xE4\xE5" +
           Unused(1) + "\xE7\xE8\xE9\xEA\xEB" + Unused(1) + "\xED\xEE\xEF" + Unused(1) + "\xF1" + Unused(1) +
           "\xF3\xF4" + Unused(1) + "\xF6" + Unused(2) + "\xF9\xFA\xFB\xFC" + Unused(2) + "\xFF" + "iLl" +
           Unused(1) + "\x9C" + Unused(5) + "?" + Unused(1) + "?" + Unused(13);
}

}  // namespace

const std::string& CharacterSets::Text()
{
    static const std::string set = BuildText();
    return set;
}

const std::string& CharacterSets::Digits()
{
    static const std::string set = "0123456789:\"'.-";
    return set;
}
