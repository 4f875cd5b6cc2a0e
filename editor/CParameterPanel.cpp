#include "editor/CParameterPanel.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <system_error>

#include "imgui.h"
#include "imgui_stdlib.h"
#include "platform/PathResolver.h"

namespace {

using Kind = InputDialogSerializer::Kind;
using Field = InputDialogSerializer::Field;

constexpr const char* kFloatFormat = "%.6g";
constexpr const char* kFilePopup = "files";
constexpr int kColourMask = 0xFFFFFF;
constexpr float kValueShare = 0.45f;

// Typed values count once their input is left (or a step button changed them), not per key.
bool Committed(bool changedNow)
{
    return (changedNow && !ImGui::IsItemActive()) || ImGui::IsItemDeactivatedAfterEdit();
}

// The index of the section end that closes the section starting at start.
size_t SectionEndOf(const std::vector<Field>& fields, size_t start)
{
    int depth = 0;
    for (size_t i = start; i < fields.size(); ++i) {
        depth += fields[i].kind == Kind::SectionStart ? 1 : fields[i].kind == Kind::SectionEnd ? -1 : 0;
        if (depth == 0) {
            return i;
        }
    }
    return fields.size();
}

std::string SectionTitle(const Field& field)
{
    std::string title = field.label + " \"" + field.name + "\"";
    return field.className.empty() ? title : title + " (" + field.className + ")";
}

// File names are Windows paths: the directory part keeps the separators the value was written with.
std::string DirectoryPrefix(const std::string& path)
{
    size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string Slashed(std::string path)
{
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

// The files in the directory of path, found without regard to letter case as the game does.
std::vector<std::string> FilesBeside(const std::string& path)
{
    const std::string directory = platform::ResolvePath(DirectoryPrefix(path));
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(directory.empty() ? "." : directory, error)) {
        if (entry.is_regular_file(error)) {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

float Channel(int colour, int shift)
{
    return static_cast<float>((colour >> shift) & 0xFF) / 255.0f;
}

int ChannelBits(float value, int shift)
{
    return static_cast<int>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f)) << shift;
}

}  // namespace

bool CParameterPanel::Draw(std::vector<Field>& fields)
{
    bool changed = false;
    int openSections = 0;
    // Labels such as "Accelleration Time" need about half of a narrow window.
    ImGui::PushItemWidth(ImGui::GetContentRegionAvail().x * kValueShare);
    for (size_t i = 0; i < fields.size(); ++i) {
        Field& field = fields[i];
        if (field.kind == Kind::SectionStart) {
            if (OpenSection(field, i, openSections)) {
                ++openSections;
            } else {
                i = SectionEndOf(fields, i);
            }
        } else if (field.kind == Kind::SectionEnd) {
            if (openSections > 0) {
                ImGui::TreePop();
                --openSections;
            }
        } else if (!field.hidden) {
            ImGui::PushID(static_cast<int>(i));
            if (DrawField(field)) {
                field.edited = true;
                changed = true;
            }
            ImGui::PopID();
        }
    }
    // Sections left open by a list cut short.
    for (; openSections > 0; --openSections) {
        ImGui::TreePop();
    }
    ImGui::PopItemWidth();
    return changed;
}

bool CParameterPanel::OpenSection(const Field& field, size_t index, int depth)
{
    if (field.hidden) {
        return false;
    }
    // The outermost section is the element itself: shown open.
    const ImGuiTreeNodeFlags flags = depth == 0 ? ImGuiTreeNodeFlags_DefaultOpen : ImGuiTreeNodeFlags_None;
    return ImGui::TreeNodeEx(reinterpret_cast<void*>(static_cast<intptr_t>(index)), flags, "%s",
                             SectionTitle(field).c_str());
}

bool CParameterPanel::DrawField(Field& field)
{
    const char* label = field.label.c_str();
    switch (field.kind) {
    case Kind::Float:
        return Committed(ImGui::InputFloat(label, &field.floats[0], 0.0f, 0.0f, kFloatFormat));
    case Kind::Int:
        return Committed(ImGui::InputInt(label, &field.ints[0]));
    case Kind::Bool:
        return ImGui::Checkbox(label, &field.flag);
    case Kind::String:
        return Committed(ImGui::InputText(label, &field.text));
    case Kind::Vector:
        return Committed(ImGui::InputInt2(label, field.ints));
    case Kind::VectorFloat:
        return Committed(ImGui::InputFloat2(label, field.floats, kFloatFormat));
    case Kind::ComboBox:
        return DrawComboBox(field);
    case Kind::Colour:
        return DrawColour(field);
    case Kind::Button:
        // Pressed for the one apply that follows the click, not for every later one.
        field.flag = ImGui::Button(label);
        return field.flag;
    case Kind::FileName:
        return DrawFileName(field);
    case Kind::Spacer:
        DrawSpacer(field);
        return false;
    case Kind::SectionStart:
    case Kind::SectionEnd:
        break;
    }
    return false;
}

bool CParameterPanel::DrawComboBox(Field& field)
{
    const int count = static_cast<int>(field.options.size());
    const int& selected = field.ints[0];
    const char* preview = selected >= 0 && selected < count ? field.options[static_cast<size_t>(selected)].c_str()
                                                             : field.text.c_str();
    if (!ImGui::BeginCombo(field.label.c_str(), preview)) {
        return false;
    }
    bool chosen = false;
    for (int option = 0; option < count; ++option) {
        const std::string& text = field.options[static_cast<size_t>(option)];
        ImGui::PushID(option);
        if (ImGui::Selectable(text.c_str(), option == selected)) {
            field.ints[0] = option;
            field.text = text;
            chosen = true;
        }
        ImGui::PopID();
    }
    ImGui::EndCombo();
    return chosen;
}

bool CParameterPanel::DrawColour(Field& field)
{
    int& colour = field.ints[0];
    float rgb[3] = {Channel(colour, 16), Channel(colour, 8), Channel(colour, 0)};
    if (!ImGui::ColorEdit3(field.label.c_str(), rgb)) {
        return false;
    }
    colour = (colour & ~kColourMask) | ChannelBits(rgb[0], 16) | ChannelBits(rgb[1], 8) | ChannelBits(rgb[2], 0);
    return true;
}

bool CParameterPanel::DrawFileName(Field& field)
{
    const bool typed = Committed(ImGui::InputText("##path", &field.text));
    ImGui::SameLine();
    if (ImGui::SmallButton("...")) {
        listedFiles = FilesBeside(field.text);
        ImGui::OpenPopup(kFilePopup);
    }
    ImGui::SameLine();
    ImGui::TextUnformatted(field.label.c_str());
    const bool chosen = DrawFileChoice(field);
    return typed || chosen;
}

bool CParameterPanel::DrawFileChoice(Field& field)
{
    if (!ImGui::BeginPopup(kFilePopup)) {
        return false;
    }
    const std::string shown = Slashed(field.text);
    const std::string directory = DirectoryPrefix(shown);
    const std::string current = shown.substr(directory.size());
    ImGui::TextDisabled("%s", directory.empty() ? "./" : directory.c_str());
    bool chosen = false;
    for (const std::string& name : listedFiles) {
        if (ImGui::Selectable(name.c_str(), SameNameIgnoringCase(name, current))) {
            field.text = DirectoryPrefix(field.text) + name;
            chosen = true;
        }
    }
    if (listedFiles.empty()) {
        ImGui::TextDisabled("(no files)");
    }
    ImGui::EndPopup();
    return chosen;
}

void CParameterPanel::DrawSpacer(const Field& field)
{
    if (field.text.empty()) {
        ImGui::Separator();
    } else {
        ImGui::TextDisabled("%s", field.text.c_str());
    }
}
