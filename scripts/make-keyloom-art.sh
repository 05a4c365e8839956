#!/usr/bin/env bash
# Draws Keyloom's icons and bitmaps into resources/art (run again after changing a design).
set -euo pipefail
out=$(cd "$(dirname "$0")/.." && pwd)/resources/art
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# A key cap with a "K": blue while the hot keys are live, grey and struck through when not.
key_cap() {  # size fill stroke letter-size file
  convert -size "$1x$1" xc:none -fill "$2" -stroke "$3" -strokewidth 1 \
    -draw "roundrectangle 0,0 $(($1-1)),$(($1-1)) $(($1/5)),$(($1/5))" \
    -fill white -stroke none -font DejaVu-Sans-Bold -pointsize "$4" -gravity center \
    -annotate +0+0 "K" "$5"
}
strike() {  # size file
  convert "$2" -stroke "#D0342C" -strokewidth $(($1/8)) \
    -draw "line $(($1/8)),$(($1-$1/8-1)) $(($1-$1/8-1)),$(($1/8))" "$2"
}
for size in 16 32 48; do
  key_cap $size "#2563A8" "#143D6B" $((size*3/4)) "$tmp/on$size.png"
  key_cap $size "#8C8C8C" "#5A5A5A" $((size*3/4)) "$tmp/off$size.png"
  strike $size "$tmp/off$size.png"
done
convert "$tmp/on16.png" "$tmp/on32.png" "$tmp/on48.png" "$out/keyloom_enabled.ico"
convert "$tmp/off16.png" "$tmp/off32.png" "$tmp/off48.png" "$out/keyloom_disabled.ico"

# Banner across the top of the main window and the editor.
convert -size 400x36 gradient:"#143D6B"-"#2563A8" -rotate 270 -resize 400x36! \
  \( "$tmp/on32.png" \) -geometry +8+2 -composite \
  -fill white -font DejaVu-Sans-Bold -pointsize 18 -annotate +48+25 "Keyloom" \
  -fill "#CFE0F5" -font DejaVu-Sans -pointsize 11 -annotate +150+24 "record, edit and play desktop macros" \
  -type TrueColor BMP3:"$out/keyloom_banner.bmp"

# Logo of the About box.
convert -size 279x112 gradient:"#2563A8"-"#143D6B" \
  \( "$tmp/on48.png" \) -geometry +16+16 -composite \
  -fill white -font DejaVu-Sans-Bold -pointsize 24 -annotate +76+44 "Keyloom" \
  -fill "#CFE0F5" -font DejaVu-Sans -pointsize 12 -annotate +78+64 "Version 1.0" \
  -annotate +16+92 "Desktop macros: record, edit, play." \
  -type TrueColor BMP3:"$out/keyloom_logo.bmp"
