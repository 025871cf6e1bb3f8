"""A stand-in for the game's module whose every method returns at once: what the world's tick
costs through the bridge alone, without the scripts' own work."""


class Thing:
    def __init__(self, type_number):
        self.name = ""
        self.gameObjectType = type_number
        self.x = self.y = self.vel_x = self.vel_y = self.w = self.h = self.frc_x = self.frc_y = 0.0
        self.mass = 1.0
        self.state = 0
        self.is_enable = True
        self.gravity_action = type_number in (1, 7)
        self.is_static = type_number not in (1, 4, 7)
        self.is_actor = type_number == 1
        self.is_portal = type_number == 4
        self.is_monstr = type_number == 7
        self.islife = True

    def can_update(self):
        return True

    def do_update(self, dt, now, world):
        return None

    def can_render(self):
        return False

    def reset_force_acc(self):
        return None

    def add_state_sprite(self, state, record):
        return None

    def update_sprites_state(self, state, scroll_x, scroll_y):
        return []


class Dispatcher:
    sound_fx = ""

    def run(self, first, second, px, py, depth, nx, ny, world):
        return True


TYPES = {"VGGOT_SIMPLE": 0, "VGGOT_ACTOR": 1, "VGGOT_BRIDGE": 2, "VGGOT_LIFT": 3, "VGGOT_PORTAL": 4,
         "VGGOT_TELEPORT": 5, "VGGOT_WALL": 6, "VGGOT_MONSTR": 7, "VGGOT_OUTTELEPORT": 8, "VGGOT_LETHAL": 9,
         "VGGOT_GROUP": 10, "VGGOT_WINDLEFT": 15, "VGGOT_WINDRIGHT": 16}


def create(type_name):
    return Thing(TYPES[type_name])


def getGameObjectStateStr(state):
    return "idle"


def create_sprite_info(*values):
    return None


def create_dispatcher():
    return Dispatcher()
