#include "data/SettingsWriter.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr int kIndentStep = 4;

}  // namespace

std::string SettingsWriter::FormatFloat(float value)
{
    char buffer[64];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    return error == std::errc() ? std::string(buffer, end) : std::string("0.000000");
}

void SettingsWriter::StartObject(const std::string& name, const std::string& className, bool dynamic)
{
    indent = 0;
    text += "# ------------------------------------------------ " + name + "\n";
    text += dynamic ? "DYNAMIC OBJECT START\n" : "OBJECT START\n";
    ClassType(className);
}

void SettingsWriter::ClassType(const std::string& className)
{
    Line("class type: \"class " + className + "\"");
}

void SettingsWriter::Begin(const std::string& label, const std::string& name)
{
    Line("[" + label + "] \"" + name + "\"");
    Line("{");
    indent += kIndentStep;
}

void SettingsWriter::End()
{
    indent = std::max(0, indent - kIndentStep);
    Line("}");
    text += "\n";
}

void SettingsWriter::Float(const std::string& label, float value)
{
    Value(label, FormatFloat(value));
}

void SettingsWriter::Int(const std::string& label, int value)
{
    Value(label, std::to_string(value));
}

void SettingsWriter::Bool(const std::string& label, bool value)
{
    Value(label, value ? "1" : "0");
}

void SettingsWriter::String(const std::string& label, const std::string& value)
{
    Value(label, "\"" + value + "\"");
}

void SettingsWriter::VectorFloat(const std::string& label, float x, float y)
{
    Value(label, FormatFloat(x) + " " + FormatFloat(y));
}

void SettingsWriter::ComboBox(const std::string& label, const std::vector<std::string>& options, int index)
{
    String(label + "_string", index >= 0 && index < static_cast<int>(options.size()) ? options[index] : "");
    Int(label + "_index", index);
}

void SettingsWriter::Note(const std::string& note)
{
    Line("# " + note);
}

void SettingsWriter::Line(const std::string& line)
{
    text += std::string(static_cast<size_t>(indent), ' ') + line + "\n";
}

void SettingsWriter::Value(const std::string& label, const std::string& value)
{
    Line("\"" + label + "\" " + value);
}
