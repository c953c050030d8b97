#!/usr/bin/env bash
# Writes the documents the .deb installs into OUT_DIR: copyright (the
# machine-readable form, with the fonts' licence taken from OFL.txt),
# changelog.gz, and the manual pages lumivar.1.gz and zh_CN/lumivar.1.gz.
#   debian_docs.sh SOURCE_DIR OUT_DIR VERSION MAINTAINER HOMEPAGE
# The changelog's date is SOURCE_DATE_EPOCH, or else the last commit's, and
# gzip -9n leaves out names and times: the same sources give the same bytes.
set -euo pipefail

source_dir=$1 out=$2 version=$3 maintainer=$4 homepage=$5
here=$(cd "$(dirname "$0")" && pwd)

if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
  epoch=$SOURCE_DATE_EPOCH
elif ! epoch=$(git -C "$source_dir" log -1 --format=%ct 2>/dev/null) || [ -z "$epoch" ]; then
  # Sources outside git, with no date given: dated now, as nothing else is known.
  epoch=$(date +%s)
fi

mkdir -p "$out/zh_CN"

# Each line of the licence indented by one space, an empty one as " .".
{
  sed -e "s|@MAINTAINER@|$maintainer|" -e "s|@HOMEPAGE@|$homepage|" "$here/copyright.in"
  sed -n '/^SIL OPEN FONT LICENSE/,$p' "$source_dir/resources/fonts/OFL.txt" |
    sed -e '/^-*$/{/^$/!d}' -e 's/^$/./' -e 's/^/ /'
} >"$out/copyright"

{
  echo "lumivar ($version) unstable; urgency=medium"
  echo
  echo "  * Lumivar $version."
  echo
  echo " -- $maintainer  $(LC_ALL=C date -u -R -d "@$epoch")"
} | gzip -9n >"$out/changelog.gz"

sed "s/@PROJECT_VERSION@/$version/" "$here/man/lumivar.1.in" | gzip -9n >"$out/lumivar.1.gz"
sed "s/@PROJECT_VERSION@/$version/" "$here/man/lumivar.zh_CN.1.in" |
  gzip -9n >"$out/zh_CN/lumivar.1.gz"
