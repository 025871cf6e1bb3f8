#include "window/KeyCodes.h"

#include "Platform/Win32Keyboard.h"

#include <SDL_keyboard.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// A keyboard state with the named keys held ('S' Shift, 'C' Control, 'A' Alt) or toggled ('L' Caps Lock).
struct KeyState {
  BYTE keys[256] = {};
  explicit KeyState(const std::string& held) {
    for (char c : held) {
      if (c == 'S') keys[VK_SHIFT] = 0x80;
      if (c == 'C') keys[VK_CONTROL] = 0x80;
      if (c == 'A') keys[VK_MENU] = 0x80;
      if (c == 'L') keys[VK_CAPITAL] = 0x01;
    }
  }
};

}  // namespace

TEST(ToAscii, TranslatesKeysOfAUsLayout) {
  const struct {
    UINT key;
    const char* state;
    int character;  // 0: no character
  } cases[] = {
      {'A', "", 'a'},          {'A', "S", 'A'},         {'A', "L", 'A'},        {'A', "SL", 'a'},
      {'A', "C", 1},           {'Z', "C", 26},          {'A', "CA", 'a'},       {'1', "", '1'},
      {'1', "S", '!'},         {'0', "S", ')'},         {VK_OEM_7, "S", '"'},   {VK_OEM_1, "", ';'},
      {VK_OEM_5, "", '\\'},    {VK_SPACE, "", ' '},     {VK_RETURN, "", 13},    {VK_BACK, "", 8},
      {VK_BACK, "C", 127},     {VK_TAB, "", 9},         {VK_ESCAPE, "", 27},    {VK_NUMPAD0 + 7, "", '7'},
      {VK_MULTIPLY, "", '*'},  {VK_SHIFT, "S", 0},      {VK_LEFT, "", 0},       {VK_F1, "", 0},
      {VK_DELETE, "", 0},      {VK_CAPITAL, "", 0},
  };
  for (const auto& c : cases) {
    KeyState state(c.state);
    WORD character = 0xFFFF;
    const int produced = ToAscii(c.key, 0, state.keys, &character, 0);
    EXPECT_EQ(produced, c.character == 0 ? 0 : 1) << "key " << c.key << " with " << c.state;
    if (c.character != 0) {
      EXPECT_EQ(character, c.character) << "key " << c.key << " with " << c.state;
    }
  }
  WORD character = 0;
  KeyState none("");
  EXPECT_EQ(ToAscii('A', 0x8000001E, none.keys, &character, 0), 1) << "a release translates as the press";
}

TEST(KeyCodes, ScancodesMapToVirtualKeysAndDirectInputCodes) {
  const struct {
    SDL_Scancode scancode;
    BYTE virtualKey;
    BYTE dik;
    bool extended;
  } cases[] = {
      {SDL_SCANCODE_ESCAPE, VK_ESCAPE, 0x01, false}, {SDL_SCANCODE_1, '1', 0x02, false},
      {SDL_SCANCODE_0, '0', 0x0B, false},            {SDL_SCANCODE_Q, 'Q', 0x10, false},
      {SDL_SCANCODE_A, 'A', 0x1E, false},            {SDL_SCANCODE_M, 'M', 0x32, false},
      {SDL_SCANCODE_SPACE, VK_SPACE, 0x39, false},   {SDL_SCANCODE_F10, VK_F1 + 9, 0x44, false},
      {SDL_SCANCODE_F11, VK_F1 + 10, 0x57, false},   {SDL_SCANCODE_UP, VK_UP, 0xC8, true},
      {SDL_SCANCODE_LEFT, VK_LEFT, 0xCB, true},      {SDL_SCANCODE_RIGHT, VK_RIGHT, 0xCD, true},
      {SDL_SCANCODE_DOWN, VK_DOWN, 0xD0, true},      {SDL_SCANCODE_KP_ENTER, VK_RETURN, 0x9C, true},
      {SDL_SCANCODE_RCTRL, VK_RCONTROL, 0x9D, true}, {SDL_SCANCODE_UNKNOWN, 0, 0, false},
  };
  for (const auto& c : cases) {
    const Platform::KeyCodes codes = Platform::KeyCodesOf(c.scancode);
    EXPECT_EQ(codes.virtualKey, c.virtualKey) << SDL_GetScancodeName(c.scancode);
    EXPECT_EQ(codes.dik, c.dik) << SDL_GetScancodeName(c.scancode);
    EXPECT_EQ(codes.extended, c.extended) << SDL_GetScancodeName(c.scancode);
  }
  EXPECT_EQ(Platform::GenericVirtualKey(VK_RSHIFT), VK_SHIFT);
  EXPECT_EQ(Platform::GenericVirtualKey(VK_LMENU), VK_MENU);
  EXPECT_EQ(Platform::GenericVirtualKey('A'), 'A');
}
