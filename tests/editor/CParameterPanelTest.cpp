#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "editor/CParameterPanel.h"
#include "imgui.h"
#include "imgui_internal.h"
#include "support/TempDir.h"

namespace {

using Field = InputDialogSerializer::Field;
using Kind = InputDialogSerializer::Kind;

Field MakeField(Kind kind, const std::string& label, bool hidden = false)
{
    Field field;
    field.kind = kind;
    field.label = label;
    field.hidden = hidden;
    field.options = {"stop", "loop"};
    return field;
}

// A headless Dear ImGui context drawing the panel in one window that fills the display.
class ParameterPanelTest : public ::testing::Test {
protected:
    ParameterPanelTest()
    {
        ImGui::CreateContext();
        ImGuiIO& io = ImGui::GetIO();
        io.IniFilename = nullptr;
        io.DisplaySize = ImVec2(800.0f, 600.0f);
        unsigned char* pixels = nullptr;
        int width = 0;
        int height = 0;
        io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
    }

    ~ParameterPanelTest() override { ImGui::DestroyContext(); }

    // One frame; remembers where the panel's last widget lies and where drawing ended.
    bool Frame(std::vector<Field>& fields)
    {
        ImGui::GetIO().DeltaTime = 1.0f / 60.0f;
        ImGui::NewFrame();
        ImGui::SetNextWindowPos(ImVec2(0.0f, 0.0f));
        ImGui::SetNextWindowSize(ImGui::GetIO().DisplaySize);
        ImGui::Begin("Parameters");
        const bool changed = panel.Draw(fields);
        lastItem = ImRect(ImGui::GetItemRectMin(), ImGui::GetItemRectMax());
        endY = ImGui::GetCursorPosY();
        ImGui::End();
        ImGui::Render();
        return changed;
    }

    // Moves there, presses and releases the left button: true when a frame reported a change.
    bool Click(std::vector<Field>& fields, ImVec2 at)
    {
        ImGuiIO& io = ImGui::GetIO();
        io.MousePos = at;
        bool changed = Frame(fields);
        io.MouseDown[0] = true;
        changed = Frame(fields) || changed;
        io.MouseDown[0] = false;
        return Frame(fields) || changed;
    }

    CParameterPanel panel;
    ImRect lastItem;
    float endY = 0.0f;
};

TEST_F(ParameterPanelTest, DrawsEveryKindAndLeavesOutHiddenAndCollapsedFields)
{
    std::vector<Field> everyKind{MakeField(Kind::SectionStart, "Every Kind")};
    for (Kind kind : {Kind::Float, Kind::Int, Kind::Bool, Kind::String, Kind::Vector, Kind::VectorFloat,
                      Kind::ComboBox, Kind::Colour, Kind::Button, Kind::FileName, Kind::Spacer}) {
        everyKind.push_back(MakeField(kind, "value"));
    }
    std::vector<Field> withOthers = everyKind;
    everyKind.push_back(MakeField(Kind::SectionStart, "Brains"));
    for (Kind kind : {Kind::Float, Kind::Bool}) {
        withOthers.push_back(MakeField(kind, "hidden", true));
    }
    withOthers.push_back(MakeField(Kind::SectionStart, "Brains"));
    withOthers.push_back(MakeField(Kind::Float, "temper"));
    for (std::vector<Field>* fields : {&everyKind, &withOthers}) {
        fields->push_back(MakeField(Kind::SectionEnd, ""));
        fields->push_back(MakeField(Kind::SectionEnd, ""));
    }

    EXPECT_FALSE(Frame(everyKind));
    const float everyKindEnd = endY;
    EXPECT_FALSE(Frame(withOthers));
    EXPECT_EQ(endY, everyKindEnd);
}

TEST_F(ParameterPanelTest, FileListOffersTheFilesBesideAndKeepsTheSeparators)
{
    TempDir dir;
    dir.Write("Data/Level01/a.txt", "");
    dir.Write("Data/Level01/b.txt", "");
    std::vector<Field> fields{MakeField(Kind::FileName, "picture")};
    fields[0].text = "data\\Level01\\a.txt";
    Frame(fields);
    // The list button stands just before the field's label.
    const ImVec2 listButton(lastItem.Min.x - ImGui::GetStyle().ItemSpacing.x - 4.0f, lastItem.GetCenter().y);
    EXPECT_FALSE(Click(fields, listButton));
    Frame(fields);

    ASSERT_FALSE(GImGui->OpenPopupStack.empty());
    const ImGuiWindow* list = GImGui->OpenPopupStack.back().Window;
    ASSERT_NE(list, nullptr);
    // Under the directory line: a.txt, then b.txt.
    const float line = ImGui::GetTextLineHeightWithSpacing();
    const ImVec2 second(list->DC.CursorStartPos.x + 4.0f, list->DC.CursorStartPos.y + 2.5f * line);
    EXPECT_TRUE(Click(fields, second));
    EXPECT_EQ(fields[0].text, "data\\Level01\\b.txt");
    EXPECT_TRUE(fields[0].edited);
}

}  // namespace
