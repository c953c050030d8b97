#!/usr/bin/python3
"""The packer's --site-url: the notice links the hosted page where one is
given, names no address where none is, and takes nothing but an http(s)
address into the page. And the program's code, held in a script block of
the single file, is refused where it would end that block early.

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


def pack(out, *options, glue=ROOT / "web/page.js"):
    web = ROOT / "web"
    command = [sys.executable, web / "pack_page.py", "single", "--glue", glue, "--out", out,
               "--resources", ROOT / "resources", "--design", DESIGN, "--version", "0",
               "--script", web / "page.js", "--style", web / "page.css",
               "--watchdog", web / "watchdog.js", *options, *RESOURCES]
    return subprocess.run(command, capture_output=True, text=True)


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
    for failure in failures:
        print("pack_page_test:", failure)
    print("pack_page_test:", "FAIL" if failures else "PASS")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
