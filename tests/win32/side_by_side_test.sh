#!/usr/bin/env bash
# The Windows window beside the Linux (Qt) one, after the same draw: 1, 2, 3
# typed with real key events into each, then a click on 开始预测. Their
# screenshots are compared region by region, never pixel by pixel, since the
# two font rasterisers draw the same glyphs differently:
#   - every frame, box, button, the banner and the picture: each edge, the
#     outermost row or column that is mostly not the navy ground around it,
#     found in both screenshots within 3 pixels of its place, and within 2
#     pixels of the other screenshot's;
#   - the ground of every zone and of the window, the ground of every box,
#     the buttons' faces and the picture's mean colour;
#   - the text of every box, caption and button: its ink (the pixels far from
#     the ground) present in both, of the same colour, of a like amount,
#     centred alike, and for the digits and masks as many marks.
#
#   LUMIVAR_EXE=… LUMIVAR_PROBE=… LUMIVAR_QT_PROGRAM=build/dev/app/lumivar \
#     tests/win32/side_by_side_test.sh
#
# Given a program to run (as the end-to-end scripts take one), it compares
# that program's window with the Qt one instead, with no Wine; the page:
#
#   LUMIVAR_PAGE=… LUMIVAR_QT_PROGRAM=… tests/win32/side_by_side_test.sh tests/web/lumivar-web
#
# LUMIVAR_QT_FONTCONFIG names the fontconfig file the Qt window runs with
# (CTest passes the tests' Latin-only one); by hand, one is made here. Skips
# (77) when the Qt program is not built.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
qt_program=${LUMIVAR_QT_PROGRAM:-}
if [ -z "$qt_program" ] || [ ! -x "$qt_program" ]; then
  echo "SKIP: the Qt program (LUMIVAR_QT_PROGRAM=${qt_program:-unset}) is not built;" \
    "build it with make build, then run make windows again" >&2
  exit 77
fi
other=("$@")
if ((${#other[@]})); then
  # shellcheck source=../e2e/lib.sh
  source "$here/../e2e/lib.sh"
  e2e_setup
  OTHER_NAME=${OTHER_NAME:-$(basename "${other[0]}")}
else
  # shellcheck source=lib.sh
  source "$here/lib.sh"
  wine_e2e_setup
  OTHER_NAME=Windows
fi

# The Qt window sees only a Latin font, as under the other tests: its
# Chinese text must come from the faces it bundles, as the Windows one's does.
qt_fonts=${LUMIVAR_QT_FONTCONFIG:-}
if [ -z "$qt_fonts" ]; then
  qt_fonts=$SCRATCH/latin-only.conf
  cat >"$qt_fonts" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <cachedir>$SCRATCH/fontconfig</cachedir>
  <include ignore_missing="yes">/etc/fonts/conf.d</include>
</fontconfig>
EOF
fi

# shoot FILE: the window of the running program after the draw, with the
# pointer moved off the buttons (onto the picture) so that none shows hot.
shoot() {
  find_window
  [ "$(client_size)" = "$WINDOW_SIZE" ] || fail "the client area is $(client_size), not $WINDOW_SIZE"
  wait_until "the window has painted" painted
  type_draw_and_forecast
  xdotool mousemove --window "$WIN" 400 200
  settled_screenshot "$1"
  cp "$1" "$SCRATCH/shot.png"
}

qt_shot=$SCRATCH/qt.png
win_shot=$SCRATCH/windows.png
launch_program env FONTCONFIG_FILE="$qt_fonts" "$qt_program"
shoot "$qt_shot"
stop_program
note "Qt window: $qt_shot"
if ((${#other[@]})); then launch_program "${other[@]}"; else launch_exe; fi
shoot "$win_shot"
note "$OTHER_NAME window: $win_shot"
stop_program

# ---------------------------------------------------------------------------
# The comparison. Both screenshots go to "x y r g b" lists, which one awk
# program reads whole, followed by the jobs below, one a line:
#   edges NAME X Y W H SIDES [BAND_LEFT BAND_RIGHT]
#       where each of SIDES (letters l, r, t, b) of the control is in both;
#       with a band, the control is a frame: its top edge is looked for up
#       to 12 rows below Y, along the columns from BAND_LEFT to BAND_RIGHT
#   ground NAME TOLERANCE X Y W H [X Y W H]...
#       the most common colour of the region, less the rectangles after it
#   mean NAME X Y W H       the region's mean colour
#   ink NAME X Y W H MARKS  the text in the region; MARKS 1: count its marks
to_list() {
  convert "$1" -alpha off -depth 8 txt:- | awk -F'[,:() ]+' 'NR > 1 { print $1, $2, $3, $4, $5 }'
}
to_list "$qt_shot" >"$SCRATCH/qt.txt"
to_list "$win_shot" >"$SCRATCH/windows.txt"

jobs=$SCRATCH/jobs.txt
: >"$jobs"
job() { echo "$*" >>"$jobs"; }

# Edges. A frame's top edge is its etched line, drawn through the middle of
# its caption, so it is looked for further down, and right of the caption.
for frame in "${FRAMES[@]}"; do
  read -r x y w h <<<"${FRAME_RECT[$frame]}"
  job edges "$frame" "$x $y $w $h" lrtb $((x + 56)) $((x + w - 8))
done
for box in "${BOXES[@]}"; do job edges "$box" "${BOX_RECT[$box]}" lrtb; done
# The banner reaches beyond both sides of the window.
job edges Text12 "$BANNER_RECT" tb
for button in "${BUTTONS[@]}"; do job edges "$button" "${BUTTON_RECT[$button]}" lrtb; done
job edges Image1 "$PICTURE_RECT" lrtb

# contains OUTER INNER: the rectangle INNER lies within OUTER.
contains() {
  local ox oy ow oh ix iy iw ih
  read -r ox oy ow oh <<<"$1"
  read -r ix iy iw ih <<<"$2"
  ((ix >= ox && iy >= oy && ix + iw <= ox + ow && iy + ih <= oy + oh))
}

# Grounds: the window's (all but the controls), each zone's (its frame less
# its boxes), each box's, the banner's and the buttons' faces.
everything=()
for frame in "${FRAMES[@]}"; do
  holes=()
  for box in "${BOXES[@]}"; do
    contains "${FRAME_RECT[$frame]}" "${BOX_RECT[$box]}" && holes+=("${BOX_RECT[$box]}")
  done
  job ground "$frame" 8 "${FRAME_RECT[$frame]}" "${holes[@]}"
  everything+=("${FRAME_RECT[$frame]}")
done
for button in "${BUTTONS[@]}"; do everything+=("${BUTTON_RECT[$button]}"); done
job ground Form1 8 "0 0 ${WINDOW_SIZE/x/ }" "${everything[@]}" "$BANNER_RECT" "$PICTURE_RECT"
for box in "${BOXES[@]}"; do job ground "$box" 8 "$(inside "${BOX_RECT[$box]}")"; done
job ground Text12 8 "$(inside "$BANNER_RECT" 3)"
for button in "${BUTTONS[@]}"; do job ground "$button" 24 "$(inside "${BUTTON_RECT[$button]}" 6)"; done
job mean Image1 "$PICTURE_RECT"

# Text: digits and masks are counted in marks; the banker line, the banner
# and the captions are not, since glyphs of one rasteriser may touch where
# the other's do not. A caption is looked at from just inside the frame's
# left line, over the width of three characters and their gap in the line.
for box in "${BOXES[@]}"; do
  marks=1
  [ "$box" = Text11 ] && marks=0
  job ink "$box" "$(inside "${BOX_RECT[$box]}")" $marks
done
job ink Text12 "$(inside "$BANNER_RECT" 3)" 0
for frame in "${FRAMES[@]}"; do
  read -r x y w h <<<"${FRAME_RECT[$frame]}"
  job ink "$frame" "$((x + 8)) $y 40 16" 0
done
for button in "${BUTTONS[@]}"; do job ink "$button" "$(inside "${BUTTON_RECT[$button]}" 6)" 0; done

report=$SCRATCH/report.txt
status=0
awk -v ground="$WINDOW_GROUND" -v other="$OTHER_NAME" -f - "$SCRATCH/qt.txt" "$SCRATCH/windows.txt" "$jobs" >"$report" <<'AWK' || status=$?
FNR == 1 { file++ }
file <= 2 { R[file, $1, $2] = $3; G[file, $1, $2] = $4; B[file, $1, $2] = $5; next }
BEGIN {
  GR = hex(substr(ground, 1, 2)); GG = hex(substr(ground, 3, 2)); GB = hex(substr(ground, 5, 2))
  SIDE["l"] = "left"; SIDE["r"] = "right"; SIDE["t"] = "top"; SIDE["b"] = "bottom"
}
function hex(s,   i, n) {
  n = 0
  for (i = 1; i <= length(s); i++) n = n * 16 + index("0123456789ABCDEF", toupper(substr(s, i, 1))) - 1
  return n
}
function abs(v) { return v < 0 ? -v : v }
function max(a, b) { return a > b ? a : b }
function far(f, x, y, r, g, b) {
  return max(abs(R[f, x, y] - r), max(abs(G[f, x, y] - g), abs(B[f, x, y] - b)))
}
# A pixel of the image that is not the navy ground; outside the image, none.
function off(f, x, y) { return ((f, x, y) in R) && far(f, x, y, GR, GG, GB) > 8 }
function column_off(f, x, y0, y1,   y, n) {
  for (y = y0; y <= y1; y++) n += off(f, x, y)
  return 2 * n >= y1 - y0 + 1
}
function row_off(f, y, x0, x1,   x, n) {
  for (x = x0; x <= x1; x++) n += off(f, x, y)
  return 2 * n >= x1 - x0 + 1
}
# The edge of one side, looked for along the middle half of the side (or
# along the given band) within 3 pixels of its place either way. From
# outside a frame, whose inside is the ground as well: the first column or
# row that is mostly off the ground. From inside anything else, so that
# nothing close outside it (a caption) counts: the last such column or row
# before the ground. "none" if there is no such edge within reach.
function edge(f, side, x, y, w, h, bx0, bx1, from_outside,   i, y0, y1, found) {
  y0 = y + int(h / 4); y1 = y + int(3 * h / 4)
  found = "none"
  if (from_outside) {
    if (side == "l") { for (i = x - 3; i <= x + 3; i++) if (column_off(f, i, y0, y1)) return i }
    if (side == "r") { for (i = x + w + 2; i >= x + w - 4; i--) if (column_off(f, i, y0, y1)) return i }
    if (side == "t") { for (i = y - 3; i <= y + TOP_REACH; i++) if (row_off(f, i, bx0, bx1)) return i }
    if (side == "b") { for (i = y + h + 2; i >= y + h - 4; i--) if (row_off(f, i, bx0, bx1)) return i }
    return found
  }
  if (side == "l") { for (i = x + 3; i >= x - 3; i--) if (column_off(f, i, y0, y1)) found = i; else return found }
  if (side == "r") { for (i = x + w - 4; i <= x + w + 2; i++) if (column_off(f, i, y0, y1)) found = i; else return found }
  if (side == "t") { for (i = y + 3; i >= y - 3; i--) if (row_off(f, i, bx0, bx1)) found = i; else return found }
  if (side == "b") { for (i = y + h - 4; i <= y + h + 2; i++) if (row_off(f, i, bx0, bx1)) found = i; else return found }
  return "none"
}
function rgb(r, g, b) { return sprintf("%02X%02X%02X", r, g, b) }
function fail(message) { print "FAIL: " message; failures++ }

# The most common colour of the region $3.. less the rectangles after it.
function mode(f,   x, y, k, skip, count, best, n, colour) {
  for (y = $4; y < $4 + $6; y++) for (x = $3; x < $3 + $5; x++) {
    skip = 0
    for (k = 7; k + 3 <= NF && !skip; k += 4) {
      skip = x >= $k && x < $k + $(k + 2) && y >= $(k + 1) && y < $(k + 1) + $(k + 3)
    }
    if (skip) continue
    colour = rgb(R[f, x, y], G[f, x, y], B[f, x, y])
    if (++count[colour] > n) { n = count[colour]; best = colour }
  }
  return best
}
function colours_far(a, b) {
  return max(abs(hex(substr(a, 1, 2)) - hex(substr(b, 1, 2))),
             max(abs(hex(substr(a, 3, 2)) - hex(substr(b, 3, 2))),
                 abs(hex(substr(a, 5, 2)) - hex(substr(b, 5, 2)))))
}

# The text of the region $3..$6 in image f. Its ink is every pixel at least
# 128 from the region's ground (its most common colour) in some channel.
# Sets INK_N (pixels), INK_COLOUR (the most common colour among the pixels
# within 32 of the farthest from the ground: a rasteriser that smooths its
# edges still gives its strokes' cores the text's colour), INK_X0..INK_Y1
# (its extent) and INK_MARKS (runs of columns holding ink).
function ink(f,   x, y, gr, gg, gb, g, d, top, count, n, col, colour) {
  g = mode(f); gr = hex(substr(g, 1, 2)); gg = hex(substr(g, 3, 2)); gb = hex(substr(g, 5, 2))
  INK_N = 0; INK_COLOUR = "none"; INK_MARKS = 0
  for (y = $4; y < $4 + $6; y++) for (x = $3; x < $3 + $5; x++) {
    d = far(f, x, y, gr, gg, gb)
    if (d < 128) continue
    if (d > top) top = d
    if (!INK_N++) { INK_X0 = INK_X1 = x; INK_Y0 = INK_Y1 = y }
    if (x < INK_X0) INK_X0 = x
    if (x > INK_X1) INK_X1 = x
    if (y < INK_Y0) INK_Y0 = y
    if (y > INK_Y1) INK_Y1 = y
    col[x] = 1
  }
  for (y = $4; y < $4 + $6; y++) for (x = $3; x < $3 + $5; x++) {
    if (far(f, x, y, gr, gg, gb) < top - 32) continue
    colour = rgb(R[f, x, y], G[f, x, y], B[f, x, y])
    if (++count[colour] > n) { n = count[colour]; INK_COLOUR = colour }
  }
  for (x = $3; x < $3 + $5; x++) if ((x in col) && !((x - 1) in col)) INK_MARKS++
}

$1 == "edges" {
  frame = NF > 8
  TOP_REACH = frame ? 12 : 3
  bx0 = frame ? $8 : $3 + int($5 / 4); bx1 = frame ? $9 : $3 + int(3 * $5 / 4)
  for (s = 1; s <= length($7); s++) {
    side = substr($7, s, 1)
    a = edge(1, side, $3, $4, $5, $6, bx0, bx1, frame)
    b = edge(2, side, $3, $4, $5, $6, bx0, bx1, frame)
    printf "%-10s %-6s edge   Qt %4s  %s %4s\n", $2, SIDE[side], a, other, b
    if (a == "none" || b == "none") fail($2 " " SIDE[side] " edge not found near its place")
    else if (abs(a - b) > 2) fail($2 " " SIDE[side] " edge at " a " (Qt) and " b " (" other ")")
  }
}
$1 == "ground" {
  tolerance = $3; $3 = ""; $0 = $0  # the region becomes $3..
  a = mode(1); b = mode(2)
  printf "%-10s ground        Qt %s  %s %s\n", $2, a, other, b
  if (colours_far(a, b) > tolerance) fail($2 " ground " a " (Qt) and " b " (" other ")")
}
$1 == "mean" {
  for (f = 1; f <= 2; f++) {
    r = g = b = n = 0
    for (y = $4; y < $4 + $6; y++) for (x = $3; x < $3 + $5; x++) {
      r += R[f, x, y]; g += G[f, x, y]; b += B[f, x, y]; n++
    }
    m[f] = rgb(int(r / n), int(g / n), int(b / n))
  }
  printf "%-10s mean colour   Qt %s  %s %s\n", $2, m[1], other, m[2]
  if (colours_far(m[1], m[2]) > 16) fail($2 " mean colour " m[1] " (Qt) and " m[2] " (" other ")")
}
$1 == "ink" {
  for (f = 1; f <= 2; f++) {
    ink(f)
    pixels[f] = INK_N; colour[f] = INK_COLOUR; marks[f] = INK_MARKS
    cx[f] = (INK_X0 + INK_X1) / 2; cy[f] = (INK_Y0 + INK_Y1) / 2
    extent[f] = INK_N ? INK_X0 "-" INK_X1 "," INK_Y0 "-" INK_Y1 : "-"
  }
  printf "%-10s text          Qt %s %4d px %-15s %2d marks  %s %s %4d px %-15s %2d marks\n",
         $2, colour[1], pixels[1], extent[1], marks[1], other, colour[2], pixels[2], extent[2], marks[2]
  if (pixels[1] < 20 || pixels[2] < 20) { fail($2 " has no text in " (pixels[1] < 20 ? "the Qt" : "the " other) " window"); next }
  if (colours_far(colour[1], colour[2]) > 40) fail($2 " text " colour[1] " (Qt) and " colour[2] " (" other ")")
  if (pixels[1] > 2 * pixels[2] || pixels[2] > 2 * pixels[1]) fail($2 " text of " pixels[1] " (Qt) and " pixels[2] " (" other ") pixels")
  if (abs(cx[1] - cx[2]) > 3 || abs(cy[1] - cy[2]) > 3) {
    fail($2 " text centred at " cx[1] "," cy[1] " (Qt) and " cx[2] "," cy[2] " (" other ")")
  }
  if ($7 && marks[1] != marks[2]) fail($2 " text of " marks[1] " (Qt) and " marks[2] " (" other ") marks")
}
END { exit failures > 0 }
AWK
cat "$report"
if ((status != 0)); then
  name=$(basename "$0")
  cp "$qt_shot" "./$name-qt.png" 2>/dev/null || true
  cp "$win_shot" "./$name-windows.png" 2>/dev/null || true
  differences=$(grep -c '^FAIL' "$report") || fail "the comparison itself failed (awk, status $status)"
  fail "$differences differences between the two windows (above; screenshots in" \
    "./$name-qt.png and ./$name-windows.png)"
fi
note "PASS"
