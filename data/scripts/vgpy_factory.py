"""The game's script module: every game object's behaviour, the collision rules and the level rules.

The program calls create, getGameObjectStateStr, create_sprite_info and create_dispatcher, the
methods and attributes of the objects these make, and the level functions process_tool, is_done
and is_failed. Time comes only as the step dt (seconds) handed in; nothing here reads a clock or
draws random numbers, so a level plays the same way every time.
"""

# Game-object types: the program's numbers, the names object files use.
GAME_OBJECT_TYPES = {
    "VGGOT_SIMPLE": 0,
    "VGGOT_ACTOR": 1,
    "VGGOT_BRIDGE": 2,
    "VGGOT_LIFT": 3,
    "VGGOT_PORTAL": 4,
    "VGGOT_TELEPORT": 5,
    "VGGOT_WALL": 6,
    "VGGOT_MONSTR": 7,
    "VGGOT_OUTTELEPORT": 8,
    "VGGOT_LETHAL": 9,
    "VGGOT_GROUP": 10,
    "VGGOT_WINDLEFT": 15,
    "VGGOT_WINDRIGHT": 16,
}
ACTOR = GAME_OBJECT_TYPES["VGGOT_ACTOR"]
PORTAL = GAME_OBJECT_TYPES["VGGOT_PORTAL"]
MONSTR = GAME_OBJECT_TYPES["VGGOT_MONSTR"]
LETHAL = GAME_OBJECT_TYPES["VGGOT_LETHAL"]

# Types whose objects never move; the world steps them but does not integrate them.
STATIC_TYPES = {0, 2, 6, 9, 15, 16}

# State numbers to the state names object files give their sprites.
STATE_NAMES = ("idle", "walk", "dead")
IDLE, WALK, DEAD = range(len(STATE_NAMES))

# What an actor hits, and the sound the world plays for it (names of the sound manager's table).
SOUND_OF_CONTACT = {PORTAL: "Portal", LETHAL: "Kill", MONSTR: "Kill"}
WALK_SPEED = 0.1


class SpriteInfo:
    """One sprite of a state as the scripts see it: screen position and size, texture rectangle,
    visibility, flips and the animation's direction and phase."""

    def __init__(self, name, posx, posy, width, height, tex_x, tex_y, tex_w, tex_h,
                 enable, flip_h, flip_v, anim_inv, scale_x, scale_y):
        self.name = name
        self.posx, self.posy, self.width, self.height = posx, posy, width, height
        self.tex_x, self.tex_y, self.tex_w, self.tex_h = tex_x, tex_y, tex_w, tex_h
        self.enable, self.flip_h, self.flip_v, self.anim_inv = enable, flip_h, flip_v, anim_inv
        self.scale_x, self.scale_y = scale_x, scale_y
        self.anim_offset = 0.0


class GameObject:
    """A game object's script: the attributes the program reads and writes every tick, and the
    sprites of each state."""

    def __init__(self, type_name, game_object_type):
        self.name = ""
        self.type_name = type_name
        self.gameObjectType = game_object_type
        self.x = self.y = 0.0
        self.vel_x = self.vel_y = 0.0
        self.w = self.h = 0.0
        self.mass = 1.0
        self.frc_x = self.frc_y = 0.0
        self.state = IDLE
        self.is_enable = True
        self.gravity_action = False
        self.is_static = game_object_type in STATIC_TYPES
        self.is_actor = game_object_type == ACTOR
        self.is_portal = game_object_type == PORTAL
        self.is_monstr = game_object_type == MONSTR
        self.islife = True
        self.life_time = 0.0
        self.sprites = {}

    def can_update(self):
        return self.is_enable

    def do_update(self, dt, now_ms, world):
        if not (self.is_actor and self.islife):
            return None
        self.life_time += dt
        if self.vel_x == 0.0:
            self.vel_x = WALK_SPEED
        self.state = WALK
        return None

    def can_render(self):
        return bool(self.sprites.get(STATE_NAMES[self.state]))

    def reset_force_acc(self):
        self.frc_x = self.frc_y = 0.0

    def add_state_sprite(self, state_name, sprite_info):
        self.sprites.setdefault(state_name, []).append(sprite_info)

    def update_sprites_state(self, state_name, scroll_x, scroll_y):
        records = self.sprites.get(state_name, [])
        for record in records:
            record.posx, record.posy = self.x + scroll_x, self.y + scroll_y
            record.width, record.height = 2.0 * self.w, 2.0 * self.h
        return records

    def die(self):
        self.islife = False
        self.is_enable = False
        self.state = DEAD


class Dispatcher:
    """Decides, for two touching objects, whether the world pushes them apart, and names the
    contact's sound."""

    def __init__(self):
        self.sound_fx = ""

    def run(self, first, second, point_x, point_y, depth, normal_x, normal_y, world):
        self.sound_fx = ""
        for actor, other in ((first, second), (second, first)):
            if not actor.is_actor:
                continue
            sound = SOUND_OF_CONTACT.get(other.gameObjectType, "")
            if sound:
                self.sound_fx = sound
                if other.gameObjectType != PORTAL:
                    actor.die()
                return False
        return True


def create(type_name):
    if type_name not in GAME_OBJECT_TYPES:
        raise ValueError("unknown game object type name %r" % (type_name,))
    return GameObject(type_name, GAME_OBJECT_TYPES[type_name])


def getGameObjectStateStr(state):
    if not 0 <= state < len(STATE_NAMES):
        raise ValueError("unknown game object state %r" % (state,))
    return STATE_NAMES[state]


def create_sprite_info(*values):
    return SpriteInfo(*values)


def create_dispatcher():
    return Dispatcher()


# Level rules. This first version has no level of its own yet: no tool is applied, and no level
# is won or lost by the rules.
def process_tool(world, game_object_type, x, y, width, height):
    return False


def is_done(world):
    return False


def is_failed(world):
    return False
