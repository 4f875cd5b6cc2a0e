#pragma once

#include <string>
#include <vector>

#include "params/Serializer.h"

class File;
class Tokenizer;

// Parameters as text: sections "[label] "name"" in braces, one "label" value per line,
// nested objects introduced by a "class type" line. A reading serialiser parses one object
// block from the file's current position at construction and leaves the file after it;
// parameters may then be asked for in any order, and a missing one leaves its variable alone.
class AsciiSerializer : public Serializer {
public:
    // The file is borrowed and must stay open while the serialiser lives.
    AsciiSerializer(File& file, bool writing);

    bool IsWriting() const override { return writing; }

    void VectorFloat(const std::string& label, float& x, float& y) override;
    void Vector(const std::string& label, int& x, int& y) override;
    void String(const std::string& label, std::string& value) override;
    void Bool(const std::string& label, bool& value) override;
    void Float(const std::string& label, float& value) override;
    void Int(const std::string& label, int& value) override;

    void SubObject(const std::string& name, Object* object) override;
    void BeginSection(const std::string& label, const std::string& name) override;
    void EndSection() override;
    void Comment(const std::string& text) override;
    void Hint(const std::string& key, const std::string& value) override;

    // The run-time class name as the settings file names it: "class DwarfModel".
    static std::string ClassTypeName(const Object& object);

private:
    enum class EntryKind { Value, SectionStart, SectionEnd };

    struct Entry {
        EntryKind kind = EntryKind::Value;
        std::string key;
        std::string value;
        int depth = 0;
    };

    static constexpr const char* kAnySectionName = "***BADHACK***";

    void Parse();
    bool ParseLine(const std::string& line, int& depth);

    bool FindEntry(const std::string& label);
    bool FindSection(const std::string& label, const std::string& name);
    // Moves the cursor back to the first entry of its section; returns the section's depth.
    int RewindToSectionStart();
    bool IsSectionStart(const Entry& entry, const std::string& label, const std::string& name) const;

    // Finds label and splits its value into tokens; the cursor then stands behind the entry.
    bool ReadTokens(const std::string& label, Tokenizer& tokens);
    void ReadFloatToken(const std::string& label, Tokenizer& tokens, float& value);

    void WriteLine(const std::string& text);
    void WriteValue(const std::string& label, const std::string& value);

    File& file;
    const bool writing;
    int indent = 0;
    std::vector<Entry> entries;
    int cursor = 0;
};
