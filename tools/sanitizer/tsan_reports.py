"""Lists the distinct ThreadSanitizer reports of a run whose stacks reach our own sources.

Usage: tsan_reports.py TOP REPORTS_FOLDER

A report counts as ours unless every access it names was made inside a system library (Mesa,
Python, SDL: their own reports, which the suppressions file is for). It is named by the first frame
of each access in a source file under TOP, so that the same race seen by many tests is listed once,
with how often it was seen. Exits 1 when any is left.
"""
import collections
import os
import re
import sys

FRAME = re.compile(r"^\s+#\d+ (?P<function>.+?) (?P<file>\S+?):(?P<line>\d+)(?::\d+)? \((?P<module>[^+)]+)")
ANY_FRAME = re.compile(r"^\s+#\d+ .*\((?P<module>[^+)]+)\+0x[0-9a-f]+\)$")
ACCESS = re.compile(r"^  (?:Previous )?(?:[Aa]tomic )?(?:[Rr]ead|[Ww]rite)|^  Mutex .* acquired|^  Cycle in lock")
KIND = re.compile(r"WARNING: ThreadSanitizer: (?P<kind>.+?) \(pid")
# Libraries whose code runs as part of ours: an access in them is one our code made.
OUR_RUNTIME = ("libstdc++", "libgcc")


def own_frame(top, line):
    """The frame as 'file:line function' when it is in one of our sources, else None."""
    match = FRAME.match(line)
    if not match:
        return None
    path = os.path.normpath(match.group("file"))
    if not path.startswith(top + os.sep) or os.sep + "build" in path[len(top):]:
        return None
    return "%s:%s %s" % (os.path.relpath(path, top), match.group("line"), match.group("function"))


def in_system_library(line):
    """Whether the frame runs in a shared library of the system (ThreadSanitizer's own aside)."""
    match = ANY_FRAME.match(line)
    if not match:
        return False
    module = match.group("module")
    return ".so" in module and not module.startswith(OUR_RUNTIME)


def reports_of(text):
    """The report blocks of one log file."""
    for block in text.split("==================\n"):
        if "WARNING: ThreadSanitizer:" in block:
            yield block


def access_stacks(block):
    """The frames of each access (or lock acquisition) of a report, ThreadSanitizer's own left out."""
    stacks, current = [], None
    for line in block.splitlines():
        if ACCESS.match(line):
            current = []
            stacks.append(current)
        elif current is not None and not line.strip():
            current = None
        elif current is not None and "libtsan" not in line:
            current.append(line)
    return stacks


def name_of(top, block):
    """The kind and the first frame in our sources of each access, or None for a report that a system
    library makes of its own accesses (each of its accesses made inside such a library)."""
    kind = KIND.search(block).group("kind")
    stacks = [stack for stack in access_stacks(block) if stack]
    if not stacks:
        frames = [own_frame(top, line) for line in block.splitlines()]
        frames = [frame for frame in frames if frame]
        return kind + ": " + frames[0] if frames else None
    if all(in_system_library(stack[0]) for stack in stacks):
        return None
    firsts = []
    for stack in stacks:
        frames = [frame for frame in (own_frame(top, line) for line in stack) if frame]
        if frames:
            firsts.append(frames[0])
        else:
            firsts.append("(system library)" if in_system_library(stack[0]) else "(" + stack[0].strip(" []") + ")")
    return kind + ": " + " / ".join(firsts)


def main():
    top, folder = os.path.abspath(sys.argv[1]), sys.argv[2]
    seen = collections.Counter()
    other = 0
    for name in sorted(os.listdir(folder)):
        with open(os.path.join(folder, name), errors="replace") as log:
            for block in reports_of(log.read()):
                report = name_of(top, block)
                if report:
                    seen[report] += 1
                else:
                    other += 1
    print("ThreadSanitizer: %d distinct reports in our sources, %d reports outside them" % (len(seen), other))
    for report, count in sorted(seen.items()):
        print("%5d  %s" % (count, report))
    return 1 if seen else 0


if __name__ == "__main__":
    sys.exit(main())
