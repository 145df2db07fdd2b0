# Sourced by the scripts that run the real program on a private X server: the app tests
# and the benchmarks. It only defines functions.

# start_xvfb DIR: starts Xvfb on a display it picks itself (it writes the number to
# fd 3), with its log in DIR; sets xvfb_pid and exports DISPLAY. -noreset: the server
# must not reset when its last client leaves, between runs or while a loop polls it.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$1/display" 2>"$1/xvfb.log" &
  xvfb_pid=$!
  local _
  for _ in $(seq 200); do
    [[ -s $1/display ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  if [[ ! -s $1/display ]]; then
    cat "$1/xvfb.log" >&2
    echo "Xvfb gave no display number" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$1/display")"
  unset WAYLAND_DISPLAY QT_QPA_PLATFORM
}

# wait_for_window PID TITLE SECONDS: prints the id of the first visible window named
# TITLE as soon as it shows (xdotool's own --sync polls only every half second); fails
# when the process PID ends first or SECONDS pass.
wait_for_window() {
  local deadline=$((SECONDS + $3)) window
  while ((SECONDS < deadline)); do
    kill -0 "$1" 2>/dev/null || { echo "the program ended before its window showed" >&2; return 1; }
    window=$(xdotool search --onlyvisible --name "$2" 2>/dev/null | head -n1 || true)
    if [[ -n $window ]]; then
      echo "$window"
      return 0
    fi
    sleep 0.02
  done
  echo "no visible window named \"$2\" within $3 s" >&2
  return 1
}

# skip_without TOOL...: ends a test as skipped (status 77) where a tool is missing.
skip_without() {
  local tool
  for tool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
  done
}

# stop_processes PID...: ends each process that still runs and waits for it.
stop_processes() {
  local pid
  for pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
}
