#!/bin/sh
# Checks the map file type for the desktop: well-formed XML that the shared MIME database
# takes without a complaint, giving *.map files the editor's type.
#   check_mime_type.sh PATH/velloran-map.xml
set -eu
xml=$1
xmllint --noout "$xml"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/mime/packages"
cp "$xml" "$home/mime/packages/"
# A database in the user's data folder is one the desktop would search, so whatever the tool
# says is about the file.
complaints=$(XDG_DATA_HOME="$home" update-mime-database "$home/mime" 2>&1)
if [ -n "$complaints" ]; then
  echo "update-mime-database complained: $complaints"
  exit 1
fi
grep -qx '50:application/x-velloran-map:\*\.map' "$home/mime/globs2" || {
  echo "*.map is not of type application/x-velloran-map:"
  cat "$home/mime/globs2"
  exit 1
}
echo "the map type is accepted"
