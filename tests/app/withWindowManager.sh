#!/bin/sh
# Runs a command on the X server of $DISPLAY with openbox managing its windows, as on a
# desktop: focus, activation and placement then follow a real window manager's rules.
# Usage: withWindowManager.sh COMMAND [ARGS...]   (under xvfb-run)
set -u
openbox --sm-disable --config-file /dev/null >/dev/null 2>&1 &
wm=$!
# openbox announces itself on the root window once it manages windows.
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
  tries=$((tries + 1))
  if [ "$tries" -gt 200 ]; then echo "openbox did not start" >&2; kill "$wm"; exit 1; fi
  sleep 0.05
done
"$@"
status=$?
kill "$wm" 2>/dev/null
wait "$wm" 2>/dev/null
exit $status
