"""The rules every level shares: a spell places one of the objects of its kind that the level put
aside (disabled) beforehand, sized by the stroke; a level is won when every living character has
gone out through the portal, and lost when none can any more: all are dead, or a portal's
time_limit (seconds of a character's life, 0 for none) has run out.

Nothing is kept between calls: everything is read from the world dictionary handed in.
"""
from vg_objects import ACTOR, BRIDGE, PORTAL, WALL

# The smallest wall and bridge a stroke makes, in world units (half sizes).
MIN_HALF = 0.02


def process_tool(world, game_object_type, x, y, width, height):
    spare = next((thing for thing in world.get(game_object_type, ()) if not thing.is_enable), None)
    if spare is None:
        return False
    if game_object_type == WALL:
        spare.h = max(MIN_HALF, 0.5 * height)
    elif game_object_type == BRIDGE:
        spare.w = max(MIN_HALF, 0.5 * width)
    spare.x = x - spare.w
    spare.y = y - spare.h
    spare.start_using()
    return True


def characters(world):
    return [thing for thing in world.get(ACTOR, ()) if thing.is_actor]


def is_done(world):
    living = [actor for actor in characters(world) if actor.islife]
    return bool(living) and all(actor.is_out for actor in living)


def time_limit(world):
    limits = [portal.time_limit for portal in world.get(PORTAL, ()) if portal.time_limit > 0.0]
    return min(limits) if limits else float("inf")


def is_failed(world):
    limit = time_limit(world)
    walking = [actor for actor in characters(world) if actor.islife and not actor.is_out]
    if any(actor.life_time >= limit for actor in walking):
        return True
    everyone = characters(world)
    return bool(everyone) and not any(actor.islife for actor in everyone)
