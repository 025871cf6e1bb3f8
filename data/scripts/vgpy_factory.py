"""The game's script module: every game object's behaviour, the collision rules and the level rules.

The program calls create, getGameObjectStateStr, create_sprite_info and create_dispatcher, the
methods and attributes of the objects these make, and the level functions process_tool, is_done
and is_failed. Time comes only as the step dt (seconds) handed in; nothing here reads a clock or
draws random numbers, so a level plays the same way every time.
"""
from vg_level_rules import is_done, is_failed, process_tool  # noqa: F401
from vg_objects import create, create_dispatcher, create_sprite_info, getGameObjectStateStr  # noqa: F401
