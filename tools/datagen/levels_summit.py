"""The main pack's last five levels, level26 to level30: the hardest combinations of the game, each
with three spells or more against monsters, spikes, lifts and out-teleports, across levels wider
than the view."""
from levels import Level, block, characters, ground, monster, out_teleport, portal, spikes
from levels_bonus import shelf
from levels_middle import lift, spike_bed

LEVELS = [
    # A monster walks off a ledge hung over the walkers' meadow: a teleport drawn in the air beneath
    # the brink snares it as it falls and drops it on the thorn shelf in the sky; a wall turns the
    # walkers from the spikes, a bridge spans the gap to the portal.
    Level("level26", "Snare in the Sky", 2.4, 31.0, "BACKDROP_STORM", ["VGTT_TELEPORT", "VGTT_WALL", "VGTT_BRIDGE"],
          [ground(0.0, 1.9), ground(2.1, 2.4), spikes(0.02), block(1.0, 1.4, 0.4, 0.52), block(0.0, 0.2, 0.3, 0.4),
           spikes(0.0, 0.3), out_teleport(0.07, 0.3), monster(1.3, facing=-1, top=0.4), portal(2.25)]
          + characters(0.7, facing=-1), spares=1),
    # A lift brings a monster down from the heights on the walkers' heels: a teleport before the
    # spikes sends them up out of its reach, a wall on the ledge's brink turns them from the shaft
    # and a bridge spans the crack before the portal.
    Level("level27", "Warden's Hoist", 2.6, 31.0, "BACKDROP_CLIFFS", ["VGTT_TELEPORT", "VGTT_WALL", "VGTT_BRIDGE"],
          [ground(0.0, 1.0), spikes(0.02), lift(1.0, 0.4, 0.4, 0.05), block(1.2, 2.1, 0.4), block(2.3, 2.6, 0.4),
           monster(1.6, facing=-1, top=0.4), out_teleport(1.3, 0.4), portal(2.47, 0.4)] + characters(0.4),
          pos_x=0.22, spares=1),
    # The chasm is too wide for one wind and there is no bridge: two winds drawn in the air, one
    # after the other, carry the walkers over at the ledges' height. A wall turns them from the thorns
    # first, and below the far shelf a wind turns them from the spikes back to the portal beneath it.
    Level("level28", "Windborne Span", 2.7, 33.0, "BACKDROP_STORM", ["VGTT_WALL", "VGTT_WINDRIGHT", "VGTT_WINDLEFT"],
          [block(0.0, 0.9, 0.5), spikes(0.02, 0.5), shelf(1.2, 2.1, 0.53), ground(1.2, 2.7), spikes(2.48),
           portal(1.4)] + characters(0.6, facing=-1, top=0.5), pos_x=0.3, spares=2),
    # A monster walks off a ledge hung over the meadow into the walkers' way: a bridge drawn beneath
    # the brink catches it and leads it off over the thorn pit. A wall turns the walkers from the
    # spikes, and on their way home a wind carries them over the pit the monster fell into.
    Level("level29", "The Awning", 2.8, 43.0, "BACKDROP_MOOR", ["VGTT_BRIDGE", "VGTT_WALL", "VGTT_WINDLEFT"],
          [ground(0.0, 0.5), block(0.5, 0.62, 0.95), spike_bed(0.5, 0.62, 0.95), ground(0.62, 2.8), spikes(2.58),
           block(1.2, 1.8, 0.35, 0.47), monster(1.3, facing=-1, top=0.35), portal(0.12)] + characters(0.9),
          spares=1),
    # The finale: a teleport drawn at once in the monster's path drops it, still walking away, into
    # the gap below the ledge, and later lifts the walkers there; a wall turns them from the spikes,
    # a bridge spans the chasm, and below the far shelf a wind turns them from the spikes home.
    Level("level30", "Tempest's End", 3.6, 38.0, "BACKDROP_STORM",
          ["VGTT_WALL", "VGTT_TELEPORT", "VGTT_BRIDGE", "VGTT_WINDLEFT"],
          [ground(0.0, 1.4), spikes(0.02), monster(1.32, facing=-1), block(1.6, 2.55, 0.4), out_teleport(1.65, 0.4),
           shelf(2.8, 3.3, 0.4), ground(2.9, 3.6), spikes(3.4), portal(2.95)] + characters(0.6, facing=-1),
          pos_x=0.3, spares=1),
]
