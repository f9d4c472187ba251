#!/usr/bin/env bash
# The clock on a real X server with a window manager: stays on top, no taskbar
# entry, shaped (see-through pixels pass clicks to the window below), starts at
# its default place, dims when inactive, can be dragged, stores where it went,
# and hides another running clock.
# usage: clock_window_test.sh KIVCLOCK_EXECUTABLE SOURCE_DIR
# No pipefail: "producer | grep -q" would fail whenever grep stops reading early.
set -eu
exe=$1
top=$2
. "$(dirname "$0")/desktop_test.sh"

# Starts the clock from a copy in its own folder, so its settings file lands there.
start_clock() {
  local dir=$1
  mkdir -p "$dir"
  cp "$exe" "$dir/kivclock"
  (cd "$dir" && exec ./kivclock >"$dir/out.log" 2>&1) &
  KIV_PIDS+=($!)
}

kiv_desktop_start

# An ordinary window underneath the clock's default place.
xlogo -geometry 300x300+690+140 >"$work/xlogo.log" 2>&1 &
KIV_PIDS+=($!)
below=$(kiv_wait_window --class "^XLogo$") || fail "the window below did not appear: $(cat "$work/xlogo.log"; for w in $(xdotool search --class XLogo); do xwininfo -id $w | grep -E "Map State|geometry"; done; ps -p ${KIV_PIDS[0]},$KIV_WM_PID -o pid,stat,cmd)"

start_clock "$work/a"
clock=$(kiv_wait_window --classname '^kivclock$') || fail "the clock did not show its window"
eventually "xprop -id $clock WM_STATE | grep -q Normal" || fail "the clock was not managed"

geometry=$(xwininfo -id "$clock")
grep -q 'Absolute upper-left X:  738$' <<<"$geometry" || fail "left edge: $geometry"
grep -q 'Absolute upper-left Y:  188$' <<<"$geometry" || fail "top edge: $geometry"
grep -q 'Width: 88$' <<<"$geometry" || fail "width: $geometry"
grep -q 'Height: 88$' <<<"$geometry" || fail "height: $geometry"
pass "at (738, 188), 88 x 88"

state=$(xprop -id "$clock" _NET_WM_STATE)
for s in _NET_WM_STATE_ABOVE _NET_WM_STATE_SKIP_TASKBAR _NET_WM_STATE_SKIP_PAGER; do
  grep -q "$s" <<<"$state" || fail "missing $s: $state"
done
xprop -id "$clock" _MOTIF_WM_HINTS | grep -q '0x2, 0x1, 0x0' || fail "the clock has a frame"
pass "above, no taskbar or pager entry, frameless"

xwininfo -id "$clock" -shape | grep -q 'Window shape extents:  88x88+0+0' || fail "the clock is not shaped"
xprop -id "$clock" _NET_WM_WINDOW_OPACITY | grep -q '= 2694881440$' || fail "opacity is not 160 at start"
pass "shaped, opacity 160"

# The X window (the window manager's frame) under a screen point contains the given client.
under_is() {
  local x=$1 y=$2 client=$3 frame tree
  xdotool mousemove "$x" "$y"
  frame=$(xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p')
  tree=$(xwininfo -id "$frame" -tree)
  grep -qi "$(printf '0x%x' "$client") " <<<"$tree"
}

# Raising and activating the window below leaves the clock on top.
xdotool windowactivate --sync "$below"
eventually "xprop -root _NET_ACTIVE_WINDOW | grep -qi $(printf '0x%x' "$below")" || fail "could not activate the window below"
stack=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //')
[ "${stack##*, }" = "$(printf '0x%x' "$clock")" ] || fail "the clock is not topmost: $stack"
# The centre: every hand crosses it. A see-through pixel: 20 pixels from the
# centre in a direction that no hand (nor tail) comes near during the next seconds.
now=$(date '+%H %M %S')
read -r sx sy < <(echo "$now" | awk -v ox=738 -v oy=188 '
  function gap(a, b) { d = (a - b) % 360; if (d < 0) d += 360; return d > 180 ? 360 - d : d }
  { h = $1 % 12; m = $2; s = $3
    n = 0
    for (k = 0; k <= 4; k++) {
      sk = s + k
      hands[n++] = (h + m / 60 + sk / 3600) / 12 * 360 - 90
      hands[n++] = (m + sk / 60) / 60 * 360 - 90
      hands[n++] = sk / 60 * 360 - 90
    }
    hands[n++] = 105 # the alarm hand at 06:30
    for (c = 0; c < 360; c += 5) {
      ok = 1
      for (i = 0; i < n; i++)
        if (gap(c, hands[i]) < 20 || gap(c, hands[i] + 180) < 20) ok = 0
      if (ok) { r = c * 3.14159265 / 180; printf "%d %d\n", ox + 44 + 20 * cos(r), oy + 44 + 20 * sin(r); exit }
    }
    print "none" }')
[ "$sx" != none ] || fail "no free direction found at $now"
under_is 782 232 "$clock" || fail "a hand pixel does not belong to the clock"
under_is "$sx" "$sy" "$below" || fail "a see-through pixel ($sx, $sy) does not reach the window below"
under_is "$sx" "$sy" "$clock" && fail "a see-through pixel belongs to the clock"
pass "above the active window; hands catch the mouse, see-through pixels do not"

# A drag started on a see-through pixel moves the window below's content, not the clock.
xdotool mousemove "$sx" "$sy" mousedown 1 mousemove $((sx + 20)) $((sy + 20)) mouseup 1
sleep 0.3
xwininfo -id "$clock" | grep -q 'Absolute upper-left X:  738$' || fail "a see-through drag moved the clock"
[ ! -e "$work/a/kivclock.ini" ] || fail "a click beside the clock stored its settings"

# A drag on the centre moves it by the pointer's offset and the release stores the place.
xdotool mousemove 782 232 mousedown 1 mousemove 800 240 mousemove 832 262 mouseup 1
eventually "xwininfo -id $clock | grep -q 'Absolute upper-left X:  788$'" || fail "the drag did not move the clock: $(xwininfo -id "$clock" | grep Absolute)"
xwininfo -id "$clock" | grep -q 'Absolute upper-left Y:  218$' || fail "the drag moved the clock to the wrong height"
eventually "grep -q '^Top=218' $work/a/kivclock.ini" || fail "the new place was not stored"
grep -q '^Left=788' "$work/a/kivclock.ini" || fail "the new left edge was not stored"
[ "$(stat -c %a "$work/a/kivclock.ini")" = 600 ] || fail "the settings file is readable by others"
pass "dragged to (788, 218) and stored, mode 0600"

# The press activated the clock: full opacity; another window's activation dims it.
eventually "xprop -id $clock _NET_WM_WINDOW_OPACITY | grep -q '= 4294967295$'" || fail "active clock is not opaque"
xdotool windowactivate --sync "$below"
eventually "xprop -id $clock _NET_WM_WINDOW_OPACITY | grep -q '= 2358021260$'" || fail "inactive clock is not at 140"
pass "opacity 255 active, 140 inactive"

# A second clock hides the first.
start_clock "$work/b"
eventually "xwininfo -id $clock | grep -q IsUnMapped" || fail "the first clock is still shown"
eventually "[ \$(xdotool search --onlyvisible --classname '^kivclock$' | wc -l) = 1 ]" || fail "not exactly one clock is visible"
pass "a second clock hides the first"
