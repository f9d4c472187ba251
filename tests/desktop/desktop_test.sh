# Sourced by the desktop test scripts: a private X server with a window manager
# torn down on exit, a work folder, and small helpers.
# Needs $top (the source folder) set; sets $work.
. "$top/scripts/lib/xserver.sh"

work=$(mktemp -d)
trap 'kiv_stop_tracked; kiv_stop_x; rm -rf "$work"' EXIT

# Starts the private X server and window manager and points DISPLAY at them.
kiv_desktop_start() {
  kiv_start_xvfb
  kiv_start_openbox
  export DISPLAY=$KIV_DISPLAY
}

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

# Polls a command for up to $2 tenths of a second (default 5 s).
eventually() {
  local i
  for i in $(seq 1 "${2:-50}"); do
    if eval "$1" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  return 1
}
