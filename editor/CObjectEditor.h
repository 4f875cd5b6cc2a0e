#pragma once

#include <string>

#include "editor/CMessagesWindow.h"
#include "editor/CObjectsBrowser.h"

class GameState;

// The object editor over a windowed game: the objects browser with its parameters (F8), the
// messages (F9, F10) and the board overlay, drawn over the presented frame. Where its windows
// stood is kept in a file of its own. A full-screen game shows none of it.
class CObjectEditor {
public:
    explicit CObjectEditor(GameState& game);
    ~CObjectEditor();
    CObjectEditor(const CObjectEditor&) = delete;
    CObjectEditor& operator=(const CObjectEditor&) = delete;

    void ShowBrowser();
    bool IsBrowserVisible() const { return browser.IsVisible(); }
    void Select(const std::string& name);
    const std::string& Selected() const { return browser.Selected(); }

    // Draws the editor's windows and the overlay for this frame; false when nothing was drawn
    // (all closed, or full screen), so the frame need not be presented for the editor's sake.
    bool DrawFrame();

private:
    void KeepLayout();

    CObjectsBrowser browser;
    CMessagesWindow messages;
    bool layoutRestored = false;
};
