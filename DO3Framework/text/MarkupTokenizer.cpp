#include "text/MarkupTokenizer.h"

#include <string>

namespace {

class TokenCollector {
public:
    void Push(char c) { word.push_back(c); }

    void EmitWord()
    {
        Emit(word, MarkupToken::kWord);
        word.clear();
    }

    void Emit(const std::string& text, int32_t kind)
    {
        if (text.empty()) {
            return;
        }
        MarkupToken token;
        token.text = text;
        token.kind = kind;
        tokens.push_back(std::move(token));
    }

    std::vector<MarkupToken> tokens;

private:
    std::string word;
};

// The character an entity at text[i] stands for and its length, or 0 when it is none.
size_t MatchEntity(std::string_view text, size_t i, char& replacement)
{
    if (text.substr(i, 4) == "&lt;") {
        replacement = '<';
        return 4;
    }
    if (text.substr(i, 4) == "&gt;") {
        replacement = '>';
        return 4;
    }
    return 0;
}

}  // namespace

std::vector<MarkupToken> MarkupTokenizer::Tokenize(std::string_view text)
{
    TokenCollector collector;
    std::string tag;
    bool insideTag = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (insideTag) {
            if (c == '>') {
                collector.Emit(tag, MarkupToken::kTag);
                insideTag = false;
            } else {
                tag.push_back(c);
            }
        } else if (c == '<') {
            collector.EmitWord();
            tag.clear();
            insideTag = true;
        } else if (c == ' ') {
            collector.EmitWord();
            collector.Emit(" ", MarkupToken::kSpace);
        } else if (c == '&') {
            char replacement = 0;
            size_t length = MatchEntity(text, i, replacement);
            if (length > 0) {
                collector.Push(replacement);
                i += length - 1;
            }
        } else {
            collector.Push(c);
        }
    }
    collector.EmitWord();
    return std::move(collector.tokens);
}
