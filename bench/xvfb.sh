# Sourced by the benchmark scripts: starts a private Xvfb on a display it picks itself,
# exports DISPLAY, and ends the server when the script exits.
source tests/support/xvfb.sh
xvfb_work=$(mktemp -d)
xvfb_pid=""
stop_private_xvfb() {
  stop_processes $xvfb_pid
  rm -rf "$xvfb_work"
}
trap stop_private_xvfb EXIT
start_xvfb "$xvfb_work"
