#!/bin/sh
# Re-creates all the reward's data with one command:
#
#   tools/cartoons/make_reward_data.sh [build-folder]
#
# writes, in data/named,
#   bravo_video.ogv ... ura_video.ogv      the five cartoons: 320 x 240, 12 frames
#                                          a second, 25 frames, Ogg Theora 4:2:0
#   bravo_sound.ogg ... ura_sound.ogg      the five praise words, Ogg Vorbis
#   oblako_png.png                         the cloud the cartoon plays in
# and then docs/reward-cartoons.png, a contact sheet of the cartoons in the
# cloud as the reward shows them (drawn by the engine itself, so the program
# is built again with the new data first).
#
# The build folder (default build/cartoons) is a Release build without tests.
# Authoring tools needed besides the build's own: ffmpeg (with libtheora),
# espeak-ng, sox and oggenc (vorbis-tools). The same tools give the same
# bytes: ffmpeg and oggenc are told to write fixed stream serial numbers and
# sox runs in its repeatable mode.
set -eu

root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/cartoons}
named=$root/data/named
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for tool in ffmpeg espeak-ng sox oggenc cmake; do
  command -v "$tool" >/dev/null || { echo "make_reward_data: $tool is needed" >&2; exit 1; }
done

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPESTREL_TESTS=OFF >/dev/null
cmake --build "$build" --target make_cartoons -j2
make_cartoons=$build/tools/make_cartoons

# The cartoons: frames drawn by make_cartoons, encoded at a high quality.
# yuv420p keeps ffmpeg from choosing 4:4:4, which the reward does not expect.
for name in $("$make_cartoons" names); do
  mkdir -p "$work/$name"
  "$make_cartoons" frames "$name" "$work/$name"
  ffmpeg -loglevel error -y -framerate 12 -i "$work/$name/frame_%02d.png" \
    -pix_fmt yuv420p -c:v libtheora -q:v 8 \
    -fflags +bitexact -flags:v +bitexact -map_metadata -1 \
    "$named/$name.ogv"
done

"$make_cartoons" cloud "$named/oblako_png.png"

# The praise words, spoken by espeak-ng's Russian voice set high and quick
# for a cheerful ring, then brought to the rate, the channels and the length
# the reward's table gives each word.
#   name            word        rate   length
words="bravo_sound     Браво!      44100  2.0
gotovo_sound    Готово!     11025  2.0
molodec_sound   Молодец!    44100  2.0
otlichno_sound  Отлично!    44100  2.0
ura_sound       Ура!        22050  2.1"

serial=1
echo "$words" | while read -r name word rate length; do
  espeak-ng -v ru+f3 -s 125 -p 75 -a 160 -w "$work/$name.raw.wav" "$word"
  # A short breath before the word, loud and even with a little room, then
  # silence up to the full length and a soft end.
  sox -R "$work/$name.raw.wav" -r "$rate" -c 2 -b 16 "$work/$name.long.wav" \
    pad 0.12 2.5 gain -n -1 reverb 18 50 40 gain -n -1
  sox -R "$work/$name.long.wav" "$work/$name.wav" trim 0 "$length" fade t 0 -0 0.08
  oggenc -Q -q 4 -s "$serial" -o "$named/$name.ogg" "$work/$name.wav"
  serial=$((serial + 1))
done

# The contact sheet, from the program's own data table.
cmake --build "$build" --target reward_sheet -j2
"$build/tools/reward_sheet" "$root/docs/reward-cartoons.png"

ls -l "$named"/*_video.ogv "$named"/*_sound.ogg "$named/oblako_png.png" "$root/docs/reward-cartoons.png"
