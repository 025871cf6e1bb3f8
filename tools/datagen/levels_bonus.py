"""The bonus levels after bonus01, for a player who has mastered every spell: each turns one idea
of the game inside out (winds alone, teleports alone, a monster at the walkers' heels, lifts,
a long scrolling road, a short clock)."""
from levels import GROUND_TOP, Level, Placed, characters, ground, monster, out_teleport, portal, spikes, walker


def lift_motion(travel_x, travel_y, speed):
    return [("travel_x", f"{travel_x:g}", "Double"), ("travel_y", f"{travel_y:g}", "Double"),
            ("lift_speed", f"{speed:g}", "Double")]


def shelf(left, right, top, half_height=0.03):
    """A thin floor, so that walkers can pass beneath it."""
    return Placed("Ground", left, top, ((right - left) / 2.0, half_height))


def pillar(x, top, half_width=0.05, bottom=1.0):
    """A block of ground from top down to the level's foot: a cliff face the walkers turn at."""
    half_height = (bottom - top) / 2.0
    return Placed("Ground", x, top, (half_width, half_height))


def bonus_level(name, show_name, size_x, play_time, backdrop, tools, portal_at, objects, **options):
    """A level whose portal stands at (x,) or (x, top)."""
    x, top = (portal_at + (GROUND_TOP,))[:2]
    return Level(name, show_name, size_x, play_time, backdrop, tools, [portal(x, top)] + objects,
                 **options)


BONUS_LEVELS = [
    # Two walk left, one walks right, each towards spikes, with the portal on an island between
    # them: each side needs a wind of its own to turn it and a second to carry it over its crack.
    bonus_level("bonus02", "Crosswinds", 2.2, 20.0, "BACKDROP_STORM", ["VGTT_WINDRIGHT", "VGTT_WINDLEFT"], (1.15,),
                [ground(0.0, 0.95), ground(1.1, 1.3), ground(1.45, 2.2), spikes(0.02), spikes(1.98),
                 walker("Tovemmar", 1.5), walker("Gribbanoddle", 0.7, -1), walker("Weskaroon", 0.79, -1)],
                pos_x=0.65),
    # Each walker paces a hollow of its own; the one way out is the out-teleport on the ledge, with
    # spikes behind it and the portal ahead. A walker keeps its way through a teleport, so each
    # teleport must meet its walker walking right; the middle hollow's spikes leave one pass for it.
    bonus_level("bonus03", "Veil Hopping", 2.5, 40.0, "BACKDROP_MOOR", ["VGTT_TELEPORT"], (2.25, 0.45),
                [ground(0.0, 0.45), pillar(0.45, 0.6), ground(0.55, 1.15), pillar(1.15, 0.6), ground(1.25, 1.7),
                 pillar(1.7, 0.6), ground(1.8, 2.5, 0.45), spikes(0.57), spikes(1.85, 0.45),
                 out_teleport(2.07, 0.45), walker("Tovemmar", 0.2), walker("Gribbanoddle", 0.8),
                 walker("Weskaroon", 1.45, -1)],
                pos_x=0.2, spares=3),
    # The longest road of the game: from spikes at its start over two gaps and down a stair to a lower
    # meadow, where the portal hides beneath the last shelf and spikes wait at the far end.
    bonus_level("bonus04", "The Long Road", 3.5, 40.0, "BACKDROP_CLIFFS", ["VGTT_WINDRIGHT", "VGTT_BRIDGE", "VGTT_WALL"],
                (2.05,),
                [ground(0.0, 0.65, 0.5), ground(0.85, 1.1, 0.5), ground(1.25, 1.6, 0.5), shelf(1.6, 2.0, 0.53),
                 shelf(2.0, 2.6, 0.56), ground(1.9, 3.5), spikes(0.02, 0.5), spikes(3.28)] +
                characters(0.45, facing=-1, top=0.5),
                spares=2),
    # A monster stalks the walkers from the portal's side. Walked back now, they would meet it; a
    # bridge over the crack ahead would let it follow them. A wind carries them over and is spent by
    # the time the slower monster comes to the crack and falls; only then may a bridge lead back.
    bonus_level("bonus05", "Hunter's Moon", 1.8, 28.0, "BACKDROP_STORM", ["VGTT_WINDRIGHT", "VGTT_BRIDGE", "VGTT_WALL"],
                (0.02,), [ground(0.0, 0.75), ground(0.9, 1.8), spikes(1.58), monster(0.24)] + characters(0.5),
                spares=1),
    # Dusk: the play time is too short to walk the road, and the two winds that carry the walkers over
    # the cracks are not enough to save it; a wind that has died down blows again where it is drawn
    # anew, so the same two must be spent again and again to hurry the walkers along.
    bonus_level("bonus06", "Last Light", 1.6, 8.5, "BACKDROP_MOOR", ["VGTT_WINDRIGHT"], (1.45,),
                [ground(0.0, 0.5), ground(0.65, 1.05), ground(1.2, 1.6)] + characters(0.25),
                pos_x=0.05),
    # Three floors, spikes at the far end of the two lower ones, and only walls. The wall on the middle
    # floor must be short: drawn down to the ground, it would also bar the way to the portal below.
    bonus_level("bonus07", "Cascade", 1.6, 36.0, "BACKDROP_CLIFFS", ["VGTT_WALL"], (1.45,),
                [shelf(0.0, 0.8, 0.3), shelf(0.4, 1.6, 0.55), ground(0.0, 1.6), spikes(1.38, 0.55), spikes(0.02)] +
                characters(0.35, top=0.3)),
    # The walkers start on a wide lift bound for the high ledge, but walk off its end long before it
    # gets there. Walls at both ends keep them aboard; the one facing the ledge must be low enough for
    # the lift to carry them over it, the other high enough never to let them off backwards.
    bonus_level("bonus08", "Sky Lift", 1.6, 30.0, "BACKDROP_CLIFFS", ["VGTT_WALL"], (1.4, 0.3),
                [ground(0.0, 0.5), Placed("Lift", 0.5, GROUND_TOP, (0.2, 0.02), lift_motion(0.0, -0.72, 0.05)),
                 shelf(0.92, 1.6, 0.3)] + characters(0.75)),
    # The walkers have split up: one heads left for a crack before the portal, two head right for
    # the spikes, one of them on a shelf above the other. There is one wall for the two: it must be
    # drawn tall enough to stand in both their ways.
    bonus_level("bonus09", "Parted Ways", 1.6, 20.0, "BACKDROP_MOOR", ["VGTT_WALL", "VGTT_BRIDGE"], (0.05,),
                [ground(0.0, 0.25), ground(0.35, 1.6), shelf(0.5, 1.35, 0.5), spikes(1.38),
                 walker("Tovemmar", 0.9, top=0.5), walker("Gribbanoddle", 0.6, -1), walker("Weskaroon", 0.75)],
                pos_x=0.2, spares=1),
    # Every spell once, in turn: a wind turns the walkers from the spikes, a bridge takes them over the
    # gap, a teleport at the foot of the cliff lifts them to the heights, a wall there turns them from
    # the spikes and a wind back the other way carries them over the crack to the portal.
    bonus_level("bonus10", "Storm Crown", 3.0, 24.0, "BACKDROP_STORM",
                ["VGTT_WINDRIGHT", "VGTT_BRIDGE", "VGTT_TELEPORT", "VGTT_WALL", "VGTT_WINDLEFT"], (2.35, 0.5),
                [ground(0.0, 0.75), ground(0.9, 2.3), pillar(2.3, 0.5, half_width=0.125), ground(2.65, 3.0, 0.5),
                 spikes(0.02), spikes(2.79, 0.5), out_teleport(2.68, 0.5)] + characters(0.45, facing=-1),
                spares=1),
]
