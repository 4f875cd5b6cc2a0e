#pragma once

#include <string>
#include <vector>

// Splits a line at runs of delimiter characters (no quoting, no escapes) and hands out the
// tokens in order with typed reads. Reads past the last token yield empty values and leave
// the cursor at the end.
class Tokenizer {
public:
    static constexpr const char* kBlanks = " \t";

    Tokenizer() = default;
    explicit Tokenizer(const std::string& text, const char* delimiters = kBlanks);

    // Replaces the tokens with those of text and puts the cursor on the first.
    void Tokenize(const std::string& text, const char* delimiters = kBlanks);

    int Count() const { return static_cast<int>(tokens.size()); }
    int Remaining() const { return Count() - cursor; }
    void Skip(int count = 1);

    // The token at the cursor as written; empty past the end.
    std::string NextString();
    // "%d": an optional sign and the leading digits ("800px" is 800); -1 when the token does
    // not start with a number or there is none.
    int NextInt();
    // "%f" in the "C" locale whatever the process locale is; 0.0 when not a number.
    float NextFloat();
    // "%d" not equal to 0; false when not a number.
    bool NextBool();
    // The i-th token; empty when i is out of range.
    const std::string& Token(int index) const;

    // The scanning rules of the typed reads; false (value untouched) when text does not start
    // with a number.
    static bool ParseInt(const std::string& text, int& value);
    static bool ParseFloat(const std::string& text, float& value);

private:
    const std::string* NextToken();

    std::vector<std::string> tokens;
    int cursor = 0;
};
