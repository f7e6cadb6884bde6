#!/bin/sh
# Takes the README's screenshots with the program itself: the main window and
# the Graph window, light and dark (--dark), on a simulated station under Xvfb.
# Needs xvfb, xdotool, x11-apps (xwd) and netpbm; run from the source folder
# after a build:  scripts/screenshots.sh [BUILD_DIR]
set -eu
build=${1:-build}
work=$(mktemp -d)
display=:77
Xvfb $display -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY=$display
sleep 1

grab() {  # window id, output file
  xwd -id "$1" -silent | xwdtopnm 2>/dev/null | pnmtopng >"$2"
}

shoot() {  # suffix, extra options
  suffix=$1
  shift
  mkdir -p "$work/$suffix"
  "$build/skyvane" --folder "$work/$suffix" --simulate --sim-speed 600 --sim-seed 7 "$@" >/dev/null 2>&1 &
  app=$!
  sleep 10  # the first cycles fill the form and the data file
  main=$(xdotool search --sync --onlyvisible --name "Skyvane" | head -1)
  xdotool mousemove 1 1
  grab "$main" "docs/main-window$suffix.png"
  xdotool mousemove 168 38 click 1  # the Graph button of the tool bar
  graph=$(xdotool search --sync --onlyvisible --name "^Graph$" | head -1)
  eval "$(xdotool getwindowgeometry --shell "$graph")"
  # A week of outdoor temperature and dew point as areas.
  xdotool mousemove $((X + 157)) $((Y + 44)) click 1 sleep 0.5 key Up Return sleep 0.5
  xdotool mousemove $((X + 877)) $((Y + 44)) click 1 sleep 1
  xdotool mousemove $((X + 145)) $((Y + 576)) click 1 sleep 0.5 key Down Down Return sleep 0.5
  xdotool mousemove $((X + 350)) $((Y + 576)) click 1 sleep 0.5 key Down Down Down Return sleep 1
  xdotool mousemove 1 1 sleep 0.5
  grab "$graph" "docs/graph-window$suffix.png"
  kill "$app"
  wait "$app" 2>/dev/null || true
}

shoot ""
shoot "-dark" --dark
