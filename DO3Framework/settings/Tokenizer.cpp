#include "settings/Tokenizer.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>

namespace {

// The characters a "%d" or "%f" conversion skips before the number.
bool IsScanSpace(char c)
{
    return c != '\0' && std::strchr(" \t\n\v\f\r", c) != nullptr;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

size_t SkipScanSpace(const std::string& text)
{
    size_t position = 0;
    while (position < text.size() && IsScanSpace(text[position])) {
        ++position;
    }
    return position;
}

const std::string& EmptyToken()
{
    static const std::string empty;
    return empty;
}

}  // namespace

Tokenizer::Tokenizer(const std::string& text, const char* delimiters)
{
    Tokenize(text, delimiters);
}

void Tokenizer::Tokenize(const std::string& text, const char* delimiters)
{
    tokens.clear();
    cursor = 0;
    size_t start = text.find_first_not_of(delimiters);
    while (start != std::string::npos) {
        size_t end = text.find_first_of(delimiters, start);
        tokens.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        start = end == std::string::npos ? end : text.find_first_not_of(delimiters, end);
    }
}

void Tokenizer::Skip(int count)
{
    cursor = static_cast<int>(std::clamp<long long>(static_cast<long long>(cursor) + count, 0, Count()));
}

const std::string* Tokenizer::NextToken()
{
    if (Remaining() <= 0) {
        return nullptr;
    }
    return &tokens[cursor++];
}

std::string Tokenizer::NextString()
{
    const std::string* token = NextToken();
    return token ? *token : std::string();
}

int Tokenizer::NextInt()
{
    int value = -1;
    const std::string* token = NextToken();
    if (!token || !ParseInt(*token, value)) {
        return -1;
    }
    return value;
}

float Tokenizer::NextFloat()
{
    float value = 0.0f;
    const std::string* token = NextToken();
    if (!token || !ParseFloat(*token, value)) {
        return 0.0f;
    }
    return value;
}

bool Tokenizer::NextBool()
{
    int value = 0;
    const std::string* token = NextToken();
    return token && ParseInt(*token, value) && value != 0;
}

const std::string& Tokenizer::Token(int index) const
{
    if (index < 0 || index >= Count()) {
        return EmptyToken();
    }
    return tokens[index];
}

bool Tokenizer::ParseInt(const std::string& text, int& value)
{
    size_t position = SkipScanSpace(text);
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    if (position >= text.size() || !IsDigit(text[position])) {
        return false;
    }
    // Saturate instead of overflowing on absurdly long digit runs.
    constexpr long long kMagnitudeLimit = static_cast<long long>(INT_MAX) + 1;
    long long magnitude = 0;
    for (; position < text.size() && IsDigit(text[position]); ++position) {
        magnitude = std::min(magnitude * 10 + (text[position] - '0'), kMagnitudeLimit);
    }
    long long result = negative ? -magnitude : magnitude;
    value = static_cast<int>(std::min<long long>(result, INT_MAX));
    return true;
}

bool Tokenizer::ParseFloat(const std::string& text, float& value)
{
    size_t position = SkipScanSpace(text);
    // from_chars takes a minus sign but no plus sign.
    if (position < text.size() && text[position] == '+') {
        ++position;
        if (position < text.size() && text[position] == '-') {
            return false;
        }
    }
    const char* first = text.data() + position;
    const char* last = text.data() + text.size();
    float parsed = 0.0f;
    auto [end, error] = std::from_chars(first, last, parsed, std::chars_format::general);
    if (error != std::errc() || end == first) {
        return false;
    }
    value = parsed;
    return true;
}
