#!/usr/bin/env bash
# Checks of the installable files and of the .deb, run by CTest:
#   check_package.sh desktop DESKTOP_FILE
#   check_package.sh build CPACK_CONFIG OUT_DIR
#   check_package.sh contents OUT_DIR APP_ID
#   check_package.sh run OUT_DIR WINDOW_TITLE DESKTOP_FILE
#   check_package.sh hardening OUT_DIR
#   check_package.sh lintian OUT_DIR
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The one .deb in a folder.
the_deb() {
  local debs=("$1"/*.deb)
  [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb in $1, found: ${debs[*]}"
  echo "${debs[0]}"
}

check_desktop() {
  local file=$1 key
  for key in Type=Application Name= 'Name\[zh_CN\]=' Comment= 'Comment\[zh_CN\]=' Icon= \
    Categories= StartupWMClass= SingleMainWindow=true Exec= Terminal=false; do
    grep -q "^$key" "$file" || fail "$file has no line starting with $key"
  done
  local out
  if out=$(desktop-file-validate "$file" 2>&1); then
    [ -n "$out" ] && echo "$out"
    return 0
  fi
  echo "$out"
  # desktop-file-utils before 0.27 predates version 1.5 of the desktop entry
  # format and rejects exactly its SingleMainWindow key. With such a validator
  # every other rule is still checked, on a copy that declares version 1.4
  # and marks that key as an extension.
  if grep -v -e 'value "1.5" for key "Version"' -e 'key "SingleMainWindow"' <<<"$out" |
    grep -q 'error:'; then
    fail "desktop-file-validate rejects $file"
  fi
  echo "desktop-file-validate knows no version 1.5 keys; checking the rest against 1.4"
  local copy
  copy=$(mktemp --suffix=.desktop)
  sed -e 's/^Version=1\.5$/Version=1.4/' -e 's/^SingleMainWindow=/X-SingleMainWindow=/' \
    "$file" >"$copy"
  out=$(desktop-file-validate "$copy" 2>&1) || { echo "$out"; rm -f "$copy"; fail "$file"; }
  rm -f "$copy"
}

build_deb() {
  local config=$1 out=$2
  rm -rf "$out"
  (umask 022 && cpack --config "$config" -G DEB -B "$out")
  the_deb "$out" >/dev/null
}

check_contents() {
  local deb app_id=$2
  deb=$(the_deb "$1")
  local listing
  listing=$(dpkg-deb -c "$deb" | awk '{print $NF}')
  local wanted=(
    ./usr/bin/lumivar
    "./usr/share/applications/$app_id.desktop"
    "./usr/share/metainfo/$app_id.metainfo.xml"
    "./usr/share/icons/hicolor/scalable/apps/$app_id.svg"
    ./usr/share/doc/lumivar/copyright
    ./usr/share/doc/lumivar/changelog.gz
    ./usr/share/man/man1/lumivar.1.gz
    ./usr/share/man/zh_CN/man1/lumivar.1.gz
  )
  local size
  for size in 32 48 64 128 256; do
    wanted+=("./usr/share/icons/hicolor/${size}x$size/apps/$app_id.png")
  done
  local path
  for path in "${wanted[@]}"; do
    grep -qxF "$path" <<<"$listing" || fail "$deb lacks $path"
  done

  local depends
  depends=$(dpkg-deb -f "$deb" Depends)
  echo "Depends: $depends"
  grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends has no libqt6widgets6 (dpkg-shlibdeps)"
  grep -q 'libc6' <<<"$depends" || fail "Depends has no libc6 (dpkg-shlibdeps)"
  local recommends
  recommends=$(dpkg-deb -f "$deb" Recommends)
  echo "Recommends: $recommends"
  grep -q 'qt6-wayland' <<<"$recommends" || fail "Recommends has no qt6-wayland"
  grep -q 'fonts-wqy-microhei' <<<"$recommends" || fail "Recommends has no Chinese font"

  local root
  root=$(mktemp -d)
  trap 'rm -rf "$root"' RETURN
  dpkg -x "$deb" "$root"
  for size in 32 48 64 128 256; do
    file -b "$root/usr/share/icons/hicolor/${size}x$size/apps/$app_id.png" |
      grep -q "PNG image data, $size x $size" || fail "the ${size}x$size icon is not $size px"
  done
  grep -q '<svg' "$root/usr/share/icons/hicolor/scalable/apps/$app_id.svg" ||
    fail "the scalable icon is no SVG"
  # An installed program must not look for libraries in the build tree.
  if readelf -d "$root/usr/bin/lumivar" | grep -E 'R(UN)?PATH'; then
    fail "the installed binary keeps a run path"
  fi
}

run_installed() {
  local deb title=$2 desktop=$3
  deb=$(the_deb "$1")
  # Global, not local: the exit trap below runs after this function returns.
  root=$(mktemp -d)
  dpkg -x "$deb" "$root"
  # shellcheck source=tests/e2e/xvfb.sh
  source "$here/../tests/e2e/xvfb.sh"
  start_xvfb
  export XDG_RUNTIME_DIR="$root/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  QT_QPA_PLATFORM=xcb "$root/usr/bin/lumivar" &
  pid=$!
  trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; stop_xvfb; rm -rf "$root"' EXIT
  local window
  window=$(timeout 30 xdotool search --sync --name "^$title\$" | head -n 1) ||
    fail "no window titled $title appeared"
  [ -n "$window" ] || fail "no window titled $title appeared"
  echo "window $window: $title"

  # The desktop entry ties itself to the window through its WM_CLASS: its
  # instance or its class, one quoted string a line as xprop's format asks.
  local instance class wanted_class
  { read -r _ && read -r instance && read -r class; } < <(xprop -id "$window" -notype -f WM_CLASS 8s '\n$0\n$1\n' WM_CLASS)
  wanted_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
  echo "WM_CLASS $instance, $class; StartupWMClass=$wanted_class"
  [ "$instance" = "\"$wanted_class\"" ] || [ "$class" = "\"$wanted_class\"" ] || fail "WM_CLASS does not name $wanted_class"
  kill -0 "$pid" 2>/dev/null || fail "the program ended on its own"
}

# The installed binary has what Debian's hardening gives: hardening-check's
# lintian mode names each missing feature by a tag, one "TAG:FILE" a line.
check_hardening() {
  local deb root binary tags tag
  deb=$(the_deb "$1")
  root=$(mktemp -d)
  trap 'rm -rf "$root"' RETURN
  dpkg-deb -x "$deb" "$root"
  binary=$root/usr/bin/lumivar
  readelf -h "$binary" >/dev/null || fail "$binary is no ELF file"
  hardening-check "$binary" || true # the whole report, for the log
  tags=$(hardening-check --lintian "$binary") || fail "hardening-check could not read $binary"
  if grep -v -E "^[a-z-]+:$binary\$" <<<"$tags" | grep .; then
    fail "hardening-check's tags are not of the form TAG:FILE"
  fi
  # Position-independent, stack protector, checked libc calls (or none that
  # can be), read-only relocations, immediate binding.
  for tag in no-pie no-stackprotector no-fortify-functions no-relro no-bindnow; do
    if grep -q "^$tag:" <<<"$tags"; then fail "hardening-check: $tag"; fi
  done
}

check_lintian() {
  local deb
  deb=$(the_deb "$1")
  local options=(--fail-on "error,warning")
  # As root lintian warns, and newer versions refuse, unless told it is meant.
  [ "$(id -u)" -ne 0 ] || options+=(--allow-root)
  lintian --version
  lintian "${options[@]}" "$deb" || fail "lintian reports errors or warnings on $deb"
}

case "${1:-}" in
  desktop) check_desktop "$2" ;;
  build) build_deb "$2" "$3" ;;
  contents) check_contents "$2" "$3" ;;
  run) run_installed "$2" "$3" "$4" ;;
  hardening) check_hardening "$2" ;;
  lintian) check_lintian "$2" ;;
  *) fail "usage: check_package.sh desktop|build|contents|run|hardening|lintian ..." ;;
esac
