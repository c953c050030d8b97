# shellcheck shell=bash disable=SC2034  # the tables and results are for the scripts
# Sourced by the end-to-end scripts: a private Xvfb, the real program on it,
# its window, screenshots and pixel checks on them.
#
# Coordinates are in pixels of the window's client area. With no window
# manager on the private display the program's top-level window is exactly
# its client area, so screenshots of it share those coordinates.
#
# Environment: E2E_TIMEOUT (seconds to wait for the program, default 60);
# E2E_KEEP=1 keeps the scratch folder with the screenshots for a look;
# LUMIVAR_TITLE, the window title (CTest sets it; see xvfb.sh);
# LUMIVAR_DESIGN, the build tree's design.json (CTest sets it; by hand, e.g.
# LUMIVAR_DESIGN=build/dev/design.json), from which the zones below come.

e2e_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=SCRIPTDIR/xvfb.sh
source "$e2e_dir/xvfb.sh"

LUMIVAR_TITLE=$(lumivar_title) || exit 1
readonly LUMIVAR_TITLE
# Seconds to wait for anything the program should do on its own; generous,
# because the machine is shared and the program may run under a sanitizer.
E2E_TIMEOUT=${E2E_TIMEOUT:-60}

APP_PID=
WIN=
SCRATCH=

# The window's zones and colours, from the layout table (see design.py).
design_declarations=$(python3 "$e2e_dir/design.py") || exit 1
eval "$design_declarations"
# The portrait's own ground, which is no colour of the table.
readonly BLACK=000000

# window_size_at DPI: the client size at that DPI, as "WxH".
window_size_at() {
  echo "$((${WINDOW_SIZE%x*} * $1 / 96))x$((${WINDOW_SIZE#*x} * $1 / 96))"
}

# fail MESSAGE: ends the test. The end of what the program wrote to stderr
# goes with the message (when it ended on its own, that says why); all of it
# is kept beside the screenshot.
fail() {
  echo "FAIL: $*" >&2
  if [ -n "$SCRATCH" ] && [ -s "$SCRATCH/stderr.txt" ]; then
    echo "The program's stderr (last 40 lines):" >&2
    tail -n 40 "$SCRATCH/stderr.txt" | sed 's/^/  /' >&2
  fi
  keep_evidence
  exit 1
}

note() { echo "$*"; }

# Keeps the last screenshot and the program's stderr next to the test's
# working directory, so that a failure can be looked at afterwards.
keep_evidence() {
  [ -n "$SCRATCH" ] || return 0
  local name
  name=$(basename "$0")
  [ -f "$SCRATCH/shot.png" ] && cp "$SCRATCH/shot.png" "./$name-failed.png" 2>/dev/null
  [ -f "$SCRATCH/stderr.txt" ] && cp "$SCRATCH/stderr.txt" "./$name-stderr.txt" 2>/dev/null
  return 0
}

# Starts the private display and arranges for everything to be cleaned up.
e2e_setup() {
  SCRATCH=$(mktemp -d)
  export XDG_RUNTIME_DIR="$SCRATCH/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  export QT_QPA_PLATFORM=xcb
  unset WAYLAND_DISPLAY
  trap e2e_teardown EXIT
  start_xvfb || fail "Xvfb did not start"
  trap e2e_teardown EXIT  # start_xvfb sets a trap of its own
}

e2e_teardown() {
  set +e  # clean up everything, whatever fails on the way
  stop_program
  stop_xvfb
  [ -n "$SCRATCH" ] && [ -z "${E2E_KEEP:-}" ] && rm -rf "$SCRATCH"
}

# launch_program COMMAND...: starts the program in the background; its
# stderr goes to $SCRATCH/stderr.txt.
launch_program() {
  "$@" 2>"$SCRATCH/stderr.txt" &
  APP_PID=$!
  WIN=
}

program_running() {
  [ -n "$APP_PID" ] || return 1
  local state
  state=$(awk '{print $3}' "/proc/$APP_PID/stat" 2>/dev/null) || return 1
  [ -n "$state" ] && [ "$state" != Z ]
}

stop_program() {
  if program_running; then
    kill "$APP_PID" 2>/dev/null
    wait "$APP_PID" 2>/dev/null || true
  fi
  APP_PID=
}

# wait_for_exit SECONDS [SINCE]: waits for the program to end and sets
# EXIT_STATUS, and EXIT_SECONDS counted from SINCE (an $EPOCHREALTIME taken
# when the program was asked to end; default now). Returns 1 if it still
# runs when the time is up.
wait_for_exit() {
  local deadline=$((SECONDS + $1)) since=${2:-$EPOCHREALTIME}
  while program_running; do
    ((SECONDS <= deadline)) || return 1
    sleep 0.02
  done
  EXIT_SECONDS=$(awk -v a="$since" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.2f", b - a }')
  EXIT_STATUS=0
  wait "$APP_PID" || EXIT_STATUS=$?
  APP_PID=
}

# Waits for the program's window by its title and sets WIN.
find_window() {
  local deadline=$((SECONDS + E2E_TIMEOUT))
  WIN=
  while [ -z "$WIN" ]; do
    program_running || fail "the program ended before its window appeared"
    ((SECONDS <= deadline)) || fail "no visible window titled $LUMIVAR_TITLE within ${E2E_TIMEOUT}s"
    WIN=$(xdotool search --onlyvisible --name "^$LUMIVAR_TITLE\$" 2>/dev/null | head -n 1) || true
    [ -n "$WIN" ] || sleep 0.1
  done
}

# Prints the client size of the window as WIDTHxHEIGHT, from the shell
# assignments xdotool prints for scripts.
client_size() {
  local WIDTH='' HEIGHT=''
  eval "$(xdotool getwindowgeometry --shell "$WIN" | grep -E '^(WIDTH|HEIGHT)=[0-9]+$')"
  echo "${WIDTH}x$HEIGHT"
}

# screenshot FILE: the window's contents as a PNG file.
screenshot() {
  import -silent -window "$WIN" -depth 8 "png:$1" 2>/dev/null
}

# wait_until TEXT PREDICATE...: takes screenshots until PREDICATE succeeds on
# $SCRATCH/shot.png, or fails the test after E2E_TIMEOUT seconds.
wait_until() {
  local what=$1
  shift
  local deadline=$((SECONDS + E2E_TIMEOUT))
  while :; do
    program_running || fail "the program ended while waiting until $what"
    if screenshot "$SCRATCH/shot.png" && "$@"; then return 0; fi
    ((SECONDS > deadline)) && fail "not seen within ${E2E_TIMEOUT}s: $what"
    sleep 0.2
  done
}

# settled_screenshot FILE: waits until two screenshots in a row are the same,
# and leaves the last in FILE: whatever was still to paint has been painted.
settled_screenshot() {
  local deadline=$((SECONDS + E2E_TIMEOUT))
  screenshot "$SCRATCH/previous.png"
  while :; do
    sleep 0.3
    screenshot "$1"
    cmp -s "$1" "$SCRATCH/previous.png" && return 0
    ((SECONDS <= deadline)) || fail "the window kept changing for ${E2E_TIMEOUT}s"
    cp "$1" "$SCRATCH/previous.png"
  done
}

# Regions are "X Y W H" strings, as in the tables below.

# area "X Y W H": the number of pixels in the region.
area() {
  local x y w h
  read -r x y w h <<<"$1"
  echo $((w * h))
}

# pixels IMAGE RECT: prints "x y r g b" for every pixel of the region, with x
# and y relative to the region.
pixels() {
  local x y w h
  read -r x y w h <<<"$2"
  convert "$1" -crop "${w}x${h}+${x}+${y}" +repage -alpha off -depth 8 txt:- |
    awk -F'[,:() ]+' 'NR > 1 { print $1, $2, $3, $4, $5 }'
}

# count_near IMAGE RECT RRGGBB TOLERANCE: how many pixels of the region are
# within TOLERANCE of the colour in every channel.
count_near() {
  local c=$3
  pixels "$1" "$2" |
    awk -v r=$((16#${c:0:2})) -v g=$((16#${c:2:2})) -v b=$((16#${c:4:2})) -v t="$4" '
      function near(a, b) { return a - b <= t && b - a <= t }
      near($3, r) && near($4, g) && near($5, b) { n++ }
      END { print n + 0 }'
}

# all_near IMAGE RECT RRGGBB TOLERANCE: every pixel of the region is near the
# colour.
all_near() {
  (($(count_near "$@") == $(area "$2")))
}

# ink_mask IMAGE RECT: the region as rows of '#' (a pixel whose brightest
# channel is at least half) and '.', cropped to the rows and columns that
# hold any '#'. Text drawn on black gives the shape of its glyphs, whatever
# its colour.
ink_mask() {
  pixels "$1" "$2" | awk '
    {
      m = $3; if ($4 > m) m = $4; if ($5 > m) m = $5
      if (m >= 128) {
        ink[$1, $2] = 1
        if (!any || $1 < x0) x0 = $1; if (!any || $1 > x1) x1 = $1
        if (!any || $2 < y0) y0 = $2; if (!any || $2 > y1) y1 = $2
        any = 1
      }
    }
    END {
      if (!any) exit
      for (y = y0; y <= y1; y++) {
        row = ""
        for (x = x0; x <= x1; x++) row = row (((x, y) in ink) ? "#" : ".")
        print row
      }
    }'
}

# ink_runs IMAGE RECT: how many separate runs of columns hold ink; for a line
# of separate marks, such as "***", the number of marks.
ink_runs() {
  pixels "$1" "$2" | awk '
    { m = $3; if ($4 > m) m = $4; if ($5 > m) m = $5; if (m >= 128) col[$1] = 1 }
    $1 > last { last = $1 }
    END {
      for (x = 0; x <= last; x++) if ((x in col) && !((x - 1) in col)) runs++
      print runs + 0
    }'
}

# differing_pixels IMAGE_A RECT_A IMAGE_B RECT_B: how many pixels differ
# between two regions of the same size, of one image or of two.
differing_pixels() {
  paste -d' ' <(pixels "$1" "$2" | cut -d' ' -f3-) <(pixels "$3" "$4" | cut -d' ' -f3-) |
    awk '$1 != $4 || $2 != $5 || $3 != $6 { n++ } END { print n + 0 }'
}

# ---------------------------------------------------------------------------
# The window's zones, as "X Y W H" in client coordinates.

# FRAMES, BOXES, BUTTONS and their FRAME_RECT, BOX_RECT and BUTTON_RECT,
# BANNER_RECT and PICTURE_RECT come from the design, with the colours above.

# inside "X Y W H" [INSET]: the rectangle shrunk by INSET (default 4) on every
# side; keeps edit box checks clear of the box's border.
inside() {
  local x y w h inset=${2:-4}
  read -r x y w h <<<"$1"
  echo "$((x + inset)) $((y + inset)) $((w - 2 * inset)) $((h - 2 * inset))"
}

# caption_area FRAME: where a frame's caption is drawn: along the top border,
# from the frame's left edge, at most 64 pixels wide (three characters of
# the caption font need about 40).
caption_area() {
  local x y w h
  read -r x y w h <<<"${FRAME_RECT[$1]}"
  ((w > 64)) && w=64
  echo "$x $y $w 16"
}

# centre "X Y W H": the rectangle's centre point as "X Y".
centre() {
  local x y w h
  read -r x y w h <<<"$1"
  echo "$((x + w / 2)) $((y + h / 2))"
}

# click BUTTON: a real pointer click in the middle of the button.
click() {
  local x y
  read -r x y <<<"$(centre "${BUTTON_RECT[$1]}")"
  xdotool mousemove --window "$WIN" "$x" "$y" click 1
}

# type_keys TEXT: real key events into the window, which is given the
# keyboard focus first (with no window manager the focus would otherwise
# follow the pointer).
type_keys() {
  xdotool windowfocus --sync "$WIN"
  xdotool type --delay 80 "$1"
}

# ---------------------------------------------------------------------------
# Predicates on a screenshot.

# The window has painted: its ground, the edit boxes' ground and light
# buttons.
painted() {
  local shot=${1:-$SCRATCH/shot.png}
  all_near "$shot" "0 0 ${WINDOW_SIZE%x*} 6" "$WINDOW_GROUND" 0 || return 1
  all_near "$shot" "$(inside "${BOX_RECT[Text9]}")" "${GROUND_COLOUR[Text9]}" 0 || return 1
  (($(count_near "$shot" "${BUTTON_RECT[Command3]}" EEEEEE 24) > 1000))
}

# box_ink SHOT BOX COLOUR: how many pixels inside the box are near COLOUR.
box_ink() {
  count_near "$1" "$(inside "${BOX_RECT[$2]}")" "$3" 40
}

# The boxes are empty: their ground inside, not a single other pixel.
boxes_empty() {
  local shot=$1 box
  shift
  for box in "$@"; do
    all_near "$shot" "$(inside "${BOX_RECT[$box]}")" "${GROUND_COLOUR[$box]}" 0 || return 1
  done
}

# box_shows SHOT BOX MINIMUM: at least MINIMUM pixels in the box's own text
# colour.
box_shows() {
  (($(box_ink "$1" "$2" "${TEXT_COLOUR[$2]}") >= $3))
}

# The boxes of the draw show their digits.
inputs_shown() {
  local box
  for box in "${INPUT_BOXES[@]}"; do
    box_shows "$1" "$box" 40 || return 1
  done
}

# The banker line and the three kill numbers show, each in its colour.
results_shown() {
  box_shows "$1" Text11 100 && box_shows "$1" Text9 40 &&
    box_shows "$1" "Text13(0)" 40 && box_shows "$1" "Text13(1)" 40
}

all_boxes_empty() { boxes_empty "$1" "${BOXES[@]}"; }

# The typical use up to a finished forecast: 1, 2, 3 typed with real key
# events (the focus starts in Text1 and moves on by itself), then a click
# on 开始预测. Leaves the finished window in $SCRATCH/shot.png.
type_draw_and_forecast() {
  type_keys 123
  wait_until "red digits in Text1, Text2 and Text3" inputs_shown "$SCRATCH/shot.png"
  click Command1
  wait_until "the banker line and the kill numbers" results_shown "$SCRATCH/shot.png"
}

# check_zones SHOT: the frame captions, buttons, banner and picture of the
# window as shown at start, from their colours and glyph pixels; fails
# naming the first zone that is wrong.
check_zones() {
  local shot=$1 frame button rect x y w h white face dark black lit
  # Frame captions: their text colour in the top border of every frame, as
  # glyphs (some such pixels, far from a filled block).
  for frame in "${FRAMES[@]}"; do
    white=$(count_near "$shot" "$(caption_area "$frame")" "${TEXT_COLOUR[$frame]}" 60)
    note "$frame caption: $white white pixels"
    ((white >= 30 && white <= 400)) || fail "$frame caption has $white white pixels"
  done

  # Buttons: the platform's light face with a dark caption in the middle.
  for button in "${BUTTONS[@]}"; do
    rect=${BUTTON_RECT[$button]}
    read -r x y w h <<<"$rect"
    face=$(count_near "$shot" "$rect" F0F0F0 24)
    dark=$(count_near "$shot" "$(inside "$rect" 8)" 000000 90)
    note "$button: $face face pixels, $dark caption pixels"
    ((face * 2 > w * h)) || fail "$button has no light face"
    ((dark >= 30)) || fail "$button shows no caption"
  done

  # The banner: its text on its ground across the bottom.
  read -r x y w h <<<"$BANNER_RECT"
  black=$(count_near "$shot" "$(inside "$BANNER_RECT" 3)" "${GROUND_COLOUR[Text12]}" 0)
  white=$(count_near "$shot" "$(inside "$BANNER_RECT" 3)" "${TEXT_COLOUR[Text12]}" 60)
  note "banner: $black black, $white white pixels"
  ((black * 2 > w * h)) || fail "the banner is not black"
  ((white >= 200)) || fail "the banner shows no text"

  # The picture: a portrait on black, so black corners and a lit figure.
  read -r x y w h <<<"$PICTURE_RECT"
  all_near "$shot" "$x $y 10 10" "$BLACK" 12 || fail "the picture has no black corner"
  lit=$((w * h - $(count_near "$shot" "$PICTURE_RECT" "$BLACK" 60)))
  note "picture: $lit lit pixels"
  ((lit > 2000)) || fail "the picture shows no figure"
}
