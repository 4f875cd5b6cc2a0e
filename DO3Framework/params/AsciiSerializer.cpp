#include "params/AsciiSerializer.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

#include "app/Debug.h"
#include "files/File.h"
#include "params/Object.h"
#include "settings/Tokenizer.h"

namespace {

constexpr int kMaxLineRead = 999;
constexpr int kIndentStep = 4;

// The file layer keeps a line's newline (a CR before it is already gone in text mode).
void RemoveLineEnd(std::string& line)
{
    if (!line.empty() && line.back() == '\n') {
        line.pop_back();
    }
}

// The text between the first two double quotes; empty when there are not two.
std::string FirstQuoted(const std::string& text)
{
    size_t open = text.find('"');
    size_t close = open == std::string::npos ? open : text.find('"', open + 1);
    return close == std::string::npos ? std::string() : text.substr(open + 1, close - open - 1);
}

// "%f" whatever the process locale is.
std::string FormatFloat(float value)
{
    char text[64];
    auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    return error == std::errc() ? std::string(text, end) : std::string("0.000000");
}

}  // namespace

AsciiSerializer::AsciiSerializer(File& target, bool writeMode) : file(target), writing(writeMode)
{
    if (!writing) {
        Parse();
    }
}

std::string AsciiSerializer::ClassTypeName(const Object& object)
{
    const char* mangled = typeid(object).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     std::free);
    std::string name = status == 0 && demangled ? demangled.get() : mangled;
    // Files name classes without namespaces.
    size_t qualifier = name.rfind("::", name.find('<'));
    if (qualifier != std::string::npos) {
        name.erase(0, qualifier + 2);
    }
    return "class " + name;
}

// ---- Reading: the parse of one object block ----

void AsciiSerializer::Parse()
{
    // One spare byte: the terminator is forced there whatever the handler leaves behind.
    char buffer[kMaxLineRead + 1];
    int depth = 0;
    bool blockOpen = true;
    while (blockOpen && !file.Eof()) {
        buffer[0] = '\0';
        if (!file.ReadLine(buffer, kMaxLineRead)) {
            break;
        }
        buffer[kMaxLineRead] = '\0';
        std::string line(buffer);
        RemoveLineEnd(line);
        blockOpen = ParseLine(line, depth);
    }
    cursor = 0;
}

bool AsciiSerializer::ParseLine(const std::string& line, int& depth)
{
    size_t start = line.find_first_not_of(' ');
    if (start == std::string::npos) {
        return true;
    }
    const std::string text = line.substr(start);
    switch (text[0]) {
    case '[': {
        size_t close = text.find(']');
        std::string label = text.substr(1, close == std::string::npos ? close : close - 1);
        entries.push_back(Entry{EntryKind::SectionStart, FirstQuoted(text), label, depth});
        ++depth;
        return true;
    }
    case '}':
        if (depth == 0) {
            Debug::Instance().Warning("AsciiSerializer::Parse: closing brace outside a section ignored\n");
            return true;
        }
        entries.push_back(Entry{EntryKind::SectionEnd, std::string(), std::string(), depth});
        return --depth > 0;
    case '"': {
        size_t close = text.find('"', 1);
        if (close == std::string::npos) {
            Debug::Instance().Warning("AsciiSerializer::Parse: line <%s> ignored, its label is not closed\n",
                                      text.c_str());
            return true;
        }
        entries.push_back(Entry{EntryKind::Value, text.substr(1, close - 1), text.substr(close + 1), depth});
        return true;
    }
    default:
        return true;
    }
}

// ---- Reading: look-ups ----

int AsciiSerializer::RewindToSectionStart()
{
    cursor = std::min(cursor, static_cast<int>(entries.size()) - 1);
    const int depth = entries[cursor].depth;
    while (cursor > 0 && entries[cursor - 1].depth >= depth) {
        --cursor;
    }
    return depth;
}

bool AsciiSerializer::FindEntry(const std::string& label)
{
    const int start = cursor;
    const int count = static_cast<int>(entries.size());
    auto matches = [&](const Entry& entry) { return entry.kind == EntryKind::Value && entry.key == label; };
    if (cursor < count && matches(entries[cursor])) {
        return true;
    }
    if (count > 0) {
        const int depth = RewindToSectionStart();
        for (; cursor < count - 1 && entries[cursor].depth >= depth; ++cursor) {
            if (matches(entries[cursor])) {
                return true;
            }
        }
    }
    Debug::Instance().Warning("AsciiDialogSerializer: FindEntry <%s> not found (started search in %d)\n",
                              label.c_str(), start);
    cursor = start;
    return false;
}

bool AsciiSerializer::IsSectionStart(const Entry& entry, const std::string& label, const std::string& name) const
{
    return entry.kind == EntryKind::SectionStart && entry.value == label && entry.key == name;
}

bool AsciiSerializer::FindSection(const std::string& label, const std::string& name)
{
    const int start = cursor;
    const int count = static_cast<int>(entries.size());
    if (cursor < count) {
        const Entry& here = entries[cursor];
        if (IsSectionStart(here, label, name == kAnySectionName ? here.key : name)) {
            return true;
        }
    }
    if (count > 0) {
        const int depth = RewindToSectionStart();
        for (; cursor < count - 1 && entries[cursor].depth >= depth; ++cursor) {
            if (IsSectionStart(entries[cursor], label, name)) {
                return true;
            }
        }
    }
    Debug::Instance().Warning("AsciiDialogSerializer: FindSection <%s> not found\n", name.c_str());
    cursor = start;
    return false;
}

bool AsciiSerializer::ReadTokens(const std::string& label, Tokenizer& tokens)
{
    if (!FindEntry(label)) {
        return false;
    }
    tokens.Tokenize(entries[cursor].value);
    ++cursor;
    return true;
}

void AsciiSerializer::ReadFloatToken(const std::string& label, Tokenizer& tokens, float& value)
{
    const std::string token = tokens.NextString();
    if (!Tokenizer::ParseFloat(token, value)) {
        Debug::Instance().Warning("AsciiSerializer: <%s> value <%s> is not a number, kept\n", label.c_str(),
                                  token.c_str());
    }
}

// ---- The parameter operations ----

void AsciiSerializer::VectorFloat(const std::string& label, float& x, float& y)
{
    if (writing) {
        WriteValue(label, FormatFloat(x) + " " + FormatFloat(y));
        return;
    }
    Tokenizer tokens;
    if (ReadTokens(label, tokens)) {
        ReadFloatToken(label, tokens, x);
        ReadFloatToken(label, tokens, y);
    }
}

void AsciiSerializer::Vector(const std::string& label, int& x, int& y)
{
    if (writing) {
        WriteValue(label, std::to_string(x) + " " + std::to_string(y));
        return;
    }
    Tokenizer tokens;
    if (ReadTokens(label, tokens)) {
        x = tokens.NextInt();
        y = tokens.NextInt();
    }
}

void AsciiSerializer::String(const std::string& label, std::string& value)
{
    if (writing) {
        WriteValue(label, "\"" + value + "\"");
        return;
    }
    if (!FindEntry(label)) {
        return;
    }
    // Between the first and the last quote, so the text may hold spaces and quotes itself.
    const std::string& text = entries[cursor++].value;
    size_t open = text.find('"');
    size_t close = text.rfind('"');
    if (open == std::string::npos || close == open) {
        Debug::Instance().Warning("AsciiSerializer: <%s> value <%s> is not a quoted text, kept\n", label.c_str(),
                                  text.c_str());
        return;
    }
    value = text.substr(open + 1, close - open - 1);
}

void AsciiSerializer::Bool(const std::string& label, bool& value)
{
    if (writing) {
        WriteValue(label, value ? "1" : "0");
        return;
    }
    Tokenizer tokens;
    if (!ReadTokens(label, tokens)) {
        return;
    }
    int number = 0;
    if (Tokenizer::ParseInt(tokens.Token(0), number)) {
        value = number != 0;
    } else {
        Debug::Instance().Warning("AsciiSerializer: <%s> value <%s> is not a number, kept\n", label.c_str(),
                                  tokens.Token(0).c_str());
    }
}

void AsciiSerializer::Float(const std::string& label, float& value)
{
    if (writing) {
        WriteValue(label, FormatFloat(value));
        return;
    }
    Tokenizer tokens;
    if (ReadTokens(label, tokens)) {
        ReadFloatToken(label, tokens, value);
    }
}

void AsciiSerializer::Int(const std::string& label, int& value)
{
    if (writing) {
        WriteValue(label, std::to_string(value));
        return;
    }
    Tokenizer tokens;
    if (ReadTokens(label, tokens)) {
        value = tokens.NextInt();
    }
}

void AsciiSerializer::SubObject(const std::string& name, Object* object)
{
    if (!object) {
        Debug::Instance().Warning("AsciiSerializer::SubObject: no object for <%s>\n", name.c_str());
        return;
    }
    if (writing) {
        WriteLine("class type: \"" + ClassTypeName(*object) + "\"\n");
    }
    object->Parameters(*this, name);
}

void AsciiSerializer::BeginSection(const std::string& label, const std::string& name)
{
    if (writing) {
        WriteLine("[" + label + "] \"" + name + "\"\n");
        WriteLine("{\n");
        indent += kIndentStep;
        return;
    }
    if (FindSection(label, name)) {
        ++cursor;
    }
}

void AsciiSerializer::EndSection()
{
    if (writing) {
        indent = std::max(0, indent - kIndentStep);
        WriteLine("}\n\n");
        return;
    }
    const int start = cursor;
    const int last = static_cast<int>(entries.size()) - 1;
    while (cursor < last && entries[cursor].kind != EntryKind::SectionEnd) {
        ++cursor;
    }
    ++cursor;
    if (cursor > last) {
        cursor = start;
    }
}

void AsciiSerializer::Comment(const std::string& text)
{
    if (writing) {
        WriteLine(text.empty() ? std::string("\n") : "# " + text + "\n");
    }
}

void AsciiSerializer::Hint(const std::string&, const std::string&) {}

// ---- Writing ----

void AsciiSerializer::WriteLine(const std::string& text)
{
    const std::string line = std::string(indent, ' ') + text;
    file.Write(line.data(), static_cast<int>(line.size()));
}

void AsciiSerializer::WriteValue(const std::string& label, const std::string& value)
{
    WriteLine("\"" + label + "\" " + value + "\n");
}
