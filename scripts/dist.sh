#!/usr/bin/env bash
# The release of a win64 build: dist/keyloom-<version>-win64.zip (both programs, the user's
# README.txt, the macro language guide, the examples and the licence in one folder) and the
# installer dist/keyloom-<version>-setup.exe, built with NSIS from the same files.
# Usage: scripts/dist.sh <win64-build-folder> <work-folder> <dist-folder>
set -euo pipefail
build=$(cd "${1:-build/win64}" && pwd)
work=${2:-build/dist}
dist=${3:-dist}
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^#define KEYLOOM_VERSION_TEXT "\(.*\)"$/\1/p' "$root/resources/product_version.h")
[ -n "$version" ] || { echo "no version in resources/product_version.h" >&2; exit 1; }
name="keyloom-$version-win64"
mkdir -p "$work" "$dist"
work=$(cd "$work" && pwd)
dist=$(cd "$dist" && pwd)

# ---- The release folder ----
stage="$work/$name"
rm -rf "$stage"
mkdir -p "$stage/docs" "$stage/examples"
cp "$build/Keyloom.exe" "$build/Keyloom Scheduler.exe" "$root/LICENSE" "$stage/"
# The user's page, with the release number and the line ends Notepad shows everywhere; the
# developers' README.md (building, testing) stays out of the release.
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$root/installer/README.txt" >"$stage/README.txt"
cp "$root"/docs/*.md "$stage/docs/"
cp "$root"/examples/*.mro "$root"/examples/*.lst "$root"/examples/*.scl "$stage/examples/"

zip_file="$dist/$name.zip"
rm -f "$zip_file"
(cd "$work" && zip -q -r -X "$zip_file" "$name")

# ---- What the installer puts in place and takes away again ----
# The example list and schedule name their macros relative to their own folder; installed, they
# are written with the full paths of the installation, so that they open from anywhere.
nsis_text() {  # one NSIS string: $ doubled, quotes escaped
  sed -e 's/\$/$$/g' -e 's/"/$\\"/g'
}
write_with_full_paths() {  # stage file, NSIS target path
  local kind=${1##*.}
  echo "  FileOpen \$0 \"$2\" w"
  tr -d '\r' <"$1" | awk -v kind="$kind" '
    kind == "lst" && $0 != "" && $0 !~ /^[\/\\]/ && $0 !~ /:/ { $0 = "@INSTDIR@\\examples\\" $0 }
    kind == "scl" && /^MACRO_FILENAME "[^\/\\:]/ { sub(/^MACRO_FILENAME "/, "MACRO_FILENAME \"@INSTDIR@\\examples\\") }
    { print }' | nsis_text | sed -e 's/@INSTDIR@/$INSTDIR/' \
    -e 's/^\(.*\)$/  FileWrite $0 "\1$\\r$\\n"/'
  echo "  FileClose \$0"
}

installer="$work/installer"
rm -rf "$installer"
mkdir -p "$installer"
{
  for folder in "" docs examples; do
    echo "  SetOutPath \"\$INSTDIR${folder:+\\$folder}\""
    for file in "$stage${folder:+/$folder}"/*; do
      [ -f "$file" ] || continue
      relative=${file#"$stage/"}
      case "$file" in
        *.lst | *.scl) write_with_full_paths "$file" "\$INSTDIR\\${relative//\//\\}" ;;
        *) echo "  File \"$name/$relative\"" ;;
      esac
    done
  done
} >"$installer/install-files.nsh"
{
  (cd "$stage" && find . -type f | sort) | while read -r file; do
    relative=${file#./}
    echo "  Delete \"\$INSTDIR\\${relative//\//\\}\""
  done
  echo "  RMDir \"\$INSTDIR\\docs\""
  echo "  RMDir \"\$INSTDIR\\examples\""
} >"$installer/uninstall-files.nsh"
echo "!define ESTIMATED_SIZE_KB $(du -sk "$stage" | cut -f1)" >"$installer/size.nsh"
cp "$root/resources/art/keyloom_enabled.ico" "$installer/keyloom.ico"
ln -sfn "$stage" "$installer/$name"

setup_file="$dist/keyloom-$version-setup.exe"
rm -f "$setup_file"
(cd "$installer" && makensis -NOCD -V2 -DVERSION="$version" -DSTAGE="$name" \
  -DOUTFILE="$setup_file" "$root/installer/keyloom.nsi")

echo "Release $version:"
echo "  $zip_file ($(du -k "$zip_file" | cut -f1) KB)"
echo "  $setup_file ($(du -k "$setup_file" | cut -f1) KB)"
