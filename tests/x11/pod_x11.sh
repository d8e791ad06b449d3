#!/bin/sh
# Runs the window tests that need a real X server with a window manager:
# a private Xvfb screen with openbox, the pointer driven by xdotool.
# Usage: pod_x11.sh <tests_workbench> <gtest filter> [<screen size>, 1280x1024
# unless given]. Exit 77 (skipped) when Xvfb, openbox, xdotool or xprop is
# missing.
testy="$1"
filtr="$2"
ekran="${3:-1280x1024}"
for p in Xvfb openbox xdotool xprop; do
  if ! command -v "$p" >/dev/null 2>&1; then
    echo "pominiety: brak programu $p (scripts/install-deps.sh instaluje Xvfb, openbox, xdotool i xprop)"
    exit 77
  fi
done
katalog=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 "${ekran}x24" -nolisten tcp 3>"$katalog/ekran" >/dev/null 2>&1 &
xvfb=$!
for i in $(seq 1 100); do
  [ -s "$katalog/ekran" ] && break
  sleep 0.1
done
if [ ! -s "$katalog/ekran" ]; then
  echo "Xvfb nie wystartowal"
  kill "$xvfb" 2>/dev/null
  rm -rf "$katalog"
  exit 1
fi
DISPLAY=":$(cat "$katalog/ekran")"
export DISPLAY
openbox --sm-disable >/dev/null 2>&1 &
openbox=$!
sleep 1
# Under LeakSanitizer: the system's D-Bus library leaks (see the file).
LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$(dirname "$0")/lsan.supp" \
QT_QPA_PLATFORM=xcb "$testy" --gtest_filter="$filtr"
wynik=$?
kill "$openbox" 2>/dev/null
kill "$xvfb" 2>/dev/null
wait "$openbox" "$xvfb" 2>/dev/null
rm -rf "$katalog"
exit $wynik
