#!/usr/bin/env bash
# The day alarm of the running clock on a real X server with a window manager:
# a few seconds after start the alarm time passes; the alarm window appears
# above an active ordinary window, without a taskbar entry, and the tune's
# first cycle goes to the default ALSA device, here a WAV file.
# usage: alarm_window_test.sh KIVCLOCK_EXECUTABLE SOURCE_DIR
# KIV_ALARM_SCREENSHOT=/some/file.png keeps a picture of the screen with the window.
set -eu
exe=$1
top=$2
. "$(dirname "$0")/desktop_test.sh"

kiv_desktop_start

# The default ALSA device writes a WAV file, found through HOME.
wav=$work/alarm.wav
mkdir -p "$work/home"
cat >"$work/home/.asoundrc" <<ASOUND
pcm.!default { type file; slave.pcm "null"; file "$wav"; format "wav" }
ASOUND

# An ordinary window where the alarm window will appear, active when it does.
xlogo -geometry 500x350+380+150 >"$work/xlogo.log" 2>&1 &
KIV_PIDS+=($!)
below=$(kiv_wait_window --class "^XLogo$") || fail "the ordinary window did not appear"
xdotool windowactivate --sync "$below"

# The C locale's long time format is hh:nn:ss; a once-alarm 3 s from now.
mkdir -p "$work/app"
cp "$exe" "$work/app/kivclock"
alarm=$(date -d '+3 seconds' '+%H:%M:%S')
printf '[DayAlarm]\r\nActive=1\r\nDaily=0\r\nTime=%s\r\n' "$alarm" >"$work/app/kivclock.ini"
(cd "$work/app" && HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" LANG=C LC_ALL=C \
   exec ./kivclock >"$work/app/out.log" 2>&1) &
KIV_PIDS+=($!)
clock=$(kiv_wait_window --classname "^kivclock$") || fail "the clock did not show its window: $(cat "$work/app/out.log")"
xdotool windowactivate --sync "$below"

form=$(kiv_wait_window --name '^Day Time' || kiv_wait_window --name '^Day Timer$') ||
  fail "the alarm window did not appear: $(cat "$work/app/out.log")"
eventually "xprop -id $form WM_STATE | grep -q Normal" || fail "the alarm window was not managed"
state=$(xprop -id "$form" _NET_WM_STATE)
for s in _NET_WM_STATE_ABOVE _NET_WM_STATE_SKIP_TASKBAR _NET_WM_STATE_SKIP_PAGER; do
  grep -q "$s" <<<"$state" || fail "alarm window: missing $s: $state"
done
stack=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, /\n/g')
pos() { grep -n -i -x "$(printf '0x%x' "$1")" <<<"$stack" | cut -d: -f1; }
[ "$(pos "$form")" -gt "$(pos "$below")" ] || fail "the alarm window is below the ordinary window: $stack"
eventually "xprop -id $form _NET_WM_NAME | grep -q '= \"Day Time - [0-9][0-9]:[0-9][0-9]:[0-9][0-9]\"$'" 30 ||
  fail "caption: $(xprop -id "$form" _NET_WM_NAME)"
pass "alarm window above the active window, no taskbar entry, caption with the time"

# The once-alarm disarmed itself in the settings file.
eventually "tr -d '\r' <$work/app/kivclock.ini | grep -qx Active=0" || fail "not disarmed: $(cat "$work/app/kivclock.ini")"
pass "disarmed: Active=0"

if [ -n "${KIV_ALARM_SCREENSHOT:-}" ]; then
  import -window root "$KIV_ALARM_SCREENSHOT"
fi

# One cycle: 800, 600, 1000, 800 Hz for 0.3, 0.3, 0.6, 0.3 s at 48 kHz, 16-bit
# mono, after a 44-byte header. The file grows only while tones play.
tune_bytes=$((44 + 2 * 48000 * 3 / 2))
eventually "[ \$(stat -c %s $wav) -ge $tune_bytes ]" 100 || fail "the tune was not played: $(ls -l "$work")"
# A once-alarm plays one cycle only (the next would start 4 s after the tones).
sleep 5
[ "$(stat -c %s "$wav")" = "$tune_bytes" ] || fail "the WAV holds $(stat -c %s "$wav") bytes, not one cycle"

# The samples after the header, one per line (the header's sizes are final
# only when the file closes). A square tone of f Hz crosses zero 2 f times a second.
tail -c +45 "$wav" | od -An -v -t d2 -w2 >"$work/samples.txt"
tone() {
  local from=$1 length=$2 want=$3 got
  got=$(awk -v a=$((from * 48)) -v b=$(((from + length) * 48)) -v ms="$length" '
    NR > a && NR <= b { s = ($1 > 0) ? 1 : ($1 < 0 ? -1 : 0)
                        if (s != 0) { if (last != 0 && s != last) n++; last = s } }
    END { printf "%d\n", n / 2 * 1000 / ms }' "$work/samples.txt")
  [ $((got - want)) -le $((want / 50)) ] && [ $((want - got)) -le $((want / 50)) ] ||
    fail "tone at $from ms: $got Hz, not $want"
}
tone 0 300 800
tone 300 300 600
tone 600 600 1000
tone 1200 300 800
pass "the WAV holds the tune: 800, 600, 1000, 800 Hz"
