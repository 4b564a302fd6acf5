#!/usr/bin/env bash
# Plays a few turns of Meldora by keys in a real X window with the Orca
# screen reader listening, and prints what Orca spoke. Run by hand after
# scripts/setup.sh; it needs (Debian 12):
#   sudo apt-get install xvfb xdotool openbox orca at-spi2-core dbus-x11 \
#        python3-pyatspi pulseaudio pulseaudio-utils
# Orca talks to speech-dispatcher, which needs a sound server: a PulseAudio
# null sink stands in for the speakers.
#
#   scripts/orca_check.sh [turns]      (default 3 turns of the player)
#
# Orca's whole debug log is left in build/orca-check/orca.log.
set -euo pipefail
cd "$(dirname "$0")/.."
turns=${1:-3}

for tool in Xvfb xdotool openbox orca pulseaudio pactl dbus-run-session; do
  command -v "$tool" >/dev/null || { echo "missing: $tool (see the install line at the top of $0)" >&2; exit 2; }
done
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "missing: at-spi2-core" >&2; exit 2; }
[ -x build/meldora ] || { echo "build first: scripts/setup.sh" >&2; exit 2; }

out=$PWD/build/orca-check
rm -rf "$out"; mkdir -p "$out/home" "$out/runtime"; chmod 700 "$out/runtime"
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1920x1080x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1

export DISPLAY=$display HOME=$out/home XDG_RUNTIME_DIR=$out/runtime OUT=$out TURNS=$turns
dbus-run-session -- bash -c '
  set -u
  pulseaudio -D --exit-idle-time=-1 >/dev/null 2>&1
  pactl load-module module-null-sink sink_name=cap >/dev/null
  pactl set-default-sink cap
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  sleep 1
  openbox >/dev/null 2>&1 &
  orca --debug-file "$OUT/orca.log" >"$OUT/orca.out" 2>&1 &
  orca=$!
  sleep 6
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 build/meldora >"$OUT/meldora.out" 2>&1 &
  game=$!
  sleep 6
  /usr/bin/python3 scripts/orca_play.py "$TURNS" || echo "the turns did not finish: see $OUT/orca.log" >&2
  kill $game 2>/dev/null; sleep 1
  kill $orca 2>/dev/null || true
  pulseaudio --kill 2>/dev/null || true
'
echo "What Orca spoke:"
sed -n "s/^.*SPEECH OUTPUT: '\(.*\)'.*$/\1/p" "$out/orca.log"
