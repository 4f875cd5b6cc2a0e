#pragma once

// Windows virtual-key codes: the key numbers the engine and the game speak.
// Letters are their upper-case ASCII codes ('A' = 0x41), digits '0'..'9' = 0x30..0x39.
namespace vk {

constexpr int kBack = 0x08;
constexpr int kTab = 0x09;
constexpr int kReturn = 0x0D;
constexpr int kShift = 0x10;
constexpr int kControl = 0x11;
constexpr int kMenu = 0x12;  // Alt
constexpr int kPause = 0x13;
constexpr int kCapital = 0x14;
constexpr int kEscape = 0x1B;
constexpr int kSpace = 0x20;
constexpr int kPrior = 0x21;  // Page Up
constexpr int kNext = 0x22;   // Page Down
constexpr int kEnd = 0x23;
constexpr int kHome = 0x24;
constexpr int kLeft = 0x25;
constexpr int kUp = 0x26;
constexpr int kRight = 0x27;
constexpr int kDown = 0x28;
constexpr int kSnapshot = 0x2C;  // Print Screen
constexpr int kInsert = 0x2D;
constexpr int kDelete = 0x2E;
constexpr int kNumpad0 = 0x60;
constexpr int kMultiply = 0x6A;
constexpr int kAdd = 0x6B;
constexpr int kSubtract = 0x6D;
constexpr int kDecimal = 0x6E;
constexpr int kDivide = 0x6F;
constexpr int kF1 = 0x70;  // F1..F12 follow in order
constexpr int kNumLock = 0x90;
constexpr int kScroll = 0x91;
constexpr int kOemPlus = 0xBB;
constexpr int kOemComma = 0xBC;
constexpr int kOemMinus = 0xBD;
constexpr int kOemPeriod = 0xBE;
// Punctuation keys as a US layout names them; a German layout puts its umlauts here.
constexpr int kOem1 = 0xBA;    // ;:  (German: ü)
constexpr int kOem2 = 0xBF;    // /?  (German: #)
constexpr int kOem3 = 0xC0;    // `~  (German: ö)
constexpr int kOem4 = 0xDB;    // [{  (German: ß)
constexpr int kOem5 = 0xDC;    // \|  (German: ^)
constexpr int kOem6 = 0xDD;    // ]}  (German: ´)
constexpr int kOem7 = 0xDE;    // '"  (German: ä)
constexpr int kOem102 = 0xE2;  // <>  (the extra key of European keyboards)

constexpr int Letter(char upper) { return upper; }
constexpr int Digit(int d) { return 0x30 + d; }
constexpr int Function(int n) { return kF1 + n - 1; }

}  // namespace vk
