#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/Tokenizer.h"

// Splits the input as one settings line and reads every token with each typed read.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    Tokenizer tokens(text);
    while (tokens.Remaining() > 0) {
        Tokenizer copy = tokens;
        copy.NextInt();
        copy = tokens;
        copy.NextFloat();
        copy = tokens;
        copy.NextBool();
        tokens.NextString();
    }
    tokens.NextInt();
    tokens.Token(-1);
    tokens.Token(tokens.Count());
    tokens.Tokenize(text, "=,;");
    tokens.Skip(3);
    tokens.NextFloat();
    return 0;
}
