#pragma once

#include <string>
#include <vector>

#include "editor/CParameterPanel.h"
#include "editor/InputDialogSerializer.h"

class GameState;

// The objects browser (F8): every member of the Cast in a tree of folders ('|' in a name
// separates them) and the parameters of the selected one beside it. Changes to the Cast and
// the settings file go through the game's debug commands, so the editor and the game keep one
// way of doing them.
class CObjectsBrowser {
public:
    explicit CObjectsBrowser(GameState& game);

    bool IsVisible() const { return visible; }
    void SetVisible(bool show) { visible = show; }
    void Select(const std::string& name);
    const std::string& Selected() const { return selected; }
    void Draw();

private:
    struct Node {
        std::string label;
        std::string path;      // the folder path or the member's whole name
        bool member = false;
        bool dynamic = false;
        std::vector<Node> children;
    };

    static Node BuildTree();
    void DrawMenuBar();
    void DrawNode(const Node& node);
    void DrawMemberMenu(const Node& node);
    void DrawFolderMenu(const Node& node);
    void DrawRenamePopup();
    void DrawParameters();
    void Command(const std::string& command);

    GameState& game;
    bool visible = false;
    std::string selected;
    std::vector<InputDialogSerializer::Field> fields;
    CParameterPanel panel;
    // The rename popup: a member or a folder, its old name and the text being typed.
    std::string renameCommand;
    std::string renameFrom;
    char renameTo[256] = {};
    bool openRenamePopup = false;
};
