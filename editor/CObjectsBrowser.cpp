#include "editor/CObjectsBrowser.h"

#include <cstdio>

#include "app/Debug.h"
#include "app/GameState.h"
#include "editor/DebugDisplay.h"
#include "imgui.h"
#include "params/Cast.h"
#include "params/GameElement.h"
#include "platform/TextEncoding.h"
#include "util/Factory.h"

namespace {

constexpr char kFolderSeparator = '|';

// Names are Windows-1252 like every text of the game; ImGui shows UTF-8.
std::string Shown(const std::string& text)
{
    return platform::Utf8FromCp1252(text);
}

}  // namespace

CObjectsBrowser::CObjectsBrowser(GameState& owner) : game(owner) {}

void CObjectsBrowser::Select(const std::string& name)
{
    if (name != selected) {
        selected = name;
        fields.clear();
    }
}

void CObjectsBrowser::Command(const std::string& command)
{
    game.DebugCommand(command, 0, 0);
}

// Members keep their registration order inside each folder; a folder stands where its first
// member would.
CObjectsBrowser::Node CObjectsBrowser::BuildTree()
{
    Node root;
    for (const Cast::Member& member : Cast::Instance().Members()) {
        Node* folder = &root;
        size_t start = 0;
        for (size_t bar = member.name.find(kFolderSeparator); bar != std::string::npos;
             bar = member.name.find(kFolderSeparator, start)) {
            std::string label = member.name.substr(start, bar - start);
            std::string path = member.name.substr(0, bar);
            Node* next = nullptr;
            for (Node& child : folder->children) {
                if (!child.member && child.path == path) {
                    next = &child;
                }
            }
            if (!next) {
                folder->children.push_back({label, path, false, false, {}});
                next = &folder->children.back();
            }
            folder = next;
            start = bar + 1;
        }
        folder->children.push_back({member.name.substr(start), member.name, true, member.dynamic, {}});
    }
    return root;
}

void CObjectsBrowser::Draw()
{
    if (!visible) {
        return;
    }
    ImGui::SetNextWindowPos(ImVec2(10, 10), ImGuiCond_FirstUseEver);
    ImGui::SetNextWindowSize(ImVec2(250, 420), ImGuiCond_FirstUseEver);
    if (ImGui::Begin("Objects", &visible, ImGuiWindowFlags_MenuBar)) {
        DrawMenuBar();
        for (const Node& node : BuildTree().children) {
            DrawNode(node);
        }
        DrawRenamePopup();
    }
    ImGui::End();
    if (!selected.empty()) {
        DrawParameters();
    }
}

void CObjectsBrowser::DrawMenuBar()
{
    if (!ImGui::BeginMenuBar()) {
        return;
    }
    if (ImGui::BeginMenu("File")) {
        if (ImGui::MenuItem("Load settings")) {
            Command("load settings");
            fields.clear();
        }
        if (ImGui::MenuItem("Save settings")) {
            Command("save settings");
        }
        ImGui::EndMenu();
    }
    if (ImGui::BeginMenu("Create")) {
        for (const std::string& className : Factory<GameElement>::Names()) {
            if (ImGui::MenuItem(className.c_str())) {
                Command("create game element " + className);
            }
        }
        ImGui::EndMenu();
    }
    if (ImGui::BeginMenu("View")) {
        DebugDisplay& overlay = DebugDisplay::Instance();
        if (ImGui::MenuItem("Board overlay", nullptr, overlay.IsEnabled())) {
            overlay.SetEnabled(!overlay.IsEnabled());
        }
        if (ImGui::MenuItem("Messages", "F9", Debug::Instance().IsMessageWindowVisible())) {
            Debug::Instance().ShowMessageWindow();
        }
        if (ImGui::MenuItem("Flags", "F10")) {
            Debug::Instance().ShowMessageWindow();
            Command("print flags");
        }
        ImGui::EndMenu();
    }
    ImGui::EndMenuBar();
}

void CObjectsBrowser::DrawNode(const Node& node)
{
    ImGui::PushID(node.path.c_str());
    if (node.member) {
        ImGuiTreeNodeFlags flags = ImGuiTreeNodeFlags_Leaf | ImGuiTreeNodeFlags_NoTreePushOnOpen |
                                   (node.path == selected ? ImGuiTreeNodeFlags_Selected : 0);
        ImGui::TreeNodeEx("member", flags, "%s", Shown(node.label).c_str());
        if (ImGui::IsItemClicked()) {
            Command("select gameelement " + node.path);
        }
        DrawMemberMenu(node);
    } else {
        bool open = ImGui::TreeNodeEx("folder", 0, "%s", Shown(node.label).c_str());
        DrawFolderMenu(node);
        if (open) {
            for (const Node& child : node.children) {
                DrawNode(child);
            }
            ImGui::TreePop();
        }
    }
    ImGui::PopID();
}

// Only elements the settings file created may be renamed or deleted: the program finds its
// own objects by their names.
void CObjectsBrowser::DrawMemberMenu(const Node& node)
{
    if (!ImGui::BeginPopupContextItem("member menu")) {
        return;
    }
    if (ImGui::MenuItem("Rename", nullptr, false, node.dynamic)) {
        renameCommand = "rename object ";
        renameFrom = node.path;
        std::snprintf(renameTo, sizeof renameTo, "%s", Shown(node.path).c_str());
        openRenamePopup = true;
    }
    if (ImGui::MenuItem("Delete", nullptr, false, node.dynamic)) {
        Command("delete object " + node.path);
    }
    ImGui::EndPopup();
}

void CObjectsBrowser::DrawFolderMenu(const Node& node)
{
    if (!ImGui::BeginPopupContextItem("folder menu")) {
        return;
    }
    if (ImGui::MenuItem("Rename folder")) {
        renameCommand = "rename folder ";
        renameFrom = node.path;
        std::snprintf(renameTo, sizeof renameTo, "%s", Shown(node.path).c_str());
        openRenamePopup = true;
    }
    ImGui::EndPopup();
}

// The new name travels in the command after a tab: the command's two numbers cannot carry text.
void CObjectsBrowser::DrawRenamePopup()
{
    if (openRenamePopup) {
        ImGui::OpenPopup("Rename");
        openRenamePopup = false;
    }
    if (!ImGui::BeginPopupModal("Rename", nullptr, ImGuiWindowFlags_AlwaysAutoResize)) {
        return;
    }
    ImGui::Text("%s", Shown(renameFrom).c_str());
    if (ImGui::IsWindowAppearing()) {
        ImGui::SetKeyboardFocusHere();
    }
    bool entered = ImGui::InputText("new name", renameTo, sizeof renameTo, ImGuiInputTextFlags_EnterReturnsTrue);
    if (entered || ImGui::Button("OK")) {
        std::string to = platform::Cp1252FromUtf8(renameTo);
        Command(renameCommand + renameFrom + "\t" + to);
        if (selected == renameFrom) {
            Select(to);
        }
        ImGui::CloseCurrentPopup();
    }
    ImGui::SameLine();
    if (ImGui::Button("Cancel")) {
        ImGui::CloseCurrentPopup();
    }
    ImGui::EndPopup();
}

// The fields are collected again every frame while nothing is being typed, so values the game
// changes (a figure's run-time state) show as they are.
void CObjectsBrowser::DrawParameters()
{
    Object* object = Cast::Instance().Find(selected);
    if (!object) {
        Select(std::string());
        return;
    }
    ImGui::SetNextWindowPos(ImVec2(470, 10), ImGuiCond_FirstUseEver);
    ImGui::SetNextWindowSize(ImVec2(320, 420), ImGuiCond_FirstUseEver);
    bool open = true;
    if (ImGui::Begin("Parameters", &open)) {
        ImGui::TextDisabled("%s", Shown(selected).c_str());
        if (fields.empty() || !ImGui::IsAnyItemActive()) {
            fields = InputDialogSerializer::Collect(*object, selected);
        }
        if (panel.Draw(fields)) {
            InputDialogSerializer::Apply(*object, selected, fields);
            fields.clear();
        }
    }
    ImGui::End();
    if (!open) {
        Select(std::string());
    }
}
