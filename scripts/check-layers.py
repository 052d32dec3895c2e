#!/usr/bin/env python3
"""Fails when a file under src/ includes a folder of a layer above its own.

The layers, lowest first:
  the core folders in the order of CMakeLists.txt's SUBSYSTEMS list (each may include
  only itself and the folders before it), then state, render, gui, and on top app and
  tool (neither includes the other; tool includes no window). Inside gui/, a window
  folder includes gui/common and itself, never another window folder.

  scripts/check-layers.py [SOURCE_ROOT]     (SOURCE_ROOT defaults to the checkout)
Prints each offending include as FILE:LINE: message and exits 1 when there is one.
"""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
cmake = (root / "CMakeLists.txt").read_text(encoding="utf-8")
match = re.search(r"set\(SUBSYSTEMS ([^)]*)\)", cmake)
if not match:
    sys.exit("check-layers: no SUBSYSTEMS list in CMakeLists.txt")
core = match.group(1).split()

rank = {name: i for i, name in enumerate(core)}
top = len(core)
rank.update({"state": top, "render": top + 1, "gui": top + 2, "app": top + 3, "tool": top + 3})
# Folders on the top layer that must not include each other's files, nor these.
forbidden = {"tool": {"app", "gui"}, "app": {"tool"}}

include = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
problems = []
src = root / "src"
for path in sorted(src.rglob("*")):
    if path.suffix not in (".h", ".cpp") or not path.is_file():
        continue
    rel = path.relative_to(src)
    folder = rel.parts[0]
    if folder not in rank:
        problems.append(f"src/{rel}: folder '{folder}' has no layer (add it to check-layers.py)")
        continue
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        m = include.match(line)
        if not m:
            continue
        target = m.group(1).split("/")
        if len(target) < 2:
            continue  # a file beside this one, or a generated header
        to = target[0]
        where = f"src/{rel}:{number}"
        if to not in rank:
            continue  # not one of ours (a generated ui or moc file, say)
        if to in forbidden.get(folder, set()) or rank[to] > rank[folder]:
            problems.append(f"{where}: '{folder}' includes '{m.group(1)}' from a layer above it")
        elif folder == "gui" and to == "gui" and len(rel.parts) > 2 and len(target) > 2:
            own, other = rel.parts[1], target[1]
            if other not in ("common", own):
                problems.append(f"{where}: window folder gui/{own} includes gui/{other}")

for problem in problems:
    print(problem)
if problems:
    print(f"check-layers: {len(problems)} include(s) climb a layer")
    sys.exit(1)
print("check-layers: every include stays in its layer or below")
