# Which Wine loader this machine can run, decided once per run and passed on
# to every script and test started below it. Source it; it defines no traps.
#
# Debian's `wine`, `winepath` and `wineboot` commands always take Wine's
# 32-bit loader when it is installed, and some kernels cannot execute 32-bit
# Linux programs at all ("Exec format error"), so that even the 64-bit
# programs fail through them. Here the loader is tried once: where it runs,
# everything goes through it as Debian intends; where it does not, everything
# goes through the 64-bit loader, and 32-bit Windows programs are not started.
#
#   QUORVEL_64BIT_ONLY=1    takes the 64-bit-only path on any machine
#
# After quorvel_wine_detect:
#   QUORVEL_WINE_LOADER       the loader every Wine command goes through
#   QUORVEL_WINE32_MISSING    empty when 32-bit programs run; otherwise why not
#   WINELOADER                the 64-bit loader, on the 64-bit-only path

quorvel_wine32_loader=/usr/lib/wine/wine
quorvel_wine64_loader=/usr/lib/wine/wine64

quorvel_wine_detect() {
  if [ -n "${QUORVEL_WINE_LOADER:-}" ]; then return; fi
  local missing="" output
  if [ "${QUORVEL_64BIT_ONLY:-0}" = 1 ]; then
    missing="QUORVEL_64BIT_ONLY=1 asks for the 64-bit-only path"
  elif [ ! -x "$quorvel_wine32_loader" ]; then
    missing="Wine's 32-bit loader $quorvel_wine32_loader is not installed (package wine32:i386)"
  elif ! output=$("$quorvel_wine32_loader" --version 2>&1); then
    # The shell's own words end with the system's reason ("Exec format error").
    output=$(printf '%s' "$output" | head -n 1)
    missing="this machine cannot execute Wine's 32-bit loader $quorvel_wine32_loader: ${output##*: }"
  fi
  export QUORVEL_WINE32_MISSING="$missing"
  if [ -z "$missing" ]; then
    export QUORVEL_WINE_LOADER="$quorvel_wine32_loader"
    return
  fi
  export QUORVEL_WINE_LOADER="$quorvel_wine64_loader"
  # Wine starts a program's child processes through WINELOADER (Debian's
  # `wine` sets it the same way when only the 64-bit loader is installed).
  export WINELOADER="$quorvel_wine64_loader"
}

# True where 32-bit Windows programs can run.
quorvel_wine32_runs() {
  quorvel_wine_detect
  [ -z "$QUORVEL_WINE32_MISSING" ]
}

quorvel_wine() {
  quorvel_wine_detect
  "$QUORVEL_WINE_LOADER" "$@"
}

quorvel_winepath() {
  quorvel_wine winepath.exe "$@"
}

quorvel_wineboot() {
  quorvel_wine wineboot.exe "$@"
}

# 32 or 64: the width of a Windows executable, read from its PE header
# (the machine field after the "PE\0\0" signature); empty if it is not one.
quorvel_pe_width() {
  local file=$1 offset machine
  offset=$(od -An -t u4 -j 60 -N 4 "$file" 2>/dev/null | tr -d ' ') || return 0
  [ -n "$offset" ] || return 0
  machine=$(od -An -t x2 -j $((offset + 4)) -N 2 "$file" 2>/dev/null | tr -d ' ') || return 0
  case "$machine" in
    014c) echo 32 ;;
    8664 | aa64) echo 64 ;;
  esac
}
