# Shell helpers for a private X server: source this file, then
#   kiv_start_xvfb            -> sets KIV_DISPLAY (":N") and KIV_XVFB_PID
#   kiv_start_openbox         -> window manager on $KIV_DISPLAY, sets KIV_WM_PID
#   kiv_stop_x                -> stops both (window manager first)
#   KIV_PIDS+=($!)            -> programs started on the server; kiv_stop_tracked stops them
#   kiv_wait_window ARGS...   -> prints the first visible window matching xdotool search ARGS

kiv_start_xvfb() {
  local fifo dir
  dir=$(mktemp -d)
  fifo="$dir/displayfd"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  KIV_XVFB_PID=$!
  local n
  read -r -t 10 n <"$fifo" || { echo "Xvfb did not start" >&2; rm -rf "$dir"; return 1; }
  rm -rf "$dir"
  KIV_DISPLAY=":$n"
  export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
  chmod 700 "$XDG_RUNTIME_DIR"
}

kiv_start_openbox() {
  # On a loaded machine openbox now and then fails to come up or exits at once:
  # give it a few tries, each with its own wait.
  local attempt i log
  log=$(mktemp)
  for attempt in 1 2 3; do
    DISPLAY="$KIV_DISPLAY" openbox --sm-disable >/dev/null 2>"$log" &
    KIV_WM_PID=$!
    for i in $(seq 1 150); do
      if DISPLAY="$KIV_DISPLAY" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
        rm -f "$log"
        kiv_wait_wm_events
        return $?
      fi
      kill -0 "$KIV_WM_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$KIV_WM_PID" 2>/dev/null; wait "$KIV_WM_PID" 2>/dev/null
    KIV_WM_PID=""
  done
  echo "openbox did not start:" >&2
  cat "$log" >&2
  rm -f "$log"
  return 1
}

# openbox announces itself before its event loop runs, and a window mapped in
# between is never managed (it stays unmapped). Ready is when it answers a
# request: switch to the second desktop and back.
kiv_wait_wm_events() {
  local i
  for i in $(seq 1 100); do
    DISPLAY="$KIV_DISPLAY" xdotool set_desktop 1 2>/dev/null || true
    sleep 0.05
    if DISPLAY="$KIV_DISPLAY" xprop -root _NET_CURRENT_DESKTOP 2>/dev/null | grep -q '= 1$'; then
      DISPLAY="$KIV_DISPLAY" xdotool set_desktop 0 2>/dev/null || true
      for i in $(seq 1 100); do
        if DISPLAY="$KIV_DISPLAY" xprop -root _NET_CURRENT_DESKTOP 2>/dev/null | grep -q '= 0$'; then
          return 0
        fi
        sleep 0.05
      done
      break
    fi
  done
  echo "openbox does not answer" >&2
  return 1
}

kiv_stop_x() {
  if [ -n "${KIV_WM_PID:-}" ]; then kill "$KIV_WM_PID" 2>/dev/null; wait "$KIV_WM_PID" 2>/dev/null; fi
  if [ -n "${KIV_XVFB_PID:-}" ]; then kill "$KIV_XVFB_PID" 2>/dev/null; wait "$KIV_XVFB_PID" 2>/dev/null; fi
  KIV_WM_PID=""
  KIV_XVFB_PID=""
}

KIV_PIDS=()

kiv_stop_tracked() {
  local p
  for p in "${KIV_PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${KIV_PIDS[@]}"; do wait "$p" 2>/dev/null || true; done
  KIV_PIDS=()
}

# Polled for up to 10 s: "xdotool search --sync" gives up at once when a window
# vanishes while it looks.
kiv_wait_window() {
  local i id
  for i in $(seq 1 100); do
    id=$(DISPLAY="$KIV_DISPLAY" xdotool search --onlyvisible "$@" 2>/dev/null | head -1)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}
