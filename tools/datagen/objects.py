"""The game objects' files: one engine-XML file per kind in data/gameobjects/, the object list
that registers them, and their picture sheets.

Sizes are in world units (one unit is the view's width or height). Every box has Z 0, since z
takes part in the overlap test; everything that must not be pushed around has mass 0.
"""
import os
from dataclasses import dataclass, field

import dds
import objects_art

LIST_FILE = "quessaworldNEW.xml"
WHITE = "4294967295"

# How a sheet is shown in each state: frames per second, 0 holding the first frame.
STANDING = 0.0
WALKING = 8.0
PULSING = 6.0


@dataclass
class Kind:
    name: str
    type_name: str
    texture: str
    half: tuple
    render_order: int
    enabled: bool = True
    gravity: bool = False
    mass: float = 0.0
    states: dict = field(default_factory=lambda: {"idle": STANDING})
    attributes: list = field(default_factory=list)


def walker_states():
    return {"idle": STANDING, "walk": WALKING, "dead": STANDING}


def character(name, texture):
    return Kind(name, "VGGOT_ACTOR", texture, (0.025, 0.05), 30, gravity=True, mass=1.0, states=walker_states(),
                attributes=[("speed", "0.1", "Double")])


KINDS = [
    character("Tovemmar", "TOVEMMAR"),
    character("Gribbanoddle", "GRIBBANODDLE"),
    character("Weskaroon", "WESKAROON"),
    Kind("Monster", "VGGOT_MONSTR", "MONSTER", (0.03, 0.05), 28, gravity=True, mass=1.0, states=walker_states(),
         attributes=[("speed", "0.06", "Double")]),
    Kind("Ground", "VGGOT_SIMPLE", "GROUND", (0.5, 0.075), 10),
    Kind("Lift", "VGGOT_LIFT", "LIFT", (0.1, 0.02), 12,
         attributes=[("travel_x", "0", "Double"), ("travel_y", "0.3", "Double"), ("lift_speed", "0.05", "Double")]),
    Kind("Wall", "VGGOT_WALL", "WALL", (0.02, 0.15), 14, enabled=False),
    Kind("Bridge", "VGGOT_BRIDGE", "BRIDGE", (0.15, 0.015), 14, enabled=False),
    Kind("WindLeft", "VGGOT_WINDLEFT", "WIND", (0.1, 0.1), 40, enabled=False, states={"idle": PULSING, "walk": PULSING},
         attributes=[("blow_time", "3", "Double"), ("wind_speed", "0.3", "Double")]),
    Kind("WindRight", "VGGOT_WINDRIGHT", "WIND", (0.1, 0.1), 40, enabled=False,
         states={"idle": PULSING, "walk": PULSING},
         attributes=[("blow_time", "3", "Double"), ("wind_speed", "0.3", "Double")]),
    Kind("Teleport", "VGGOT_TELEPORT", "TELEPORT", (0.03, 0.06), 16, enabled=False, states={"idle": PULSING}),
    Kind("OutTeleport", "VGGOT_OUTTELEPORT", "OUTTELEPORT", (0.03, 0.06), 16, states={"idle": PULSING}),
    Kind("Portal", "VGGOT_PORTAL", "PORTAL", (0.05, 0.06), 18, states={"idle": PULSING}),
    Kind("Spikes", "VGGOT_LETHAL", "SPIKES", (0.1, 0.02), 12),
    Kind("Group", "VGGOT_GROUP", None, (0.0, 0.0), 10),
]


def frames_of(texture):
    for name, _, horizontal, vertical, _ in objects_art.SHEETS:
        if name == texture:
            return horizontal, vertical
    raise KeyError(texture)


def sprite_xml(kind, state, speed):
    width, height = 2.0 * kind.half[0], 2.0 * kind.half[1]
    horizontal, vertical = frames_of(kind.texture)
    return (
        f'        <Sprite ColorLU="{WHITE}" ColorRU="{WHITE}" ColorLD="{WHITE}" ColorRD="{WHITE}" Angle="0" '
        f'CoordAligment="1" WithTransform="1" FlipHorizontal="0" FlipVertical="0" XScaleFactor="1" '
        f'YScaleFactor="1">\n'
        f'          <Position X="0" Y="0" Width="{width:g}" Height="{height:g}"></Position>\n'
        f'          <TexCoords X="0" Y="0" Width="1" Height="1"></TexCoords>\n'
        f'          <Mesh Name="{kind.name}_{state}">\n'
        f'            <Material CullMode="1" FillMode="3" AlphaBlend="1" SrcBlend="5" DstBlend="6" ZWrite="0" '
        f'Lighting="0" IsFogEnable="0">\n'
        f'              <Textures Texture1="{kind.texture}">\n'
        f'                <Filtration1 IsBilinear="1" IsTrilinear="0" IsAnisotropic="0"></Filtration1>\n'
        f'                <Animation Name="{kind.name}_{state}" Type="FRAME" TextureName="{kind.texture}" '
        f'FrameHorizontal="{horizontal}" FrameVertical="{vertical}" AnimationSpeed="{speed:g}" Inverse="0">'
        f'</Animation>\n'
        f'              </Textures>\n'
        f'            </Material>\n'
        f'          </Mesh>\n'
        f'        </Sprite>\n')


def object_xml(kind):
    states = ""
    for state, speed in kind.states.items():
        sprite = sprite_xml(kind, state, speed) if kind.texture else ""
        states += f'    <State Name="{state}">\n{sprite}    </State>\n'
    attributes = "".join(f'    <Attribute Name="{name}" Value="{value}" Type="{kind_of}"></Attribute>\n'
                         for name, value, kind_of in kind.attributes)
    return (
        '<?xml version="1.0" encoding="windows-1251"?>\n'
        f'<GameObject Name="{kind.name}" IsEnable="{int(kind.enabled)}" GravityAction="{int(kind.gravity)}" '
        f'GameObjectType="{kind.type_name}" RenderOrder="{kind.render_order}">\n'
        f'  <Tile ID="0" GeomType="0">\n'
        f'    <HalfSize X="{kind.half[0]:g}" Y="{kind.half[1]:g}" Z="0"></HalfSize>\n'
        f'    <Body ID="0" Mass="{kind.mass:g}">\n'
        f'      <Position X="0" Y="0" Z="0"></Position>\n'
        f'      <Velocity X="0" Y="0" Z="0"></Velocity>\n'
        f'    </Body>\n'
        f'  </Tile>\n'
        f'  <States>\n{states}  </States>\n'
        f'  <Attributes>\n{attributes}  </Attributes>\n'
        '</GameObject>\n')


def file_name(kind):
    return kind.name.lower() + ".xml"


def list_xml():
    entries = "".join(f'  <Obj file="{file_name(kind)}"></Obj>\n' for kind in KINDS)
    return f'<?xml version="1.0" encoding="windows-1251"?>\n<world directory="gameobjects">\n{entries}</world>\n'


def texture_entries():
    """The texture list's entries for the sheets, as (name, path)."""
    return [(name, "gameobjects\\" + file) for name, file, _, _, _ in objects_art.SHEETS]


def write(data):
    folder = os.path.join(data, "gameobjects")
    os.makedirs(folder, exist_ok=True)
    for kind in KINDS:
        with open(os.path.join(folder, file_name(kind)), "w") as out:
            out.write(object_xml(kind))
    with open(os.path.join(folder, LIST_FILE), "w") as out:
        out.write(list_xml())
    for _, file, _, _, paint in objects_art.SHEETS:
        dds.write(os.path.join(folder, file), paint(), "dxt5")
