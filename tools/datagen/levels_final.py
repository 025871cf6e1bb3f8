"""The main pack's closing chapter, from level20: every spell the player has learnt, against monsters,
spikes, lifts and out-teleports, on a tighter clock and across wider levels."""
from levels import Level, Placed, block, characters, ground, monster, out_teleport, portal, spikes
from levels_bonus import lift_motion, shelf
from levels_middle import lift, spike_bed

LEVELS = [
    # A monster paces a shelf above the walkers' road and drops into it at the shelf's open end: a
    # wall there keeps it overhead for good, while a wind turns the walkers from the thorns.
    Level("level20", "Prowler Overhead", 2.2, 19.0, "BACKDROP_STORM", ["VGTT_WALL", "VGTT_WINDRIGHT"],
          [ground(0.0, 1.9), spikes(0.02), shelf(1.3, 1.9, 0.55), block(1.9, 2.2, 0.45),
           monster(1.75, facing=-1, top=0.55), portal(1.6)] + characters(0.7, facing=-1), spares=1),
    # The out-teleport stands on a tower between the portal and a bed of thorns, and the walkers leave it
    # the way they entered the veil: they must be turned before it, so that they step off towards the portal.
    Level("level21", "Falling Veil", 2.6, 20.0, "BACKDROP_CLIFFS", ["VGTT_WALL", "VGTT_TELEPORT"],
          [ground(0.0, 1.0), spikes(0.02), ground(1.3, 2.6), block(1.9, 2.05, 0.4, 0.8), spike_bed(2.05, 2.5),
           out_teleport(1.95, 0.4), portal(1.45)] + characters(0.5), spares=1),
    # A lift sinks from the high ledge to a tunnel beneath an overhang, the one way down: a wall turns
    # the walkers from the thorns towards the shaft, and a wind carries them over the crack the tunnel ends in.
    Level("level22", "Lowering Stone", 2.8, 31.0, "BACKDROP_CLIFFS", ["VGTT_WALL", "VGTT_WINDRIGHT"],
          [block(0.0, 0.9, 0.4, 0.95), spikes(0.02, 0.4), lift(0.9, 0.8, -0.4, 0.07), block(1.1, 1.6, 0.35, 0.6),
           ground(1.1, 2.0), ground(2.15, 2.8), portal(2.6)] + characters(0.6, facing=-1, top=0.4),
          spares=1),
    # A monster paces the ledge the out-teleport stands on: a wind carries the walkers over the crack, and the
    # veil goes in at the thorns, reached only once the monster has passed the out-teleport on its way to the
    # pit; a veil drawn sooner along the meadow sends them into its path.
    Level("level23", "Guarded Veil", 2.8, 22.0, "BACKDROP_STORM", ["VGTT_WINDRIGHT", "VGTT_TELEPORT"],
          [ground(0.0, 0.9), ground(1.0, 2.1), spikes(1.9), block(2.3, 2.8, 0.4), monster(2.5, top=0.4),
           out_teleport(2.33, 0.4), portal(2.65, 0.4)] + characters(0.3), spares=1),
    # The walkers leave the high ledge over a pit of thorns; the crag beyond it is as high as the ledge and
    # thorny on top, so a plank at the ledge's height is a trap: only one hung low, at the tunnel's floor,
    # catches them as they fall and leads them beneath the crag, where a wind carries them over the crack.
    Level("level24", "Plunge Beneath", 2.6, 24.0, "BACKDROP_MOOR", ["VGTT_BRIDGE", "VGTT_WINDRIGHT"],
          [block(0.0, 0.7, 0.45), block(0.7, 1.25, 0.9), spike_bed(0.7, 1.25, 0.9), block(1.25, 1.85, 0.45, 0.6),
           spikes(1.5, 0.45), ground(1.25, 1.85), ground(2.0, 2.6), portal(2.35)] + characters(0.35, top=0.45),
          spares=1),
    # A ferry shuttles over the thorn pit and meets the ledge only now and then; walkers that come to the
    # brink while it is away fall. A wind sends them back and a wall before the thorns turns them again:
    # where the wall stands and when the wind blows decide whether they come back in time to board.
    Level("level25", "Thorn Ferry", 2.6, 28.0, "BACKDROP_STORM", ["VGTT_WALL", "VGTT_WINDLEFT"],
          [block(0.0, 0.9, 0.45), spikes(0.02, 0.45), block(0.9, 1.6, 0.9), spike_bed(0.9, 1.6, 0.9),
           block(1.6, 2.6, 0.45), Placed("Lift", 0.9, 0.45, (0.25, 0.02), lift_motion(0.2, 0.0, 0.03)),
           portal(2.0, 0.45)] + characters(0.5, top=0.45), spares=1),
]
