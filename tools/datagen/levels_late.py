"""The last third of the main pack, from level15: wide levels whose spells come in sequence and
on time, with scrolling to reach their far parts."""
from levels import Level, block, characters, ground, monster, out_teleport, portal, spikes


LEVELS = [
    # A wind carries the walkers over the narrow crack; the wide gap beyond needs the bridge, so
    # spending the bridge on the crack strands them.
    Level("level15", "Gale Steps", 2.0, 18.0, "BACKDROP_STORM", ["VGTT_WINDRIGHT", "VGTT_BRIDGE"],
          [ground(0.0, 0.8), ground(0.95, 1.35), ground(1.65, 2.0), portal(1.85)] + characters(0.4),
          spares=1),
    # A monster comes along the walkers' meadow: a wind turns it and drives it off into the gap,
    # and only then may the gap be bridged.
    Level("level16", "The Prowler's Turn", 2.5, 26.0, "BACKDROP_MOOR",
          ["VGTT_WALL", "VGTT_WINDRIGHT", "VGTT_BRIDGE"],
          [ground(0.0, 1.2), ground(1.45, 2.5), monster(0.95, facing=-1), portal(2.35)] + characters(0.3), pos_x=0.1,
          spares=1),
    # Walkers bound for the spikes are sent up to a high ledge; a wall on its brink turns them and a
    # bridge carries them to the spire with the portal.
    Level("level17", "Spire Gate", 2.5, 30.0, "BACKDROP_CLIFFS", ["VGTT_TELEPORT", "VGTT_WALL", "VGTT_BRIDGE"],
          [ground(0.0, 1.0), spikes(0.0), block(1.0, 2.0, 0.4, 0.5), block(2.3, 2.5, 0.4, 0.5),
           out_teleport(1.9, 0.4), portal(2.38, 0.4)] + characters(0.7, facing=-1),
          pos_x=0.3, spares=1),
    # Walkers bound for the spikes are sent up to the far ledge; a monster prowls the portal's side of
    # its crack, and the wind that carries the walkers over must wait until it has fallen.
    Level("level18", "Veil and Gale", 2.6, 21.0, "BACKDROP_STORM", ["VGTT_TELEPORT", "VGTT_WINDLEFT"],
          [ground(0.0, 1.1), spikes(0.0), block(1.2, 1.65, 0.4, 0.5), block(1.8, 2.55, 0.4, 0.5),
           monster(1.35, facing=1, top=0.4), out_teleport(2.45, 0.4), portal(1.22, 0.4)]
          + characters(0.9, facing=-1),
          spares=1),
    # A monster is bound for the spiked pit the walkers reach first: a wind turns them back until it
    # has fallen, then a bridge.
    Level("level19", "Hold the Gale", 2.5, 34.0, "BACKDROP_STORM", ["VGTT_WINDLEFT", "VGTT_BRIDGE"],
          [ground(0.0, 0.8), block(0.8, 1.05, 0.95), spikes(0.825, 0.95), ground(1.05, 2.5), monster(1.5, facing=-1),
           portal(2.3)] + characters(0.55),
          spares=1),
]
