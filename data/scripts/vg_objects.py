"""What every kind of game object is and does, and what happens when two of them touch.

Coordinates are the world's: one unit is the width (x) or height (y) of the view, y grows
downwards, and an object's x, y is the top-left corner of its box, w and h half its extent. The
program steps each object with do_update, then hands every overlapping pair to the dispatcher's
run, pass after pass while they overlap; run answers whether the world pushes the pair apart.
Time comes only as dt: a step with dt 0 (the frame's first, or the score screen's) changes
nothing, so a level plays the same way every time.
"""

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
SIMPLE = GAME_OBJECT_TYPES["VGGOT_SIMPLE"]
ACTOR = GAME_OBJECT_TYPES["VGGOT_ACTOR"]
BRIDGE = GAME_OBJECT_TYPES["VGGOT_BRIDGE"]
LIFT = GAME_OBJECT_TYPES["VGGOT_LIFT"]
PORTAL = GAME_OBJECT_TYPES["VGGOT_PORTAL"]
TELEPORT = GAME_OBJECT_TYPES["VGGOT_TELEPORT"]
WALL = GAME_OBJECT_TYPES["VGGOT_WALL"]
MONSTR = GAME_OBJECT_TYPES["VGGOT_MONSTR"]
OUTTELEPORT = GAME_OBJECT_TYPES["VGGOT_OUTTELEPORT"]
LETHAL = GAME_OBJECT_TYPES["VGGOT_LETHAL"]
GROUP = GAME_OBJECT_TYPES["VGGOT_GROUP"]
WINDLEFT = GAME_OBJECT_TYPES["VGGOT_WINDLEFT"]
WINDRIGHT = GAME_OBJECT_TYPES["VGGOT_WINDRIGHT"]

# What carries and blocks the walkers.
SOLID_TYPES = {SIMPLE, BRIDGE, LIFT, WALL, GROUP}
WIND_DIRECTION = {WINDLEFT: -1, WINDRIGHT: 1}
# Everything but the walkers and the portal stays where the level or a spell puts it.
STATIC_TYPES = SOLID_TYPES | {TELEPORT, OUTTELEPORT, LETHAL, WINDLEFT, WINDRIGHT}

STATE_NAMES = ("idle", "walk", "dead")
IDLE, WALK, DEAD = range(len(STATE_NAMES))

# A sideways touch this close below a walker's feet is the top of the next block of a floor.
SEAM = 0.01
# A walker steps up onto a ledge whose top is at most this far above its feet (about 15 pixels,
# a fifth of its height): the seams between blocks, a bridge settled a little above the ground.
STEP_HEIGHT = 0.02
FRAME_WALL_NAMES = ("WallFrameLeft", "WallFrameRight")


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
    """The attributes the program reads and writes every tick, and the sprites of each state. On
    its own it is a solid, a lethal tile, an out-teleport or a group parent: it only stands there."""

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
        self.is_out = False
        self.life_time = 0.0
        self.direction = 1
        self.time_limit = 0.0
        self.sprites = {}

    def can_update(self):
        return self.is_enable

    def do_update(self, dt, now_ms, world):
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
            record.flip_h = self.direction < 0
        return records

    def bottom(self):
        return self.y + 2.0 * self.h

    def start_using(self):
        """A spell has put it in place."""
        self.is_enable = True


class Walker(GameObject):
    """A character or a monster: walks its way at its speed, turns at what blocks it, is carried by
    wind, and dies falling below the level."""

    def __init__(self, type_name, game_object_type):
        super().__init__(type_name, game_object_type)
        self.gravity_action = True
        self.speed = 0.1
        # The wind touching it in this tick: its speed (0 for none) and way.
        self.wind_push = 0.0
        self.wind_direction = 0
        # The way of the wind that carried it in the last tick, 0 for none.
        self.held_by_wind = 0

    def do_update(self, dt, now_ms, world):
        if dt <= 0.0 or not self.islife or not self.is_enable:
            return None
        if self.y > level_bottom(world):
            self.die()
            return None
        self.life_time += dt
        self.held_by_wind = self.wind_direction if self.wind_push > 0.0 else 0
        if self.wind_push > 0.0:
            self.vel_x = self.wind_direction * self.wind_push
            self.vel_y = min(self.vel_y, 0.0)
            self.wind_push = 0.0
        else:
            self.vel_x = self.direction * self.speed
        self.state = WALK
        return None

    def turn(self):
        # The velocity is left to the world's sideways response, which throws the walker back.
        self.direction = -self.direction

    def die(self):
        self.islife = False
        self.is_enable = False
        self.vel_x = self.vel_y = 0.0
        self.state = DEAD

    def leave(self):
        self.is_out = True
        self.is_enable = False
        self.vel_x = self.vel_y = 0.0


class Wind(GameObject):
    """Blows its way for blow_time seconds once a spell has placed it, then stops."""

    def __init__(self, type_name, game_object_type):
        super().__init__(type_name, game_object_type)
        self.direction = WIND_DIRECTION[game_object_type]
        self.blow_time = 3.0
        self.wind_speed = 0.3
        self.blown = 0.0

    def start_using(self):
        super().start_using()
        self.blown = 0.0

    def do_update(self, dt, now_ms, world):
        if dt <= 0.0 or not self.is_enable:
            return None
        self.blown += dt
        self.state = WALK
        if self.blown >= self.blow_time:
            self.is_enable = False
        return None


class Lift(GameObject):
    """Goes from where the level put it travel_x, travel_y further and back, at lift_speed."""

    def __init__(self, type_name, game_object_type):
        super().__init__(type_name, game_object_type)
        self.travel_x = 0.0
        self.travel_y = 0.3
        self.lift_speed = 0.05
        self.travelled = 0.0
        self.start = None

    def do_update(self, dt, now_ms, world):
        if dt <= 0.0:
            return None
        if self.start is None:
            self.start = (self.x, self.y)
        length = (self.travel_x ** 2 + self.travel_y ** 2) ** 0.5
        if length == 0.0:
            return None
        self.travelled = (self.travelled + self.lift_speed * dt) % (2.0 * length)
        along = self.travelled if self.travelled <= length else 2.0 * length - self.travelled
        self.x = self.start[0] + self.travel_x * along / length
        self.y = self.start[1] + self.travel_y * along / length
        return None


class Group(GameObject):
    """A solid made of its children: they are drawn in its state, it has no sprites of its own."""

    def can_render(self):
        return True


def level_bottom(world):
    """The lower end of the level's frame walls; without them nothing falls out."""
    for thing in world.get(SIMPLE, ()):
        if thing.name in FRAME_WALL_NAMES:
            return thing.bottom()
    return float("inf")


def first_out_teleport(world):
    for thing in world.get(OUTTELEPORT, ()):
        if thing.is_enable:
            return thing
    return None


class Dispatcher:
    """Decides, for two touching objects, whether the world pushes them apart, and names the sound
    of what just happened (none for a resting contact)."""

    def __init__(self):
        self.sound_fx = ""

    def run(self, first, second, point_x, point_y, depth, normal_x, normal_y, world):
        self.sound_fx = ""
        for walker, other, sign in ((first, second, 1), (second, first, -1)):
            if isinstance(walker, Walker):
                return self.walker_touches(walker, other, sign * normal_x, sign * normal_y, world)
        return other_pairs_respond(first, second)

    def walker_touches(self, walker, other, normal_x, normal_y, world):
        """normal points from the walker towards the other object."""
        kind = other.gameObjectType
        if isinstance(other, Walker):
            return self.walkers_meet(walker, other)
        if kind in SOLID_TYPES:
            return self.against_solid(walker, other, normal_x, normal_y)
        if kind == LETHAL:
            return self.event(walker.die, "Kill")
        if kind == PORTAL:
            return self.event(walker.leave, "Portal") if walker.is_actor else False
        if kind == TELEPORT:
            return self.teleport(walker, world)
        if kind in WIND_DIRECTION:
            self.caught_by_wind(walker, other)
        return False

    def caught_by_wind(self, walker, wind):
        # A wind turns a walker its way when it catches it, not again while it carries it: one held
        # against a wall turns there once and stays turned.
        if walker.held_by_wind != wind.direction:
            walker.direction = wind.direction
        walker.wind_push = wind.wind_speed
        walker.wind_direction = wind.direction

    def walkers_meet(self, one, other):
        for monster, victim in ((one, other), (other, one)):
            if monster.is_monstr and victim.is_actor and victim.islife:
                return self.event(victim.die, "Tooth")
        return False

    def against_solid(self, walker, solid, normal_x, normal_y):
        if normal_x == 0.0:
            return True
        rise = walker.bottom() - solid.y
        if -SEAM <= rise <= STEP_HEIGHT:
            walker.y -= max(rise, 0.0)
            return False
        if walker.direction == normal_x:
            walker.turn()
            self.sound_fx = "Collide"
        return True

    def teleport(self, walker, world):
        target = first_out_teleport(world)
        if target is None:
            return False
        walker.x = target.x + target.w - walker.w
        walker.y = target.bottom() - 2.0 * walker.h
        walker.vel_y = 0.0
        self.sound_fx = "TeleGo"
        return False

    def event(self, action, sound):
        action()
        self.sound_fx = sound
        return False


def other_pairs_respond(first, second):
    """Pairs without a walker: the portal floats through everything, anything else meets solids."""
    return not (first.is_portal or second.is_portal)


KINDS = {ACTOR: Walker, MONSTR: Walker, LIFT: Lift, WINDLEFT: Wind, WINDRIGHT: Wind, GROUP: Group}


def create(type_name):
    if type_name not in GAME_OBJECT_TYPES:
        raise ValueError("unknown game object type name %r" % (type_name,))
    game_object_type = GAME_OBJECT_TYPES[type_name]
    return KINDS.get(game_object_type, GameObject)(type_name, game_object_type)


def getGameObjectStateStr(state):
    if not 0 <= state < len(STATE_NAMES):
        raise ValueError("unknown game object state %r" % (state,))
    return STATE_NAMES[state]


def create_sprite_info(*values):
    return SpriteInfo(*values)


def create_dispatcher():
    return Dispatcher()
