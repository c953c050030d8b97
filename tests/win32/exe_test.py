#!/usr/bin/python3
# lumivar.exe stands on its own on every Windows from 7 SP1 on: it imports
# only KnownDLLs, and only functions that Windows 7 has (the C++ runtime is
# linked in, anything newer is looked up at run time), so that Windows 7's
# loader accepts it and no DLL comes from the folder it starts from; it is
# hardened; it carries its icon, its manifest, naming Windows 7, and a
# version resource with the project's version and a Chinese description;
# and its zip keeps it in one folder.
# Wine cannot show this: it has every function whatever Windows it reports.
# The file is read with pefile, as the loader reads it, not from a tool's
# printed layout.
#
#   LUMIVAR_EXE=… LUMIVAR_ZIP=… LUMIVAR_VERSION=x.y.z /usr/bin/python3 tests/win32/exe_test.py
import os
import re
import sys
import zipfile

import pefile

exe = os.environ["LUMIVAR_EXE"]
version = os.environ["LUMIVAR_VERSION"]


def fail(message):
    sys.exit(f"FAIL: {message}")


pe = pefile.PE(exe)

# Statically, only DLLs that are KnownDLLs on Windows 7 and on Windows 10:
# Windows takes those from System32 whatever folder the program starts from.
# Any other DLL it would look for in the program's folder first (Downloads,
# where anyone can drop one), before wWinMain could lock the search.
known_dlls = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "ole32.dll", "oleaut32.dll",
              "imm32.dll", "advapi32.dll", "shell32.dll", "shlwapi.dll", "comdlg32.dll",
              "rpcrt4.dll", "sechost.dll", "setupapi.dll", "ws2_32.dll", "psapi.dll"}
imports = getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])
if not imports:
    fail(f"no imports found in {exe}")
for dll in imports:
    if dll.dll.decode().lower() not in known_dlls:
        fail(f"imports {dll.dll.decode().lower()} statically, which is not a KnownDLL")
print("imports:", " ".join(dll.dll.decode().lower() for dll in imports))
if hasattr(pe, "DIRECTORY_ENTRY_DELAY_IMPORT"):
    fail("has delay imports, which the checks below would not see")

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

# The functions the program reaches at run time (win32/system_dlls.h): those
# it needs on every Windows are checked like imports, and none of them is
# imported statically too.
table_path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../win32/system_dlls.h")
with open(table_path, encoding="utf-8") as f:
    late = re.findall(r'LateImport\{L"([^"]+)", "([^"]+)", (true|false)\}', f.read())
if not late:
    fail(f"no LateImport rows found in {table_path}")
for dll, function, since_windows_7 in late:
    if since_windows_7 == "true" and f"{dll.lower()} {function}" not in allowed:
        fail(f"{dll} {function}, which the program needs at run time, is not in {allowed_path}")
    if f"{dll.lower()} {function}" in functions:
        fail(f"{dll} {function} is imported statically as well")
print(f"run-time functions: {len(late)}, the ones every Windows needs all in the list")

# What Windows reads from the header: ASLR with high entropy, DEP,
# terminal-server aware. And a stack protector: its failure handler is
# linked in.
header = pe.OPTIONAL_HEADER
for flag in ("DYNAMIC_BASE", "HIGH_ENTROPY_VA", "NX_COMPAT", "TERMINAL_SERVER_AWARE"):
    if not getattr(header, f"IMAGE_DLLCHARACTERISTICS_{flag}"):
        fail(f"the header lacks {flag}")
if not pe.OPTIONAL_HEADER.DATA_DIRECTORY[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_BASERELOC"]].Size:
    fail("no relocations, so ASLR cannot move the image")
with open(exe, "rb") as f:
    image = f.read()
if b"stack smashing detected" not in image:
    fail("built without a stack protector")
print("hardening: ASLR (high entropy), DEP, terminal-server aware, stack protector")

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
# The zip keeps everything in one folder, so that "extract here" in
# Downloads puts nothing beside what is already there.
folder = f"lumivar-{version}-windows-x64/"
with zipfile.ZipFile(os.environ["LUMIVAR_ZIP"]) as archive:
    names = archive.namelist()
outside = [name for name in names if not name.startswith(folder)]
if outside:
    fail(f"the zip holds {outside} outside {folder}")
for name in ("lumivar.exe", "OFL.txt", "README.txt"):
    if folder + name not in names:
        fail(f"the zip has no {folder + name}")
print(f"zip: {len(names)} entries, all in {folder}")
print("PASS")
