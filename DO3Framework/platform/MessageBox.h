#pragma once

namespace platform {

// Shows a modal box with an OK button; caption and text are Windows-1252. The text always
// goes to stderr too; without a display nothing else happens, so headless runs never block.
void ShowMessageBox(const char* caption, const char* text);
// The same with an information icon, for texts that report no failure (help, about).
void ShowInformationBox(const char* caption, const char* text);

}  // namespace platform
