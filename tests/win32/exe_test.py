#!/usr/bin/python3
# lumivar.exe stands on its own on every Windows from 7 SP1 on: it imports
# only DLLs and functions that Windows 7 has (the C++ runtime is linked in,
# anything newer is looked up at run time), so that Windows 7's loader
# accepts it; and it carries its icon, its manifest, naming Windows 7, and a
# version resource with the project's version and a Chinese description.
# Wine cannot show this: it has every function whatever Windows it reports.
# The file is read with pefile, as the loader reads it, not from a tool's
# printed layout.
#
#   LUMIVAR_EXE=… LUMIVAR_VERSION=x.y.z /usr/bin/python3 tests/win32/exe_test.py
import os
import sys

import pefile

exe = os.environ["LUMIVAR_EXE"]
version = os.environ["LUMIVAR_VERSION"]


def fail(message):
    sys.exit(f"FAIL: {message}")


pe = pefile.PE(exe)

# The system DLLs of every Windows from 7 SP1 on that the window may use.
system_dlls = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "imm32.dll", "msvcrt.dll",
               "ole32.dll", "oleaut32.dll", "oleacc.dll", "uxtheme.dll", "advapi32.dll", "shell32.dll"}
imports = getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])
if not imports:
    fail(f"no imports found in {exe}")
for dll in imports:
    if dll.dll.decode().lower() not in system_dlls:
        fail(f"imports {dll.dll.decode().lower()}, which not every Windows has")
print("imports:", " ".join(dll.dll.decode().lower() for dll in imports))

# Every imported function, "dll function", against the list of those known
# to be in Windows 7 SP1: a new one fails here until someone has checked
# that Windows 7 has it and added it to the list. A function imported by
# ordinal has no name and fails too.
allowed_path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "exe_imports.txt")
with open(allowed_path, encoding="utf-8") as f:
    allowed = {line.strip() for line in f if line.strip() and not line.startswith("#")}
functions = set()
for dll in imports:
    for function in dll.imports:
        if function.name is None:
            fail(f"imports ordinal {function.ordinal} of {dll.dll.decode()} by number, not by name")
        functions.add(f"{dll.dll.decode().lower()} {function.name.decode()}")
if not functions:
    fail(f"no imported functions found in {exe}")
unknown = sorted(functions - allowed)
if unknown:
    fail(f"imports what {allowed_path} does not list (check Windows 7 has it):\n" + "\n".join(unknown))
print(f"imported functions: {len(functions)}, all in {os.path.basename(allowed_path)}")

# Windows 7 (6.1) refuses a program that asks for a newer subsystem, and has
# no API sets to forward api-ms-win-* imports through.
api_sets = sorted(f for f in functions if f.startswith("api-ms-win-"))
if api_sets:
    fail(f"imports an API set: {api_sets}")
subsystem = (pe.OPTIONAL_HEADER.MajorSubsystemVersion, pe.OPTIONAL_HEADER.MinorSubsystemVersion)
if subsystem > (6, 1):
    fail(f"subsystem version {subsystem[0]}.{subsystem[1]} is newer than Windows 7's 6.1")
print(f"subsystem version: {subsystem[0]}.{subsystem[1]}")

# Resource types in the root of the resource directory: the icon, the
# version and the manifest.
if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"):
    fail(f"no resources in {exe}")
resources = {entry.id: entry for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries}
for name in ("RT_GROUP_ICON", "RT_VERSION", "RT_MANIFEST"):
    if pefile.RESOURCE_TYPE[name] not in resources:
        fail(f"no resource of type {name} (found: {sorted(resources)})")

# The version resource's strings.
strings = {}
for info in getattr(pe, "FileInfo", []):
    for entry in info:
        for table in getattr(entry, "StringTable", []):
            strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
for key, expected in (("ProductVersion", version), ("FileVersion", version), ("ProductName", "Lumivar")):
    if strings.get(key) != expected:
        fail(f"{key} is '{strings.get(key)}'")
description = strings.get("FileDescription", "")
if "预测" not in description:
    fail(f"FileDescription '{description}' is not the Chinese one")
print(f"version resource: Lumivar {version}, {description}")

# The manifest names Windows 7 among the Windows the program is made for.
manifest = b"".join(
    pe.get_data(language.data.struct.OffsetToData, language.data.struct.Size)
    for name in resources[pefile.RESOURCE_TYPE["RT_MANIFEST"]].directory.entries
    for language in name.directory.entries)
if b"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}" not in manifest:
    fail("the manifest does not name Windows 7")
print("PASS")
