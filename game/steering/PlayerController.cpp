#include "game/steering/PlayerController.h"

#include "app/Debug.h"
#include "app/KeyboardInput.h"
#include "game/figures/Direction.h"
#include "game/figures/GameModel.h"
#include "platform/VirtualKeys.h"

namespace {

constexpr int kUpBit = 1;
constexpr int kDownBit = 2;
constexpr int kLeftBit = 4;
constexpr int kRightBit = 8;
constexpr int kCheckKey = 'S';

}  // namespace

PlayerController::~PlayerController()
{
    Debug::Instance().Log("Deleted PlayerController\n");
}

void PlayerController::Attach(GameModel* steered)
{
    figure = steered;
    Reset();
}

void PlayerController::Update(float)
{
    if (!figure) {
        return;
    }
    const KeyboardInput& keys = KeyboardInput::Instance();
    const int bits = (keys.IsDown(vk::kUp) ? kUpBit : 0) | (keys.IsDown(vk::kDown) ? kDownBit : 0) |
                     (keys.IsDown(vk::kLeft) ? kLeftBit : 0) | (keys.IsDown(vk::kRight) ? kRightBit : 0);
    // Once per press: a release shows in exactly one frame.
    if (keys.WasReleased(kCheckKey)) {
        figure->SayCheck();
    }
    const bool strikeHeld = keys.IsDown(vk::kSpace) || keys.IsDown(vk::kControl);
    const int figureState = figure->GetState();
    const bool striking = figureState == GameModel::kRaise || figureState == GameModel::kStrike ||
                          figureState == GameModel::kBoardStrike;
    if (strikeHeld && !charging && !striking) {
        figure->StartStrike();
        charging = true;
    } else if (!strikeHeld && charging) {
        // A board held too long has sunk again: letting go then strikes nothing.
        if (striking) {
            figure->Strike();
        }
        charging = false;
    }
    figure->SetDirection(direction::FromKeyBits(bits));
}
