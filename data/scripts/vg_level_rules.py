"""The rules every level shares: a spell places one of the objects of its kind that the level put
aside (disabled) beforehand, sized by the stroke; a level is won when every living character has
gone out through the portal, and lost when none can any more: all are dead, or a portal's
time_limit (seconds of a character's life, 0 for none) has run out.

A stroke arrives as the world box under it: its centre x, y and its width and height. People aim
at what they see, so a bridge and a wall come to rest on the ground the stroke was drawn against
rather than exactly where the stroke's box lies:
- a bridge is the plank under an arch whose feet stand on the two edges of a gap. Its top comes to
  the height of the ground at its ends: for each end, the ground top nearest to the arch's feet
  among the solids under the end or within GROUND_MARGIN of it sideways, and within the arch's
  height plus GROUND_MARGIN of the feet, above or below. When the two ends find ground at different
  heights the plank rests on the higher (as a plank laid over both would); when only one end finds
  ground it rests on that; when neither does it lies where the arch's feet are.
- a wall stands on the ground under it: the ground top nearest to the stroke's lower end within
  WALL_REACH of it, above or below, among the solids its width stands over; it keeps the stroke's
  height. With no ground in reach it stays where it was drawn.
No spell is wider or taller than the view, and none smaller than MIN_HALF.

Nothing is kept between calls: everything is read from the world dictionary handed in.
"""
from vg_objects import ACTOR, BRIDGE, FRAME_WALL_NAMES, GROUP, PORTAL, SIMPLE, WALL

# The smallest wall and bridge a stroke makes, in world units (half sizes).
MIN_HALF = 0.02
# The largest: half the view, so no stroke makes a spell wider or taller than the view.
MAX_HALF = 0.5
# How far beside a bridge's end, and beyond its arch's height, the ground it stands on may be.
GROUND_MARGIN = 0.04
# How far a wall's lower end may stop short of the ground, or go into it, and still stand on it: a
# walker's height, since a wall ending closer than that above the ground blocks the walkers anyway.
WALL_REACH = 0.1
# What a spell can stand on: the level's ground and blocks, and bridges and walls already placed.
GROUND_TYPES = (SIMPLE, GROUP, BRIDGE, WALL)


def half_size(extent):
    return min(MAX_HALF, max(MIN_HALF, 0.5 * extent))


def grounds(world, exclude):
    for kind in GROUND_TYPES:
        for solid in world.get(kind, ()):
            if solid.is_enable and solid is not exclude and solid.name not in FRAME_WALL_NAMES:
                yield solid


def nearest_top(world, exclude, left, right, level, reach):
    """The top nearest to level, within reach of it, of the solids that reach from left to right
    or beyond on both sides; None when there is none."""
    tops = [solid.y for solid in grounds(world, exclude)
            if solid.x <= right and solid.x + 2.0 * solid.w >= left and abs(solid.y - level) <= reach]
    return min(tops, key=lambda top: abs(top - level), default=None)


def place_bridge(world, bridge, x, y, width, height):
    bridge.w = half_size(width)
    feet = y + 0.5 * height
    reach = height + GROUND_MARGIN
    ends = [nearest_top(world, bridge, end - GROUND_MARGIN, end + GROUND_MARGIN, feet, reach)
            for end in (x - bridge.w, x + bridge.w)]
    found = [top for top in ends if top is not None]
    bridge.x = x - bridge.w
    bridge.y = min(found) if found else feet


def place_wall(world, wall, x, y, height):
    wall.h = half_size(height)
    bottom = y + wall.h
    ground = nearest_top(world, wall, x - wall.w, x + wall.w, bottom, WALL_REACH)
    wall.x = x - wall.w
    wall.y = (ground if ground is not None else bottom) - 2.0 * wall.h


def process_tool(world, game_object_type, x, y, width, height):
    spare = next((thing for thing in world.get(game_object_type, ()) if not thing.is_enable), None)
    if spare is None:
        return False
    if game_object_type == WALL:
        place_wall(world, spare, x, y, height)
    elif game_object_type == BRIDGE:
        place_bridge(world, spare, x, y, width, height)
    else:
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
