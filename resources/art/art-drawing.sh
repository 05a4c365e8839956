# Sourced by the programs' art scripts: a scratch folder and the drawing both programs share.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# An icon file of the 16, 32 and 48 pixel pictures "<stem>16.png" ... "<stem>48.png".
icon_file() {  # stem file
  convert "${1}16.png" "${1}32.png" "${1}48.png" "$2"
}

# Banner across the top of a window: the program's icon, its name and what it does.
banner() {  # width icon name name-size name-at tagline tagline-at file
  convert -size "$1x36" gradient:"#143D6B"-"#2563A8" -rotate 270 -resize "$1x36!" \
    \( "$2" \) -geometry +8+2 -composite \
    -fill white -font DejaVu-Sans-Bold -pointsize "$4" -annotate "$5" "$3" \
    -fill "#CFE0F5" -font DejaVu-Sans -pointsize 11 -annotate "$7" "$6" \
    -type TrueColor BMP3:"$8"
}

# Logo of an About box: the program's icon, its name, its version and a line about it.
about_logo() {  # icon name name-size name-at version-at line file
  convert -size 279x112 gradient:"#2563A8"-"#143D6B" \
    \( "$1" \) -geometry +16+16 -composite \
    -fill white -font DejaVu-Sans-Bold -pointsize "$3" -annotate "$4" "$2" \
    -fill "#CFE0F5" -font DejaVu-Sans -pointsize 12 -annotate "$5" "Version 1.0" \
    -annotate +16+92 "$6" \
    -type TrueColor BMP3:"$7"
}
