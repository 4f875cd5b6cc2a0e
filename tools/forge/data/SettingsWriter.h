#pragma once

#include <string>
#include <vector>

// Writes the settings file of the game objects line for line as the game's own saving does:
// a comment with the name, the start keyword, then "class type" and sections indented by
// four spaces per level, one "label" value per line, six decimals for floats.
class SettingsWriter {
public:
    // "# ---- name", then "OBJECT START" (made by the program) or "DYNAMIC OBJECT START"
    // (made by the file), then the class type line; Begin must follow with the section.
    void StartObject(const std::string& name, const std::string& className, bool dynamic);
    // A nested object: its class type line at the current depth.
    void ClassType(const std::string& className);
    void Begin(const std::string& label, const std::string& name);
    void End();

    void Float(const std::string& label, float value);
    void Int(const std::string& label, int value);
    void Bool(const std::string& label, bool value);
    void String(const std::string& label, const std::string& value);
    void VectorFloat(const std::string& label, float x, float y);
    // Two entries: label + "_string" with the option, label + "_index" with its position.
    void ComboBox(const std::string& label, const std::vector<std::string>& options, int index);
    // A "#" line at the current depth; the reader skips it.
    void Note(const std::string& text);

    const std::string& Text() const { return text; }

    static std::string FormatFloat(float value);

private:
    void Line(const std::string& line);
    void Value(const std::string& label, const std::string& value);

    std::string text;
    int indent = 0;
};
