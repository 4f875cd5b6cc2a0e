#include "editor/CObjectEditor.h"

#include "app/Debug.h"
#include "editor/DebugDisplay.h"
#include "editor/EditorLayoutFile.h"
#include "platform/ImGuiLayer.h"

CObjectEditor::CObjectEditor(GameState& game) : browser(game) {}

CObjectEditor::~CObjectEditor()
{
    KeepLayout();
    if (DebugDisplay::Exists()) {
        DebugDisplay::Instance().SetEnabled(false);
    }
    if (platform::ImGuiLayer::Exists()) {
        platform::ImGuiLayer::Instance().SetVisible(false);
    }
}

void CObjectEditor::ShowBrowser()
{
    browser.SetVisible(true);
}

void CObjectEditor::Select(const std::string& name)
{
    browser.Select(name);
}

bool CObjectEditor::DrawFrame()
{
    DebugDisplay& overlay = DebugDisplay::Instance();
    bool wanted = browser.IsVisible() || Debug::Instance().IsMessageWindowVisible() || overlay.IsEnabled();
    if (!wanted && !platform::ImGuiLayer::Exists()) {
        return false;
    }
    platform::ImGuiLayer& layer = platform::ImGuiLayer::Instance();
    layer.SetVisible(wanted);
    if (!layoutRestored) {
        layer.RestoreLayout(EditorLayoutFile::Read());
        layoutRestored = true;
    }
    if (!wanted || !layer.BeginFrame()) {
        overlay.Forget();
        return false;
    }
    browser.Draw();
    messages.Draw();
    overlay.Draw();
    layer.EndFrame();
    if (layer.LayoutChanged()) {
        KeepLayout();
    }
    return true;
}

void CObjectEditor::KeepLayout()
{
    if (layoutRestored && platform::ImGuiLayer::Exists()) {
        EditorLayoutFile::Write(platform::ImGuiLayer::Instance().Layout());
    }
}
