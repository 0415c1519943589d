#!/usr/bin/env python3
"""The module boundaries of the tree, checked on its #include lines.

    check_includes.py [ROOT]

Reads every C++ source and header below ROOT (default: the source tree this script is in) and
reports each include that crosses a boundary of the table below:
  - a unit including one it does not build on (a lower module or library including a higher
    one, a library including a program, the test kit included outside tests);
  - a Debian library's header outside the units that may use it (GTK outside host/gtk, cairo
    and pango outside gdi and the GTK host, SQLite outside ktutilex/ado, ...);
  - an internal header (*Internal.h) outside its own module;
  - a string id restated: each string id (the number of an IDS_* constant) has one owner, the
    module whose string table holds its text, and is declared once, in that module's header;
    every other module includes that header (a second declaration of the number, under the same
    name or another, is reported with where the id is declared first, in the lowest module);
  - inside a library with a folder order (INNER_ORDER), a folder including a later one.
Prints one line per crossing ("file:line: what") and exits with 1 when there is any, 0 when the
tree keeps its boundaries.
"""

import os
import re
import sys

# ---- the rules --------------------------------------------------------------------------------

PLATFORM = ["platform/core", "platform/msg", "platform/gdi", "platform/ui", "platform/net", "platform/sys"]
LIBRARIES = ["ktutil", "ktutilex", "nrdata", "nyraclient", "ktctrl"]

# Each unit (a folder) and the units it may include. A library may include the platform's
# modules (not its hosts); a platform module only those listed. Units not named here (scripts,
# docs) are not checked.
BUILDS_ON = {
    "platform/core": [],
    "platform/msg": ["platform/core"],
    "platform/gdi": ["platform/core", "platform/msg"],
    "platform/ui": ["platform/core", "platform/msg", "platform/gdi"],
    "platform/net": ["platform/core", "platform/msg"],
    "platform/sys": ["platform/core", "platform/msg"],
    "platform/host/null": ["platform/core", "platform/msg"],
    "platform/host/gtk": ["platform/core", "platform/msg", "platform/gdi", "platform/ui"],
    "ktutil": PLATFORM,
    "ktutilex": ["ktutil"] + PLATFORM,
    "nrdata": ["ktutilex", "ktutil"] + PLATFORM,
    "nyraclient": ["nrdata", "ktutilex", "ktutil"] + PLATFORM,
    "ktctrl": ["ktutil"] + PLATFORM,
    # Program-level: classes both programs carry, and the two programs.
    "appcommon": LIBRARIES + PLATFORM,
    "tarvic": ["appcommon"] + LIBRARIES + PLATFORM,
    "tarlux": ["appcommon", "nrdata", "ktutilex", "ktutil", "ktctrl"] + PLATFORM,
    # Beside the deliverables: the shared test kit, developer tools and benchmarks.
    "testkit": PLATFORM + ["platform/host/null", "platform/host/gtk"],
    "tools": LIBRARIES + PLATFORM,
    "bench": ["tarvic", "tarlux", "appcommon"] + LIBRARIES + PLATFORM + ["tools", "platform/host/null", "testkit"],
}

# What a unit's tests may include beyond the unit and what it builds on: the test kit and the
# null host that drives input. A platform module's tests are in platform/tests/<module>/ (host/
# for both hosts).
TESTS_ALSO = ["testkit", "platform/host/null"]
TESTS_EXTRA = {
    "nyraclient": ["tools"],  # the monitor simulator as the far end of a link
    "tarvic": ["tools"],
    # Recordings written by the central station's own file code, for the review station to read.
    "tarlux": ["nyraclient"],
}

# The folders inside a library, lowest first: a folder includes only itself and the folders
# before it. A file directly in the library's folder (the module's start-up) may include any;
# its tests are not bound by the order.
INNER_ORDER = {
    "nyraclient": ["res", "startup", "thread", "key", "alarm", "link", "display", "trend", "record", "demo",
                   "client", "bedwindow", "manager", "broker"],
}
# Crossings of the inner order that stay, each as (includer, included). None stays today: a
# lower folder reaches a higher one through an owner interface of its own (the client drives its
# bed windows through NyraBedWindow, and its manager makes them).
INNER_EXCEPTIONS = set()

# Debian libraries' headers (by the start of the name between < >) and the units that may
# include them. The benchmarks measure our layers against the bare libraries.
FOREIGN = [
    ("GTK", ("gtk/", "gdk/", "gdkx", "glib", "gio/", "gobject/"), ["platform/host/gtk"]),
    ("cairo and pango", ("cairo", "pango/", "fontconfig/", "ft2build"), ["platform/gdi", "platform/host/gtk", "bench"]),
    ("libjpeg and libpng", ("jpeglib", "png.h"), ["platform/gdi"]),
    ("ALSA", ("alsa/",), ["platform/sys"]),
    ("SQLite", ("sqlite3",), ["ktutilex/ado", "bench"]),
]

# Programs that draw a library's or program's pictures at build time; they are not part of what
# they draw for and may use the drawing libraries directly.
ARTWORK_GENERATOR = re.compile(r"^[^/]+/(res/)?(tools/)?Make[A-Za-z]*\.cpp$")

# Folders that are not scanned: build trees and this checker's own fixture of crossings.
SKIPPED = re.compile(r"^(build[^/]*|\.git|tools/check-includes/fixture)(/|$)")

# A string id's declaration: a constant (or macro) named IDS_... with a number.
STRING_ID = re.compile(r"^\s*(?:(?:inline\s+)?constexpr\s+[\w:]+\s+(IDS_\w+)\s*=\s*|#\s*define\s+(IDS_\w+)\s+)"
                       r"(0[xX][0-9A-Fa-f]+|\d+)[uU]?\s*(?:;|$|//)")
# Units from the lowest to the highest, for naming the owner of an id that is declared twice.
LAYER_ORDER = ["platform/core", "platform/msg", "platform/gdi", "platform/ui", "platform/net", "platform/sys",
               "ktutil", "ktutilex", "ktctrl", "nrdata", "nyraclient", "appcommon", "tarvic", "tarlux"]

# ---- units -------------------------------------------------------------------------------------

TOP_FOLDERS = {unit.split("/")[0] for unit in BUILDS_ON}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')


def unit_of(path):
    """The unit a file belongs to ("platform/msg", "nrdata", "platform/host/gtk"), and for a
    test file the unit it tests; None outside the table."""
    parts = path.split("/")
    if parts[0] != "platform":
        return parts[0] if parts[0] in TOP_FOLDERS else None
    if len(parts) > 3 and parts[1] == "host":
        return "/".join(parts[:3])
    if len(parts) > 3 and parts[1] == "tests":
        # platform/tests/<module>/; what is not a module's folder (test modules) tests them all.
        module = "platform/" + parts[2]
        return module if any(u == module or u.startswith(module + "/") for u in BUILDS_ON) else "platform"
    return "platform/" + parts[1] if len(parts) > 2 else None


def is_test(path):
    # The fuzz targets are tests of the parsers that libFuzzer drives.
    return "tests" in path.split("/")[:-1] or path.startswith("tools/fuzz/")


def allowed_units(path):
    """The units a file may include."""
    unit = unit_of(path)
    if not is_test(path):
        return set(BUILDS_ON.get(unit, [])) | {unit}
    tested = [u for u in BUILDS_ON if u == unit or u.startswith(unit + "/")]
    allowed = set(TESTS_ALSO) | set(TESTS_EXTRA.get(unit, []))
    for u in tested:
        allowed |= set(BUILDS_ON[u]) | {u}
    return allowed


def target_unit(include):
    """The unit a quoted include names ("platform/msg/Wnd.h" -> "platform/msg"), None for a
    file beside the includer ("support/Harness.h")."""
    if include.split("/")[0] not in TOP_FOLDERS:
        return None
    return unit_of(include)


def inner_crossing(path, include):
    """The message for an include that runs up the folder order inside one library, else None."""
    parts, target = path.split("/"), include.split("/")
    order = INNER_ORDER.get(parts[0])
    if order is None or target[0] != parts[0] or len(parts) < 3 or len(target) < 3 or is_test(path):
        return None
    folder, included = parts[1], target[1]
    if folder == included or (path, include) in INNER_EXCEPTIONS:
        return None
    for name in (folder, included):
        if name not in order:
            return f"{parts[0]}/{name} is not in {parts[0]}'s folder order"
    if order.index(included) > order.index(folder):
        return f"{parts[0]}/{folder} may not include the later {parts[0]}/{included}: \"{include}\""
    return None


# ---- the check ---------------------------------------------------------------------------------

def crossings_in(path, text):
    """Yields (line, kind, message) for each crossing in one file; `path` is relative to the
    root with "/" separators."""
    unit = unit_of(path)
    if unit is None:
        return
    allowed = allowed_units(path)
    for number, line in enumerate(text.splitlines(), 1):
        match = INCLUDE.match(line)
        if not match:
            continue
        bracket, name = match.groups()
        if bracket == "<":
            for library, prefixes, users in FOREIGN:
                if ARTWORK_GENERATOR.match(path) and library in ("cairo and pango", "libjpeg and libpng"):
                    continue
                if name.startswith(prefixes) and not any(path == u or path.startswith(u + "/") for u in users):
                    yield number, "foreign", f"{library} only in {', '.join(users)}: <{name}>"
            continue
        target = target_unit(name)
        if target is None:
            continue
        if name.endswith("Internal.h"):
            if unit != target or is_test(path):
                yield number, "internal", f"{name} is internal to {target}"
            continue
        if target not in allowed:
            what = "the tests of " + unit if is_test(path) else unit
            yield number, "layer", f"{what} may not include {target}: \"{name}\""
            continue
        message = inner_crossing(path, name)
        if message:
            yield number, "order", message


def string_ids_in(path, text):
    """Yields (line, name, value) for each string id declared in one file."""
    for number, line in enumerate(text.splitlines(), 1):
        match = STRING_ID.match(line)
        if match:
            yield number, match.group(1) or match.group(2), int(match.group(3), 0)


def restated_ids(declarations):
    """From (path, line, name, value) of every declaration, the crossings of ids declared more
    than once: every declaration but the owner's (the lowest module's, then the first path)."""
    def rank(declaration):
        unit = unit_of(declaration[0])
        return (LAYER_ORDER.index(unit) if unit in LAYER_ORDER else len(LAYER_ORDER), declaration[0], declaration[1])

    by_value = {}
    for declaration in declarations:
        by_value.setdefault(declaration[3], []).append(declaration)
    found = []
    for value, group in by_value.items():
        if len(group) < 2:
            continue
        owner = min(group, key=rank)
        for path, line, name, _ in group:
            if (path, line) == owner[:2]:
                continue
            remedy = "include that header instead" if owner[0].endswith(".h") else "move it to its module's header"
            found.append((path, line, "restated", f"{name} = {value} restates {owner[2]} of {owner[0]}; {remedy}"))
    return found


def source_files(root):
    for folder, subfolders, files in os.walk(root):
        relative = os.path.relpath(folder, root).replace(os.sep, "/")
        relative = "" if relative == "." else relative
        subfolders[:] = sorted(s for s in subfolders if not SKIPPED.match(f"{relative}/{s}".lstrip("/")))
        for name in sorted(files):
            if name.endswith((".h", ".hpp", ".cpp", ".cc", ".inl")):
                yield f"{relative}/{name}".lstrip("/")


def check(root):
    """Every crossing below `root`: a list of (path, line, kind, message)."""
    found = []
    declarations = []
    for path in source_files(root):
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
            text = f.read()
        found.extend((path, line, kind, message) for line, kind, message in crossings_in(path, text))
        # Tests may name an id again to check what it holds; only the modules' own ids count.
        if unit_of(path) is not None and not is_test(path):
            declarations.extend((path, line, name, value) for line, name, value in string_ids_in(path, text))
    found.extend(restated_ids(declarations))
    return sorted(found)


def main(argv):
    if len(argv) > 2:
        print(__doc__, file=sys.stderr)
        return 2
    root = argv[1] if len(argv) == 2 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
    if not os.path.isdir(root):
        print(f"check_includes: no folder {root}", file=sys.stderr)
        return 2
    found = check(root)
    for path, line, kind, message in found:
        print(f"{path}:{line}: {kind}: {message}")
    print(f"check_includes: {len(found)} crossing(s)" if found else "check_includes: the boundaries hold")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
