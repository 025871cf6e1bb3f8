#include "Platform/Win32Keyboard.h"

#include <cstring>

namespace {

bool Held(const BYTE* state, UINT key) { return (state[key] & 0x80) != 0; }
bool Toggled(const BYTE* state, UINT key) { return (state[key] & 0x01) != 0; }

struct PunctuationKey {
  UINT key;
  char plain;
  char shifted;
};

// US layout: the punctuation keys and the digits' shifted signs.
const PunctuationKey kPunctuation[] = {
    {VK_OEM_1, ';', ':'},      {VK_OEM_PLUS, '=', '+'},  {VK_OEM_COMMA, ',', '<'}, {VK_OEM_MINUS, '-', '_'},
    {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},     {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},
    {VK_OEM_5, '\\', '|'},     {VK_OEM_6, ']', '}'},     {VK_OEM_7, '\'', '"'},
};
const char kShiftedDigits[] = ")!@#$%^&*(";

// The character of the key, or 0 for none.
int Translate(UINT key, const BYTE* state) {
  const bool shift = Held(state, VK_SHIFT);
  const bool control = Held(state, VK_CONTROL) && !Held(state, VK_MENU);
  if (key >= 'A' && key <= 'Z') {
    if (control) return static_cast<int>(key - 'A' + 1);
    const bool upper = shift != Toggled(state, VK_CAPITAL);
    return static_cast<int>(upper ? key : key - 'A' + 'a');
  }
  if (key >= '0' && key <= '9') return shift ? kShiftedDigits[key - '0'] : static_cast<int>(key);
  for (const PunctuationKey& punctuation : kPunctuation) {
    if (punctuation.key == key) return shift ? punctuation.shifted : punctuation.plain;
  }
  if (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9) return static_cast<int>('0' + key - VK_NUMPAD0);
  switch (key) {
    case VK_SPACE:
      return ' ';
    case VK_RETURN:
      return control ? '\n' : '\r';
    case VK_BACK:
      return control ? 0x7F : 0x08;
    case VK_TAB:
      return '\t';
    case VK_ESCAPE:
      return 0x1B;
    case VK_MULTIPLY:
      return '*';
    case VK_ADD:
      return '+';
    case VK_SUBTRACT:
      return '-';
    case VK_DECIMAL:
      return '.';
    case VK_DIVIDE:
      return '/';
    default:
      return 0;
  }
}

}  // namespace

int ToAscii(UINT virtualKey, UINT /*scanCode*/, const BYTE* keyState, WORD* character, UINT /*flags*/) {
  if (keyState == nullptr || character == nullptr || virtualKey > 0xFF) return 0;
  const int translated = Translate(virtualKey, keyState);
  if (translated == 0) return 0;
  *character = static_cast<WORD>(translated);
  return 1;
}
