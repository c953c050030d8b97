#!/usr/bin/env bash
# The Chinese captions render from the program's bundled fonts on a system
# that has no Chinese font at all.
#
#   tests/e2e/fonts_test.sh LUMIVAR
#
# The program runs twice on the same display: once with the system's fonts,
# once with a fontconfig setup that knows a single Latin font directory.
# In the Latin-only run every caption must
#   - show text: white (frames, banner) or dark (buttons) glyph pixels;
#   - show real glyphs, not "tofu": a missing glyph is drawn as one and the
#     same box whatever the character, so captions of different characters
#     would all look alike; here every frame caption must differ from every
#     other, and so must the button captions;
#   - look as in the run with the system's fonts, when the system has no
#     face of its own for the design fonts 宋体 and 黑体 (the program uses such
#     a face where it exists).
set -euo pipefail
program=${1:?usage: fonts_test.sh LUMIVAR}
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"

readonly LATIN_FONT_DIR=/usr/share/fonts/truetype/dejavu

e2e_setup

# One font directory, plus the system's rendering rules (hinting,
# antialiasing) so that both runs draw glyphs alike. HOME and the XDG folders
# point into the scratch folder, so that no font of the user's comes in.
conf=$SCRATCH/latin-only.conf
cat >"$conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>$LATIN_FONT_DIR</dir>
  <cachedir>$SCRATCH/fontconfig-cache</cachedir>
  <include ignore_missing="yes">/etc/fonts/conf.d</include>
</fontconfig>
EOF
latin_env=(FONTCONFIG_FILE="$conf" HOME="$SCRATCH" XDG_DATA_HOME="$SCRATCH/data"
  XDG_CONFIG_HOME="$SCRATCH/config" XDG_CACHE_HOME="$SCRATCH/cache")

# The Latin-only setup must really hold fonts, and none with Chinese.
latin_families=$(env "${latin_env[@]}" fc-list : family | sort -u)
[ -n "$latin_families" ] || fail "no font in $LATIN_FONT_DIR (fonts-dejavu-core)"
chinese=$(env "${latin_env[@]}" fc-list ':charset=8f93 5165 533a' family)  # 输入区
[ -z "$chinese" ] || fail "the Latin-only setup still finds Chinese fonts: $chinese"
note "Latin-only fonts: $(echo "$latin_families" | tr '\n' ';')"

# shoot FILE [ENV...]: one run of the program; FILE gets its painted window.
shoot() {
  local file=$1
  shift
  launch_program env "$@" "$program"
  find_window
  wait_until "the window has painted" painted
  settled_screenshot "$file"
  stop_program
  # The next run's window must not be mistaken for this one.
  local deadline=$((SECONDS + E2E_TIMEOUT))
  while xdotool search --onlyvisible --name "^$LUMIVAR_TITLE\$" >/dev/null; do
    ((SECONDS <= deadline)) || fail "the window stays after its program ended"
    sleep 0.1
  done
}

system=$SCRATCH/system.png
latin=$SCRATCH/latin.png
shoot "$system"
shoot "$latin" "${latin_env[@]}"
cp "$latin" "$SCRATCH/shot.png"  # what a failure keeps

# button_caption BUTTON: a box centred on the button that holds its caption;
# the same size for all three, so that their pictures can be compared.
button_caption() {
  local x y
  read -r x y <<<"$(centre "${BUTTON_RECT[$1]}")"
  echo "$((x - 35)) $((y - 9)) 70 18"
}

# Every caption shows text.
for frame in "${FRAMES[@]}"; do
  white=$(count_near "$latin" "$(caption_area "$frame")" "${TEXT_COLOUR[$frame]}" 60)
  ((white >= 30)) || fail "$frame caption shows nothing ($white white pixels)"
done
for button in "${BUTTONS[@]}"; do
  dark=$(count_near "$latin" "$(button_caption "$button")" 000000 90)
  ((dark >= 30)) || fail "$button caption shows nothing ($dark dark pixels)"
done
banner_white=$(count_near "$latin" "$(inside "$BANNER_RECT" 3)" "${TEXT_COLOUR[Text12]}" 60)
((banner_white >= 200)) || fail "the banner shows nothing"

# distinct NAME_A RECT_A NAME_B RECT_B: the two regions of the Latin-only
# screenshot differ in at least 20 pixels.
distinct() {
  local differing
  differing=$(differing_pixels "$latin" "$2" "$latin" "$4")
  note "$1 and $3 captions: $differing pixels differ"
  ((differing >= 20)) || fail "$1 and $3 show the same caption: the glyphs are missing"
}
for ((i = 0; i < ${#FRAMES[@]}; i++)); do
  for ((j = i + 1; j < ${#FRAMES[@]}; j++)); do
    read -r x y w h <<<"$(caption_area "${FRAMES[i]}")"
    a="$x $y 64 16"  # the narrow frames' caption areas are cut to 64 as well
    read -r x y w h <<<"$(caption_area "${FRAMES[j]}")"
    distinct "${FRAMES[i]}" "$a" "${FRAMES[j]}" "$x $y 64 16"
  done
done
distinct Command1 "$(button_caption Command1)" Command2 "$(button_caption Command2)"
distinct Command1 "$(button_caption Command1)" Command3 "$(button_caption Command3)"
distinct Command2 "$(button_caption Command2)" Command3 "$(button_caption Command3)"

# The same pictures as with the system's fonts, unless the system has a face
# of its own for the design fonts.
design_faces=$(fc-list ':family=宋体' family; fc-list ':family=SimSun' family
  fc-list ':family=黑体' family; fc-list ':family=SimHei' family)
if [ -n "$design_faces" ]; then
  note "the system has its own design faces ($design_faces); not compared"
else
  regions=()
  for frame in "${FRAMES[@]}"; do regions+=("$frame|$(caption_area "$frame")"); done
  for button in "${BUTTONS[@]}"; do regions+=("$button|$(button_caption "$button")"); done
  regions+=("banner|$(inside "$BANNER_RECT" 3)")
  for region in "${regions[@]}"; do
    name=${region%%|*}
    rect=${region#*|}
    differing=$(differing_pixels "$system" "$rect" "$latin" "$rect")
    note "$name: $differing of $(area "$rect") pixels differ from the run with the system's fonts"
    ((differing * 100 <= $(area "$rect"))) || fail "$name renders differently without the system's fonts"
  done
fi

note "PASS"
