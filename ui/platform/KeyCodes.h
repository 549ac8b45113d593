#pragma once

#include <Qt>

// Key codes as the catalogue's handlers know them: the desktop's virtual-key numbers
// (13 for Enter, 113 for F2), whatever the toolkit calls the key.
namespace KeyCodes {

constexpr int Enter = 13;
constexpr int F2 = 113;

// The virtual-key number of a key, or 0 for keys without one.
int fromQtKey(int qtKey);

// The shift state: 1 for Shift, 2 for Ctrl, 4 for Alt, added together.
int shiftState(Qt::KeyboardModifiers modifiers);

} // namespace KeyCodes
