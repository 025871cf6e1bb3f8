"""The levels and the two level packs, in the engine's XML, in data/Levels/.

A level places objects of the kinds in data/gameobjects/ (by their Name) at world positions: one
unit is the view's width or height, y grows downwards, a position is an object's top-left corner.
Every level places the three characters, a portal, ground, and the spare, disabled objects its
spells will put in place. A portal's time_limit is the level's play time, written from that one
value; and no character starts left of the level's first view, hidden behind the frame's panel.
"""
import os
from dataclasses import dataclass, field

GROUND_TOP = 0.8
GROUND_HALF_HEIGHT = 0.075
CHARACTER_HEIGHT = 0.1
CHARACTER_WIDTH = 0.05
CHARACTERS = ("Tovemmar", "Gribbanoddle", "Weskaroon")
TOOLS = {
    "VGTT_WALL": "VGGOT_WALL",
    "VGTT_BRIDGE": "VGGOT_BRIDGE",
    "VGTT_WINDRIGHT": "VGGOT_WINDRIGHT",
    "VGTT_WINDLEFT": "VGGOT_WINDLEFT",
    "VGTT_TELEPORT": "VGGOT_TELEPORT",
}
SPARE_OF_TOOL = {"VGTT_WALL": "Wall", "VGTT_BRIDGE": "Bridge", "VGTT_WINDRIGHT": "WindRight",
                 "VGTT_WINDLEFT": "WindLeft", "VGTT_TELEPORT": "Teleport"}
# Where spare objects wait, out of every view, until a spell places them.
SPARE_PLACE = (0.1, -0.6)


@dataclass
class Placed:
    name: str
    x: float
    y: float
    half: tuple = None
    attributes: list = field(default_factory=list)


@dataclass
class Level:
    name: str
    title: str                  # what the level is about, for whoever makes levels; the player sees its number
    size_x: float
    play_time: float
    backdrop: str
    tools: list
    objects: list
    pos_x: float = 0.0
    spares: int = 2
    sun: bool = True
    with_help: bool = False


def ground(left, right, top=GROUND_TOP):
    half_width = (right - left) / 2.0
    return Placed("Ground", left, top, (half_width, GROUND_HALF_HEIGHT))


def characters(first_x, facing=1, top=GROUND_TOP, gap=0.09, speed=None):
    """The three characters in a row, standing a hair above the ground so that they settle on it;
    speed, when given, replaces their walking speed (world units a second)."""
    row = [walker(name, first_x - facing * i * gap, facing, top) for i, name in enumerate(CHARACTERS)]
    if speed is not None:
        for placed in row:
            placed.attributes.append(("speed", f"{speed:g}", "Double"))
    return row


# The first two levels teach a spell each while the teacher talks: their walkers go slower, so that a
# newcomer who reads the tip first still has seven seconds or more to draw.
TEACHING_SPEED = 0.07


def block(left, right, top, bottom=1.0):
    """Ground as a solid from top down to bottom: a cliff, a ledge or a shaft wall."""
    return Placed("Ground", left, top, ((right - left) / 2.0, (bottom - top) / 2.0))


def portal(x, top=GROUND_TOP):
    """A portal; the level gives it its play time as time_limit."""
    return Placed("Portal", x, top - 0.12)


def walker(name, x, facing=1, top=GROUND_TOP):
    """A character or a monster standing a hair above its floor, so that it settles on it."""
    attributes = [("direction", str(facing), "Long")] if facing != 1 else []
    return Placed(name, x, top - CHARACTER_HEIGHT - 0.005, None, attributes)


def monster(x, facing=1, top=GROUND_TOP):
    return walker("Monster", x, facing, top)


def spikes(x, top=GROUND_TOP):
    """Spikes of their own width lying on a floor whose top is top."""
    return Placed("Spikes", x, top - 0.04)


def out_teleport(x, top=GROUND_TOP):
    return Placed("OutTeleport", x, top - 0.12)


# The teaching levels, one spell each; the chapters after them live in modules of their own.
LEVELS = [
    # A pit ends the meadow on the right: a wall turns the walkers back to the portal on the left.
    # The walkers start at the view's left edge and the pit lies at its right edge, as far apart as
    # the first view allows.
    Level("level01", "The Turning Stone", 1.5, 60.0, "BACKDROP_MOOR", ["VGTT_WALL"],
          [ground(0.03, 1.34), portal(0.12)] + characters(0.64, gap=0.07, speed=TEACHING_SPEED), pos_x=0.5,
          with_help=True),
    # A gap lies between the walkers and the portal: a bridge spans it. The gap lies at the first
    # view's right edge, for the same reason.
    Level("level02", "Over the Gap", 1.6, 60.0, "BACKDROP_CLIFFS", ["VGTT_BRIDGE"],
          [ground(0.0, 1.0), ground(1.28, 1.6), portal(1.42)] + characters(0.5, speed=TEACHING_SPEED), pos_x=0.3,
          with_help=True),
    # The walkers head for the spikes on the left; a wind turns them and carries them over a crack.
    Level("level03", "windstorm", 1.6, 60.0, "BACKDROP_STORM", ["VGTT_WINDRIGHT"],
          [ground(0.0, 1.0), ground(1.06, 1.6), spikes(0.02),
           portal(1.42)] + characters(0.7, facing=-1), pos_x=0.3, with_help=True),
    # The same meadow seen from the other side: the spikes on the right, the portal beyond a crack on the left.
    Level("level04", "Westering Gale", 1.6, 60.0, "BACKDROP_CLIFFS", ["VGTT_WINDLEFT"],
          [ground(0.0, 0.54), ground(0.6, 1.6), spikes(1.38),
           portal(0.08)] + characters(0.85), pos_x=0.3, with_help=True),
    # A cliff shuts the walkers in a hollow; a teleport sends them up to the ledge with the portal.
    Level("level05", "Through the Veil", 1.6, 90.0, "BACKDROP_MOOR", ["VGTT_TELEPORT"],
          [ground(0.0, 0.9), Placed("Ground", 0.9, 0.35, (0.05, 0.275)), ground(1.0, 1.6, 0.45),
           out_teleport(1.1, 0.45), portal(1.45, 0.45)] + characters(0.5), pos_x=0.3,
          with_help=True),
]

BONUS_LEVELS = [
    # A monster prowls the far meadow across a gap: hold the walkers back with a wall until it has
    # fallen, then send them over (a teleport, or a bridge and a second wall).
    Level("bonus01", "Moonlit Prowler", 2.0, 90.0, "BACKDROP_STORM", ["VGTT_WALL", "VGTT_BRIDGE", "VGTT_TELEPORT"],
          [ground(0.0, 0.8), ground(1.05, 2.0),
           monster(1.6, facing=-1), out_teleport(1.2), portal(1.9)] + characters(0.5)),
]


def vector(element, x, y):
    return f'<{element} X="{x:g}" Y="{y:g}" Z="0"></{element}>'


def placed_xml(placed, level):
    inner = vector("Position", placed.x, placed.y)
    if placed.half:
        inner += vector("HalfSize", *placed.half)
    attributes = placed.attributes
    if placed.name == "Portal":
        attributes = attributes + [("time_limit", f"{level.play_time:g}", "Double")]
    if attributes:
        inner += "<Attributes>" + "".join(
            f'<A Name="{name}" Value="{value}" Type="{kind}"></A>' for name, value, kind in attributes) + \
            "</Attributes>"
    return f'      <Obj Name="{placed.name}">{inner}</Obj>\n'


def check_characters_in_first_view(level):
    for placed in level.objects:
        if placed.name in CHARACTERS and placed.x < level.pos_x:
            raise ValueError(f"{level.name}: {placed.name} at x {placed.x:g} starts left of the first view, behind "
                             f"the frame's panel (the view starts at {level.pos_x:g})")


def backdrop_xml(level):
    white = "4294967295"
    return (
        f'      <Item><Sprite ColorLU="{white}" ColorRU="{white}" ColorLD="{white}" ColorRD="{white}" Angle="0" '
        f'CoordAligment="1" WithTransform="0" FlipHorizontal="0" FlipVertical="0" XScaleFactor="1" '
        f'YScaleFactor="1"><Position X="0" Y="0" Width="{level.size_x:g}" Height="1"></Position>'
        f'<TexCoords X="0" Y="0" Width="1" Height="1"></TexCoords><Mesh Name="backdrop">'
        f'<Material CullMode="1" FillMode="3" AlphaBlend="0" SrcBlend="5" DstBlend="6" ZWrite="0" Lighting="0" '
        f'IsFogEnable="0"><Textures Texture1="{level.backdrop}"></Textures></Material></Mesh></Sprite></Item>\n')


def help_attribute(level):
    return f' Help="Levels\\help\\{level.name}.xml"' if level.with_help else ""


CHAPTER_LEVELS = 10


def shown_number(name):
    """What the player reads for a level, on the frame's small plate and in the map's tooltip: its chapter and
    place ("1-1" to "3-10"), or "B-" and its place among the bonus levels."""
    place = int(name[-2:])
    if name.startswith("bonus"):
        return "B-%d" % place
    return "%d-%d" % ((place - 1) // CHAPTER_LEVELS + 1, (place - 1) % CHAPTER_LEVELS + 1)


def level_xml(level):
    check_characters_in_first_view(level)
    tools = "".join(f'    <Tool ToolType="{tool}" GameObject="{TOOLS[tool]}"></Tool>\n' for tool in level.tools)
    spares = [Placed(SPARE_OF_TOOL[tool], *SPARE_PLACE) for tool in level.tools for _ in range(level.spares)]
    objects = "".join(placed_xml(placed, level) for placed in level.objects + spares)
    return (
        '<?xml version="1.0" encoding="windows-1251"?>\n'
        f'<Level Name="{level.name}" ShowName="{shown_number(level.name)}" SizeX="{level.size_x:g}" SizeY="1" '
        f'PosX="{level.pos_x:g}" PosY="0" PlayTime="{level.play_time:g}" Sun="{int(level.sun)}"{help_attribute(level)}>\n'
        f'  <Tools>\n{tools}  </Tools>\n'
        f'  <World>\n    <GameObjects>\n{objects}    </GameObjects>\n'
        f'    <BackGround>\n{backdrop_xml(level)}    </BackGround>\n  </World>\n'
        '</Level>\n')


def pack_xml(levels):
    entries = "".join(f'  <Level Path="Levels\\{level.name}.xml" Name="{level.name}"></Level>\n' for level in levels)
    return f'<?xml version="1.0" encoding="windows-1251"?>\n<LevelPack>\n{entries}</LevelPack>\n'


def write(data, main_levels, bonus_levels):
    folder = os.path.join(data, "Levels")
    os.makedirs(folder, exist_ok=True)
    for level in main_levels + bonus_levels:
        with open(os.path.join(folder, level.name + ".xml"), "w") as out:
            out.write(level_xml(level))
    for file, levels in (("levelpack.xml", main_levels), ("bonuslevelpack.xml", bonus_levels)):
        with open(os.path.join(folder, file), "w") as out:
            out.write(pack_xml(levels))
