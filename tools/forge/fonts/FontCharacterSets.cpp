#include "fonts/FontCharacterSets.h"

#include <charconv>
#include <sstream>

namespace font_sets {

namespace {

bool ParseHex(std::string_view text, int& value)
{
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return error == std::errc() && end == text.data() + text.size() && value > 0 && value < 256;
}

bool AppendToken(const std::string& token, std::string& out)
{
    if (token[0] == 'x') {
        int count = 0;
        auto [end, error] = std::from_chars(token.data() + 1, token.data() + token.size(), count);
        if (error != std::errc() || end != token.data() + token.size() || count < 1 || out.empty()) {
            return false;
        }
        out.append(static_cast<size_t>(count - 1), out.back());
        return true;
    }
    size_t hyphen = token.find('-');
    int first = 0;
    int last = 0;
    if (hyphen == std::string::npos) {
        if (!ParseHex(token, first)) {
            return false;
        }
        out += static_cast<char>(first);
        return true;
    }
    std::string_view view(token);
    if (!ParseHex(view.substr(0, hyphen), first) || !ParseHex(view.substr(hyphen + 1), last) || last < first) {
        return false;
    }
    for (int code = first; code <= last; ++code) {
        out += static_cast<char>(code);
    }
    return true;
}

}  // namespace

std::string Decode(std::string_view notation)
{
    std::istringstream tokens{std::string(notation)};
    std::string token;
    std::string out;
    while (tokens >> token) {
        if (!AppendToken(token, out)) {
            return std::string();
        }
    }
    return out;
}

const std::string& Text()
{
    static const std::string set = Decode(
        "21-29 2B 2A 2C-7E A1 7D x12 B0 7D x18 C4 C5 7D x3 C9 7D x4 CE 7D x7 D6 7D x5 DC 7D x2 DF-E2 7D E4 E5 7D "
        "E7-EB 7D ED-EF 7D F1 7D F3 F4 7D F6 7D x2 F9-FC 7D x2 FF 69 4C 6C 7D 9C 7D x5 3F 7D 3F 7D x13");
    return set;
}

const std::string& Digits()
{
    static const std::string set = Decode("30-3A 22 27 2E 2D");
    return set;
}

bool IsRepeat(const std::string& set, size_t cell)
{
    return cell < set.size() && set.find(set[cell]) < cell;
}

}  // namespace font_sets
