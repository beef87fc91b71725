# Shared by the tools: the repository's root, building quietly, a script's
# own usage, a display and a Wine prefix for the Windows program. Source
# it; it defines functions and changes nothing by itself.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Prints the calling script's opening comment (its usage) and exits when
# the first argument asks for help: call it as `usage_on_help "$@"`.
usage_on_help() {
  case "${1:-}" in
    -h | --help)
      sed -n '2,/^[^#]/{/^#/{s/^# \{0,1\}//;p}}' "$0"
      exit 0 ;;
  esac
}

# Configures the build folder of a CMake preset when it is missing and
# builds the targets (all when none is named). Quiet when it works; when
# it does not, shows what the compiler and CMake said and returns 1.
#   usage: ensure_built PRESET [TARGET...]
ensure_built() {
  local preset=$1; shift
  local log
  log=$(mktemp)
  local targets=()
  [ $# -gt 0 ] && targets=(--target "$@")
  if ! (cd "$root" && { [ -f "build/$preset/build.ninja" ] || cmake --preset "$preset"; } &&
        cmake --build --preset "$preset" "${targets[@]}") >"$log" 2>&1; then
    grep -Ev '^\[[0-9]+/[0-9]+\] ' "$log" >&2
    echo "building ${*:-everything} with the $preset preset failed" >&2
    rm -f "$log"
    return 1
  fi
  rm -f "$log"
}

# The environment every Wine program of the project runs in: the project's
# own prefix, quiet (unless WINEDEBUG says otherwise), in the Japanese
# locale (ANSI code page 932).
wine_env() {
  export WINEPREFIX=$root/build/wineprefix
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
}

# Starts Xvfb on a free display unless DISPLAY already works; exports DISPLAY.
start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n
  for n in $(seq 90 130); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 50); do
      # A server that could not take the display (another one holds it,
      # perhaps from another file system root) has ended: try the next.
      kill -0 $xvfb_pid 2>/dev/null || break
      [ -e /tmp/.X11-unix/X$n ] && DISPLAY=:$n xdpyinfo >/dev/null 2>&1 && { export DISPLAY=:$n; return 0; }
      sleep 0.1
    done
    kill $xvfb_pid 2>/dev/null || true
  done
  echo "no display could be started" >&2
  return 1
}

# Prepares the project's own Wine prefix (first start takes a while) and
# keeps one wineserver alive so that each program starts quickly.
start_wine() {
  wine_env
  mkdir -p "$root/build"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "preparing the Wine prefix in $WINEPREFIX"
    timeout 300 wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  # The title bar's buttons are glyphs of the Marlett font, which Wine finds
  # only in the prefix's own font folder; without it they show as letters.
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$fonts/marlett.ttf" ]; then
    mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
  wineserver -p >/dev/null 2>&1 </dev/null || true
  # One virtual desktop for every program: Wine draws the window frames
  # itself, as Xvfb has no window manager, and windows map at once.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 </dev/null || true
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1 </dev/null || true
  # Wine's own background processes (services, the desktop) start with the
  # first program; start them here, detached from any caller's pipes, so
  # that no test runner waits on a pipe that they hold open. The prefix is
  # ready when a program started in it runs and prints: a test started
  # before that, in a prefix just made, can end without a word.
  local try
  for try in $(seq 1 20); do
    [ "$(timeout 120 wine cmd /c echo ready 2>/dev/null </dev/null | tr -d '\r')" = ready ] && return 0
    sleep 1
  done
  echo "the Wine prefix $WINEPREFIX does not run programs" >&2
  return 1
}

stop_wine() {
  wineserver -k >/dev/null 2>&1 || true
}

stop_display() {
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
}
