#!/usr/bin/python3
"""Packs the page that emscripten built into what a browser opens.

    pack_page.py single --glue page.js --out lumivar.html [common options] RESOURCE...
    pack_page.py site --glue page.js --out site/ --worker sw.js [common options] RESOURCE...

Form1 is written into the HTML from the design file (the layout table as
JSON): every control at its place, in its faces and colours, as markup and
CSS rules, so that the window shows before any script runs, and where none
does. The script then takes over those elements. Under the window, a notice
says what to do where the program cannot run: in <noscript>, and hidden for
the watchdog script to show.

single: one HTML file holding everything (script, style, every resource as
a data: URI), with a Content-Security-Policy that lets in only its own three
scripts (the watchdog, the page's scripts, the program they start) and its
one style, and data: fonts and images.
site: index.html, lumivar.js, lumivar.css, the resources as files, a web app
manifest and a service worker that keeps every one of them in a cache named
by the version and a hash of their bytes, so that any change to the site
installs a new worker; its policy allows each kind of file only from the
site itself, and the watchdog.

RESOURCE names are paths under --resources, as the layout table names them.
"""

import argparse
import base64
import hashlib
import html
import json
import re
import shutil
from pathlib import Path

MIME = {".woff2": "font/woff2", ".jpg": "image/jpeg", ".png": "image/png"}
ICON = "icons/lumivar.png"
# The start of every name the site's worker gives its caches; it deletes
# only caches of this name, not those of other programs on the same origin.
CACHE_PREFIX = "lumivar-"
TOUCH_ICON = "icons/web/apple-touch-icon.png"
SHORT_NAME = "直选预测"
# Narrower screens see the window scaled down in steps of this many CSS
# pixels before a script fits it exactly, down to the narrowest phone.
FIT_STEP = 10
NARROWEST = 240


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


def number(value):
    return f"{value:.4f}".rstrip("0").rstrip(".")


def px(value):
    return number(value) + "px"


def element_id(name):
    return re.sub(r"[()]", "_", name)


def attributes(pairs):
    """ name="value" for each pair whose value is not None; a bare name for True."""
    out = ""
    for name, value in pairs:
        if value is True:
            out += f" {name}"
        elif value is not None and value is not False:
            out += f' {name}="{html.escape(str(value))}"'
    return out


# ---------------------------------------------------------------------------
# Form1 as markup and CSS, from the design
# ---------------------------------------------------------------------------


class Form:
    """The design's controls, with the URLs of the resources they show."""

    def __init__(self, design, urls, only=None):
        self.design = design
        self.urls = urls
        rows = design["controls"]
        self.window = rows[0]
        self.rows = [r for r in rows[1:] if only is None or r["name"] in only]

    def children(self, parent):
        return [r for r in self.rows if r["parent"] == parent]

    def markup(self):
        inside = "".join(self.control(r) for r in self.children(self.window["name"]))
        ended = (f'<div class="ended" role="alert" hidden><p>{html.escape(self.design["ended"])}</p>'
                 f'<button type="button" class="button">{html.escape(self.design["restart"])}'
                 "</button></div>")
        label = attributes([("aria-label", self.window["label"])])
        return f'<div id="page"><div id="form1"{label}>{inside}{ended}</div></div>'

    def control(self, row):
        return getattr(self, row["kind"])(row)

    def frame(self, row):
        inside = "".join(self.control(r) for r in self.children(row["name"]))
        return (f'<div{attributes(self.common(row, "frame"))} role="group"'
                f'{attributes([("aria-label", row["label"])])}>'
                '<div class="frame-line dark"></div><div class="frame-line light"></div>'
                f'<span class="caption" aria-hidden="true">{html.escape(row["caption"])}</span>'
                f"{inside}</div>")

    def box(self, row):
        kind = "box masked" if row["masked"] else "box"
        pairs = [("type", "text"), *self.common(row, kind), ("aria-label", row["label"]),
                 ("autocomplete", "off"), ("autocapitalize", "off"), ("autocorrect", "off"),
                 ("spellcheck", "false"), ("inputmode", "numeric" if row.get("numeric") else None),
                 ("aria-description", self.design["hidden"] if row["masked"] else None),
                 ("disabled", not row["enabled"]), ("value", row["caption"]),
                 ("data-field", row["field"])]
        tint = ""
        if tinted(row):
            tint = f'<div class="control tint" id="{element_id(row["name"])}-tint" aria-hidden="true"></div>'
        return f"<input{attributes(pairs)}>{tint}"

    def button(self, row):
        pairs = [("type", "button"), *self.common(row, "button"), ("data-command", row["command"])]
        return f'<button{attributes(pairs)}>{html.escape(row["caption"])}</button>'

    def picture(self, row):
        resource = row["resource"]
        stem, dot, suffix = resource.rpartition(".")
        double = self.urls.get(f"{stem}@2x.{suffix}")
        source = self.urls[resource]
        pairs = [*self.common(row, None), ("src", source),
                 ("srcset", f"{double} 2x" if double else None),  # src is the 1x
                 ("alt", row["label"]), ("draggable", "false")]
        return f'<img class="control"{attributes(pairs)}>'

    @staticmethod
    def common(row, kind):
        order = row["focusOrder"]
        return [("class", f"control {kind}" if kind else None), ("id", element_id(row["name"])),
                ("tabindex", order + 1 if order >= 0 else None)]

    def style(self):
        """The places, colours and faces of the controls, and the fit to narrow screens."""
        window = self.window
        _, _, width, height = window["rect"]
        band = window["font"]["points"] * 4 / 3  # one em of the window's font
        rules = [
            f":root{{--ground:{window['ground']};--text:{window['text']}}}",
            f"#page{{width:{px(width)};height:{px(height)}}}",
            f".notice{{width:{px(width)};font-family:{families(window['font'])}}}",
            f"#form1{{{place(window)}{colours(window)}{font(window['font'])}}}",
            f".frame{{--band:{px(band)}}}",
        ]
        for row in self.rows:
            rules += self.rules(row)
        return "\n".join(rules + self.fit(width, height)) + "\n"

    def rules(self, row):
        name = "#" + element_id(row["name"])
        face = font(row["font"]) if "font" in row else ""
        if row["kind"] == "frame":
            return [f"{name}{{{place(row)}}}", f"{name}>.caption{{{colours(row)}}}"]
        if row["kind"] != "box" or not tinted(row):
            return [f"{name}{{{place(row)}{colours(row)}{face}}}"]
        # A tinted box draws its text white, and a layer over its inside
        # multiplies that by the text colour (page.css says why).
        left, top, width, height = row["rect"]
        inside = {"rect": [left + 1, top + 1, width - 2, height - 2]}
        return [f"{name}{{{place(row)}color:#FFFFFF;background-color:{row['ground']};{face}}}",
                f"{name}-tint{{{place(inside)}background-color:{row['text']}}}"]

    @staticmethod
    def fit(width, height):
        rules = []
        for narrower in range(width - FIT_STEP, NARROWEST - 1, -FIT_STEP):
            scale = narrower / width
            rules.append(f"@media (max-width:{px(narrower + FIT_STEP - 0.02)}){{"
                         f"#page{{width:{px(narrower)};height:{px(height * scale)}}}"
                         f".notice{{width:{px(narrower)}}}"
                         f"#form1{{transform:scale({number(scale)})}}}}")
        return rules


def tinted(row):
    return row["kind"] == "box" and row.get("text", "#FFFFFF").upper() != "#FFFFFF"


def place(row):
    left, top, width, height = row["rect"]
    return f"left:{px(left)};top:{px(top)};width:{px(width)};height:{px(height)};"


def colours(row):
    out = f"color:{row['text']};" if "text" in row else ""
    return out + (f"background-color:{row['ground']};" if "ground" in row else "")


def families(style):
    return ",".join(f'"{family}"' for family in style["families"])


def font(style):
    return f"font-family:{families(style)};font-size:{number(style['points'])}pt;"


def font_faces(design, urls):
    return "".join(
        f'@font-face{{font-family:"{face["family"]}";src:url({urls[face["resource"]]})'
        ' format("woff2");font-weight:bold}\n' for face in design["faces"])


# ---------------------------------------------------------------------------
# The notice where the program cannot run
# ---------------------------------------------------------------------------


def notice(design, why, site_url):
    texts = design["notice"]
    if site_url:
        link = f'<a href="{html.escape(site_url)}">{html.escape(site_url)}</a>'
        iphone = html.escape(texts["iphoneAt"]).replace("{site}", link)
    else:
        iphone = html.escape(texts["iphone"])
    lines = [html.escape(texts["what"]), html.escape(texts[why]), html.escape(texts["computer"]), iphone]
    return "".join(f"<p>{line}</p>" for line in lines)


def notices(design, site_url):
    return (f'<noscript><div class="notice">{notice(design, "noScript", site_url)}</div></noscript>\n'
            f'<div class="notice" id="notice" hidden>{notice(design, "tooOld", site_url)}</div>')


def checked_site_url(url):
    if url and not re.fullmatch(r"https?://[^\s\"'<>]+", url):
        raise SystemExit(f"pack_page.py: --site-url must be an http(s) address, not {url!r}")
    return url


# ---------------------------------------------------------------------------
# The two packings
# ---------------------------------------------------------------------------


# The window's texts are its own and its layout is fixed, so no browser
# offers to translate the page (Chrome's offer would also cover the window's
# top while the program starts).
def document(title, head, body):
    return f"""<!DOCTYPE html>
<html lang="zh-CN" translate="no">
<head>
<meta charset="utf-8">
<meta name="google" content="notranslate">
{head}
<meta name="viewport" content="width=device-width, initial-scale=1">
<meta name="referrer" content="no-referrer">
<title>{html.escape(title)}</title>
</head>
<body>
{body}
</body>
</html>
"""


def parts(args, urls):
    """The page's title, its body's markup and its whole style sheet."""
    design = json.loads(args.design.read_text(encoding="utf-8"))
    only = set(args.controls.split(",")) if args.controls else None
    form = Form(design, urls, only)
    title = args.title or form.window["caption"]
    body = form.markup() + "\n" + notices(design, checked_site_url(args.site_url))
    style = font_faces(design, urls) + compact_style(args.style.read_text(encoding="utf-8")) + form.style()
    return title, body, style, form.window["ground"]


def single(args, script, watchdog):
    urls = {name: data_uri(args.resources / name) for name in args.names}
    title, body, style, _ = parts(args, urls)
    # The program's code is held in a block that does not run, so that the
    # window is drawn before that code is even compiled; launch.js runs it.
    program = held_script(args.glue.read_text(encoding="utf-8"))
    policy = "; ".join([
        "default-src 'none'",
        f"script-src {csp_hash(watchdog)} {csp_hash(script)} {csp_hash(program)}",
        f"style-src {csp_hash(style)}",
        "font-src data:", "img-src data:",
        "base-uri 'none'", "form-action 'none'",
    ])
    head = (f'<meta http-equiv="Content-Security-Policy" content="{policy}">\n'
            f'<link rel="icon" type="image/png" href="{urls[ICON]}">\n'
            f"<style>{style}</style>\n<script>{watchdog}</script>")
    scripts = f'<script type="text/plain" id="lumivar-program">{program}</script>\n<script>{script}</script>'
    args.out.write_text(document(title, head, f"{body}\n{scripts}"), encoding="utf-8")


def held_script(code):
    """The code, checked to end its script block only where the block ends."""
    if re.search(r"</script|<!--", code, flags=re.IGNORECASE):
        raise SystemExit("pack_page.py: the program's code would end its script block early")
    return code


def site(args, script, watchdog):
    out = args.out
    if out.exists():
        shutil.rmtree(out)
    out.mkdir(parents=True)
    for name in args.names:
        (out / name).parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(args.resources / name, out / name)
    urls = {name: name for name in args.names}
    title, body, style, ground = parts(args, urls)
    code = script + args.glue.read_text(encoding="utf-8") + register_worker()
    (out / "lumivar.js").write_text(code, encoding="utf-8")
    (out / "lumivar.css").write_text(style, encoding="utf-8")
    write_manifest(out, args, title, ground)
    policy = "; ".join([
        "default-src 'none'",
        f"script-src 'self' {csp_hash(watchdog)}",
        *(f"{kind}-src 'self'" for kind in ("style", "font", "img", "manifest", "worker")),
        "base-uri 'none'", "form-action 'none'",
    ])
    head = (f'<meta http-equiv="Content-Security-Policy" content="{policy}">\n'
            f'<meta name="theme-color" content="{ground}">\n'
            f'<link rel="icon" type="image/png" href="{ICON}">\n'
            f'<link rel="apple-touch-icon" href="{TOUCH_ICON}">\n'
            '<link rel="manifest" href="manifest.webmanifest">\n'
            f'<link rel="stylesheet" href="lumivar.css">\n<script>{watchdog}</script>')
    (out / "index.html").write_text(document(title, head, body + '\n<script src="lumivar.js"></script>'),
                                    encoding="utf-8")
    files = sorted(p.relative_to(out).as_posix() for p in out.rglob("*") if p.is_file())
    cache = f"{CACHE_PREFIX}{args.version}-{site_hash(out, files)}"
    worker = args.worker.read_text(encoding="utf-8")
    (out / "sw.js").write_text(
        f"const CACHE_PREFIX = {json.dumps(CACHE_PREFIX)};\n"
        f"const CACHE = {json.dumps(cache)};\n"
        f"const FILES = {json.dumps(['./'] + files)};\n" + worker, encoding="utf-8")


def site_hash(out, files):
    """16 hex digits of a SHA-256 over each file's name and SHA-256, in order."""
    sums = "".join(f"{hashlib.sha256((out / name).read_bytes()).hexdigest()}  {name}\n" for name in files)
    return hashlib.sha256(sums.encode()).hexdigest()[:16]


def write_manifest(out, args, title, ground):
    icons = [{"src": name, "sizes": f"{size}x{size}", "type": "image/png", "purpose": "any"}
             for name in args.names for size in (192, 512) if name.endswith(f"-{size}.png")]
    manifest = {"id": "./", "name": title, "short_name": SHORT_NAME, "lang": "zh-CN",
                "start_url": "./", "scope": "./", "display": "standalone",
                "theme_color": ground, "background_color": ground, "icons": icons}
    (out / "manifest.webmanifest").write_text(json.dumps(manifest, ensure_ascii=False, indent=2),
                                              encoding="utf-8")


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
    parser.add_argument("--design", type=Path, required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--script", type=Path, action="append", required=True,
                        help="the page's own scripts, run in this order")
    parser.add_argument("--style", type=Path, required=True)
    parser.add_argument("--watchdog", type=Path, required=True)
    parser.add_argument("--worker", type=Path)
    parser.add_argument("--site-url", default="", help="the hosted site, linked from the notice")
    parser.add_argument("--title", help="instead of the window's caption")
    parser.add_argument("--controls", help="only these controls, by name, comma-separated")
    parser.add_argument("names", nargs="+")
    args = parser.parse_args()
    script = "".join(compact_script(path.read_text(encoding="utf-8")) for path in args.script)
    watchdog = compact_script(args.watchdog.read_text(encoding="utf-8"))
    (single if args.mode == "single" else site)(args, script, watchdog)


if __name__ == "__main__":
    main()
