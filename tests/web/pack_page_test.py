#!/usr/bin/python3
"""The packer's --site-url: the notice links the hosted page where one is
given, names no address where none is, and takes nothing but an http(s)
address into the page. The program's code, held in a script block of the
single file, is refused where it would end that block early. And the site's
worker: the same sources give the same sw.js, and one byte changed in the
page's script, at the same version, gives another.

    LUMIVAR_DESIGN=build/dev/design.json tests/web/pack_page_test.py
"""
import json
import os
import re
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
DESIGN = Path(os.environ.get("LUMIVAR_DESIGN", ROOT / "build/dev/design.json"))
RESOURCES = ["fonts/LumivarSong-Bold.woff2", "fonts/LumivarHei-Bold.woff2", "images/portrait.jpg",
             "icons/lumivar.png"]


def pack(out, *options, glue=ROOT / "web/page.js", script=ROOT / "web/page.js", mode="single"):
    web = ROOT / "web"
    command = [sys.executable, web / "pack_page.py", mode, "--glue", glue, "--out", out,
               "--resources", ROOT / "resources", "--design", DESIGN, "--version", "0",
               "--script", script, "--style", web / "page.css",
               "--watchdog", web / "watchdog.js", *options, *RESOURCES]
    return subprocess.run(command, capture_output=True, text=True)


def site_workers(scratch, failures):
    """Failures of the site's worker to follow its files' bytes."""
    original = (ROOT / "web/page.js").read_bytes()
    at = original.index(b"use strict")  # code, which the packer keeps as it is
    changed = Path(scratch) / "changed.js"
    changed.write_bytes(original[:at] + b"U" + original[at + 1:])
    worker = ROOT / "web/service_worker.js"

    def sw(name, script):
        out = Path(scratch) / name
        result = pack(out, "--worker", worker, script=script, mode="site")
        if result.returncode != 0:
            failures.append(f"site {name}: {result.stderr.strip()}")
            return ""
        return (out / "sw.js").read_text(encoding="utf-8")

    first = sw("first", ROOT / "web/page.js")
    for what, script, same in [("the same sources", ROOT / "web/page.js", True),
                               ("one byte changed in the page's script", changed, False)]:
        if (sw("again", script) == first) != same:
            failures.append(f"{what} gave {'another' if same else 'the same'} sw.js")


def notices(html):
    return re.findall(r'<div class="notice"[^>]*>(.*?)</div>', html)


def main():
    texts = json.loads(DESIGN.read_text(encoding="utf-8"))["notice"]
    site = "https://lumivar.example/page/"
    failures = []
    with tempfile.TemporaryDirectory() as scratch:
        out = Path(scratch) / "page.html"
        cases = [
            ([f"--site-url={site}"], f'<a href="{site}">{site}</a>', texts["iphoneAt"].split("{site}")[0]),
            ([], None, texts["iphone"]),
        ]
        for options, link, line in cases:
            result = pack(out, *options)
            if result.returncode != 0:
                failures.append(f"{options}: {result.stderr.strip()}")
                continue
            shown = notices(out.read_text(encoding="utf-8"))
            if len(shown) != 2:
                failures.append(f"{options}: {len(shown)} notices, not 2")
            for notice in shown:
                if line not in notice or (link is None and "<a" in notice) or (link and link not in notice):
                    failures.append(f"{options}: the notice reads {notice!r}")
        for address in ["javascript:alert(1)", 'https://x.example/"><script>', "lumivar.example"]:
            if pack(out, f"--site-url={address}").returncode == 0:
                failures.append(f"{address!r} was taken as the site's address")
        glue = Path(scratch) / "glue.js"
        for code in ['var s = "</SCRIPT><script>alert(1)";', 'var s = "<!--<script>";']:
            glue.write_text(code, encoding="utf-8")
            if pack(out, glue=glue).returncode == 0:
                failures.append(f"the program {code!r} was packed")
        site_workers(scratch, failures)
    for failure in failures:
        print("pack_page_test:", failure)
    print("pack_page_test:", "FAIL" if failures else "PASS")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
