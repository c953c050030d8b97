#!/usr/bin/python3
"""Packs the page that emscripten built into what a browser opens.

    pack_page.py single --glue page.js --out lumivar.html [common options] RESOURCE...
    pack_page.py site --glue page.js --out site/ --worker sw.js [common options] RESOURCE...

single: one HTML file holding everything (script, style, the .wasm inside
the script, every resource as a data: URI), with a Content-Security-Policy
that lets in only its own inline script and style, WebAssembly and data:
fonts and images.
site: index.html, lumivar.js, lumivar.wasm, lumivar.css, the resources as
files, a web app manifest and a service worker that keeps every one of them
in a cache named by the version; its policy allows only the site itself.

RESOURCE names are paths under --resources, as the layout table names them;
the script reads their URLs from LUMIVAR_RESOURCES.
"""

import argparse
import base64
import hashlib
import json
import re
import shutil
from pathlib import Path

MIME = {".woff2": "font/woff2", ".jpg": "image/jpeg", ".png": "image/png"}
ICON = "icons/lumivar.png"
THEME_COLOUR = "#000040"
SHORT_NAME = "直选预测"


def compact_script(text):
    """The script without its whole-line comments and indentation."""
    lines = (line.strip() for line in text.splitlines())
    return "\n".join(line for line in lines if line and not line.startswith("//")) + "\n"


def compact_style(text):
    """The style sheet without its comments and indentation."""
    text = re.sub(r"/\*.*?\*/", "", text, flags=re.DOTALL)
    return "\n".join(line.strip() for line in text.splitlines() if line.strip()) + "\n"


def data_uri(path):
    return f"data:{MIME[path.suffix]};base64,{base64.b64encode(path.read_bytes()).decode()}"


def csp_hash(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode()).digest()).decode() + "'"


def page(title, head, body):
    return f"""<!DOCTYPE html>
<html lang="zh-CN">
<head>
<meta charset="utf-8">
{head}
<meta name="viewport" content="width=device-width, initial-scale=1">
<meta name="referrer" content="no-referrer">
<title>{title}</title>
</head>
<body><div id="page"></div>
{body}
</body>
</html>
"""


def resources_script(urls):
    return "var LUMIVAR_RESOURCES = " + json.dumps(urls, ensure_ascii=False) + ";\n"


def single(args, script, style):
    urls = {name: data_uri(args.resources / name) for name in args.names}
    code = resources_script(urls) + script + args.glue.read_text(encoding="utf-8")
    policy = "; ".join([
        "default-src 'none'",
        f"script-src {csp_hash(code)} 'wasm-unsafe-eval'",
        f"style-src {csp_hash(style)}",
        "font-src data:", "img-src data:", "connect-src data:",
        "base-uri 'none'", "form-action 'none'",
    ])
    head = (f'<meta http-equiv="Content-Security-Policy" content="{policy}">\n'
            f'<link rel="icon" type="image/png" href="{urls[ICON]}">\n'
            f"<style>{style}</style>")
    args.out.write_text(page(args.title, head, f"<script>{code}</script>"), encoding="utf-8")


def site(args, script, style):
    out = args.out
    if out.exists():
        shutil.rmtree(out)
    out.mkdir(parents=True)
    for name in args.names:
        (out / name).parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(args.resources / name, out / name)
    glue = args.glue
    shutil.copyfile(glue.with_suffix(".wasm"), out / "lumivar.wasm")
    code = glue.read_text(encoding="utf-8").replace(glue.with_suffix(".wasm").name, "lumivar.wasm")
    urls = {name: name for name in args.names}
    (out / "lumivar.js").write_text(resources_script(urls) + script + code + register_worker(),
                                    encoding="utf-8")
    (out / "lumivar.css").write_text(style, encoding="utf-8")
    icons = [{"src": name, "sizes": f"{size}x{size}", "type": "image/png"}
             for name in args.names for size in (192, 512) if name.endswith(f"-{size}.png")]
    manifest = {"name": args.title, "short_name": SHORT_NAME, "lang": "zh-CN",
                "start_url": "./", "scope": "./", "display": "standalone",
                "theme_color": THEME_COLOUR, "background_color": THEME_COLOUR, "icons": icons}
    (out / "manifest.webmanifest").write_text(json.dumps(manifest, ensure_ascii=False, indent=2),
                                              encoding="utf-8")
    policy = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; base-uri 'none'; form-action 'none'"
    head = (f'<meta http-equiv="Content-Security-Policy" content="{policy}">\n'
            f'<meta name="theme-color" content="{THEME_COLOUR}">\n'
            f'<link rel="icon" type="image/png" href="{ICON}">\n'
            '<link rel="manifest" href="manifest.webmanifest">\n'
            '<link rel="stylesheet" href="lumivar.css">')
    (out / "index.html").write_text(page(args.title, head, '<script src="lumivar.js"></script>'),
                                    encoding="utf-8")
    files = sorted(str(p.relative_to(out)) for p in out.rglob("*") if p.is_file())
    worker = args.worker.read_text(encoding="utf-8")
    (out / "sw.js").write_text(
        f"const CACHE = {json.dumps('lumivar-' + args.version)};\n"
        f"const FILES = {json.dumps(['./'] + files)};\n" + worker, encoding="utf-8")


def register_worker():
    return """
if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js');
"""


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("mode", choices=["single", "site"])
    parser.add_argument("--glue", type=Path, required=True)
    parser.add_argument("--out", type=Path, required=True)
    parser.add_argument("--resources", type=Path, required=True)
    parser.add_argument("--title", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--script", type=Path, required=True)
    parser.add_argument("--style", type=Path, required=True)
    parser.add_argument("--worker", type=Path)
    parser.add_argument("names", nargs="+")
    args = parser.parse_args()
    script = compact_script(args.script.read_text(encoding="utf-8"))
    style = compact_style(args.style.read_text(encoding="utf-8"))
    (single if args.mode == "single" else site)(args, script, style)


if __name__ == "__main__":
    main()
