#!/usr/bin/env bash
# Runs a test program on a private Xvfb display with openbox as window manager.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../../scripts/lib/xserver.sh
. "$here/../../scripts/lib/xserver.sh"
trap kiv_stop_x EXIT
kiv_start_xvfb || exit 1
kiv_start_openbox || exit 1
DISPLAY="$KIV_DISPLAY" QT_QPA_PLATFORM=xcb "$@"
