#!/usr/bin/env python3
"""Fails when a script starts Wine other than through tests/e2e/wine.sh.

Which Wine loader starts a program decides what it sees of a 64-bit system
(wine.sh says why), so one file makes that choice: every other script starts
Windows programs with "$WINELOADER" or the e2e runners, and stops a prefix's
server with "$WINESERVER". This check reads the shell, Python and CMake files
of the tree's tests/, scripts/, cmake/ and packaging/ and fails on every line
that, outside comments, names one of Wine's commands or loader files as a
word: `wine`, `wine64`, `wineboot`, `wineserver`, `/usr/lib/wine/wine64`...
A line that names one without starting it (a list of packages to install)
carries the marker "# names Wine, starts nothing".

  check_wine_calls.py SOURCE-ROOT

It first checks itself on lines it must flag and lines it must let pass.
"""
import pathlib
import re
import sys

COMMANDS = ("wine", "wine64", "wine-stable", "wine-development", "wine-preloader",
            "wine64-preloader", "wineboot", "wineserver", "wineserver32", "wineserver64",
            "wineapploader", "winecfg", "wineconsole", "winedbg", "winefile", "winepath")
# A command as a word of its own or the last part of a path: not a part of a
# longer name (wineboot.exe, wine_version, $wine, /usr/lib/wine/fonts).
CALL = re.compile(r"(?<![\w.${-])(?:%s)(?![\w./-])" % "|".join(
    re.escape(c) for c in sorted(COMMANDS, key=len, reverse=True)))
# A comment starts with # at the start of a word ("${x#y}" is no comment).
COMMENT = re.compile(r"(^|\s)#.*")
MARKER = "# names Wine, starts nothing"
ROOTS = ("tests", "scripts", "cmake", "packaging")
THE_CHOICE = "tests/e2e/wine.sh"

MUST_FLAG = [
    'timeout -k 5 60 wine reg add "$key" /f',
    'wine "$E2E_SLUMBMIX" /s',
    'setsid timeout -k 5 3700 wine64 "$anchor" 3600 &',
    'timeout 30 wineserver -k </dev/null',
    '  wineboot -i',
    'echo "bench: $(wine --version)"',
    'exec env LC_ALL=C wine x.exe',
    '/usr/lib/wine/wine64 reg query "$key"',
    'exec wine-stable "$name.exe" "$@"',
    'x=(wine cmd /c exit 7)',
    'subprocess.run(["wine", "msiexec", "/i", msi], check=True)',
    "subprocess.run(['wineboot', '-u'])",
    'COMMAND wine $<TARGET_FILE:slumbmix> /s',
    'a; wine x.exe  # a comment after the call',
]
MUST_PASS = [
    'timeout -k 5 60 "$WINELOADER" reg add "$key" /f',
    'timeout 30 "$WINESERVER" -k </dev/null',
    'e2e_run 120 msiexec /i "$msi" /qn',
    '# wine reg add, in a comment',
    '  # timeout 30 wineserver -k',
    'cp /usr/lib/wine/fonts/marlett.ttf "$marlett"',
    'conhost.exe | start.exe | wineboot.exe | winemenubuilder.exe)',
    'wine_dropped_our_flags() {',
    'export WINEPREFIX=$prefix WINEARCH=win64',
    'installed wine32:i386',
    'echo "$wine_version"',
    '  wine wine64 xvfb  ' + MARKER + ': package names',
]


def flagged(line):
    if MARKER in line:
        return False
    return CALL.search(COMMENT.sub("", line)) is not None


def self_test():
    wrong = [f"not flagged: {line}" for line in MUST_FLAG if not flagged(line)]
    wrong += [f"flagged: {line}" for line in MUST_PASS if flagged(line)]
    for w in wrong:
        print(f"check_wine_calls.py self-test: {w}")
    return not wrong


def scripts(root):
    files = [root / "CMakeLists.txt"]
    for top in ROOTS:
        files += sorted(p for p in (root / top).rglob("*") if p.is_file())
    for path in files:
        rel = path.relative_to(root).as_posix()
        if rel == THE_CHOICE or path.resolve() == pathlib.Path(__file__).resolve():
            continue
        try:
            text = path.read_text(encoding="utf-8")
        except (UnicodeDecodeError, OSError):
            continue
        if (path.suffix in (".sh", ".py", ".cmake") or path.name == "CMakeLists.txt"
                or (path.suffix == "" and text.startswith("#!"))):
            yield rel, text


def main():
    if len(sys.argv) != 2:
        print("usage: check_wine_calls.py SOURCE-ROOT", file=sys.stderr)
        return 2
    if not self_test():
        return 1
    root = pathlib.Path(sys.argv[1])
    found = 0
    count = 0
    for rel, text in scripts(root):
        count += 1
        for number, line in enumerate(text.splitlines(), 1):
            if flagged(line):
                print(f"{rel}:{number}: starts Wine directly: {line.strip()}")
                found += 1
    if found:
        print(f"{found} direct Wine call(s): start programs through \"$WINELOADER\" "
              f"(or the e2e runners) as {THE_CHOICE} chooses it")
        return 1
    print(f"{count} scripts start Wine only through {THE_CHOICE}")
    return 0 if count else 1


if __name__ == "__main__":
    sys.exit(main())
