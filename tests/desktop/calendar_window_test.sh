#!/usr/bin/env bash
# The running clock opens the calendar window: a double click on the face, and
# F3 after the window was closed. Closing stores the window's place.
# usage: calendar_window_test.sh KIVCLOCK_EXECUTABLE SOURCE_DIR
# No pipefail: "producer | grep -q" would fail whenever grep stops reading early.
set -eu
exe=$1
top=$2
. "$(dirname "$0")/desktop_test.sh"

kiv_desktop_start
# English month names in the window title.
export LC_ALL=C LANG=C

mkdir -p "$work/a"
cp "$exe" "$work/a/kivclock"
today=$(date +%Y%m%d)
printf '<icalendar>\r\n  <vcalendar>\r\n    <vevent>\r\n      <dtstart>%sT090000</dtstart>\r\n      <dtend>%sT100000</dtend>\r\n      <summary>Desktop test</summary>\r\n    </vevent>\r\n  </vcalendar>\r\n</icalendar>\r\n' \
  "$today" "$today" >"$work/a/kivclock.xml"
(cd "$work/a" && exec ./kivclock >"$work/a/out.log" 2>&1) &
KIV_PIDS+=($!)

clock=$(kiv_wait_window --classname '^kivclock$') || true
[ -n "$clock" ] || fail "the clock did not show its window"
eventually "xprop -id $clock WM_STATE | grep -q Normal" || fail "the clock was not managed"
title="$(date '+%B %Y')\$"
[ -z "$(xdotool search --onlyvisible --name "$title" 2>/dev/null)" ] || fail "the calendar window is shown at start"

# The centre of the face: every hand crosses it. Two quick clicks are a double click.
xdotool mousemove 782 232 click --repeat 2 --delay 60 1
cal=$(kiv_wait_window --name "$title") || true
[ -n "$cal" ] || fail "a double click on the clock did not show the calendar window"
eventually "xprop -id $cal WM_STATE | grep -q Normal" || fail "the calendar window was not managed"
geometry=$(xwininfo -id "$cal")
grep -q 'Width: 130$' <<<"$geometry" || fail "width: $geometry"
grep -q 'Height: 157$' <<<"$geometry" || fail "height: $geometry"
pass "a double click on the clock shows the calendar window, 130 x 157"

state=$(xprop -id "$cal" _NET_WM_STATE)
grep -q _NET_WM_STATE_SKIP_TASKBAR <<<"$state" || fail "the calendar window has a taskbar entry: $state"
pass "no taskbar entry"

# Closing hides it and stores its place; F3 on the clock shows it again.
xdotool windowactivate --sync "$cal" key --clearmodifiers alt+F4
eventually "[ -z \"\$(xdotool search --onlyvisible --name '$title')\" ]" || fail "closing did not hide the calendar window"
eventually "grep -q '^Left=' $work/a/kivclock.ini" || fail "closing did not store the place"
pass "closing hides it and stores its place"
xdotool windowactivate --sync "$clock" key F3
cal=$(kiv_wait_window --name "$title") || true
[ -n "$cal" ] || fail "F3 did not show the calendar window again"
eventually "xprop -id $cal _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR" || fail "shown again with a taskbar entry"
pass "F3 shows it again"
