#!/usr/bin/env bash
# lumivar.exe started from a folder where DLLs were planted under the names
# of system DLLs that programs are often tricked into loading, as from
# Downloads: the window shows and works, and none of them is loaded. Run for
# lumivar.exe and for its copy that takes Windows 7's ways (no
# SetDefaultDllDirectories: full System32 paths).
#
# Wine has no KnownDLLs, and WINEDLLOVERRIDES=NAME=n,b makes it prefer a DLL
# file in the program's folder, as Windows does for a DLL that is not a
# KnownDLL. version.dll is not planted: Wine's own user32 imports it, while
# on Windows user32 is a KnownDLL whose imports come from System32.
#
#   LUMIVAR_EXE=… LUMIVAR_FALLBACK_EXE=… LUMIVAR_PLANTED_DLL=… LUMIVAR_PROBE=… \
#     tests/win32/planting_test.sh
set -euo pipefail
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
: "${LUMIVAR_PLANTED_DLL:?set LUMIVAR_PLANTED_DLL to the planted DLL}"
planted=(uxtheme dwmapi cryptbase cryptsp profapi propsys winmm dbghelp shcore oleacc userenv
         uiautomationcore)

wine_e2e_setup

# run_planted EXE LABEL: EXE copied into a folder with the planted DLLs,
# started there, and used for a forecast.
run_planted() {
  local folder=$SCRATCH/$2 name markers status=0
  mkdir "$folder"
  cp "$1" "$folder/lumivar.exe"
  for name in "${planted[@]}"; do cp "$LUMIVAR_PLANTED_DLL" "$folder/$name.dll"; done
  (
    WINEDLLOVERRIDES="$(IFS=,; echo "${planted[*]}")=n,b;mscoree,mshtml="
    export WINEDLLOVERRIDES
    export WINEDEBUG=+loaddll LUMIVAR_EXE=$folder/lumivar.exe
    launch_exe
    find_window
    wait_until "the window has painted" painted
    type_keys 123
    click Command1
    sleep 1
    [ -n "$(probe text Text11)" ] || fail "$2 did not forecast beside the planted DLLs"
    stop_program
  ) || status=$?
  # A planted DLL that lacks the functions the program wants may stop it
  # before its window shows: its marker is there all the same.
  markers=$(cd "$folder" && ls -- *.loaded 2>/dev/null || true)
  [ -z "$markers" ] || fail "$2 loaded planted DLLs: $(echo "$markers" | tr '\n' ' ')"
  ((status == 0)) || exit "$status"
  # Wine's loader names each module it loads with its path: none is from the
  # folder but the program itself.
  if grep -i "\\\\$2\\\\" "$SCRATCH/stderr.txt" | grep -iv 'lumivar\.exe' | grep -i '\.dll'; then
    fail "$2 loaded a DLL from its own folder"
  fi
  note "$2: the window worked, and none of ${#planted[@]} planted DLLs was loaded"
}

run_planted "$LUMIVAR_EXE" downloads
run_planted "${LUMIVAR_FALLBACK_EXE:?set LUMIVAR_FALLBACK_EXE to the fallback build}" windows7
note "PASS"
