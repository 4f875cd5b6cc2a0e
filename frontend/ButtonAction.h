#pragma once

// What a menu button does when it is clicked. The button owns its action.
class ButtonAction {
public:
    ButtonAction() = default;
    virtual ~ButtonAction() = default;
    ButtonAction(const ButtonAction&) = delete;
    ButtonAction& operator=(const ButtonAction&) = delete;

    virtual void Execute() = 0;
};
