# Sourced by the benchmark scripts: starts a private Xvfb on a display it picks itself
# (it writes the number to fd 3), exports DISPLAY, and ends the server when the script
# exits. -noreset: the server must not reset when the last client leaves between runs.
xvfb_work=$(mktemp -d)
xvfb_pid=""
stop_private_xvfb() {
  if [[ -n $xvfb_pid ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$xvfb_work"
}
trap stop_private_xvfb EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$xvfb_work/display" 2>"$xvfb_work/log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [[ -s $xvfb_work/display ]] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { cat "$xvfb_work/log" >&2; echo "Xvfb did not start" >&2; exit 1; }
  sleep 0.05
done
[[ -s $xvfb_work/display ]] || { echo "Xvfb gave no display number" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$xvfb_work/display")"
