#!/usr/bin/env python3
"""Checks that every #include goes down the layers that tools/layers.txt allows.

Each source file belongs to the layer whose folder (or file) is the longest prefix of its path; an
include of a project header belongs to the layer of the header. A file may include headers of its
own layer and of every layer that its layer may use, directly or through the layers below. Tests
may use everything. STALKWAY_LAYERS_ROOT checks another tree (the checker's own tests do). Exits 1, naming each include that goes the wrong way, when there is one, when
a folder of code is in no layer, when a file outside platform/ includes a system header (SDL,
Emscripten, POSIX), when a file includes a header of a private folder that its line in
tools/layers.txt does not name, or when the layers depend on each other in a circle.
"""
import os
import re
import sys

ROOT = os.environ.get("STALKWAY_LAYERS_ROOT") or os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCE_SUFFIXES = (".cpp", ".h")
# Tests may use everything; build folders hold no sources of ours.
UNCHECKED = ("tests", "build")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
# Headers of the system below us: only the platform layer may include them.
SYSTEM_INCLUDE = re.compile(r'^\s*#\s*include\s+<((?:SDL|emscripten|sys/|unistd|fcntl|pthread|dirent|dlfcn|poll|spawn)[^>]*)>',
                            re.MULTILINE)


def read_layers(path):
    """The layers and what each may use, and the private folders with who alone may include them."""
    uses, private = {}, {}
    with open(path, encoding="utf-8") as layers:
        for line in layers:
            fields = line.split()
            if not fields or fields[0].startswith("#"):
                continue
            if fields[0] == "private":
                private[fields[1]] = fields[2:]
                continue
            uses[fields[0]] = [use for use in fields[2:] if use != "-"]
    return uses, private


def under(path, folder):
    return path == folder or path.startswith(folder + "/")


def layer_of(path, layers):
    best = None
    for layer in layers:
        if path == layer or path.startswith(layer + "/"):
            if best is None or len(layer) > len(best):
                best = layer
    return best


def reachable(layer, uses, trail=()):
    """Every layer below `layer`; raises ValueError on a circle."""
    below = set()
    for use in uses.get(layer, []):
        if use in trail or use == layer:
            raise ValueError(" -> ".join(trail + (layer, use)))
        below.add(use)
        below |= reachable(use, uses, trail + (layer,))
    return below


def source_files():
    for folder, dirs, files in os.walk(ROOT):
        dirs[:] = [d for d in dirs if not d.startswith(".")]
        relative = os.path.relpath(folder, ROOT)
        if relative != "." and relative.split(os.sep)[0].startswith(UNCHECKED):
            dirs[:] = []
            continue
        for name in files:
            if name.endswith(SOURCE_SUFFIXES):
                yield os.path.normpath(os.path.join(relative, name))


def check(layers, private=None):
    private = private or {}
    problems = []
    for layer in layers:
        if not os.path.exists(os.path.join(ROOT, layer)):
            problems.append(f"{layer}: in tools/layers.txt but not in the tree")
    try:
        allowed = {layer: reachable(layer, layers) | {layer} for layer in layers}
    except ValueError as circle:
        return [f"the layers depend on each other in a circle: {circle}"]
    for path in source_files():
        own = layer_of(path, layers)
        if own is None:
            problems.append(f"{path}: in no layer of tools/layers.txt")
            continue
        with open(os.path.join(ROOT, path), encoding="utf-8") as source:
            text = source.read()
        if not own.startswith("platform/"):
            for match in SYSTEM_INCLUDE.finditer(text):
                problems.append(f"{path}: includes <{match.group(1)}>, which only platform/ may")
        for match in INCLUDE.finditer(text):
            header = match.group(1)
            target = layer_of(header, layers)
            if target is None and os.path.exists(os.path.join(ROOT, header)):
                problems.append(f"{path}: includes {header}, which is in no layer")
            elif target is not None and target not in allowed[own]:
                problems.append(f"{path}: includes {header}, but {own} may not use {target}")
            for folder, readers in private.items():
                if under(header, folder) and not any(under(path, reader) for reader in readers + [folder]):
                    problems.append(f"{path}: includes {header}, which only {' '.join(readers)} may include")
    return problems


def main():
    layers, private = read_layers(os.path.join(ROOT, "tools", "layers.txt"))
    problems = check(layers, private)
    for problem in problems:
        print(problem, file=sys.stderr)
    if problems:
        return 1
    print(f"layers: {len(layers)} layers, every include goes down")
    return 0


if __name__ == "__main__":
    sys.exit(main())
