"""The main pack's middle levels, from level06: after the five teaching levels, two spells at a time,
then monsters and spikes, then lifts against a tighter clock.

Every level is wider than the view, so its far side is reached by scrolling. The helpers below
only add the sizes, attributes and resting heights that levels.py's helpers leave to the caller.
"""
from levels import GROUND_TOP, Level, Placed, block, characters, ground, monster, out_teleport, portal

# The bottom of a cliff block: deep enough that a crack beside it is a fall out of the level.
CLIFF_BOTTOM = 0.95


def cliff(left, right, top):
    """A block of rock from top down to the level's floor, standing for a raised ledge."""
    return block(left, right, top, CLIFF_BOTTOM)


def spike_bed(left, right, top=GROUND_TOP):
    """A bed of spikes lying on a floor whose top is top."""
    return Placed("Spikes", left, top - 0.04, ((right - left) / 2.0, 0.02))


def lift(x, top, travel_y, speed):
    """A lift whose top starts at top and rides travel_y down (up when negative) and back."""
    return Placed("Lift", x, top, None, [("travel_y", f"{travel_y:g}", "Double"), ("lift_speed", f"{speed:g}", "Double")])


LEVELS = [
    # A pit ends the meadow on the right, a gap cuts off the portal on the left: a wall turns the
    # walkers back, a plank takes them over.
    Level("level06", "Plank and Stone", 2.0, 40.0, "BACKDROP_MOOR", ["VGTT_WALL", "VGTT_BRIDGE"],
          [ground(0.0, 0.55), ground(0.8, 1.8), portal(0.15)] + characters(1.35), pos_x=1.0, spares=1),
    # The walkers head for the pit on the left; a wind turns them, a plank spans the wide gap. A
    # plank over the pit instead only sends them back to the gap with nothing left to span it.
    Level("level07", "Gale Crossing", 2.4, 45.0, "BACKDROP_STORM", ["VGTT_WINDRIGHT", "VGTT_BRIDGE"],
          [ground(0.25, 1.55), ground(2.0, 2.4), portal(2.25)] + characters(0.75, facing=-1), spares=1),
    # A veil lifts the walkers out of the hollow onto the high ledge, where they walk away from the
    # portal towards the brink: a wall turns them home.
    Level("level08", "The High Veil", 2.6, 50.0, "BACKDROP_CLIFFS", ["VGTT_WALL", "VGTT_TELEPORT"],
          [ground(0.0, 1.05), cliff(1.05, 2.35, 0.45), out_teleport(1.3, 0.45), portal(1.1, 0.45)]
          + characters(0.3), spares=1),
    # The veil leaves the walkers beside a crack, facing the brink: only a wind blowing the moment
    # they arrive turns them and carries them over to the portal.
    Level("level09", "Backdraft", 2.0, 40.0, "BACKDROP_STORM", ["VGTT_WINDLEFT", "VGTT_TELEPORT"],
          [ground(0.0, 1.0), cliff(1.0, 1.4, 0.45), cliff(1.5, 1.85, 0.45), out_teleport(1.6, 0.45),
           portal(1.1, 0.45)] + characters(0.55, facing=-1), spares=1),
    # A monster prowls a pen sunk in the path to the portal: a wall turns the walkers from the pit,
    # a plank carries them over the pen, out of its reach.
    Level("level10", "Fangs Below", 2.2, 40.0, "BACKDROP_MOOR", ["VGTT_WALL", "VGTT_BRIDGE"],
          [ground(0.0, 0.5), ground(0.5, 0.9, 0.95), ground(0.9, 2.0), monster(0.6, top=0.95),
           portal(0.15)] + characters(1.6), pos_x=1.2, spares=1),
    # Thorns at the left end, a crack to the right: a wall turns the walkers from the thorns, and the
    # one wind must blow as they reach the crack. Spending the wind on the thorns leaves the crack.
    Level("level11", "Thornfield", 2.4, 40.0, "BACKDROP_CLIFFS", ["VGTT_WALL", "VGTT_WINDRIGHT"],
          [ground(0.0, 1.5), ground(1.58, 2.4), spike_bed(0.05, 0.25), portal(2.2)]
          + characters(0.8, facing=-1), spares=1),
    # The walkers drop from the ledge into the meadow a monster roams: a wall, raised while the
    # monster is on the far side, cages it there; a plank spans the thorn trench on the ledge.
    Level("level12", "The Cage", 2.5, 38.0, "BACKDROP_STORM", ["VGTT_WALL", "VGTT_BRIDGE"],
          [cliff(0.0, 0.8, 0.5), ground(0.8, 1.0, 0.7), spike_bed(0.8, 1.0, 0.7), cliff(1.0, 1.3, 0.5),
           ground(1.3, 2.5), monster(2.42, facing=-1), portal(1.42)] + characters(0.5, facing=-1, top=0.5),
          pos_x=0.45, spares=1),
    # A monster comes down the meadow at the walkers, who head for the thorns: a veil beyond the
    # portal sends the monster over the void, where it falls, and a wall turns the walkers.
    Level("level13", "Exile", 2.6, 30.0, "BACKDROP_MOOR", ["VGTT_WALL", "VGTT_TELEPORT"],
          [ground(0.0, 2.1), cliff(2.1, 2.4, 0.6), spike_bed(0.03, 0.2), monster(1.75, facing=-1),
           Placed("OutTeleport", 2.45, 0.4), portal(1.12)] + characters(0.85, facing=-1),
          pos_x=0.6, spares=1),
    # A lift sinks below the meadow, takes the walkers on and rises past the cliff top. A tall wall
    # on the meadow's brink, raised once they are all aboard, keeps them on it; on top a plank spans
    # the gap. Raised sooner, it shuts them out of the shaft.
    Level("level14", "Rising Stone", 2.6, 50.0, "BACKDROP_CLIFFS", ["VGTT_WALL", "VGTT_BRIDGE"],
          [ground(0.0, 1.0), lift(1.01, 0.35, 0.6, 0.04), cliff(1.22, 1.8, 0.45), cliff(2.05, 2.6, 0.45),
           portal(2.4, 0.45)] + characters(0.3, facing=-1), spares=1),
]
