# Shared by the scripts: the project's folders, the Wine loader this machine
# can run (wine.sh), the Wine prefix of its own and an Xvfb display when there
# is none. Source it; it cleans up on exit.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$root/scripts/lib/wine.sh"
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

quorvel_xvfb_pid=""

# Installs what is missing, then decides which Wine loader this run uses
# (once: the scripts and tests started from here inherit the decision).
quorvel_setup() {
  "$root/scripts/setup"
  quorvel_wine_detect
}

quorvel_cleanup() {
  if command -v wineserver >/dev/null 2>&1 && [ -d "$WINEPREFIX" ]; then
    wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -n "$quorvel_xvfb_pid" ]; then
    kill "$quorvel_xvfb_pid" >/dev/null 2>&1 || true
    wait "$quorvel_xvfb_pid" 2>/dev/null || true
  fi
}
trap quorvel_cleanup EXIT

# Starts Xvfb on a free display number unless one is there already.
quorvel_ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
  local n
  for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then break; fi
  done
  Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
  quorvel_xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && return
    sleep 0.1
  done
  echo "Xvfb did not start on $DISPLAY" >&2
  exit 1
}

# Creates the Wine prefix once; later runs find it ready. The fonts step runs
# every time, so that prefixes made before it get it too.
quorvel_ensure_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Preparing the Wine prefix in $WINEPREFIX ..."
    mkdir -p "$WINEPREFIX"
    quorvel_wineboot -i >/dev/null 2>&1 || true
    # Xvfb has no window manager: Wine draws the frames and captions itself,
    # so windows and screenshots look as they do on Windows.
    quorvel_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    quorvel_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d Y /f >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  quorvel_ensure_wine_fonts
}

# Debian's Wine 8 looks for the fonts of fonts-wine in
# "Z:\usr\share\wine\../fonts", a path its file layer refuses (WINEDEBUG=+file
# says "not found (c0000033)"), so it never loads them. Without Marlett the
# frame Wine draws shows its caption buttons as the letters "0 1 r". Windows
# keeps Marlett in the Fonts folder, which Wine reads at every start: a copy
# there is enough. Only Marlett: the program's Tahoma stays the one fontconfig
# offers (Wine's own Tahoma Bold looks regular at the program's sizes).
quorvel_ensure_wine_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" shipped=/usr/share/wine/fonts
  if [ -f "$fonts/marlett.ttf" ]; then return; fi
  if [ ! -f "$shipped/marlett.ttf" ]; then
    echo "No $shipped/marlett.ttf (package fonts-wine): caption buttons will show as letters" >&2
    return
  fi
  mkdir -p "$fonts"
  cp "$shipped/marlett.ttf" "$fonts/marlett.ttf"
}

# Configures (once) and builds one preset. Builds take a lock, so two scripts
# started side by side build one after the other: the machine has two cores
# and two builds at once would take longer than both in turn.
quorvel_build() {
  local preset=$1
  shift
  mkdir -p "$root/build"
  (
    flock 9
    if [ ! -f "$root/build/$preset/build.ninja" ]; then
      cmake --preset "$preset" -S "$root" >/dev/null
    fi
    cmake --build "$root/build/$preset" -j2 "$@"
  ) 9>"$root/build/.build-lock"
}
