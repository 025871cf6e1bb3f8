"""Makes every picture of the game's data set, the font texture and its glyph table.

Run through tools/make-data.sh; the output is the same, byte for byte, at every run.
"""
import os
import re
import sys

from PIL import Image

import art
import dds
import font
import level_packs
import loading
import map_art
import map_layout
import map_preview
import menu_art
import score_art
import objects
import preview
import buttons_art
import comics_art
import gamemenu_art
import hud_art
import splash
import story_art
import sprites_art
import trainer_art
import trophies_art
import world_art

# Pictures drawn on the screen rather than in the world: the tutorial, the frame around a level,
# the game's own sprites and the level's buttons, all in Res/.
SCREEN_ART = [trainer_art, hud_art, sprites_art, buttons_art]
# Made by the build as well, into folders of their own under Res.
BUILT_ART = [menu_art, map_art, trophies_art, score_art, comics_art, story_art, gamemenu_art]


def make_black(data):
    # The fader and the splash write their alpha into the first four texels of level 0: exactly one row of four.
    dds.write(os.path.join(data, "Res", "black.dds"), Image.new("RGBA", (4, 1), (0, 0, 0, 255)), "argb")


def make_font(data):
    # Anti-aliased coverage survives block compression well: a quarter of the size, no visible change.
    texture = font.make_font(os.path.join(data, "Res", "font.xml"))
    dds.write(os.path.join(data, "Res", "font.dds"), texture, "dxt5")


def make_loading(data):
    folder = os.path.join(data, "Loading")
    # Opaque and large: block-compressed; the rune and the bar keep soft edges in DXT5's alpha.
    dds.write(os.path.join(folder, "background.dds"), art.full_screen_texture(loading.background()), "dxt1")
    dds.write(os.path.join(folder, "animation.dds"), loading.rune_sheet(), "dxt5")
    dds.write(os.path.join(folder, "active.dds"), loading.bar(filled=True), "dxt5")
    dds.write(os.path.join(folder, "passive.dds"), loading.bar(filled=False), "dxt5")


def make_splash(data):
    for name, paint in splash.PICTURES:
        dds.write(os.path.join(data, "splash", name), art.full_screen_texture(paint()), "dxt1")


def make_objects(data):
    objects.write(data)


def make_world(data):
    # Pointers, angels and skeletons are small and keep soft edges; backdrops are opaque and large.
    for _, file, paint in world_art.SHEETS:
        dds.write(os.path.join(data, "Res", file), paint(), "dxt5")
    for _, file, paint in world_art.BACKDROPS:
        dds.write(os.path.join(data, "Levels", file), paint(), "dxt1")


def make_screen_art(data):
    for module in SCREEN_ART:
        for _, file, paint in module.SHEETS:
            dds.write(os.path.join(data, "Res", file), paint(), "dxt5")


def make_levels(data):
    level_packs.write(data)


def make_menu(data):
    # The build makes these too (tools/datagen/CMakeLists.txt); here they come along so that one run remakes all.
    menu_art.main(os.path.join(data, "Res", "menu"))


def make_map(data):
    # The pictures, as the build makes them too; the map files, after the level packs they count.
    map_art.main(os.path.join(data, "Res", "map"))
    map_layout.write(data)


def make_trophies(data):
    # The pictures, as the build makes them too, and the descriptions the screen shows.
    trophies_art.main(os.path.join(data, "Res", "trophies"))
    trophies_art.write_descriptions(data)


def make_score(data):
    score_art.main(os.path.join(data, "Res", "score"))


def make_game_menu(data):
    gamemenu_art.main(os.path.join(data, "Res", "gamemenu"))


def make_story(data):
    # The intro's pages and the final cut-scene's pictures, as the build makes them too, and the intro file.
    story_art.main(os.path.join(data, "Res", "story"))
    story_art.write_intro(data)


def make_comics(data):
    # The panels, as the build makes them too, and the pack and comics files that show them.
    comics_art.main(os.path.join(data, "Res", "comics"))
    comics_art.write_comics(data)


def set_link_width(data):
    """The game centres the menu's player-change link by the width its caption was drawn at; only those two
    values of config.xml change, the rest of the file stays byte for byte."""
    path = os.path.join(data, "config.xml")
    with open(path, "rb") as file:
        config = file.read()
    sized = f'<ifthis width="{menu_art.IFTHIS_WIDTH!r}" texwidth="{menu_art.IFTHIS_TEXWIDTH!r}">'.encode("cp1251")
    config, count = re.subn(rb'<ifthis width="[^"]*" texwidth="[^"]*">', sized, config)
    if count != 1:
        raise ValueError(f"{path}: {count} ifthis elements, not one")
    with open(path, "wb") as file:
        file.write(config)


def world_textures():
    return [(name, "Res\\" + file) for name, file, _ in world_art.SHEETS] + \
        [(name, "Levels\\" + file) for name, file, _ in world_art.BACKDROPS] + \
        [(name, "Res\\" + file) for module in SCREEN_ART + BUILT_ART for name, file, _ in module.SHEETS]


# The texture list: what the game loads at start, by name.
BASE_TEXTURES = [("BLACK", "Res\\black.dds"), ("FONT", "Res\\font.dds")]


def make_texture_list(data):
    entries = "".join(f'  <Texture Name="{name}" Path="{path}" MipLevels="1"></Texture>\n'
                      for name, path in BASE_TEXTURES + objects.texture_entries() + world_textures())
    with open(os.path.join(data, "textures.xml"), "w") as out:
        out.write(f'<?xml version="1.0" encoding="windows-1251"?>\n<Textures>\n{entries}</Textures>\n')


STEPS = [make_black, make_font, make_loading, make_splash, make_objects, make_world, make_screen_art, make_levels,
         make_menu, make_map, make_trophies, make_score, make_comics, make_story, make_game_menu,
         make_texture_list, set_link_width]


def main(arguments):
    if len(arguments) not in (2, 3):
        sys.exit("usage: make_data.py DATA_FOLDER [PREVIEW_FOLDER]")
    data = arguments[1]
    for folder in ("Res", "Loading", "splash", "Levels"):
        os.makedirs(os.path.join(data, folder), exist_ok=True)
    for step in STEPS:
        step(data)
    if len(arguments) > 2:
        write_previews(data, arguments[2])


def write_previews(data, folder):
    """PNG pictures of the screens as the game composes them, from the DDS files just written."""
    os.makedirs(folder, exist_ok=True)
    loading_folder = os.path.join(data, "Loading")
    preview.loading_screen(loading_folder, 0.6, 3).save(os.path.join(folder, "loading.png"))
    preview.sheet_on(os.path.join(loading_folder, "animation.dds"), (40, 28, 64, 255)).save(
        os.path.join(folder, "animation.png"))
    preview.font_sample(data).save(os.path.join(folder, "font.png"))
    for name, _ in splash.PICTURES:
        preview.splash_screen(os.path.join(data, "splash", name)).save(
            os.path.join(folder, "splash-" + name.replace(".dds", ".png")))
    map_preview.write_previews(data, folder)


if __name__ == "__main__":
    main(sys.argv)
