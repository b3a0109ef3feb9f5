#!/usr/bin/env bash
# Re-creates all of the colouring game's data in data/rcdata:
#
#   - the pictures 101-180, 190-200 and 211-214, drawn by make_picture
#     (tools/picture), which this script builds in Release under build/tools;
#   - the sounds, 44 000 Hz stereo Ogg Vorbis: 215 the warning of a refused
#     paint, 207-210 the spoken praise phrases, 201 the spoken instruction
#     that goes with the mouse demonstration.
#
#   tools/picture/make_game_data.sh [--previews] [--pictures-only | --sounds-only]
#
# --previews also writes docs/game-blank.png, docs/game-half.png and
# docs/game-coloured.png, whole game screens put together from the pictures.
#
# Authoring tools, not needed by the program: cmake, ninja, g++, libcairo2-dev
# and libpng-dev for the pictures; espeak-ng, sox, libsox-fmt-all and
# vorbis-tools for the sounds. The output is the same on every run: sox runs
# with repeatable dither and every Ogg stream has a fixed serial number.

set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
rcdata=$root/data/rcdata
previews=no
pictures=yes
sounds=yes
for arg in "$@"; do
  case $arg in
    --previews) previews=yes ;;
    --pictures-only) sounds=no ;;
    --sounds-only) pictures=no ;;
    *) echo "usage: $0 [--previews] [--pictures-only | --sounds-only]" >&2; exit 2 ;;
  esac
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

make_pictures() {
  local build=$root/build/tools
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPESTREL_TESTS=OFF >/dev/null
  cmake --build "$build" --target make_picture -j2
  if [ "$previews" = yes ]; then
    "$build/tools/make_picture" "$rcdata" --previews "$root/docs"
  else
    "$build/tools/make_picture" "$rcdata"
  fi
}

# --- Sounds -------------------------------------------------------------

seconds() { sox --i -D "$1"; }

# silence <file> <seconds>: stereo silence at the game's rate.
silence() { sox -R -n -r 44000 -c 2 -b 16 "$1" trim 0 "$2"; }

# speak <file> <rate in words per minute> <text>: Russian speech at the
# game's rate, with the silence before and after it trimmed away.
speak() {
  local out=$1 rate=$2 text=$3
  espeak-ng -v ru -s "$rate" -p 58 -g 2 -w "$work/raw.wav" "$text"
  sox -R "$work/raw.wav" -r 44000 -c 2 -b 16 "$out" \
    gain -4 silence 1 0.02 0.5% reverse silence 1 0.02 0.5% reverse highpass 90
}

# retime <file> <shortest> <longest>: stretch or squeeze speech, keeping its
# pitch, until it lasts between the two lengths.
retime() {
  local file=$1 shortest=$2 longest=$3 length factor
  length=$(seconds "$file")
  factor=$(awk -v l="$length" -v s="$shortest" -v m="$longest" \
    'BEGIN { if (l < s) print l / s; else if (l > m) print l / m; else print 1 }')
  if [ "$factor" != 1 ]; then
    sox -R "$file" "$work/retimed.wav" tempo -s "$factor"
    mv "$work/retimed.wav" "$file"
  fi
}

encode() { oggenc -Q -q 4 --serial "$2" -o "$rcdata/$2.ogg" "$1"; }

# 215: a soft "uh-uh", a lower second tone after the first, each two mild
# sines gliding down; quieter than the speech peaks, as sines sound loud.
make_warning() {
  sox -R -n -r 44000 -c 2 -b 16 "$work/uh1.wav" synth 0.30 sine 440-415 sine 880-830 \
    remix 1v0.8,2v0.2 fade q 0.025 0.30 0.10
  sox -R -n -r 44000 -c 2 -b 16 "$work/uh2.wav" synth 0.36 sine 349-311 sine 698-622 \
    remix 1v0.8,2v0.2 fade q 0.025 0.36 0.14
  silence "$work/gap.wav" 0.07
  silence "$work/end.wav" 0.2
  sox -R "$work/uh1.wav" "$work/gap.wav" "$work/uh2.wav" "$work/end.wav" -b 16 "$work/warning.wav" \
    lowpass 2500 trim 0 0.8 norm -12
  encode "$work/warning.wav" 215
}

# 207-210: one short phrase each, 1.3 to 1.9 seconds with its lead-in and fade.
make_praise() {
  local number=207 text
  silence "$work/lead.wav" 0.08
  silence "$work/tail.wav" 0.3
  for text in "Вот молодец!" "Всё правильно!" "Очень хорошо!" "Ты умница!"; do
    speak "$work/phrase.wav" 95 "$text"
    retime "$work/phrase.wav" 1.15 1.45
    sox -R "$work/lead.wav" "$work/phrase.wav" "$work/tail.wav" "$work/praise.wav" \
      fade q 0.02 -0 0.15 norm -2
    encode "$work/praise.wav" "$number"
    number=$((number + 1))
  done
}

# 201: the spoken instruction, 38.3 seconds. Each sentence starts when the
# demonstration shows what it speaks of: the canvas unveiled at 7.8 s, the
# palette at 14.0 s, the bucket at 20.3 s, its click on yellow at 25.8 s,
# the yellow bucket at 26.8 s, the sun painted at 32.3 s, the refusal on
# the cloud at 37.9 s.
make_instruction() {
  local start room text mix=()
  silence "$work/base.wav" 38.3
  mix+=(-v 1 "$work/base.wav")
  local n=0
  while IFS='|' read -r start room text; do
    speak "$work/sentence.wav" 120 "$text"
    retime "$work/sentence.wav" 0 "$room"
    sox -R "$work/sentence.wav" "$work/part$n.wav" pad "$start"
    mix+=(-v 1 "$work/part$n.wav")
    n=$((n + 1))
  done <<'EOF'
0.4|7.2|Здравствуй! Сейчас мы будем раскрашивать картинку. Посмотри, как это делается.
8.0|5.8|Вот картинка. Её нужно раскрасить всю, до последнего кусочка.
14.2|5.8|Внизу стоят баночки с красками. Их десять.
20.5|5.2|Возьми мышку. Подведи ведёрко к жёлтой краске и нажми кнопку.
26.9|4.3|Ведёрко стало жёлтым. Теперь подведи его к солнышку.
32.4|4.4|Солнышко стало жёлтым! А облако жёлтым не бывает.
37.0|0.8|Смотри!
EOF
  sox -R -m "${mix[@]}" -b 16 "$work/instruction.wav" trim 0 38.3 norm -2
  encode "$work/instruction.wav" 201
}

check_length() {
  local number=$1 shortest=$2 longest=$3 length
  length=$(seconds "$rcdata/$number.ogg")
  awk -v l="$length" -v s="$shortest" -v m="$longest" 'BEGIN { exit !(l >= s && l <= m) }' || {
    echo "$number.ogg lasts $length s, not $shortest to $longest s" >&2
    exit 1
  }
  echo "$number.ogg: $length s"
}

make_sounds() {
  mkdir -p "$rcdata"
  make_warning
  make_praise
  make_instruction
  check_length 215 0.79 0.81
  for number in 207 208 209 210; do check_length "$number" 1.3 1.9; done
  check_length 201 38.2 38.4
}

[ "$pictures" = yes ] && make_pictures
[ "$sounds" = yes ] && make_sounds
exit 0
