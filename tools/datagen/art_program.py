"""What the picture programs have alike: writing their sheets as DDS files, and the command line the build calls
them by (a folder to write into, or a listing the build asks for first) with a preview for looking."""
import os
import sys

import dds
from menu_art import build_sources, file_name


def write_sheets(folder, sheets, compression=lambda name: "dxt5"):
    """Each sheet's picture in the folder under its file's own name; compression(name) says which DDS format."""
    os.makedirs(folder, exist_ok=True)
    for name, file, paint in sheets:
        dds.write(os.path.join(folder, file_name(file)), paint(), compression(name))


def listings(sheets):
    """What the build asks for before it makes anything, as CMake lists."""
    return {"--outputs": lambda: [file_name(file) for _, file, _ in sheets], "--sources": build_sources}


def run(arguments, main, listed, usage, preview=None):
    """FOLDER writes the pictures, a listing's flag prints it, and --preview with three folders draws the screens
    for looking."""
    if preview is not None and len(arguments) == 4 and arguments[0] == "--preview":
        preview(*arguments[1:])
    elif len(arguments) != 1:
        sys.exit(usage)
    elif arguments[0] in listed:
        print(";".join(listed[arguments[0]]()))
    else:
        main(arguments[0])
