#!/usr/bin/env bash
# Draws Keyloom's icons and bitmaps into resources/art (run again after changing a design).
set -euo pipefail
out=$(cd "$(dirname "$0")/.." && pwd)/resources/art
source "$out/art-drawing.sh"

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
icon_file "$tmp/on" "$out/keyloom_enabled.ico"
icon_file "$tmp/off" "$out/keyloom_disabled.ico"

# Banner across the top of the main window and the editor.
banner 400 "$tmp/on32.png" "Keyloom" 18 +48+25 "record, edit and play desktop macros" +150+24 \
  "$out/keyloom_banner.bmp"

# Logo of the About box.
about_logo "$tmp/on48.png" "Keyloom" 24 +76+44 +78+64 "Desktop macros: record, edit, play." \
  "$out/keyloom_logo.bmp"
