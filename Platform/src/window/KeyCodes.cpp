#include "KeyCodes.h"

#include "Platform/Win32Keyboard.h"

#include <map>

namespace Platform {

namespace {

struct Entry {
  SDL_Scancode scancode;
  KeyCodes codes;
};

// Keys other than letters, digits and function keys, which follow in ranges below.
const Entry kKeys[] = {
    {SDL_SCANCODE_ESCAPE, {VK_ESCAPE, 0x01, false}},     {SDL_SCANCODE_MINUS, {VK_OEM_MINUS, 0x0C, false}},
    {SDL_SCANCODE_EQUALS, {VK_OEM_PLUS, 0x0D, false}},   {SDL_SCANCODE_BACKSPACE, {VK_BACK, 0x0E, false}},
    {SDL_SCANCODE_TAB, {VK_TAB, 0x0F, false}},           {SDL_SCANCODE_LEFTBRACKET, {VK_OEM_4, 0x1A, false}},
    {SDL_SCANCODE_RIGHTBRACKET, {VK_OEM_6, 0x1B, false}}, {SDL_SCANCODE_RETURN, {VK_RETURN, 0x1C, false}},
    {SDL_SCANCODE_LCTRL, {VK_LCONTROL, 0x1D, false}},    {SDL_SCANCODE_SEMICOLON, {VK_OEM_1, 0x27, false}},
    {SDL_SCANCODE_APOSTROPHE, {VK_OEM_7, 0x28, false}},  {SDL_SCANCODE_GRAVE, {VK_OEM_3, 0x29, false}},
    {SDL_SCANCODE_LSHIFT, {VK_LSHIFT, 0x2A, false}},     {SDL_SCANCODE_BACKSLASH, {VK_OEM_5, 0x2B, false}},
    {SDL_SCANCODE_COMMA, {VK_OEM_COMMA, 0x33, false}},   {SDL_SCANCODE_PERIOD, {VK_OEM_PERIOD, 0x34, false}},
    {SDL_SCANCODE_SLASH, {VK_OEM_2, 0x35, false}},       {SDL_SCANCODE_RSHIFT, {VK_RSHIFT, 0x36, false}},
    {SDL_SCANCODE_KP_MULTIPLY, {VK_MULTIPLY, 0x37, false}}, {SDL_SCANCODE_LALT, {VK_LMENU, 0x38, false}},
    {SDL_SCANCODE_SPACE, {VK_SPACE, 0x39, false}},       {SDL_SCANCODE_CAPSLOCK, {VK_CAPITAL, 0x3A, false}},
    {SDL_SCANCODE_NUMLOCKCLEAR, {VK_NUMLOCK, 0x45, true}}, {SDL_SCANCODE_SCROLLLOCK, {VK_SCROLL, 0x46, false}},
    {SDL_SCANCODE_KP_7, {VK_NUMPAD0 + 7, 0x47, false}},  {SDL_SCANCODE_KP_8, {VK_NUMPAD0 + 8, 0x48, false}},
    {SDL_SCANCODE_KP_9, {VK_NUMPAD0 + 9, 0x49, false}},  {SDL_SCANCODE_KP_MINUS, {VK_SUBTRACT, 0x4A, false}},
    {SDL_SCANCODE_KP_4, {VK_NUMPAD0 + 4, 0x4B, false}},  {SDL_SCANCODE_KP_5, {VK_NUMPAD0 + 5, 0x4C, false}},
    {SDL_SCANCODE_KP_6, {VK_NUMPAD0 + 6, 0x4D, false}},  {SDL_SCANCODE_KP_PLUS, {VK_ADD, 0x4E, false}},
    {SDL_SCANCODE_KP_1, {VK_NUMPAD0 + 1, 0x4F, false}},  {SDL_SCANCODE_KP_2, {VK_NUMPAD0 + 2, 0x50, false}},
    {SDL_SCANCODE_KP_3, {VK_NUMPAD0 + 3, 0x51, false}},  {SDL_SCANCODE_KP_0, {VK_NUMPAD0, 0x52, false}},
    {SDL_SCANCODE_KP_PERIOD, {VK_DECIMAL, 0x53, false}}, {SDL_SCANCODE_KP_ENTER, {VK_RETURN, 0x9C, true}},
    {SDL_SCANCODE_RCTRL, {VK_RCONTROL, 0x9D, true}},     {SDL_SCANCODE_KP_DIVIDE, {VK_DIVIDE, 0xB5, true}},
    {SDL_SCANCODE_RALT, {VK_RMENU, 0xB8, true}},         {SDL_SCANCODE_PAUSE, {VK_PAUSE, 0xC5, false}},
    {SDL_SCANCODE_HOME, {VK_HOME, 0xC7, true}},          {SDL_SCANCODE_UP, {VK_UP, 0xC8, true}},
    {SDL_SCANCODE_PAGEUP, {VK_PRIOR, 0xC9, true}},       {SDL_SCANCODE_LEFT, {VK_LEFT, 0xCB, true}},
    {SDL_SCANCODE_RIGHT, {VK_RIGHT, 0xCD, true}},        {SDL_SCANCODE_END, {VK_END, 0xCF, true}},
    {SDL_SCANCODE_DOWN, {VK_DOWN, 0xD0, true}},          {SDL_SCANCODE_PAGEDOWN, {VK_NEXT, 0xD1, true}},
    {SDL_SCANCODE_INSERT, {VK_INSERT, 0xD2, true}},      {SDL_SCANCODE_DELETE, {VK_DELETE, 0xD3, true}},
};

// Letters by their position on the keyboard's three rows, as DirectInput numbers them.
const struct {
  const char* letters;
  BYTE firstDik;
} kLetterRows[] = {{"QWERTYUIOP", 0x10}, {"ASDFGHJKL", 0x1E}, {"ZXCVBNM", 0x2C}};

std::map<SDL_Scancode, KeyCodes> BuildTable() {
  std::map<SDL_Scancode, KeyCodes> table;
  for (const Entry& entry : kKeys) table[entry.scancode] = entry.codes;
  for (const auto& row : kLetterRows) {
    for (int i = 0; row.letters[i] != '\0'; ++i) {
      const char letter = row.letters[i];
      const auto scancode = static_cast<SDL_Scancode>(SDL_SCANCODE_A + (letter - 'A'));
      table[scancode] = {static_cast<BYTE>(letter), static_cast<BYTE>(row.firstDik + i), false};
    }
  }
  // SDL counts the digits from 1 to 9, then 0; so does DirectInput, from 0x02.
  for (int i = 0; i < 10; ++i) {
    const auto scancode = static_cast<SDL_Scancode>(SDL_SCANCODE_1 + i);
    table[scancode] = {static_cast<BYTE>(i == 9 ? '0' : '1' + i), static_cast<BYTE>(0x02 + i), false};
  }
  for (int i = 0; i < 12; ++i) {
    const auto scancode = static_cast<SDL_Scancode>(SDL_SCANCODE_F1 + i);
    table[scancode] = {static_cast<BYTE>(VK_F1 + i), static_cast<BYTE>(i < 10 ? 0x3B + i : 0x57 + (i - 10)), false};
  }
  return table;
}

}  // namespace

KeyCodes KeyCodesOf(SDL_Scancode scancode) {
  static const std::map<SDL_Scancode, KeyCodes> table = BuildTable();
  const auto found = table.find(scancode);
  return found == table.end() ? KeyCodes{0, 0, false} : found->second;
}

BYTE GenericVirtualKey(BYTE virtualKey) {
  switch (virtualKey) {
    case VK_LSHIFT:
    case VK_RSHIFT:
      return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
      return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
      return VK_MENU;
    default:
      return virtualKey;
  }
}

}  // namespace Platform
