#!/usr/bin/env bash
# Draws Keyloom Scheduler's icons and bitmaps into resources/art (run again after a change).
set -euo pipefail
out=$(cd "$(dirname "$0")" && pwd)
source "$out/art-drawing.sh"

# A clock face: idle (blue), playing (green, with a play triangle), suspended (grey, pause bars).
clock() {  # size face rim badge file
  local s=$1 c=$(($1 / 2)) r=$(($1 / 2 - 1))
  convert -size "${s}x${s}" xc:none -fill "$2" -stroke "$3" -strokewidth $((s / 16 + 1)) \
    -draw "circle $c,$c $c,$((c - r + s / 32))" \
    -stroke white -strokewidth $((s / 12 + 1)) \
    -draw "line $c,$c $c,$((c - r * 6 / 10))" -draw "line $c,$c $((c + r * 5 / 10)),$c" \
    "$5"
  case $4 in
    play)
      convert "$5" -fill white -stroke "#1E5E20" -strokewidth 1 \
        -draw "polygon $((s / 2)),$((s / 2)) $((s - 1)),$((s * 3 / 4)) $((s / 2)),$((s - 1))" "$5" ;;
    pause)
      convert "$5" -fill "#D0342C" -stroke none \
        -draw "rectangle $((s * 9 / 16)),$((s / 2)) $((s * 11 / 16)),$((s - 1))" \
        -draw "rectangle $((s * 13 / 16)),$((s / 2)) $((s * 15 / 16)),$((s - 1))" "$5" ;;
  esac
}
for size in 16 32 48; do
  clock $size "#2563A8" "#143D6B" none "$tmp/idle$size.png"
  clock $size "#2E8B3A" "#1E5E20" play "$tmp/play$size.png"
  clock $size "#8C8C8C" "#5A5A5A" pause "$tmp/pause$size.png"
done
for state in idle play pause; do
  icon_file "$tmp/$state" "$out/scheduler_$state.ico"
done

# Banner across the top of the window.
banner 467 "$tmp/idle32.png" "Keyloom Scheduler" 16 +48+24 "macros on a schedule" +320+23 \
  "$out/scheduler_banner.bmp"

# Logo of the About box.
about_logo "$tmp/idle48.png" "Keyloom Scheduler" 17 +76+40 +78+60 \
  "Plays your macros when they are due." "$out/scheduler_logo.bmp"
