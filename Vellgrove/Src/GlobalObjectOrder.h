// Where each of the game's process-wide objects stands in the order of construction. The logger is
// built first (priority 101) and released last; the game's objects follow it in this order and are
// released in the reverse, so that every exit-time destructor may still log. A global takes its
// place with __attribute__((init_priority(...))) on its definition.
#pragma once

namespace Vellgrove {

enum GlobalObjectOrder {
  VGORDER_USER_PROFILE_MANAGER = 102,
  VGORDER_LEVEL_PACK = 103,
  VGORDER_BONUS_LEVEL_PACK = 104,
  VGORDER_SOUND_MANAGER = 105,
  VGORDER_FONT_GLYPHS = 106,
  VGORDER_CONFIGURATION_STRINGS = 107,
  VGORDER_TEXT_MANAGER = 108,
  VGORDER_SPRITE_CREATOR_VIEWPORT = 109,
  VGORDER_SCRIPT_FACTORY = 110,
  VGORDER_AUTO_ID = 115,
  VGORDER_SCRIPT_MEMBER_NAMES = 116
};

}  // namespace Vellgrove
