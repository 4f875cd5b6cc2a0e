#include "text/MarkupTokenizer.h"

namespace {

constexpr std::string_view kBlanks = " \t";

// Fills tokens front to back without giving up the storage of the strings it overwrites.
class TokenWriter {
public:
    explicit TokenWriter(std::vector<MarkupToken>& target) : tokens(target) {}

    std::string& Pending() { return Slot().text; }

    // Emits the pending text as a token of the kind, unless it is empty.
    void Emit(int32_t kind)
    {
        MarkupToken& token = Slot();
        if (token.text.empty()) {
            return;
        }
        token.kind = kind;
        ++count;
    }

    void EmitSpace()
    {
        Slot().text.assign(1, ' ');
        Emit(MarkupToken::kSpace);
    }

    size_t Count() const { return count; }

private:
    // The token being collected: the first unused one, emptied on first use.
    MarkupToken& Slot()
    {
        if (count == tokens.size()) {
            tokens.emplace_back();
        }
        MarkupToken& token = tokens[count];
        if (startedAt != count) {
            token.text.clear();
            token.x = token.y = token.width = token.height = token.line = 0;
            token.font = nullptr;
            startedAt = count;
        }
        return token;
    }

    std::vector<MarkupToken>& tokens;
    size_t count = 0;
    size_t startedAt = static_cast<size_t>(-1);
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

std::string_view NextWord(std::string_view text, size_t& position)
{
    size_t begin = text.find_first_not_of(kBlanks, position);
    if (begin == std::string_view::npos) {
        position = text.size();
        return {};
    }
    size_t end = text.find_first_of(kBlanks, begin);
    position = end == std::string_view::npos ? text.size() : end;
    return text.substr(begin, position - begin);
}

}  // namespace

size_t MarkupTokenizer::Tokenize(std::string_view text, std::vector<MarkupToken>& tokens)
{
    TokenWriter writer(tokens);
    bool insideTag = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (insideTag) {
            if (c == '>') {
                writer.Emit(MarkupToken::kTag);
                insideTag = false;
            } else {
                writer.Pending().push_back(c);
            }
        } else if (c == '<') {
            writer.Emit(MarkupToken::kWord);
            writer.Pending().clear();
            insideTag = true;
        } else if (c == ' ') {
            writer.Emit(MarkupToken::kWord);
            writer.EmitSpace();
        } else if (c == '&') {
            char replacement = 0;
            size_t length = MatchEntity(text, i, replacement);
            if (length > 0) {
                writer.Pending().push_back(replacement);
                i += length - 1;
            }
        } else {
            writer.Pending().push_back(c);
        }
    }
    if (!insideTag) {
        writer.Emit(MarkupToken::kWord);
    }
    return writer.Count();
}

void MarkupTokenizer::SplitTag(std::string_view tag, std::string_view& name, std::string_view& argument)
{
    size_t position = 0;
    name = NextWord(tag, position);
    argument = NextWord(tag, position);
}
