# Which Wine runs a build's programs. Sourced, never run, by rig.sh, lib.sh
# and every script that starts Windows programs; the one file that names
# Wine's loaders and server (check_wine_calls.py holds the rest of the tree
# to that).
#
# Debian's `wine` launcher takes the 32-bit loader whenever 32-bit Wine is
# installed. That loader still starts a 64-bit .exe as a 64-bit program, but
# Wine's own programs started through it (reg, taskkill, explorer, start,
# cmd, msiexec, wineboot) run as 32-bit programs, and these see a 64-bit
# system's 32-bit views: HKLM\Software is Wow6432Node, system32 is syswow64.
# The 64-bit build is tested as a 64-bit Windows runs it, so its programs
# and Wine's all run through the 64-bit loader, whether or not 32-bit Wine
# is there; the 32-bit build's through the loader of 32-bit programs.
#
#   wine_choose win64|win32
#     exports WINELOADER, the loader to start every Windows program with
#     ("$WINELOADER" program args, "$WINELOADER" wineboot -i), which Wine
#     also starts its own child processes with, and WINESERVER, the server
#     beside it, the one that loader starts (for "$WINESERVER" -k / -w).
#     Fails, saying why, when that loader is not installed.
#
# Debian builds Wine without its preloader, so nothing holds the page Wine
# maps its shared user data to, 0x7ffe0000, before the C library's heap can
# take it. The kernel starts that heap at a random place up to 1 GiB past
# the loader's image at 0x7d000000; when it lands on that page (at most one
# start in about 7,700: its first 136 KiB, in 1 GiB), the process ends with
# exit code 1 before the program runs, saying why only on Wine's err channel ("failed
# to map the shared user data"), and a program that started it is told
# ERROR_INTERNAL_ERROR. Without address-space randomization the heap starts
# right after the loader, far below, and Wine's reservation of that page
# bounds it. A process passes its layout on to every process it starts,
# through Wine too, so it is enough that the scripts and tests run so.
#
#   wine_steady SCRIPT ARGS...
#     re-runs the bash SCRIPT with ARGS under setarch --addr-no-randomize,
#     unless this shell already runs so: wine_steady "$0" "$@" at the top.
#     Every test does so in e2e_begin (lib.sh), and rig.sh.
#   wine_is_steady [PID]
#     succeeds when this shell, or process PID, runs without randomization;
#     2 when PID is gone.

# Every loader a Windows program's process can be running, 64-bit or 32-bit,
# each with its preloader: how a process of a prefix is told from the Linux
# processes that share its environment.
WINE_LOADER_FILES=(/usr/lib/wine/wine64 /usr/lib/wine/wine64-preloader
  /usr/lib/wine/wine /usr/lib/wine/wine-preloader)

wine_choose() {  # win64|win32
  local loader
  case ${1:-} in
  win64) loader=/usr/lib/wine/wine64 ;;
  win32) loader=/usr/lib/wine/wine ;;
  *)
    echo "wine_choose: no build '${1:-}' (win64 or win32)" >&2
    return 2
    ;;
  esac
  [ -x "$loader" ] || {
    echo "wine_choose: the $1 build's Wine loader $loader is not installed" >&2
    return 1
  }
  export WINELOADER=$loader
  export WINESERVER=${loader%/*}/wineserver
}

wine_is_steady() {  # [pid]
  local personality
  personality=$(cat "/proc/${1:-self}/personality" 2>/dev/null) || return 2
  ((0x$personality & 0x0040000)) # ADDR_NO_RANDOMIZE
}

wine_steady() {  # script args...
  wine_is_steady || exec setarch --addr-no-randomize "$BASH" "$@"
}
