"""The game's script module: every game object's behaviour, the collision rules and the level rules.

The program calls create, getGameObjectStateStr, create_sprite_info and create_dispatcher, the
methods and attributes of the objects these make, and the level functions process_tool, is_done
and is_failed. Time comes only as the step dt (seconds) handed in; nothing here reads a clock or
draws random numbers, so a level plays the same way every time.
"""
from vg_objects import create, create_dispatcher, create_sprite_info, getGameObjectStateStr  # noqa: F401


# Level rules. No level uses them yet: no tool is applied, and no level is won or lost by them.
def process_tool(world, game_object_type, x, y, width, height):
    return False


def is_done(world):
    return False


def is_failed(world):
    return False
