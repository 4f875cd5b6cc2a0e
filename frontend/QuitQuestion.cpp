#include "frontend/QuitQuestion.h"

#include "frontend/MenuPointer.h"
#include "platform/VirtualKeys.h"
#include "text/TextAlignment.h"
#include "text/TextDisplay.h"

namespace {

constexpr int kButtonY = 350;
constexpr int kYesRightX = 459;
constexpr int kNoLeftX = 386;
constexpr int kTextLeft = 0;
constexpr int kTextTop = 200;
constexpr int kTextWidth = 1024;
constexpr int kTextHeight = 200;

}  // namespace

QuitQuestion::QuitQuestion()
    : halfWidth(HalfQuestionWidth()),
      yesButton("yesButton", kYesRightX - halfWidth, kButtonY, kFlashTimeSeconds),
      noButton("noButton", kNoLeftX + halfWidth, kButtonY, kFlashTimeSeconds)
{
}

int QuitQuestion::HalfQuestionWidth()
{
    return TextDisplay::Instance().GetTextWidth(kFontName, kQuestion) / 2;
}

void QuitQuestion::Render()
{
    TextDisplay& text = TextDisplay::Instance();
    // The text display is shared: leave its layout settings as they were found.
    TextRect savedRect = text.GetRect();
    int32_t savedHorizontal = text.GetHorizontalAlignment();
    int32_t savedVertical = text.GetVerticalAlignment();
    text.PushFont();
    text.SetFont(kFontName);
    text.SetRect(kTextLeft, kTextTop, kTextWidth, kTextHeight);
    text.SetHorizontalAlignment(kAlignCenter);
    text.SetVerticalAlignment(kAlignCenter);
    text.DrawMarkup(kQuestion);
    text.PopFont();
    text.SetRect(savedRect.x, savedRect.y, savedRect.width, savedRect.height);
    text.SetHorizontalAlignment(savedHorizontal);
    text.SetVerticalAlignment(savedVertical);
    yesButton.Render();
    noButton.Render();
}

void QuitQuestion::Update(float dtSeconds)
{
    yesButton.Update(dtSeconds);
    noButton.Update(dtSeconds);
}

void QuitQuestion::KeyUp(int key)
{
    if (key == vk::Letter('Y') || key == vk::Letter('J')) {
        ClickByKey(yesButton);
    } else if (key == vk::Letter('N')) {
        ClickByKey(noButton);
    } else if (key == vk::kLeft) {
        HighlightByKey(yesButton);
    } else if (key == vk::kRight) {
        HighlightByKey(noButton);
    } else if (key == vk::kUp || key == vk::kDown) {
        HighlightByKey(OtherThanHighlighted());
    } else if ((key == vk::kReturn || key == vk::kSpace) && highlighted) {
        ClickByKey(*highlighted);
    }
}

void QuitQuestion::HighlightByKey(OnceOverMenuButton& button)
{
    if (highlighted && highlighted != &button) {
        highlighted->Unhighlight();
    }
    highlighted = &button;
    button.Highlight();
}

void QuitQuestion::ClickByKey(OnceOverMenuButton& button)
{
    HighlightByKey(button);
    button.PressByKey();
    button.ReleaseByKey();
}

OnceOverMenuButton& QuitQuestion::OtherThanHighlighted()
{
    return highlighted == &yesButton ? noButton : yesButton;
}

OnceOverMenuButton* QuitQuestion::HoveredButton()
{
    for (OnceOverMenuButton* button : {&yesButton, &noButton}) {
        if (button->GetState() != MenuButton::kNormal) {
            return button;
        }
    }
    return nullptr;
}

void QuitQuestion::MouseButtonDown(int x, int y, bool doubleClick)
{
    yesButton.MouseButtonDown(x, y, doubleClick);
    noButton.MouseButtonDown(x, y, doubleClick);
    highlighted = HoveredButton();
}

void QuitQuestion::LeftButtonUp(int x, int y)
{
    yesButton.LeftButtonUp(x, y);
    noButton.LeftButtonUp(x, y);
}

void QuitQuestion::MouseMove(int x, int y)
{
    // Only a report elsewhere takes the highlight from the keys.
    const bool keysHoldHighlight = highlighted && highlighted->IsKeyHighlighted();
    if (!MenuPointer::Instance().MovedTo(x, y) && keysHoldHighlight) {
        return;
    }
    yesButton.MouseMove(x, y);
    noButton.MouseMove(x, y);
    highlighted = HoveredButton();
}

void QuitQuestion::Reset()
{
    yesButton.Reset();
    noButton.Reset();
    highlighted = nullptr;
}

int QuitQuestion::Result() const
{
    if (yesButton.IsClicked()) {
        return kYes;
    }
    return noButton.IsClicked() ? kNo : kNoAnswer;
}
