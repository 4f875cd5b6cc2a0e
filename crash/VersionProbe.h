#pragma once

// The level of the display and sound services the platform offers, in the numbering the
// start-up check expects: the high byte is the major version, 0x0600 means "version 6",
// the least the game runs on.
int GetDirectXVersion();
