#include "editor/CMessagesWindow.h"

#include <vector>

#include "app/Debug.h"
#include "imgui.h"
#include "platform/TextEncoding.h"

namespace {

const ImVec4 kWarningColour(1.0f, 0.8f, 0.2f, 1.0f);
const ImVec4 kErrorColour(1.0f, 0.35f, 0.3f, 1.0f);

}  // namespace

CMessagesWindow::Kind CMessagesWindow::KindOf(const std::string& line)
{
    if (line.rfind("***WARNING", 0) == 0) {
        return Kind::Warning;
    }
    return line.rfind("***ERROR", 0) == 0 ? Kind::Error : Kind::Plain;
}

void CMessagesWindow::Draw()
{
    Debug& debug = Debug::Instance();
    TakeNewLines();
    if (!debug.IsMessageWindowVisible()) {
        return;
    }
    bool open = true;
    ImGui::SetNextWindowSize(ImVec2(520, 260), ImGuiCond_FirstUseEver);
    ImGui::SetNextWindowPos(ImVec2(270, 330), ImGuiCond_FirstUseEver);
    if (ImGui::Begin("Messages", &open)) {
        DrawFilters();
        DrawLines();
    }
    ImGui::End();
    if (!open) {
        debug.HideMessageWindow();
    }
}

// Lines are taken while the window is closed too, so opening it shows what happened before.
// The log is in Windows-1252, the editor's text in UTF-8.
void CMessagesWindow::TakeNewLines()
{
    for (std::string& line : Debug::Instance().LinesSince(nextLine, nextLine)) {
        if (!line.empty() && line.back() == '\n') {
            line.pop_back();
        }
        lines.push_back(platform::Utf8FromCp1252(line));
    }
    while (lines.size() > kShownLines) {
        lines.pop_front();
    }
}

bool CMessagesWindow::Passes(const std::string& line) const
{
    Kind kind = KindOf(line);
    bool shownKind = kind == Kind::Plain ? showPlain : kind == Kind::Warning ? showWarnings : showErrors;
    return shownKind && (filter[0] == '\0' || line.find(filter) != std::string::npos);
}

void CMessagesWindow::DrawFilters()
{
    ImGui::Checkbox("Log", &showPlain);
    ImGui::SameLine();
    ImGui::Checkbox("Warnings", &showWarnings);
    ImGui::SameLine();
    ImGui::Checkbox("Errors", &showErrors);
    ImGui::SameLine();
    ImGui::SetNextItemWidth(-1.0f);
    ImGui::InputTextWithHint("##filter", "filter", filter, sizeof filter);
}

void CMessagesWindow::DrawLines()
{
    ImGui::BeginChild("lines", ImVec2(0, 0), true, ImGuiWindowFlags_HorizontalScrollbar);
    for (const std::string& line : lines) {
        if (!Passes(line)) {
            continue;
        }
        Kind kind = KindOf(line);
        if (kind == Kind::Plain) {
            ImGui::TextUnformatted(line.c_str());
        } else {
            ImGui::TextColored(kind == Kind::Warning ? kWarningColour : kErrorColour, "%s", line.c_str());
        }
    }
    // Follows new lines until the reader scrolls up, and again once back at the end.
    if (followEnd) {
        ImGui::SetScrollHereY(1.0f);
    }
    followEnd = ImGui::GetScrollY() >= ImGui::GetScrollMaxY();
    ImGui::EndChild();
}
