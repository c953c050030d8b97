#!/usr/bin/env bash
# lumivar.exe stands on its own on every Windows from 7 SP1 on: it imports
# only DLLs and functions that Windows 7 has (the C++ runtime is linked in,
# anything newer is looked up at run time), so that Windows 7's loader
# accepts it; and it carries its icon, its manifest, naming Windows 7, and a
# version resource with the project's version and a Chinese description.
# Wine cannot show this: it has every function whatever Windows it reports.
#
#   LUMIVAR_EXE=… LUMIVAR_VERSION=x.y.z tests/win32/exe_test.sh
set -euo pipefail
exe=${LUMIVAR_EXE:?set LUMIVAR_EXE to lumivar.exe}
version=${LUMIVAR_VERSION:?set LUMIVAR_VERSION to the project version}
objdump=$(command -v x86_64-w64-mingw32-objdump || command -v objdump)

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

headers=$("$objdump" -p "$exe")

# The system DLLs of every Windows from 7 SP1 on that the window may use.
system_dlls=" kernel32.dll user32.dll gdi32.dll comctl32.dll imm32.dll msvcrt.dll ole32.dll "
system_dlls+=" oleaut32.dll oleacc.dll uxtheme.dll advapi32.dll shell32.dll "
mapfile -t imports < <(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr '[:upper:]' '[:lower:]')
[ ${#imports[@]} -gt 0 ] || fail "no imports found in $exe"
for dll in "${imports[@]}"; do
  [[ "$system_dlls" == *" $dll "* ]] || fail "imports $dll, which not every Windows has"
done
echo "imports: ${imports[*]}"

# Every imported function, "dll function", against the list of those known
# to be in Windows 7 SP1: a new one fails here until someone has checked
# that Windows 7 has it and added it to the list. A function imported by
# ordinal shows no name and fails too.
allowed=$(dirname "$0")/exe_imports.txt
functions=$(awk '/^\tDLL Name: / { dll = tolower($3); next }
  /^[^\t]/ { dll = "" }
  dll != "" && /^\t[0-9a-f]+\t/ { print dll, $NF }' <<<"$headers" | sort -u)
[ -n "$functions" ] || fail "no imported functions found in $exe"
unknown=$(comm -23 <(echo "$functions") <(grep -v '^#' "$allowed" | sort -u))
[ -z "$unknown" ] || fail "imports what $allowed does not list (check Windows 7 has it):
$unknown"
echo "imported functions: $(wc -l <<<"$functions"), all in $(basename "$allowed")"

# Windows 7 (6.1) refuses a program that asks for a newer subsystem, and has
# no API sets to forward api-ms-win-* imports through.
! grep -q '^api-ms-win-' <<<"$functions" || fail "imports an API set: $(grep '^api-ms-win-' <<<"$functions")"
subsystem=$(awk '/^MajorSubsystemVersion/ { major = $2 } /^MinorSubsystemVersion/ { minor = $2 }
  END { print major "." minor }' <<<"$headers")
awk -v v="$subsystem" 'BEGIN { split(v, p, "."); exit !(p[1] < 6 || (p[1] == 6 && p[2] <= 1)) }' ||
  fail "subsystem version $subsystem is newer than Windows 7's 6.1"
echo "subsystem version: $subsystem"

# Resource types in the root of the resource directory: RT_GROUP_ICON (0xe),
# RT_VERSION (0x10) and RT_MANIFEST (0x18).
types=$(sed -n '/The .rsrc Resource Directory section/,$p' <<<"$headers" |
  sed -n 's/^0[0-9a-f]\{2\}   Entry: ID: 0x\([0-9a-f]*\),.*/\1/p')
for type in 00000e 000010 000018; do
  grep -qx "$type" <<<"$types" || fail "no resource of type 0x$type (found: $(echo $types))"
done

# The version resource's strings, read as the UTF-16 text they are.
value_of() {
  /usr/bin/python3 - "$exe" "$1" <<'PY'
import re, sys
data = open(sys.argv[1], "rb").read()
key = sys.argv[2].encode("utf-16-le") + b"\0\0"
at = data.find(key)
if at < 0:
    sys.exit(0)
at += len(key)
at += (4 - at % 4) % 4  # values start on a 32-bit boundary
end = at
while data[end:end + 2] != b"\0\0":
    end += 2
print(data[at:end].decode("utf-16-le"))
PY
}
[ "$(value_of ProductVersion)" = "$version" ] || fail "ProductVersion is '$(value_of ProductVersion)'"
[ "$(value_of FileVersion)" = "$version" ] || fail "FileVersion is '$(value_of FileVersion)'"
[ "$(value_of ProductName)" = Lumivar ] || fail "ProductName is '$(value_of ProductName)'"
description=$(value_of FileDescription)
[[ "$description" == *预测* ]] || fail "FileDescription '$description' is not the Chinese one"
echo "version resource: Lumivar $version, $description"

# The manifest names Windows 7 among the Windows the program is made for.
grep -qa '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' "$exe" || fail "the manifest does not name Windows 7"
echo "PASS"
