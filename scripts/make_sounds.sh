#!/usr/bin/env bash
# Makes the seven sound files of the game in assets/sounds/: the card deal,
# card down and shuffle noises, the message window's chime and the three
# robots' spoken "May I?". All are short mono 16-bit files at 22050 Hz.
#
# Needs the Debian packages sox and espeak-ng:
#   apt-get install sox espeak-ng
# The files it makes are kept in the repository; run it again only to
# change them.
set -euo pipefail
cd "$(dirname "$0")/.."

for tool in sox espeak-ng; do
  command -v "$tool" >/dev/null || { echo "make_sounds.sh needs $tool (apt-get install sox espeak-ng)" >&2; exit 1; }
done

out=assets/sounds
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Repeatable: the same noise and dither every run, so the files only
# change when this script does.
sox() { command sox -R "$@"; }

rate=22050
fmt=(-r "$rate" -c 1 -b 16)

# A card flicked onto the table: a short, soft burst of filtered noise.
sox -n "${fmt[@]}" "$out/CardDeal1.wav" synth 0.11 pinknoise \
  highpass 900 lowpass 5000 fade q 0.004 0.11 0.09 gain -n -6

# A card laid down: a dull tap, a low thump under a very short click.
sox -n "${fmt[@]}" "$work/thump.wav" synth 0.09 sine 140 fade q 0.002 0.09 0.085 gain -6
sox -n "${fmt[@]}" "$work/click.wav" synth 0.03 brownnoise highpass 400 fade q 0.001 0.03 0.028 gain -4
sox -n "${fmt[@]}" "$work/pad.wav" trim 0 0.06
sox "$work/click.wav" "$work/pad.wav" "$work/click_padded.wav"
sox -m "$work/thump.wav" "$work/click_padded.wav" "$out/CardDown.wav" gain -n -5

# A riffle: some forty small flicks, closer together towards the end.
pieces=()
gap=0.030
for i in $(seq 1 40); do
  f="$work/riffle_$(printf %02d "$i").wav"
  sox -n "${fmt[@]}" "$f" synth 0.012 pinknoise highpass 1500 lowpass 7000 fade q 0.001 0.012 0.010
  pieces+=("$f")
  s="$work/gap_$(printf %02d "$i").wav"
  sox -n "${fmt[@]}" "$s" trim 0 "$gap"
  pieces+=("$s")
  gap=$(awk -v g="$gap" 'BEGIN { g = g * 0.95; if (g < 0.006) g = 0.006; printf "%.4f", g }')
done
sox -n "${fmt[@]}" "$work/settle.wav" synth 0.12 brownnoise lowpass 1200 fade q 0.005 0.12 0.1 gain -8
sox "${pieces[@]}" "$work/settle.wav" "$out/Shuffle.wav" gain -n -4

# A two-note chime for the message window and the end of a round.
sox -n "${fmt[@]}" "$work/note1.wav" synth 0.7 sine 1318.5 sine 2637 remix 1,2 fade l 0.005 0.7 0.68 gain -6
sox -n "${fmt[@]}" "$work/note2.wav" synth 1.0 sine 1046.5 sine 2093 remix 1,2 fade l 0.005 1.0 0.97 gain -6
sox -n "${fmt[@]}" "$work/lead.wav" trim 0 0.22
sox "$work/lead.wav" "$work/note2.wav" "$work/note2_late.wav"
sox -m "$work/note1.wav" "$work/note2_late.wav" "$out/ringout.wav" gain -n -3

# "May I?" in three voices: West, North and East.
say() {
  local voice=$1 pitch=$2 speed=$3 file=$4
  espeak-ng -v "$voice" -p "$pitch" -s "$speed" -w "$work/say.wav" "May I?"
  sox "$work/say.wav" "${fmt[@]}" "$out/$file" silence 1 0.01 0.5% reverse silence 1 0.01 0.5% reverse gain -n -2
}
say en-gb+m3 40 150 MayID.wav
say en-us+f2 60 160 MayIC.wav
say en-gb-scotland+m7 25 140 MayIJ.wav

for f in CardDeal1 CardDown Shuffle ringout MayID MayIC MayIJ; do
  printf '%-14s %6d bytes\n' "$f.wav" "$(stat -c %s "$out/$f.wav")"
done
