#include "frontend/QMExitLevel.h"

#include <memory>

#include "app/Debug.h"
#include "files/File.h"
#include "frontend/OpenURLAction.h"
#include "platform/EventPump.h"
#include "settings/Tokenizer.h"

namespace {

constexpr int kMaxLineCharacters = 999;
constexpr int kLinkTokens = 4;
constexpr int kQuitExitCode = -1;

}  // namespace

bool QMExitLevel::Init(GameState* owningGame)
{
    QMMenuLevel::Init(owningGame);
    ReadLinkButtons();
    SetBackground("ExitScreen");
    return true;
}

void QMExitLevel::ReadLinkButtons()
{
    File file;
    if (!file.Open(kFileName, "r")) {
        Debug::Instance().Error("QMExitLevel Failed to open <%s>!\n", kFileName);
        return;
    }
    char buffer[kMaxLineCharacters + 1];
    while (file.ReadLine(buffer, sizeof buffer)) {
        AddLinkButton(buffer);
    }
}

void QMExitLevel::AddLinkButton(const std::string& line)
{
    Tokenizer tokens(line, " \t\r\n");
    if (tokens.Count() != kLinkTokens) {
        return;
    }
    int x = 0;
    int y = 0;
    if (!Tokenizer::ParseInt(tokens.Token(1), x) || !Tokenizer::ParseInt(tokens.Token(2), y)) {
        Debug::Instance().Warning("QMExitLevel::Init: Skipping a link button without position <%s>\n",
                                  tokens.Token(0).c_str());
        return;
    }
    AddButton(std::make_unique<MenuButton>(tokens.Token(0), x, y, "", ""))
        .SetAction(std::make_unique<OpenURLAction>(tokens.Token(3)));
}

void QMExitLevel::Activate()
{
    QMMenuLevel::Activate();
    quitRequested = false;
    quitPosted = false;
}

void QMExitLevel::KeyDown(int key)
{
    if (!NavigateKeyDown(key)) {
        quitRequested = true;
    }
}

void QMExitLevel::LeftButtonUp(int x, int y)
{
    QMMenuLevel::LeftButtonUp(x, y);
    if (!AnyButtonClicked()) {
        quitRequested = true;
    }
}

void QMExitLevel::Update(float dtSeconds)
{
    QMMenuLevel::Update(dtSeconds);
    // One quit message is enough; the loop ends when it reaches it.
    if (quitRequested && !quitPosted) {
        platform::EventPump::Instance().PostQuit(kQuitExitCode);
        quitPosted = true;
    }
}
