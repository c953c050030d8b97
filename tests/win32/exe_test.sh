#!/usr/bin/env bash
# lumivar.exe stands on its own on any Windows: it imports only DLLs that
# every Windows has (the C++ runtime is linked in), and it carries its icon,
# its manifest and a version resource with the project's version and a
# Chinese description.
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

# The system DLLs of every Windows 10 and 11 that the window may use.
system_dlls=" kernel32.dll user32.dll gdi32.dll comctl32.dll imm32.dll msvcrt.dll ole32.dll "
system_dlls+=" oleaut32.dll oleacc.dll uxtheme.dll advapi32.dll shell32.dll shcore.dll "
mapfile -t imports < <(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr '[:upper:]' '[:lower:]')
[ ${#imports[@]} -gt 0 ] || fail "no imports found in $exe"
for dll in "${imports[@]}"; do
  [[ "$system_dlls" == *" $dll "* ]] || fail "imports $dll, which not every Windows has"
done
echo "imports: ${imports[*]}"

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
echo "PASS"
