#!/usr/bin/env python3
"""Breaks copies of the game's data one way each and checks that datacheck names the fault.

usage: broken_copies_test.py DATACHECK DATA_FOLDER SOURCE_FOLDER

Each copy links every file of the data folder and replaces only what it breaks, so that the
pictures and sounds are not copied. A fault of the data itself shows in every run alike; only the
lines a break adds are judged.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

PACK = os.path.join("Levels", "levelpack.xml")


def shadow_copy(data, target):
    for folder, _, files in os.walk(data):
        copy = os.path.join(target, os.path.relpath(folder, data))
        os.makedirs(copy, exist_ok=True)
        for name in files:
            os.symlink(os.path.join(folder, name), os.path.join(copy, name))


def native(written):
    return written.replace("\\", os.sep)


def read_bytes(path):
    with open(path, "rb") as file:
        return file.read()


def rewrite(path, pattern, replacement):
    """Puts a real file with the first match replaced in place of the link."""
    text = read_bytes(path)
    changed = re.sub(pattern, replacement, text, count=1)
    assert changed != text, f"{pattern!r} not found in {path}"
    os.remove(path)
    with open(path, "wb") as file:
        file.write(changed)


def pack_levels(data):
    """The level paths of the main pack, as written."""
    return [p.decode() for p in re.findall(rb'Path="([^"]*)"', read_bytes(os.path.join(data, PACK)))]


def dangling_texture(data):
    level = pack_levels(data)[0]
    rewrite(os.path.join(data, native(level)), rb'Texture1="[^"]*"', b'Texture1="NOSUCHTEXTURE"')
    return re.escape(native(level)) + r':[1-9]\d*: texture "NOSUCHTEXTURE" is not in the texture list'


def missing_sound(data):
    os.remove(os.path.join(data, "sounds", "click.wav"))
    return r'VGGameSounds\.cpp:[1-9]\d*: sound file "sounds\\click\.wav" not found'


def missing_level(data):
    level = pack_levels(data)[-1]
    os.remove(os.path.join(data, native(level)))
    return re.escape(PACK) + r':[1-9]\d*: level file "' + re.escape(level) + '" not found'


def level_of_other_case(data):
    level = pack_levels(data)[0]
    folder, name = os.path.split(os.path.join(data, native(level)))
    os.rename(os.path.join(folder, name), os.path.join(folder, name.swapcase()))
    return re.escape(PACK) + r':[1-9]\d*: level file "' + re.escape(level) + '" differs in case from the file on disk'


def level_written_with_slash(data):
    level = pack_levels(data)[0]
    rewrite(os.path.join(data, PACK), re.escape(b'Path="' + level.encode() + b'"'),
            b'Path="' + level.replace("\\", "/").encode() + b'"')
    written = re.escape(level.replace("\\", "/"))
    return re.escape(PACK) + r':[1-9]\d*: level file "' + written + "\" is written with '/'"


BREAKS = [dangling_texture, missing_sound, missing_level, level_of_other_case, level_written_with_slash]


def run(datacheck, *arguments):
    done = subprocess.run([datacheck, *arguments], capture_output=True, text=True, timeout=60)
    return done.returncode, done.stdout.splitlines(), done.stderr


def check_breaks(datacheck, data, source, work):
    copy = os.path.join(work, "data")
    shadow_copy(data, copy)
    _, baseline, _ = run(datacheck, copy, source)
    failures = []
    for make_break in BREAKS:
        shutil.rmtree(copy)
        shadow_copy(data, copy)
        expected = make_break(copy)
        status, lines, errors = run(datacheck, copy, source)
        added = [line for line in lines if line not in baseline]
        if status != 1 or len(added) != 1 or not re.search(expected, added[0]):
            failures.append(f"{make_break.__name__}: status {status}, expected one line like {expected!r}, "
                            f"added {added}, errors {errors!r}")
    return failures


def check_bad_input(datacheck, source, work):
    failures = []
    for arguments in [(), (os.path.join(work, "no such folder"), source)]:
        status, _, errors = run(datacheck, *arguments)
        if status != 2 or not errors:
            failures.append(f"arguments {arguments}: status {status}, errors {errors!r}; expected 2 and a message")
    return failures


def main():
    datacheck, data, source = (os.path.abspath(argument) for argument in sys.argv[1:4])
    with tempfile.TemporaryDirectory() as work:
        failures = check_breaks(datacheck, data, source, work) + check_bad_input(datacheck, source, work)
    for failure in failures:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
