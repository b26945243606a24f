#!/usr/bin/env python3
"""Fails when a script starts Wine other than through tests/e2e/wine.sh.

Which Wine loader starts a program decides what it sees of a 64-bit system
(wine.sh says why), so one file makes that choice: every other script starts
Windows programs with "$WINELOADER" or the e2e runners, and stops a prefix's
server with "$WINESERVER". This reads the shell, Python and CMake files of
tests/, scripts/, cmake/ and packaging/ and fails on every line that, outside
comments, names one of Wine's commands as a word (`wine`, `wine64`,
`wineboot`, `/usr/lib/wine/wine64`...). A line that names one without
starting it (a list of packages) carries the marker below.

    check_wine_calls.py SOURCE-ROOT
"""
import pathlib
import re
import sys

# A command as a word or the last part of a path, not part of a longer name
# (wineboot.exe, wine_choose, $wine, /usr/lib/wine/fonts).
CALL = re.compile(r"(?<![\w.${-])(wine|wine64|wine-stable|wineboot|wineserver|winedbg|winecfg"
                  r"|wineconsole|winepath)(?![\w./-])")
COMMENT = re.compile(r"(^|\s)#.*")  # "${x#y}" is no comment
MARKER = "# names Wine, starts nothing"
THE_CHOICE = "tests/e2e/wine.sh"
EXEMPT = (THE_CHOICE, "tests/e2e/check_wine_calls.py")  # the choice, and this list of names


def scripts(root):
    for top in ("tests", "scripts", "cmake", "packaging"):
        for path in sorted((root / top).rglob("*")):
            if not path.is_file() or path.relative_to(root).as_posix() in EXEMPT:
                continue
            text = path.read_text(encoding="utf-8", errors="replace")
            if (path.suffix in (".sh", ".py", ".cmake") or path.name == "CMakeLists.txt"
                    or (path.suffix == "" and text.startswith("#!"))):
                yield path.relative_to(root).as_posix(), text


def main():
    root = pathlib.Path(sys.argv[1])
    count = found = 0
    for rel, text in scripts(root):
        count += 1
        for number, line in enumerate(text.splitlines(), 1):
            if MARKER not in line and CALL.search(COMMENT.sub("", line)):
                print(f"{rel}:{number}: starts Wine directly: {line.strip()}")
                found += 1
    print(f"{count} scripts read, {found} direct Wine call(s); start programs through "
          f"\"$WINELOADER\" or the e2e runners, as {THE_CHOICE} chooses it")
    return 1 if found or not count else 0


if __name__ == "__main__":
    sys.exit(main())
